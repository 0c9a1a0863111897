#include "links/PropagationArea.h"

#include "links/PropagationBands.h"
#include "links/PropagationChart.h"
#include "refdata/SunTimes.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether the moment (fraction of the UTC day) lies between sunrise and
// sunset for the zenith; a day that wraps past midnight UTC counts too.
bool lit(const Minimuf::Position& p, const QDate& date, double moment, double zenith) {
    const double rise = SunTimes::Sun(false, p.latitude, p.longitude, zenith, date);
    const double set = SunTimes::Sun(true, p.latitude, p.longitude, zenith, date);
    if (rise == SunTimes::NeverSets || set == SunTimes::NeverSets)
        return true;
    if (rise < 0.0 || set < 0.0)
        return false;
    return rise <= set ? (moment >= rise && moment < set) : (moment >= rise || moment < set);
}

} // namespace

namespace PropagationArea {

bool Raster::open(int column, int row) const {
    return PropagationChart::isOpen(bandMhz, muf[static_cast<std::size_t>(index(column, row))]);
}

Minimuf::Position Raster::centre(int column, int row) const {
    return {90.0 - (row + 0.5) * 180.0 / rows, -180.0 + (column + 0.5) * 360.0 / columns};
}

int Raster::columnOf(double longitude) const {
    return std::clamp(static_cast<int>(std::floor((longitude + 180.0) / 360.0 * columns)), 0, columns - 1);
}

int Raster::rowOf(double latitude) const {
    return std::clamp(static_cast<int>(std::floor((90.0 - latitude) / 180.0 * rows)), 0, rows - 1);
}

Light lightAt(const Minimuf::Position& p, const QDateTime& utc) {
    const QDateTime u = utc.toUTC();
    const double moment = u.time().msecsSinceStartOfDay() / 86400000.0;
    if (lit(p, u.date(), moment, DayZenith))
        return Light::Day;
    return lit(p, u.date(), moment, TwilightZenith) ? Light::Twilight : Light::Night;
}

Raster compute(const Minimuf::Position& home, const QDateTime& utc, double sunspotNumber, int bandIndex, int columns,
               int rows) {
    Raster r;
    r.columns = std::max(1, columns);
    r.rows = std::max(1, rows);
    r.bandMhz = PropagationBands::frequencyMhz(bandIndex);
    const QDateTime u = utc.toUTC();
    const double hour = u.time().msecsSinceStartOfDay() / 3600000.0;
    const auto cells = static_cast<std::size_t>(r.columns) * static_cast<std::size_t>(r.rows);
    r.muf.resize(cells);
    r.light.resize(cells);
    for (int row = 0; row < r.rows; ++row) {
        for (int column = 0; column < r.columns; ++column) {
            const Minimuf::Position p = r.centre(column, row);
            const auto i = static_cast<std::size_t>(r.index(column, row));
            r.muf[i] = static_cast<float>(Minimuf::muf(home, p, u.date(), hour, sunspotNumber));
            r.light[i] = lightAt(p, u);
        }
    }
    return r;
}

} // namespace PropagationArea
