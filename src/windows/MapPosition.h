#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QLocale;

// The world map's arithmetic: where a click lands in degrees, where a marker
// goes for a position, and the three ways of writing one coordinate (decimal
// degrees, degrees with decimal minutes, degrees-minutes-seconds) plus the
// locator of a position. The map is equirectangular: 180 W to 180 E across,
// 90 N to 90 S down.
namespace MapPosition {

// Degrees of a click at pixel (x, y) of a map of the given size.
double longitudeAt(double x, int width);
double latitudeAt(double y, int height);

// Top-left corner of a marker of markerSize centred on the position; map is
// where the map picture stands in the window. Halves round to the even
// neighbour, so a marker never creeps one pixel east or south of its place.
int markerLeft(double longitude, const QRect& map, int markerWidth);
int markerTop(double latitude, const QRect& map, int markerHeight);

// Degrees with decimal minutes: the degrees truncated toward zero carry the
// sign, the minutes are always positive.
struct DecimalMinutes {
    int degrees = 0;
    double minutes = 0.0;
};
DecimalMinutes toDecimalMinutes(double value);

// Degrees, whole minutes and rounded seconds from degrees with decimal
// minutes. Seconds that round up to 60 carry into the minutes (and those
// into the degrees), so that 9.99999 reads 10° 0' 0" rather than 9° 59' 60".
struct Dms {
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;
};
Dms toDms(const DecimalMinutes& dm);

// Back to decimal degrees; the sign is taken from the whole degrees, so a
// value between 0 and -1 cannot be written this way.
double fromDecimalMinutes(int degrees, double minutes);
double fromDms(int degrees, int minutes, double seconds);

// The six-character locator of the sub-square the position lies in; none for
// a position off the map (beyond 180 degrees or 90 degrees), which has no
// locator. 180 E and 90 N themselves give the field letter "S".
std::optional<QString> locatorOf(double longitude, double latitude);

// Which sign text a value gets: the index of the language text, or none for 0.
// North 90, south 91, east 92, west 93.
std::optional<int> signTextIndex(double value, bool latitude);

// Numbers as the window shows them: the user's decimal separator, no group
// separators. Decimal degrees always carry four decimals; decimal minutes up
// to ten, without trailing zeros and never in exponent form.
QString degreesText(double value, const QLocale& locale);
QString minutesText(double value, const QLocale& locale);
// A number typed in the window; none when the text is no number.
std::optional<double> readNumber(const QString& text, const QLocale& locale);

} // namespace MapPosition
