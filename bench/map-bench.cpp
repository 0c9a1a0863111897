// map-bench: how long a user waits for the world map. Measures opening the
// window (base map loaded, shown and painted), ticking and unticking each
// overlay (picture read from its file and painted), and a click on the map
// with all fields following. Prints figures only.
//
//   map-bench [RUNS]     (run with QT_QPA_PLATFORM=offscreen where there is no display)

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "windows/ui/MapForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

// A message during the run would be a fault of the set-up: print it.
class PrintingDialogs : public Dialogs {
public:
    void error(const QString& text) override { out() << "error: " << text << Qt::endl; }
    void info(const QString& text) override { out() << "info: " << text << Qt::endl; }
    bool question(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString folderName(const QString&, const QString&) override { return {}; }
};

// The pictures are read from their files each time, as on the first
// opening, not taken from Qt's pixmap cache; grab() paints the whole window.
void cold() {
    QPixmapCache::clear();
}

// Median of runs of step, in milliseconds; setup runs before each, untimed.
double median(
    int runs, const std::function<void()>& step, const std::function<void()>& setup = [] {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const QString& what, double ms) {
    out() << what << ": " << QString::number(ms, 'f', 1) << " ms" << Qt::endl;
}

void click(QWidget* target, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    QTemporaryDir dir;
    for (const char* picture :
         {"welt.gif", "kontinente.gif", "itu-regionen.gif", "cq-zonen.gif", "itu-zonen.gif"}) {
        if (!QFile::copy(QCoreApplication::applicationDirPath() + u'/' + QLatin1String(picture),
                         dir.filePath(QLatin1String(picture)))) {
            out() << "missing beside the program: " << picture << Qt::endl;
            return 1;
        }
    }
    SystemClock clock;
    PrintingDialogs dialogs;
    Session session(dir.path(), clock, dialogs);

    std::unique_ptr<MapForm> form;
    report("open world map (create, load base map, show, paint)",
           median(
               runs,
               [&] {
                   form = std::make_unique<MapForm>(session);
                   form->showMap();
                   form->grab();
               },
               [&] {
                   form.reset();
                   cold();
               }));

    for (const char* name : {"KontinenteChkBox", "ItuRegionenChkBox", "CqZonenChkBox", "ItuZonenChkBox"}) {
        auto* box = form->findChild<QCheckBox*>(QLatin1String(name));
        const double on = median(
            runs,
            [&] {
                box->setChecked(true);
                form->grab();
            },
            [&] {
                box->setChecked(false);
                cold();
            });
        const double off = median(
            runs,
            [&] {
                box->setChecked(false);
                form->grab();
            },
            [&] { box->setChecked(true); });
        report(QStringLiteral("overlay %1 on").arg(QLatin1String(name)), on);
        report(QStringLiteral("overlay %1 off").arg(QLatin1String(name)), off);
    }

    auto* world = form->findChild<QLabel*>(QStringLiteral("WeltImage"));
    int x = 0;
    report("click on the map (all fields, marker, locator, distance)", median(runs, [&] {
               click(world, QPoint(100 + x++ % 700, 225));
               form->grab();
           }));
    return 0;
}
