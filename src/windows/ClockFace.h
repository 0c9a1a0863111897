#pragma once

#include <QLine>
#include <QTime>

class QPainter;

// The analogue face of the clock window: 110 x 110 pixels, centre (55, 55),
// angles in whole degrees clockwise from 12 o'clock.
namespace ClockFace {

inline constexpr int Size = 110;

struct HandAngles {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The minute hand moves on with the seconds and the hour hand with the
// minutes; both are rounded to whole degrees, a half to the even neighbour,
// and 360 is drawn at 0.
HandAngles angles(const QTime& time);

// The line from inner radius r1 to r1 + length at the angle, each end
// rounded to whole pixels (a half to the even neighbour).
QLine handLine(int r1, int length, int angle);

// The whole face: white disc, twelve hour marks, the second hand in navy,
// the minute hand, the hour hand two pixels wide, the maroon centre dot.
void paint(QPainter& painter, const QTime& time);

} // namespace ClockFace
