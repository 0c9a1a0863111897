#include "links/ui/StationLinks.h"

#include "entry/ui/EntryArea.h"
#include "links/ui/RigLink.h"
#include "session/Shell.h"

StationLinks::StationLinks(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_rig(new RigLink(shell, this)) {
    connect(&m_entry, &EntryArea::bandConfirmed, m_rig, &RigLink::HrdDdeSendBand);
    connect(&m_entry, &EntryArea::modeConfirmed, m_rig, &RigLink::HrdDdeSendMode);
}
