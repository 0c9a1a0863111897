#pragma once

#include "settings/ui/OptionsPage.h"

class QCheckBox;
class QLabel;
class Session;

// The "Doppel-Check" options page: which fields besides the call must agree
// for an earlier contact to count as a duplicate.
class DuplicateCheckOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit DuplicateCheckOptions(Session& session, QWidget* parent = nullptr);

    // Sets the boxes from the stored options. Stores nothing itself, and the
    // handlers store nothing either until the session's form is ready.
    void applySettings() override;
    // DuplicateCheck option bits.
    int options() const { return m_options; }

    void dcCheckBoxClick();
    void dcCallCheckBoxClick();

Q_SIGNALS:
    void optionsChanged(int options);

private:
    Session& m_session;
    int m_options = 0;
    QLabel* m_question;
    QCheckBox* m_call;
    QCheckBox* m_band;
    QCheckBox* m_mode;
    QCheckBox* m_date;
};
