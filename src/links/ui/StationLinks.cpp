#include "links/ui/StationLinks.h"

#include "entry/ui/EntryArea.h"
#include "links/ui/CallbookLink.h"
#include "links/ui/RigLink.h"
#include "session/Shell.h"

StationLinks::StationLinks(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_callbook(new CallbookLink(shell, this)),
      m_rig(new RigLink(shell, this)) {
    connect(&m_entry, &EntryArea::callbookRequested, m_callbook, &CallbookLink::CallbookLabelClick);
    connect(&m_entry, &EntryArea::bandConfirmed, m_rig, &RigLink::HrdDdeSendBand);
    connect(&m_entry, &EntryArea::modeConfirmed, m_rig, &RigLink::HrdDdeSendMode);
}

int StationLinks::callbookVersion() const { return m_callbook->version(); }
