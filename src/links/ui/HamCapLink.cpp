#include "links/ui/HamCapLink.h"

#include <optional>
#include <utility>

#include "entry/EntryMask.h"
#include "entry/ui/EntryArea.h"
#include "links/PropagationBands.h"
#include "links/ui/PropagationApp.h"
#include "platform/Dialogs.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "refdata/Locator.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"

#include <QAction>
#include <QKeySequence>

HamCapLink::HamCapLink(Shell& shell, EntryArea& entry, QObject* parent)
    : QObject(parent), m_shell(shell), m_entry(entry),
      m_hamCapMenu(shell.menuEntry(QStringLiteral("HamCapMenu"))),
      m_mapMenu(shell.menuEntry(QStringLiteral("MapMenu"))) {
    setObjectName(QStringLiteral("HamCapLink"));
    m_factory = [&shell](QObject* owner) -> PropagationLink* {
        EntryMask& mask = shell.entryMask();
        return new PropagationApp(shell.session(), [&mask] { return mask.utcNow(); }, shell.window(), owner);
    };
    if (m_hamCapMenu) {
        m_hamCapMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        m_hamCapMenu->setShortcutContext(Qt::WindowShortcut);
        m_hamCapMenu->setEnabled(true);
        connect(m_hamCapMenu, &QAction::triggered, this, [this] { HamCapMapMenuClick(m_hamCapMenu); });
    }
    if (m_mapMenu) {
        m_mapMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
        m_mapMenu->setShortcutContext(Qt::WindowShortcut);
        connect(m_mapMenu, &QAction::triggered, this, [this] { HamCapMapMenuClick(m_mapMenu); });
    }
}

void HamCapLink::setWorldMap(WorldMap map) {
    m_worldMap = std::move(map);
    if (m_mapMenu)
        m_mapMenu->setEnabled(m_worldMap.show != nullptr);
}

bool HamCapLink::send(const QString& name, const QVariant& value) {
    if (!m_link)
        return false;
    if (m_link->setValue(name, value))
        return true;
    m_shell.session().dialogs().error(msgText(Msg::PropagationMemberRefused).arg(name, value.toString()));
    return false;
}

bool HamCapLink::call(const QString& name) {
    if (!m_link)
        return false;
    if (m_link->callMethod(name))
        return true;
    m_shell.session().dialogs().error(msgText(Msg::PropagationMemberRefused).arg(name, QString()));
    return false;
}

bool HamCapLink::HamCapPrepair() {
    Session& session = m_shell.session();
    const QString own = GeneralSettings::ownLocator(session.settings());
    const Locator::Degrees latitude = Locator::LocatToBreit(own);
    const Locator::Degrees longitude = Locator::LocatToLang(own);
    if (!latitude.ok() || !longitude.ok()) {
        session.dialogs().error(latitude.ok() ? longitude.error : latitude.error);
        return false;
    }
    if (!m_link) {
        m_link = m_factory ? m_factory(this) : nullptr;
        if (!m_link) {
            session.dialogs().error(msgText(Msg::PropagationNotStarted));
            return false;
        }
    }
    // One connection for as long as the link holds the prediction: a second
    // one would bring every event, and every error message, twice.
    if (!m_sink)
        m_sink = connect(m_link, &PropagationLink::event, this, &HamCapLink::dispatch);
    const int band = PropagationBands::bandIndex(m_shell.entryMask().field(QsoRecord::Band));
    return send(QStringLiteral("HomeLat"), latitude.value) && send(QStringLiteral("HomeLon"), longitude.value) &&
           send(QStringLiteral("LongPath"), false) && send(QStringLiteral("RealTimeClock"), true) &&
           send(QStringLiteral("Band"), static_cast<qint32>(band));
}

void HamCapLink::HamCapChart() {
    if (send(QStringLiteral("Page"), qint32{1}) && call(QStringLiteral("PredictPoint")))
        send(QStringLiteral("Visible"), true);
}

void HamCapLink::HamCapMap() {
    if (send(QStringLiteral("Page"), qint32{2}) && call(QStringLiteral("PredictArea")))
        send(QStringLiteral("Visible"), true);
}

void HamCapLink::chartTowards(double latitude, double longitude) {
    if (HamCapPrepair() && send(QStringLiteral("DxLat"), latitude) && send(QStringLiteral("DxLon"), longitude))
        HamCapChart();
}

void HamCapLink::HamCapMapMenuClick(QAction* sender) {
    const std::optional<EntryArea::StationTexts> texts = m_entry.stationTexts();
    const HamCapTarget::Target target =
        texts ? HamCapTarget::choose(texts->locators, texts->calls) : HamCapTarget::Target{};
    if (sender == m_mapMenu)
        showWorldMap(target);
    else
        openPrediction(target);
}

std::optional<std::pair<double, double>> HamCapLink::positionOf(const QString& locator) {
    const Locator::Degrees latitude = Locator::LocatToBreit(locator);
    const Locator::Degrees longitude = Locator::LocatToLang(locator);
    if (!latitude.ok() || !longitude.ok()) {
        m_shell.session().dialogs().error(latitude.ok() ? longitude.error : latitude.error);
        return std::nullopt;
    }
    return std::pair{latitude.value, longitude.value};
}

void HamCapLink::openPrediction(const HamCapTarget::Target& target) {
    switch (target.kind) {
    case HamCapTarget::Kind::Locator: {
        if (const auto at = positionOf(target.text))
            chartTowards(at->first, at->second);
        return;
    }
    case HamCapTarget::Kind::Call:
        if (HamCapPrepair() && send(QStringLiteral("DxCall"), target.text))
            HamCapChart();
        return;
    case HamCapTarget::Kind::None:
        if (HamCapPrepair())
            HamCapMap();
        return;
    }
}

void HamCapLink::showWorldMap(const HamCapTarget::Target& target) {
    if (!m_worldMap.show)
        return;
    switch (target.kind) {
    case HamCapTarget::Kind::Locator: {
        const auto at = positionOf(target.text);
        if (!at)
            return;
        m_worldMap.setPosition(at->second, at->first);
        break;
    }
    case HamCapTarget::Kind::Call: {
        const DxccInfo info = m_shell.session().dxcc().GetDxccInfo(target.text);
        // A call the table does not know has no position; 0° / 0° would put
        // the marker into the Gulf of Guinea as if it were one.
        if (info.Prefix.isEmpty())
            m_worldMap.clearPosition();
        else
            m_worldMap.setPosition(info.Longitude, info.Latitude);
        break;
    }
    case HamCapTarget::Kind::None: m_worldMap.clearPosition(); break;
    }
    m_worldMap.show();
}

void HamCapLink::dispatch(int number) {
    switch (number) {
    case PropagationLink::ExitRequest: HamCapExitRequest(); break;
    case PropagationLink::Error: HamCapError(); break;
    case PropagationLink::MapChange: HamCapMapChange(); break;
    case PropagationLink::ChartChange: HamCapChartChange(); break;
    default: break;
    }
}

void HamCapLink::HamCapExitRequest() {
    disconnect(m_sink);
    m_sink = {};
    if (m_link)
        m_link->deleteLater();
    m_link = nullptr;
}

void HamCapLink::HamCapError() {
    QString text = msgText(Msg::HamCapReportedError);
    if (m_link && !m_link->errorText().isEmpty())
        text += QLatin1Char('\n') + m_link->errorText();
    m_shell.session().dialogs().error(text);
}

// The chart and the map redraw themselves; nothing in the logbook follows them.
void HamCapLink::HamCapMapChange() {}
void HamCapLink::HamCapChartChange() {}
