#pragma once

#include <QObject>

class CallbookLink;
class EntryArea;
class RigLink;
class Shell;

// The links to what runs beside the logbook: the rig (through rigctld), the
// callbook database and the propagation prediction. It enables their menu
// entries, fills their options tabs and carries data between them and the
// entry mask.
class StationLinks : public QObject {
    Q_OBJECT
public:
    StationLinks(Shell& shell, EntryArea& entry, QObject* parent = nullptr);

    // RAC_VERSION of the status bar.
    int callbookVersion() const;
    RigLink& rig() const { return *m_rig; }

private:
    Shell& m_shell;
    EntryArea& m_entry;
    CallbookLink* m_callbook;
    RigLink* m_rig;
};
