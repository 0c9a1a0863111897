// propagation-bench: what the built-in propagation prediction costs. Prints
// figures only; it judges nothing.
//
//   QT_QPA_PLATFORM=offscreen propagation-bench [RUNS]
//
// The area map (360 x 180 cells, each a MINIMUF path from home plus the
// day, grey-line and night test) with and without painting it onto the
// 900 x 450 world map, and the 24 hours of one chart. RUNS defaults to 5.

#include "links/Minimuf.h"
#include "links/PropagationArea.h"
#include "links/PropagationChart.h"
#include "links/ui/PropagationViews.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void report(const char* name, double value, const char* unit) {
    out() << name << ": " << QString::number(value, 'f', 2) << ' ' << unit << Qt::endl;
}

template <typename Work>
double worstMilliseconds(int runs, Work work) {
    double worst = 0.0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work(i);
        worst = std::max(worst, timer.nsecsElapsed() / 1e6);
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const Minimuf::Position home{51.229, 7.125}; // JO31NF
    const QDateTime utc(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC);

    double sink = 0.0;
    report("area raster 360x180 (worst of runs)", worstMilliseconds(runs, [&](int i) {
               const auto r = PropagationArea::compute(home, utc.addSecs(3600 * i), 100, 3);
               sink += r.muf[100];
           }),
           "ms");

    AreaMapView view;
    view.resize(900, 450);
    QImage world(900, 450, QImage::Format_RGB32);
    world.fill(Qt::darkGreen);
    view.setBaseMap(world);
    report("area map computed and painted 900x450 (worst of runs)", worstMilliseconds(runs, [&](int i) {
               view.setRaster(PropagationArea::compute(home, utc.addSecs(3600 * i), 100, 3), home);
               sink += view.grab().width();
           }),
           "ms");

    const Minimuf::Position sydney{-33.87, 151.21};
    report("chart 24 hours, short and long path (worst of runs)", worstMilliseconds(runs * 20, [&](int i) {
               sink += PropagationChart::forDay(home, sydney, utc.date(), 100, i % 2 == 1, 3).muf[5];
           }),
           "ms");

    const int calls = 200000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        sink += Minimuf::muf(home, {-80.0 + i % 160, -179.0 + i % 358}, utc.date(), i % 24, 100);
    report("one MINIMUF path", timer.nsecsElapsed() / 1000.0 / calls, "us");
    return sink > 0.0 ? 0 : 1;
}
