#include "links/PropagationChart.h"

#include "links/PropagationBands.h"

#include <algorithm>
#include <cmath>

namespace PropagationChart {

int Day::openHours() const { return static_cast<int>(std::count(open.begin(), open.end(), true)); }

bool isOpen(double bandMhz, double muf) { return bandMhz < muf; }

Day forDay(const Minimuf::Position& home, const Minimuf::Position& dx, const QDate& date, double sunspotNumber,
           bool longPath, int bandIndex) {
    Day day;
    day.bandMhz = PropagationBands::frequencyMhz(bandIndex);
    for (int hour = 0; hour < 24; ++hour) {
        const auto h = static_cast<std::size_t>(hour);
        day.muf[h] = Minimuf::muf(home, dx, date, hour, sunspotNumber, longPath);
        day.open[h] = isOpen(day.bandMhz, day.muf[h]);
    }
    return day;
}

double axisTop(const Day& day) {
    const double highest = std::max(*std::max_element(day.muf.begin(), day.muf.end()), day.bandMhz);
    return std::max(10.0, (std::floor(highest / 5.0) + 1.0) * 5.0);
}

} // namespace PropagationChart
