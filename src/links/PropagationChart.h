#pragma once

#include "links/Minimuf.h"

#include <QDate>
#include <array>

// The point-to-point chart: the MUF of a path at each whole hour UTC of one
// day, and the hours in which a band lies below it.
namespace PropagationChart {

struct Day {
    std::array<double, 24> muf{};
    std::array<bool, 24> open{};
    double bandMhz = 0.0;
    int openHours() const;
};

Day forDay(const Minimuf::Position& home, const Minimuf::Position& dx, const QDate& date, double sunspotNumber,
           bool longPath, int bandIndex);

// A band is open while its frequency stays below the MUF.
bool isOpen(double bandMhz, double muf);

// The top of the frequency axis: the next multiple of 5 MHz above both the
// highest MUF and the band, at least 10 MHz.
double axisTop(const Day& day);

} // namespace PropagationChart
