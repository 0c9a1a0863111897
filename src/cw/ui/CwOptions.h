#pragma once

#include "cw/CwSending.h"
#include "settings/ui/OptionsPage.h"

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class Session;

// The options tab "CW": pitch, speed, volume and output of the Morse
// output, the fields the menu "CW-Ausgabe" sends, and a test sending with
// the values as they stand. Nothing is stored before "OK".
class CwOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit CwOptions(Session& session, QWidget* parent = nullptr);
    // At start the page shows the stored values, as "Cancel" sets them.
    void applySettings() override { cwCancelBtnClick(); }

    void cwOkBtnClick();
    void cwCancelBtnClick();
    void cwDefaultBtnClick();
    void cwTestBtnClick();

    // While a sending runs the test button waits.
    void setSending(bool sending);

Q_SIGNALS:
    // "Ausgabe testen": the test text with the page's pitch, speed, volume
    // and output.
    void testRequested(const CwParameters& parameters);

protected:
    // Return is "OK" and Esc is "Cancel" anywhere on the page, as for the
    // default and cancel buttons of a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The integer a box holds; nullopt after the conversion error was shown.
    std::optional<int> integerOf(const QLineEdit* edit) const;

    Session& m_session;
    QLineEdit* m_frequency;
    QLineEdit* m_speed;
    QSlider* m_volume;
    QRadioButton* m_soundCard;
    QRadioButton* m_pcSpeaker;
    QLineEdit* m_testText;
    QPushButton* m_testButton;
    std::array<QCheckBox*, QsoRecord::FieldCount> m_fields{};
};
