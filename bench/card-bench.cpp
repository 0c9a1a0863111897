// card-bench: how long a user waits for a scanned card. Writes a lifelike
// 12-megapixel scan (4000 x 3000, JPEG) and measures the card viewer, the
// slide show and the card check of the edit tab. Prints figures only.
//
//   card-bench [RUNS]     (run with QT_QPA_PLATFORM=offscreen where there is no display)

#include "qsl/CardFolder.h"
#include "qsl/CardImage.h"
#include "qsl/SlideLayout.h"
#include "qsl/ui/QslInShowForm.h"
#include "qsl/ui/QslPresentationForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

// Median of runs of step, in milliseconds; setup runs before each, untimed.
double median(int runs, const std::function<void()>& step, const std::function<void()>& setup = [] {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const QString& what, double ms) { out() << what << ": " << QString::number(ms, 'f', 1) << " ms" << Qt::endl; }

// Paper texture, print and a photo-like gradient: compresses like a real scan.
void writeScan(const QString& path, unsigned seed) {
    QImage scan(4000, 3000, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < scan.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const int grain = int(random() % 24);
            line[x] = qRgb(200 + grain, 190 + grain - y / 100, 150 + x / 40 + grain / 2);
        }
    }
    QPainter p(&scan);
    p.setFont(QFont("DejaVu Sans", 300, QFont::Bold));
    p.drawText(scan.rect(), Qt::AlignCenter, QStringLiteral("EA8/Q1ABC"));
    p.end();
    scan.save(path, "JPEG", 92);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const QString prefix = dir.path() + u'/';
    for (unsigned i = 0; i < 3; ++i)
        writeScan(prefix + (i == 0 ? QStringLiteral("ea8-q1abc.jpg") : QStringLiteral("ea8-q1abc_%1.jpg").arg(i)), i);
    const QString scan = prefix + QStringLiteral("ea8-q1abc.jpg");
    out() << "scan: 4000 x 3000, " << QFileInfo(scan).size() / 1024 << " KiB" << Qt::endl;

    report("full decode, no scaled size (reference)", median(runs, [&] { QImageReader(scan).read(); }));
    const SlideLayout fullHd{QSize(1920, 1080), 64, 44, 35};
    report("decode for a 1920 x 1080 slide show", median(runs, [&] { CardImage::load(scan, fullHd.box()); }));
    report("decode for a 1280 x 1024 viewer", median(runs, [&] { CardImage::load(scan, QSize(1264, 960)); }));

    // Viewer: from the click on "QSL anzeigen" until the window is up and closed again.
    QslInShowForm viewer(nullptr);
    report("viewer opens the card (screen " +
               QString::number(viewer.screen()->availableGeometry().width()) + " x " +
               QString::number(viewer.screen()->availableGeometry().height()) + ")",
           median(runs, [&] {
               QTimer::singleShot(0, &viewer, [&] { viewer.close(); });
               viewer.showCards({scan});
           }));

    // Slide show: the timer's step when the next card was decoded ahead, and
    // the worst case, a step right after another one (nothing decoded ahead yet).
    const auto cards = CardFolder(prefix).allCards();
    QslPresentationForm show(nullptr);
    double ahead = 0, back = 0;
    QTimer::singleShot(0, &show, [&] {
        // The card on show for a while, as the next one decodes.
        ahead = median(runs, [&] { show.nextCard(); }, [] { QThread::msleep(400); });
        back = median(runs, [&] { show.nextCard(); }, [&] { show.nextCard(); });
        show.close();
    });
    show.setSlideInterval(1000000);
    show.present(QStringLiteral("DL0XYZ"), cards, {QString(), QString(), QString()});
    report("slide show, next card decoded ahead (screen " + QString::number(show.width()) + " x " +
               QString::number(show.height()) + ")",
           ahead);
    report("slide show, two steps at once (second waits for its decode)", back);

    // The edit tab asks on every change whether the call has cards.
    for (int i = 0; i < 5000; ++i)
        QFile(prefix + QStringLiteral("dl%1ab.jpg").arg(i)).open(QIODevice::WriteOnly);
    const CardFolder folder(prefix);
    report("hasCards in a folder of 5003 cards, no match", median(runs, [&] { folder.hasCards("DL0XX"); }));
    report("cardsOf in a folder of 5003 cards", median(runs, [&] { folder.cardsOf("EA8/Q1ABC"); }));
    return 0;
}
