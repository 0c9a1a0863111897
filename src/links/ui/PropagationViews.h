#pragma once

#include "links/PropagationArea.h"
#include "links/PropagationChart.h"

#include <QImage>
#include <QWidget>
#include <optional>

// The MUF of one path over the 24 hours UTC of a day: the curve, the band
// as a line, the hours the band is open shaded green, the time now as a
// red line.
class MufChartView : public QWidget {
    Q_OBJECT
public:
    explicit MufChartView(QWidget* parent = nullptr);

    void setDay(const PropagationChart::Day& day, const QString& heading, const QString& bandText);
    void clear();
    // Hours UTC since midnight; nothing hides the mark.
    void setNow(std::optional<double> hourUtc);
    bool hasDay() const { return m_day.has_value(); }

    QSize sizeHint() const override { return {720, 380}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PropagationChart::Day> m_day;
    std::optional<double> m_now;
    QString m_heading;
    QString m_bandText;
};

// The world map, plate carrée, with the cells to which a band is open from
// home, the night side and the grey line between.
class AreaMapView : public QWidget {
    Q_OBJECT
public:
    explicit AreaMapView(QWidget* parent = nullptr);

    // An image that cannot be read leaves a plain sea-blue background.
    void setBaseMap(const QImage& map) { m_base = map; update(); }
    void setRaster(const PropagationArea::Raster& raster, const Minimuf::Position& home);
    void clear();
    bool hasRaster() const { return !m_overlay.isNull(); }

    QSize sizeHint() const override { return {900, 450}; }

    // The overlay of a raster, one pixel per cell: what setRaster paints.
    static QImage overlayOf(const PropagationArea::Raster& raster);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_base;
    QImage m_overlay;
    Minimuf::Position m_home;
};
