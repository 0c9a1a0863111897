#pragma once

#include "settings/ui/OptionsPage.h"

class ClockForm;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class Session;

// The options tab "Analoge Uhr": whether the clock window shows, in UTC or
// the computer's time, and the pattern of its title.
class ClockOptions : public OptionsPage {
    Q_OBJECT
public:
    ClockOptions(Session& session, ClockForm& clock, QWidget* parent = nullptr);
    void applySettings() override;

    void clockShowChkBtnClick();
    void clockUtcRadioBtnClick();
    void clockFormatEditChange();

private:
    void enableControls();

    Session& m_session;
    ClockForm& m_clock;
    QCheckBox* m_show;
    QRadioButton* m_system;
    QRadioButton* m_utc;
    QLabel* m_formatLabel;
    QLineEdit* m_format;
    bool m_applying = false;
};
