#pragma once

#include <QObject>

class AuxiliaryWindows;
class EntryArea;
class HamCapLink;
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

private:
    Shell& m_shell;
    EntryArea& m_entry;
    HamCapLink* m_propagation = nullptr;
};
