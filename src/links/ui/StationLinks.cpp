#include "links/ui/StationLinks.h"

#include "entry/ui/EntryArea.h"
#include "links/ui/CallbookLink.h"
#include "links/ui/RigLink.h"
#include "links/ui/HamCapLink.h"
#include "session/Shell.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "windows/ui/MapForm.h"

StationLinks::StationLinks(Shell& shell, EntryArea& entry, AuxiliaryWindows& windows, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry), m_callbook(new CallbookLink(shell, this)),
      m_rig(new RigLink(shell, this)), m_propagation(new HamCapLink(shell, entry, this)) {
    connect(&m_entry, &EntryArea::callbookRequested, m_callbook, &CallbookLink::CallbookLabelClick);
    connect(&m_entry, &EntryArea::bandConfirmed, m_rig, &RigLink::HrdDdeSendBand);
    connect(&m_entry, &EntryArea::modeConfirmed, m_rig, &RigLink::HrdDdeSendMode);
    MapForm& map = windows.mapForm();
    m_propagation->setWorldMap({[&map](double longitude, double latitude) { map.SetPosition(longitude, latitude); },
                                [&map] { map.clearPosition(); }, [&map] { map.showMap(); }});
    map.setHamCapStarter([this](double latitude, double longitude) { m_propagation->chartTowards(latitude, longitude); });
}

int StationLinks::callbookVersion() const { return m_callbook->version(); }
