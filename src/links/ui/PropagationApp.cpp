#include "links/ui/PropagationApp.h"

#include "links/PropagationArea.h"
#include "links/PropagationBands.h"
#include "links/PropagationChart.h"
#include "links/PropagationSettings.h"
#include "links/ui/PropagationViews.h"
#include "links/ui/PropagationWindow.h"
#include "logstore/GermanNumber.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "refdata/Locator.h"
#include "session/Session.h"
#include "settings/Settings.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <cmath>

namespace {

// Half the earth's circumference in the units of the locator distances.
constexpr double HalfRoundKm = Locator::EarthRadiusKm * 3.14159265358979323846;

QString degrees(double value) { return QLocale(QLocale::German).toString(value, 'f', 2); }

QString positionText(const Minimuf::Position& p) {
    return msgText(Msg::PropagationPosition).arg(degrees(p.latitude), degrees(p.longitude));
}

QString bandText(int band) {
    return msgText(Msg::PropagationBandLine)
        .arg(PropagationBands::label(band), GermanNumber::format(PropagationBands::frequencyMhz(band)));
}

double hourOf(const QDateTime& utc) { return utc.toUTC().time().msecsSinceStartOfDay() / 3600000.0; }

// A value a property accepts: a number (or a text that is one) for the
// numeric members, anything that converts for the flags and texts.
std::optional<double> number(const QVariant& value) {
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

PropagationApp::PropagationApp(Session& session, std::function<QDateTime()> utcNow, QWidget* windowParent,
                               QObject* parent)
    : PropagationLink(parent), m_session(session), m_utcNow(std::move(utcNow)), m_timer(this) {
    m_window = new PropagationWindow(windowParent);
    m_window->setSunspotNumber(PropagationSettings::sunspotNumber(m_session.settings()));
    const QString mapPath = QDir(m_session.folder()).filePath(QStringLiteral("welt.gif"));
    const QImage map(mapPath);
    if (map.isNull())
        m_mapNote = msgText(Msg::PropagationMapMissing).arg(QDir::toNativeSeparators(mapPath));
    m_window->map().setBaseMap(map);
    connect(m_window, &PropagationWindow::sunspotNumberChanged, this, &PropagationApp::sunspotNumberChanged);
    connect(m_window, &PropagationWindow::closed, this, [this] { emit event(ExitRequest); });
    m_timer.setObjectName(QStringLiteral("RealTimeClockTimer"));
    m_timer.setInterval(30 * 1000);
    connect(&m_timer, &QTimer::timeout, this, &PropagationApp::tick);
}

PropagationApp::~PropagationApp() { delete m_window; }

PropagationWindow& PropagationApp::window() const { return *m_window; }

bool PropagationApp::setValue(const QString& name, const QVariant& value) {
    if (name == QLatin1String("HomeLat") || name == QLatin1String("HomeLon") || name == QLatin1String("DxLat") ||
        name == QLatin1String("DxLon")) {
        const std::optional<double> v = number(value);
        if (!v)
            return false;
        if (name == QLatin1String("HomeLat"))
            m_home.latitude = *v;
        else if (name == QLatin1String("HomeLon"))
            m_home.longitude = *v;
        else {
            (name == QLatin1String("DxLat") ? m_dx.latitude : m_dx.longitude) = *v;
            m_target = Target::Position;
        }
        return true;
    }
    if (name == QLatin1String("Band") || name == QLatin1String("Page")) {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok)
            return false;
        if (name == QLatin1String("Band")) {
            if (v < 0 || v >= PropagationBands::Count)
                return false;
            m_band = v;
        } else {
            if (v != 1 && v != 2)
                return false;
            m_window->showPage(v);
        }
        return true;
    }
    if (name == QLatin1String("DxCall")) {
        m_dxCall = value.toString().trimmed();
        m_target = Target::Call;
        return true;
    }
    if (name == QLatin1String("LongPath") || name == QLatin1String("RealTimeClock") ||
        name == QLatin1String("Visible")) {
        if (!value.canConvert<bool>())
            return false;
        const bool on = value.toBool();
        if (name == QLatin1String("LongPath")) {
            m_longPath = on;
        } else if (name == QLatin1String("RealTimeClock")) {
            m_realTime = on;
            if (on)
                m_timer.start();
            else
                m_timer.stop();
        } else if (on) {
            m_window->show();
            m_window->raise();
            m_window->activateWindow();
        } else {
            m_window->hide();
        }
        return true;
    }
    return false;
}

bool PropagationApp::callMethod(const QString& name) {
    if (name == QLatin1String("PredictPoint"))
        predictPoint();
    else if (name == QLatin1String("PredictArea"))
        predictArea();
    else
        return false;
    return true;
}

void PropagationApp::fail(const QString& text) {
    m_error = text;
    m_window->setProblem(text);
    emit event(Error);
}

double PropagationApp::sunspotNumber() const { return PropagationSettings::sunspotNumber(m_session.settings()); }

void PropagationApp::predictPoint() {
    if (!Minimuf::onGlobe(m_home)) {
        fail(msgText(Msg::PropagationHomeOffGlobe).arg(GermanNumber::format(m_home.latitude), GermanNumber::format(m_home.longitude)));
        return;
    }
    Minimuf::Position dx = m_dx;
    QString dxText;
    switch (m_target) {
    case Target::None: fail(msgText(Msg::PropagationNoTarget)); return;
    case Target::Call: {
        const DxccInfo info = m_session.dxcc().GetDxccInfo(m_dxCall);
        if (m_dxCall.isEmpty() || info.Prefix.isEmpty()) {
            fail(msgText(Msg::PropagationUnknownCall).arg(m_dxCall));
            return;
        }
        dx = {info.Latitude, info.Longitude};
        dxText = QStringLiteral("%1 (%2)").arg(m_dxCall, info.Country);
        break;
    }
    case Target::Position:
        if (!Minimuf::onGlobe(dx)) {
            fail(msgText(Msg::PropagationDxOffGlobe).arg(GermanNumber::format(dx.latitude), GermanNumber::format(dx.longitude)));
            return;
        }
        dxText = positionText(dx);
        break;
    }
    const QDateTime utc = m_utcNow().toUTC();
    const PropagationChart::Day day =
        PropagationChart::forDay(m_home, dx, utc.date(), sunspotNumber(), m_longPath, m_band);
    m_window->chart().setDay(day, msgText(m_longPath ? Msg::PropagationLongPath : Msg::PropagationShortPath),
                             bandText(m_band));
    m_window->chart().setNow(m_realTime ? std::optional<double>(hourOf(utc)) : std::nullopt);
    const Locator::Course course = Locator::greatCircle(m_home.latitude, m_home.longitude, dx.latitude, dx.longitude);
    const double km = m_longPath ? 2.0 * HalfRoundKm - course.distanceKm : course.distanceKm;
    const double bearing = m_longPath ? std::fmod(course.bearingDegrees + 180.0, 360.0) : course.bearingDegrees;
    m_window->setChartText(msgText(Msg::PropagationPathText)
                               .arg(positionText(m_home), dxText)
                               .arg(std::lround(km))
                               .arg(std::lround(bearing) % 360) +
                           QLatin1Char('\n') +
                           msgText(Msg::PropagationOpenHours).arg(PropagationBands::label(m_band)).arg(day.openHours()));
    m_window->setProblem(QString());
    m_error.clear();
    m_pointShown = true;
    m_chartDate = utc.date();
    emit event(ChartChange);
}

void PropagationApp::predictArea() {
    if (!Minimuf::onGlobe(m_home)) {
        fail(msgText(Msg::PropagationHomeOffGlobe).arg(GermanNumber::format(m_home.latitude), GermanNumber::format(m_home.longitude)));
        return;
    }
    const QDateTime utc = m_utcNow().toUTC();
    const PropagationArea::Raster raster = PropagationArea::compute(m_home, utc, sunspotNumber(), m_band);
    m_window->map().setRaster(raster, m_home);
    QString text = msgText(Msg::PropagationAreaText)
                       .arg(PropagationBands::label(m_band), GermanNumber::format(PropagationBands::frequencyMhz(m_band)),
                            utc.toString(QStringLiteral("hh:mm")), utc.toString(QStringLiteral("dd.MM.yyyy")));
    if (!m_mapNote.isEmpty())
        text += QLatin1Char('\n') + m_mapNote;
    m_window->setAreaText(text);
    m_window->setProblem(QString());
    m_error.clear();
    m_areaShown = true;
    m_areaTime = utc;
    emit event(MapChange);
}

void PropagationApp::sunspotNumberChanged(int number) {
    PropagationSettings::setSunspotNumber(m_session.settings(), number);
    m_session.saveSettings();
    if (m_pointShown)
        predictPoint();
    if (m_areaShown)
        predictArea();
}

void PropagationApp::tick() {
    const QDateTime utc = m_utcNow().toUTC();
    if (m_pointShown) {
        if (utc.date() != m_chartDate)
            predictPoint();
        else
            m_window->chart().setNow(hourOf(utc));
    }
    if (m_areaShown && (utc.date() != m_areaTime.date() || utc.time().hour() != m_areaTime.time().hour()))
        predictArea();
}
