#pragma once

#include <QDate>

// The MINIMUF 3.5 model of the US Navy (public domain): the maximum usable
// frequency of a sky-wave path for a date, an hour of the day and a
// smoothed sunspot number. Positions in degrees, north and east positive.
namespace Minimuf {

struct Position {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Whether a position lies on the globe at all (latitude within ±90,
// longitude within ±180, both numbers).
bool onGlobe(const Position& p);

// MUF in MHz between from and to at hourUtc (0 up to 24, fractions allowed)
// on date, for sunspotNumber. The long path runs the other way round the
// great circle. Positions must be on the globe.
double muf(const Position& from, const Position& to, const QDate& date, double hourUtc, double sunspotNumber,
           bool longPath = false);

} // namespace Minimuf
