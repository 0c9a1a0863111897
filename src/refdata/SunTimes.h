#pragma once

#include <QDate>
#include <QString>
#include <optional>

class Clock;

// Sunrise and sunset by the Almanac for Computers (1990), and the zenith
// angle the operator chooses for them.
namespace SunTimes {

// Returned instead of a time of day.
constexpr double NeverRises = -1.0; // the sun stays below the zenith all day
constexpr double NeverSets = -2.0;  // it stays above
// A latitude, longitude or zenith that is no number, or a result the
// algorithm cannot give; internalErrorText() says so to the user.
constexpr double Undefined = -3.0;

// 90° 50': the sun's radius and the refraction at the horizon.
constexpr double DefaultZenith = 90.8333;

// UTC time of the sunrise (sunset false) or sunset on date, as a fraction of
// a day in [0, 1), or one of the three values above. Degrees, north and east
// positive.
double Sun(bool sunset, double latitude, double longitude, double zenith, const QDate& date);
// The same for today by the computer's local clock.
double Sun(bool sunset, double latitude, double longitude, double zenith, const Clock& clock);

QString internalErrorText();

// "hh:nn" of a fraction of a day; empty for the values that are no time.
QString hourMinute(double dayFraction);

// The zenith box: a number in German notation followed by "°".
QString zenithBoxText(double zenith);
// The text a zenith button puts into the box: 90 stands for the official 90° 50'.
QString zenithButtonText(int angle);
// The number in the box (without its trailing "°"); nothing when it is none.
std::optional<double> zenithFromBoxText(const QString& text);

} // namespace SunTimes
