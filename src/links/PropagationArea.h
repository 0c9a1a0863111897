#pragma once

#include "links/Minimuf.h"

#include <QDateTime>
#include <vector>

// The area map: for every cell of a longitude/latitude grid over the whole
// globe, the MUF from home at one moment, whether a band is open to it, and
// whether the cell lies in daylight, in the grey line or in the night.
namespace PropagationArea {

enum class Light : unsigned char { Night, Twilight, Day };

// Zenith angles of the sun at the edges of the grey line: the sunrise the
// almanac gives and the end of civil twilight.
inline constexpr double DayZenith = 90.8333;
inline constexpr double TwilightZenith = 96.0;

struct Raster {
    int columns = 0; // cell 0 starts at 180 degrees west
    int rows = 0;    // row 0 starts at 90 degrees north
    double bandMhz = 0.0;
    std::vector<float> muf;
    std::vector<Light> light;

    int index(int column, int row) const { return row * columns + column; }
    bool open(int column, int row) const;
    // Centre of a cell in degrees.
    Minimuf::Position centre(int column, int row) const;
    // The cell holding a position; positions on the east or south edge fall
    // into the last cell.
    int columnOf(double longitude) const;
    int rowOf(double latitude) const;
};

// columns x rows cells (at least 1 x 1); utc gives the date and the hour.
Raster compute(const Minimuf::Position& home, const QDateTime& utc, double sunspotNumber, int bandIndex,
               int columns = 360, int rows = 180);

// Day, grey line or night at a position at utc, from the sunrise and sunset
// of the almanac for the two zenith angles above.
Light lightAt(const Minimuf::Position& p, const QDateTime& utc);

} // namespace PropagationArea
