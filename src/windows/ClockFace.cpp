#include "windows/ClockFace.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

constexpr int kCentre = 55;

// std::nearbyint rounds in the default mode: to nearest, a half to even.
int roundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

QPoint pointAt(double radius, int angle) {
    const double a = angle * std::numbers::pi / 180.0;
    return {roundEven(kCentre + radius * std::sin(a)), roundEven(kCentre - radius * std::cos(a))};
}

void hand(QPainter& painter, const QColor& colour, int width, int angle, int length) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(ClockFace::handLine(0, length, angle));
}

} // namespace

namespace ClockFace {

HandAngles angles(const QTime& time) {
    const int h = time.hour(), m = time.minute(), s = time.second();
    return {roundEven((h % 12) * 30 + m / 2.0) % 360, roundEven(m * 6 + s / 10.0) % 360, s * 6};
}

QLine handLine(int r1, int length, int angle) {
    angle %= 360;
    return {pointAt(r1, angle), pointAt(r1 + length, angle)};
}

void paint(QPainter& painter, const QTime& time) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(5, 5, 100, 100));
    for (int i = 0; i < 12; ++i)
        painter.drawLine(handLine(50, 4, 30 * i));
    const HandAngles a = angles(time);
    hand(painter, QColor(0, 0, 128), 1, a.second, 48);
    hand(painter, Qt::black, 1, a.minute, 40);
    hand(painter, Qt::black, 2, a.hour, 30);
    painter.setPen(QPen(QColor(128, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoint(kCentre, kCentre);
}

} // namespace ClockFace
