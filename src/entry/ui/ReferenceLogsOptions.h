#pragma once

#include "entry/ReferenceLogs.h"

#include "settings/ui/OptionsPage.h"
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;
class Session;

// The "Referenz-Logs" options page: the four reference logs and whether the
// reference list follows the call as it is typed.
class ReferenceLogsOptions : public OptionsPage {
    Q_OBJECT
public:
    explicit ReferenceLogsOptions(Session& session, QWidget* parent = nullptr);

    // Sets the controls from the settings; writes nothing (the form is not
    // ready yet while the settings are applied).
    void applySettings() override;

    void rLuxusRadioBtnClick();
    void rLogEditChange();
    // The "..." button of a slot (1..4).
    void rLog1BtnClick(int slot);

private:
    Session& m_session;
    std::array<QLineEdit*, ReferenceLogs::SlotCount> m_edits{};
    std::array<QPushButton*, ReferenceLogs::SlotCount> m_buttons{};
    QRadioButton* m_standart = nullptr;
    QRadioButton* m_luxus = nullptr;
};
