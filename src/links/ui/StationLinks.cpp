#include "links/ui/StationLinks.h"

#include "entry/ui/EntryArea.h"
#include "links/ui/HamCapLink.h"
#include "session/Shell.h"

StationLinks::StationLinks(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_propagation(new HamCapLink(shell, entry, this)) {}
