#pragma once

#include "settings/ui/OptionsPage.h"

class QCheckBox;
class QLineEdit;
class Session;

// The "RST (+Nr) TX" options: a text appended to RST TX after it is typed,
// usually a serial number that counts up with every contact.
class RstTxOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit RstTxOptions(Session& session, QWidget* parent = nullptr);
    void applySettings() override;
    QString appendText() const;
    // After a contact was saved: the next serial number, when counting is on.
    void advanceNumber();

Q_SIGNALS:
    void appendTextChanged(const QString& text);

private:
    void ErgRstTxTextEditChange();
    void ErgRstTxNummerCheckBoxClick();

    Session& m_session;
    QLineEdit* m_text;
    QCheckBox* m_number;
};
