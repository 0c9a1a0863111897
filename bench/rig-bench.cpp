// The rig link against Hamlib's rigctld with its dummy rig: how soon a
// frequency change at the rig shows in the band label of the mask, and what
// the polling costs while nothing changes. Prints figures, judges nothing.
//
//   QT_QPA_PLATFORM=offscreen rig-bench [CHANGES] [IDLE_SECONDS]
#include "app/ui/MainWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <ctime>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

class QuietDialogs : public Dialogs {
public:
    void error(const QString& text) override { QTextStream(stderr) << "[error] " << text << Qt::endl; }
    void info(const QString& text) override { QTextStream(stderr) << "[info] " << text << Qt::endl; }
    bool question(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString folderName(const QString&, const QString&) override { return {}; }
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

template <typename Done> bool waitFor(Done done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int changes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 40;
    const int idleSeconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;

    QTcpServer free;
    free.listen(QHostAddress::LocalHost, 0);
    const quint16 port = free.serverPort();
    free.close();
    QProcess rigctld;
    rigctld.start(QStringLiteral("rigctld"), {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
    if (!rigctld.waitForStarted(5000)) {
        QTextStream(stderr) << "rigctld does not start (libhamlib-utils)" << Qt::endl;
        return 1;
    }
    QTcpSocket knob; // turns the rig as its own knob would
    for (int i = 0; i < 100 && knob.state() != QAbstractSocket::ConnectedState; ++i) {
        knob.connectToHost(QHostAddress::LocalHost, port);
        if (!knob.waitForConnected(200))
            QThread::msleep(50);
    }
    auto tune = [&](qint64 hz) {
        knob.write("F " + QByteArray::number(hz) + "\n");
        knob.waitForBytesWritten(1000);
        while (!knob.canReadLine())
            knob.waitForReadyRead(1000);
        knob.readAll();
    };
    tune(3500000);

    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("Vesk.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Rig]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(port) + "\r\n") < 0)
        return 1;
    ini.close();
    int status = 0;
    {
        SystemClock clock;
        QuietDialogs dialogs;
        Session session(dir.path(), clock, dialogs);
        MainWindow window(session);
        window.show();
        auto* band = window.findChild<QLabel*>(QStringLiteral("BandLabel"));
        window.menuEntry(QStringLiteral("HrdDdeMenu"))->trigger();
        if (!band || !waitFor([&] { return band->text() == QStringLiteral("80m"); }, 10000)) {
            QTextStream(stderr) << "the link did not open" << Qt::endl;
            status = 1;
        } else {
            QList<double> ms;
            for (int i = 0; i < changes; ++i) {
                const bool forty = i % 2 == 0;
                // Changes come at uneven moments against the polling.
                QThread::msleep(static_cast<unsigned long>(37 * i % 250));
                QElapsedTimer t;
                t.start();
                tune(forty ? 7074000 : 14074000);
                const QString want = forty ? QStringLiteral("40m") : QStringLiteral("20m");
                if (!waitFor([&] { return band->text() == want; }, 5000)) {
                    QTextStream(stderr) << "change " << i << " not shown within 5 s" << Qt::endl;
                    status = 1;
                    break;
                }
                ms << double(t.nsecsElapsed()) / 1e6;
            }
            if (!ms.isEmpty()) {
                std::sort(ms.begin(), ms.end());
                out() << "band_label_after_rig_change_median: " << ms[ms.size() / 2] << " ms" << Qt::endl;
                out() << "band_label_after_rig_change_max: " << ms.last() << " ms (" << ms.size() << " changes)"
                      << Qt::endl;
            }
            // Idle polling: the event loop runs, the rig stands still.
            const double cpu0 = cpuSeconds();
            QElapsedTimer wall;
            wall.start();
            QEventLoop idle;
            QTimer::singleShot(idleSeconds * 1000, &idle, &QEventLoop::quit);
            idle.exec();
            const double cpu = cpuSeconds() - cpu0;
            const double seconds = double(wall.elapsed()) / 1000.0;
            out() << "idle_polling_cpu: " << cpu * 1000.0 << " ms CPU in " << seconds << " s = "
                  << 100.0 * cpu / seconds << " % of one core" << Qt::endl;
        }
    }
    rigctld.kill();
    rigctld.waitForFinished(5000);
    return status;
}
