#pragma once

#include "cw/CwThread.h"

#include <QObject>
#include <QPointer>

class CwOptions;
class EntryArea;
class QAction;
class Shell;

// The CW output in the main window: the options tab "CW" and the menu entry
// "CW-Ausgabe" (Ctrl+M), which sends the chosen fields of the contact of the
// page in front. Idle or sending: while a worker runs, the menu entry and
// the test button are disabled, so that at most one sending runs.
class CwArea : public QObject {
    Q_OBJECT
public:
    CwArea(Shell& shell, EntryArea& entry, QObject* parent = nullptr);
    // A sound-card sending still running is cut short; the program waits
    // for the worker, which uses the session's sound output.
    ~CwArea() override;

    CwOptions& options() const { return *m_options; }
    bool sending() const { return m_worker != nullptr; }

    // Menu "CW-Ausgabe".
    void CwMenuClick();
    // The text the menu would send now, or nullopt after a message (a number
    // that is no integer, a log that cannot be read).
    std::optional<QString> menuText();

private:
    void send(const CwParameters& parameters);
    // The worker's completion callback: back to idle.
    void CwThreadTerminate();
    void showNotice(const CwNotice& notice);
    void setSending(bool sending);

    Shell& m_shell;
    EntryArea& m_entry;
    CwOptions* m_options;
    QAction* m_menu;
    QPointer<CwThread> m_worker;
    bool m_speakerMessageShown = false; // once per program run
};
