#pragma once

#include <QObject>

class AuxiliaryWindows;
class CallbookLink;
class EntryArea;
class HamCapLink;
class RigLink;
class Shell;

// The links to what runs beside the logbook: the rig (through rigctld), the
// callbook database and the propagation prediction. It enables their menu
// entries, fills their options tabs and carries data between them and the
// entry mask.
class StationLinks : public QObject {
    Q_OBJECT
public:
    // The world map of windows is where "Weltkarte" shows a station.
    StationLinks(Shell& shell, EntryArea& entry, AuxiliaryWindows& windows, QObject* parent = nullptr);

    HamCapLink& propagation() const { return *m_propagation; }

    // RAC_VERSION of the status bar.
    int callbookVersion() const;
    RigLink& rig() const { return *m_rig; }

private:
    Shell& m_shell;
    EntryArea& m_entry;
    CallbookLink* m_callbook;
    RigLink* m_rig;
    HamCapLink* m_propagation = nullptr;
};
