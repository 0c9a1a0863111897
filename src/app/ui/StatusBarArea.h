#pragma once

#include "settings/ui/OptionsPage.h"

#include <functional>

class EntryArea;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class Session;
struct StatusBarValues;

// The status bar at the bottom of the main window and its options tab
// "StatusBar": a template with variables, refreshed every five seconds
// while it is not empty.
class StatusBarArea : public OptionsPage {
    Q_OBJECT
public:
    StatusBarArea(Session& session, const EntryArea& entry, QStatusBar& bar, QWidget* parent = nullptr);
    void applySettings() override;

    // The callbook's version for RAC_VERSION; 0 while no callbook is set up.
    void setCallbookVersion(std::function<int()> version) { m_callbookVersion = std::move(version); }

    void StatusBarTimerTimer();
    void StatusBarEditChange();
    void StatusBarMemoDblClick();

    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StatusBarValues currentValues() const;
    void activateTimer();

    Session& m_session;
    const EntryArea& m_entry;
    QLabel* m_shown;
    QLineEdit* m_template;
    QPlainTextEdit* m_help;
    QTimer* m_timer;
    std::function<int()> m_callbookVersion = [] { return 0; };
    bool m_applying = false;
};
