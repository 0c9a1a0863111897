// The callbook on a US-sized database: generates a licence dump in the
// layout of the FCC's "l_amat" files (HD.dat, AM.dat, EN.dat) with N active
// licences and N/10 expired or cancelled ones, imports it, and times
// lookups: the component alone, and Ctrl+B in the running window until the
// mask holds the name and the Comments lines.
//
//   callbook-bench [N] [--keep FOLDER]
//
// Prints figures; judges nothing.
#include "app/ui/MainWindow.h"
#include "links/CallBookAccess.h"
#include "links/CallbookImport.h"
#include "logstore/IoError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

class QuietDialogs : public Dialogs {
public:
    QStringList errors;
    void error(const QString& text) override { errors << text; }
    void info(const QString&) override {}
    bool question(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString folderName(const QString&, const QString&) override { return {}; }
};

// US calls: prefixes K, W, N, their two-letter forms and AA-AL.
class CallMaker {
public:
    CallMaker() {
        for (const char* p : {"K", "W", "N"})
            m_prefixes << p;
        for (const char first : {'K', 'W', 'N'})
            for (char c = 'A'; c <= 'Z'; ++c)
                m_prefixes << QByteArray(1, first) + c;
        for (char c = 'A'; c <= 'L'; ++c)
            m_prefixes << QByteArray("A") + c;
    }
    // A distinct call for every i below capacity(): prefix, district digit
    // and three letters (the 1x3 and 2x3 forms most licences have).
    QByteArray call(quint64 i) const {
        // Scattered so that neighbouring numbers are no neighbouring calls.
        const quint64 n = (i * 2654435761ULL) % capacity();
        quint64 suffix = n % 17576;
        const quint64 rest = n / 17576;
        QByteArray c = m_prefixes[qsizetype(rest / 10)];
        c += char('0' + rest % 10);
        for (int k = 0; k < 3; ++k) {
            c += char('A' + suffix % 26);
            suffix /= 26;
        }
        return c;
    }
    quint64 capacity() const { return quint64(m_prefixes.size()) * 10 * 17576; }

private:
    QList<QByteArray> m_prefixes;
};

const char* const kFirst[] = {"JAMES", "MARY", "JOHN", "PATRICIA", "ROBERT", "JENNIFER", "MICHAEL", "LINDA",
                              "WILLIAM", "ELIZABETH", "DAVID", "BARBARA", "RICHARD", "SUSAN", "JOSEPH", "JESSICA"};
const char* const kLast[] = {"SMITH", "JOHNSON", "WILLIAMS", "BROWN", "JONES", "GARCIA", "MILLER", "DAVIS",
                             "RODRIGUEZ", "MARTINEZ", "HERNANDEZ", "LOPEZ", "GONZALEZ", "WILSON", "ANDERSON"};
const char* const kStreet[] = {"MAIN ST", "OAK AVE", "MAPLE DR", "CEDAR LN", "PINE RD", "ELM ST", "LAKE VIEW DR"};
const char* const kCity[] = {"SPRINGFIELD", "RIVERSIDE", "FRANKLIN", "GREENVILLE", "BRISTOL", "CLINTON", "SALEM"};
const char* const kState[] = {"CA", "TX", "FL", "NY", "PA", "OH", "WA", "MI", "AZ", "CO"};
const char kClasses[] = {'E', 'G', 'T', 'A', 'N'};

template <std::size_t N> const char* pick(const char* const (&list)[N], QRandomGenerator& r) {
    return list[r.bounded(int(N))];
}

bool writeDump(const QString& folder, int active, std::vector<QByteArray>& calls) {
    QFile hd(folder + "/HD.dat"), am(folder + "/AM.dat"), en(folder + "/EN.dat");
    if (!hd.open(QIODevice::WriteOnly) || !am.open(QIODevice::WriteOnly) || !en.open(QIODevice::WriteOnly))
        return false;
    CallMaker maker;
    QRandomGenerator r(4711);
    const int total = active + active / 10;
    QByteArray h, a, e;
    for (int i = 0; i < total; ++i) {
        const QByteArray usi = QByteArray::number(1000000 + i);
        const QByteArray call = maker.call(quint64(i));
        // Every eleventh licence has expired or was cancelled.
        const bool isActive = i % 11 != 10;
        if (isActive)
            calls.push_back(call);
        const QByteArray status = isActive ? "A" : (i % 2 ? "E" : "C");
        h += "HD|" + usi + "|0001234567||" + call + '|' + status +
             "|HA|03/01/2021|03/01/2031|||||||||||||||||||||||||||||||||03/01/2021||||||||||||||\r\n";
        const bool club = i % 50 == 0;
        a += "AM|" + usi + "|0001234567||" + call + '|' + (club ? QByteArray() : QByteArray(1, kClasses[r.bounded(5)])) +
             "|D|1||||||||||\r\n";
        const QByteArray first = pick(kFirst, r), last = pick(kLast, r);
        const QByteArray name = club ? QByteArray(pick(kCity, r)) + " AMATEUR RADIO CLUB" : QByteArray();
        const QByteArray email = r.bounded(3) == 0 ? first.toLower() + '.' + last.toLower() + "@example.com" : QByteArray();
        e += "EN|" + usi + "|0001234567||" + call + "|L|L00" + usi + '|' +
             (club ? name : last + ", " + first) + '|' + (club ? QByteArray() : first) + "|" +
             (club ? QByteArray() : QByteArray(1, char('A' + r.bounded(26)))) + '|' + (club ? QByteArray() : last) +
             "||||" + email + '|' + QByteArray::number(r.bounded(1, 9999)) + ' ' + pick(kStreet, r) + '|' +
             pick(kCity, r) + '|' + pick(kState, r) + '|' + QByteArray::number(r.bounded(10000, 99999)) +
             QByteArray::number(r.bounded(1000, 9999)) + "|||000|0012345678|I||||||\r\n";
        if (h.size() > (1 << 22)) {
            hd.write(h), am.write(a), en.write(e);
            h.clear(), a.clear(), e.clear();
        }
    }
    hd.write(h), am.write(a), en.write(e);
    return hd.error() == QFile::NoError && am.error() == QFile::NoError && en.error() == QFile::NoError;
}

struct Figures {
    double median, p99, max;
};

Figures figures(std::vector<double> us) {
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[us.size() * 99 / 100], us.back()};
}

// CPU time of this thread, in microseconds: on a busy machine the wall
// time also holds the waits for a free core.
double cpuMicroseconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1000.0;
}

void report(const char* what, const Figures& f) {
    out() << what << ": median " << f.median << " us, 99% " << f.p99 << " us, max " << f.max << " us" << Qt::endl;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int active = 1500000;
    QString keep;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--keep") && i + 1 < args.size())
            keep = args[++i];
        else
            active = args[i].toInt();
    }
    QTemporaryDir temp;
    const QString folder = keep.isEmpty() ? temp.path() : keep;
    QDir().mkpath(folder + "/dump");
    QDir().mkpath(folder + "/db");

    std::vector<QByteArray> calls;
    QElapsedTimer t;
    t.start();
    if (!writeDump(folder + "/dump", active, calls)) {
        out() << "cannot write the dump in " << folder << Qt::endl;
        return 1;
    }
    qint64 dumpBytes = 0;
    for (const char* f : {"HD.dat", "AM.dat", "EN.dat"})
        dumpBytes += QFileInfo(folder + "/dump/" + f).size();
    out() << "dump: " << calls.size() << " active licences, " << dumpBytes / 1000000 << " MB, generated in "
          << t.elapsed() << " ms" << Qt::endl;

    const QString database = folder + "/db/Callbook.vcb";
    t.restart();
    CallbookImportResult result;
    try {
        result = CallbookImport::importUls(folder + "/dump", database);
    } catch (const IoError& e) {
        out() << e.message() << Qt::endl;
        return 1;
    }
    out() << "import: " << t.elapsed() << " ms for " << result.written << " calls (" << result.inactive
          << " inactive left out), database " << QFileInfo(database).size() / 1000000 << " MB" << Qt::endl;

    // The component alone, on calls in random order, and calls it lacks.
    const CallBook book(folder + "/db/");
    QRandomGenerator r(99);
    std::vector<double> found, foundCpu, missing;
    int wrong = 0;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray& call = calls[std::size_t(r.bounded(int(calls.size())))];
        const double cpu = cpuMicroseconds();
        t.restart();
        const CallInfo info = book.GetCallInfo(QString::fromLatin1(call));
        found.push_back(double(t.nsecsElapsed()) / 1000.0);
        foundCpu.push_back(cpuMicroseconds() - cpu);
        wrong += info.ErrorCode != 0 || info.Field1.toLatin1() != call;
    }
    for (int i = 0; i < 5000; ++i) {
        const QString call = QStringLiteral("ZZ%1ZZZ").arg(i % 10);
        t.restart();
        wrong += book.GetCallInfo(call).ErrorCode != 32000;
        missing.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    report("GetCallInfo, found (wall)", figures(found));
    report("GetCallInfo, found (CPU)", figures(foundCpu));
    report("GetCallInfo, not found", figures(missing));

    // Ctrl+B in the window until the mask holds what the lookup gave.
    QDir().mkpath(folder + "/program");
    // The mask works while a log is open; the language files lie beside
    // the program as the build puts them.
    for (const char* name : {"deutsch.lng", "deutsch.msg"})
        QFile::copy(QCoreApplication::applicationDirPath() + '/' + name, folder + "/program/" + name);
    QFile log(folder + "/program/bench.log");
    if (!log.open(QIODevice::WriteOnly) ||
        log.write("#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;Locator;TX Pwr;Comments;QSL out;QSL in\r\n") < 0)
        return 1;
    log.close();
    QFile ini(folder + "/program/Vesk.ini");
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Allgemein]\r\nLastLogFileName=bench.log\r\n[RAC]\r\nFileName=" + database.toUtf8() +
                  "\r\nName=1\r\nAdresse=1\r\nLicence=1\r\nComment=1\r\nFaxNr=1\r\nEMail=1\r\n") < 0)
        return 1;
    ini.close();
    {
        SystemClock clock;
        QuietDialogs dialogs;
        Session session(folder + "/program", clock, dialogs);
        MainWindow window(session);
        window.show();
        QApplication::processEvents();
        auto* callEdit = window.findChild<QLineEdit*>(QStringLiteral("CallEdit"));
        auto* nameEdit = window.findChild<QLineEdit*>(QStringLiteral("NameEdit"));
        auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("CommentsMemo"));
        std::vector<double> keys, keysCpu;
        for (int i = 0; i < 2000 && callEdit && nameEdit && memo; ++i) {
            const QByteArray& call = calls[std::size_t(r.bounded(int(calls.size())))];
            callEdit->setText(QString::fromLatin1(call));
            nameEdit->clear();
            memo->clear();
            // The mask acts when the key is let go, as for every shortcut there.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::ControlModifier);
            const double cpu = cpuMicroseconds();
            t.restart();
            QApplication::sendEvent(callEdit, &press);
            QApplication::sendEvent(callEdit, &release);
            keys.push_back(double(t.nsecsElapsed()) / 1000.0);
            keysCpu.push_back(cpuMicroseconds() - cpu);
            wrong += nameEdit->text().isEmpty() || memo->toPlainText().isEmpty();
        }
        if (keys.empty()) {
            out() << "the window lacks CallEdit, NameEdit or CommentsMemo" << Qt::endl;
            return 1;
        }
        report("Ctrl+B to filled mask (wall)", figures(keys));
        report("Ctrl+B to filled mask (CPU)", figures(keysCpu));
        window.close();
        for (const QString& e : dialogs.errors.mid(0, 3))
            out() << "message: " << e << Qt::endl;
        wrong += int(dialogs.errors.size());
    }
    out() << "wrong results: " << wrong << Qt::endl;
    return wrong == 0 ? 0 : 1;
}
