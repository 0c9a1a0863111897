#include "refdata/SunTimes.h"

#include "logstore/GermanNumber.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"

#include <cmath>
#include <numbers>

namespace SunTimes {

namespace {

constexpr double ToRadians = std::numbers::pi / 180.0;
constexpr double ToDegrees = 180.0 / std::numbers::pi;

double sinDeg(double d) {
    return std::sin(d * ToRadians);
}
double cosDeg(double d) {
    return std::cos(d * ToRadians);
}
double tanDeg(double d) {
    return std::tan(d * ToRadians);
}
double atanDeg(double x) {
    return std::atan(x) * ToDegrees;
}
double asinDeg(double x) {
    return std::asin(x) * ToDegrees;
}
double acosDeg(double x) {
    return std::acos(x) * ToDegrees;
}

// The almanac brings L and RA into (-360, 360] by subtracting or adding 360
// in a loop. fmod gives the same value at once, and a far-off longitude can
// no longer keep the loop running for ever.
double intoTurn(double x) {
    if (x > 360.0) {
        x = std::fmod(x, 360.0);
        if (x == 0.0) x = 360.0;
    }
    if (x < -360.0) {
        x = std::fmod(x, 360.0);
        if (x == 0.0) x = -360.0;
    }
    return x;
}

// The same for the hour of the day, into [0, 24).
double intoDay(double hours) {
    hours = std::fmod(hours, 24.0);
    if (hours < 0.0) hours += 24.0;
    // -1e-17 + 24 rounds to 24 itself.
    if (hours >= 24.0) hours -= 24.0;
    return hours;
}

} // namespace

double Sun(bool sunset, double latitude, double longitude, double zenith, const QDate& date) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || !std::isfinite(zenith) || !date.isValid())
        return Undefined;

    const int n = date.dayOfYear();
    const double lngHour = longitude / 15.0;
    const double t = n + ((sunset ? 18.0 : 6.0) - lngHour) / 24.0;
    const double m = 0.9856 * t - 3.289;
    const double l = intoTurn(m + 1.916 * sinDeg(m) + 0.020 * sinDeg(2.0 * m) + 282.634);
    double ra = intoTurn(atanDeg(0.91764 * tanDeg(l)));
    ra = ra + (std::floor(l / 90.0) * 90.0 - std::floor(ra / 90.0) * 90.0);
    ra = ra / 15.0;

    const double sinDec = 0.39782 * sinDeg(l);
    const double cosDec = cosDeg(asinDeg(sinDec));
    const double cosH = (cosDeg(zenith) - sinDec * sinDeg(latitude)) / (cosDec * cosDeg(latitude));
    if (cosH > 1.0) return NeverRises;
    if (cosH < -1.0) return NeverSets;

    const double h = (sunset ? acosDeg(cosH) : 360.0 - acosDeg(cosH)) / 15.0;
    const double localMean = h + ra - 0.06571 * t - 6.622;
    const double result = intoDay(localMean - lngHour) / 24.0;
    if (!(result >= 0.0 && result < 1.0)) return Undefined;
    return result;
}

double Sun(bool sunset, double latitude, double longitude, double zenith, const Clock& clock) {
    return Sun(sunset, latitude, longitude, zenith, clock.localNow().date());
}

QString internalErrorText() {
    return msgText(Msg::SunInternalError);
}

QString hourMinute(double dayFraction) {
    if (!(dayFraction >= 0.0 && dayFraction < 1.0)) return QString();
    // Whole milliseconds first, as a date-time value holds them; the minute is
    // then cut, not rounded, as a clock shows it.
    const qint64 ms = std::llround(dayFraction * 86400000.0) % 86400000;
    const qint64 minutes = ms / 60000;
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString zenithBoxText(double zenith) {
    return GermanNumber::format(zenith) + u'°';
}

QString zenithButtonText(int angle) {
    if (angle == 90) return zenithBoxText(DefaultZenith);
    return QString::number(angle) + u'°';
}

std::optional<double> zenithFromBoxText(const QString& text) {
    QStringView number(text);
    if (number.endsWith(u'°')) number.chop(1);
    if (number.isEmpty()) return std::nullopt;
    return GermanNumber::parse(number.toString());
}

} // namespace SunTimes
