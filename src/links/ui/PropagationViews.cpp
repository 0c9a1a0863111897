#include "links/ui/PropagationViews.h"

#include "platform/ProgramTexts.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

const QColor kOpen(40, 170, 60, 70);
const QColor kMuf(20, 60, 200);
const QColor kBand(200, 120, 0);
const QColor kNow(220, 0, 0);

} // namespace

MufChartView::MufChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MufChart"));
    setMinimumSize(480, 300);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void MufChartView::setDay(const PropagationChart::Day& day, const QString& heading, const QString& bandText) {
    m_day = day;
    m_heading = heading;
    m_bandText = bandText;
    update();
}

void MufChartView::clear() {
    m_day.reset();
    update();
}

void MufChartView::setNow(std::optional<double> hourUtc) {
    m_now = hourUtc;
    update();
}

void MufChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = painter.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("000")) + 14;
    const int top = fm.height() + 12;
    const QRect plot(left, top, width() - left - 16, height() - top - 2 * fm.height() - 12);
    if (plot.width() < 40 || plot.height() < 40)
        return;
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 4, width(), fm.height()), Qt::AlignHCenter, m_heading);
    if (!m_day)
        return;
    const PropagationChart::Day& day = *m_day;
    const double top_ = PropagationChart::axisTop(day);
    // The MUF of hour h is the one at h:00; an open hour is a bar around it.
    auto xOf = [&](double hour) { return plot.left() + hour / 24.0 * plot.width(); };
    auto yOf = [&](double mhz) { return plot.bottom() - mhz / top_ * plot.height(); };

    for (int h = 0; h < 24; ++h) {
        if (day.open[static_cast<std::size_t>(h)]) {
            const double from = xOf(std::max(0.0, h - 0.5));
            painter.fillRect(QRectF(from, plot.top(), xOf(std::min(24.0, h + 0.5)) - from, plot.height()), kOpen);
        }
    }
    painter.setPen(QPen(QColor(210, 210, 210), 1));
    for (double f = 5.0; f < top_ + 0.1; f += 5.0)
        painter.drawLine(QPointF(plot.left(), yOf(f)), QPointF(plot.right(), yOf(f)));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);
    for (double f = 0.0; f < top_ + 0.1; f += 5.0) {
        painter.drawText(QRectF(0, yOf(f) - fm.height() / 2.0, left - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(static_cast<int>(f)));
    }
    for (int h = 0; h <= 24; h += 2) {
        painter.drawLine(QPointF(xOf(h), plot.bottom()), QPointF(xOf(h), plot.bottom() + 4));
        painter.drawText(QRectF(xOf(h) - 20, plot.bottom() + 5, 40, fm.height()), Qt::AlignHCenter,
                         QString::number(h));
    }
    painter.drawText(QRectF(plot.right() - 60, plot.bottom() + 5 + fm.height(), 60, fm.height()), Qt::AlignRight,
                     QStringLiteral("UTC"));

    painter.setPen(QPen(kBand, 2, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), yOf(day.bandMhz)), QPointF(plot.right(), yOf(day.bandMhz)));
    painter.drawText(QPointF(plot.left() + 6, yOf(day.bandMhz) - 4), m_bandText);

    // 24:00 is the next day's 0:00, which the model gives as today's.
    auto mufAt = [&](int hour) { return day.muf[static_cast<std::size_t>(hour % 24)]; };
    QPainterPath curve;
    curve.moveTo(xOf(0), yOf(mufAt(0)));
    for (int h = 1; h <= 24; ++h)
        curve.lineTo(xOf(h), yOf(mufAt(h)));
    painter.setPen(QPen(kMuf, 2.5));
    painter.drawPath(curve);
    painter.setBrush(kMuf);
    for (int h = 0; h < 24; ++h)
        painter.drawEllipse(QPointF(xOf(h), yOf(mufAt(h))), 2.5, 2.5);

    if (m_now) {
        painter.setPen(QPen(kNow, 2));
        const double x = xOf(*m_now);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.drawText(QPointF(x + 4, plot.top() + fm.ascent() + 2), msgText(Msg::PropagationNow));
    }
}

AreaMapView::AreaMapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AreaMap"));
    setMinimumSize(450, 225);
}

void AreaMapView::setRaster(const PropagationArea::Raster& raster, const Minimuf::Position& home) {
    m_overlay = overlayOf(raster);
    m_home = home;
    update();
}

void AreaMapView::clear() {
    m_overlay = QImage();
    update();
}

QImage AreaMapView::overlayOf(const PropagationArea::Raster& raster) {
    QImage image(raster.columns, raster.rows, QImage::Format_ARGB32_Premultiplied);
    for (int row = 0; row < raster.rows; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < raster.columns; ++column) {
            QColor c(0, 0, 0, 0);
            switch (raster.light[static_cast<std::size_t>(raster.index(column, row))]) {
            case PropagationArea::Light::Night: c = QColor(0, 0, 40, 110); break;
            case PropagationArea::Light::Twilight: c = QColor(235, 235, 235, 120); break;
            case PropagationArea::Light::Day: break;
            }
            if (raster.open(column, row)) {
                // Green over whatever the light is, a little stronger by night
                // so that it still shows.
                c = c.alpha() > 100 ? QColor(30, 150, 50, 150) : QColor(40, 190, 60, 120);
            }
            line[column] = qPremultiply(c.rgba());
        }
    }
    return image;
}

void AreaMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The map keeps its 2 : 1 shape in the middle of the widget.
    int w = width();
    int h = w / 2;
    if (h > height()) {
        h = height();
        w = 2 * h;
    }
    const QRect area((width() - w) / 2, (height() - h) / 2, w, h);
    if (m_base.isNull())
        painter.fillRect(area, QColor(170, 200, 230));
    else
        painter.drawImage(area, m_base);
    if (m_overlay.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, m_overlay);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF home(area.left() + (m_home.longitude + 180.0) / 360.0 * area.width(),
                       area.top() + (90.0 - m_home.latitude) / 180.0 * area.height());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(home, 4.5, 4.5);
}
