#include "converter/TargetLog.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogLock.h"
#include "session/Session.h"
#include "ScriptedDialogs.h"
#include "ErrorOf.h"
#include "TestFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

// Two writers on one log, writes cut short by a kill or a full disk, and the
// leftovers of both: whatever happens, every contact written is still there,
// and nothing half written is ever read as a contact.
namespace {

QString line(int n, const QString& call) {
    return QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;%2;59;59;;;;;10W;;;").arg(n).arg(call);
}

QsoRecord record(int n, const QString& call) {
    QsoRecord r;
    QsoRecord::decodeLine(line(n, call), r);
    return r;
}

QString binary(const char* name) { return QCoreApplication::applicationDirPath() + u'/' + QLatin1String(name); }

// The calls of the log in file order; fails the test unless every contact
// carries its place in the log as its number.
QStringList callsIn(const QString& path) {
    LogFile log(path);
    log.OpenForRead();
    QStringList calls;
    QsoRecord r;
    while (log.ReadNext(r)) {
        calls << r[QsoRecord::Call];
        if (r[QsoRecord::Number] != QString::number(calls.size())) {
            qWarning("line %d has number %s", int(calls.size()) + 1, qPrintable(r[QsoRecord::Number]));
            return {};
        }
    }
    return calls;
}

QProcess* start(QObject* parent, const QString& program, const QStringList& args) {
    auto* p = new QProcess(parent);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(program, args);
    return p;
}

bool finished(QProcess* p) { return p->waitForFinished(120000) && p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0; }

QByteArray adif(int records, const QString& call) {
    QByteArray out = "made by a test\n<EOH>\n";
    for (int i = 0; i < records; ++i)
        out += QStringLiteral("<CALL:%1>%2 <QSO_DATE:8>20030201 <TIME_ON:4>1200 <BAND:2>2m <MODE:2>FM <EOR>\n")
                   .arg(call.size())
                   .arg(call)
                   .toLatin1();
    return out;
}

} // namespace

class TestLogSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { LogLock::setPatienceForTesting(30000); }
    void concurrentWritersLoseNothing();
    void appendsDuringJoinsLoseNothing();
    void outsideChangeIsReadBeforeNumbering();
    void busyLogIsReported();
    void incompleteLastLineIsKeptAside();
    void killedAppendsNeverBecomeContacts();
    void failedWriteIsCutBack();
    void fullDiskNamesTheReason();
    void staleTemporariesAreRemoved();
};

// Four imports and two windows at once, on one log.
void TestLogSafety::concurrentWritersLoseNothing() {
    if (!QFileInfo::exists(binary("vesk")) || !QFileInfo::exists(binary("vesk-logwriter")))
        QSKIP("vesk and vesk-logwriter are not built beside the tests");
    TestFolder dir;
    dir.writeLog("t.log", {});
    QList<QProcess*> running;
    for (int i = 0; i < 4; ++i) {
        dir.write(QStringLiteral("%1.adi").arg(i), adif(150, QStringLiteral("IMP%1").arg(i)));
        running << start(this, binary("vesk"), {"import", "--format", "adif", dir.file(QStringLiteral("%1.adi").arg(i)), dir.file("t.log")});
    }
    for (const char* call : {"WIN1", "WIN2"})
        running << start(this, binary("vesk-logwriter"), {dir.path(), "t.log", "100", call});
    for (QProcess* p : running)
        QVERIFY(finished(p));
    const QStringList calls = callsIn(dir.file("t.log"));
    QCOMPARE(calls.size(), 4 * 150 + 2 * 100);
    for (const char* call : {"IMP0", "IMP3", "WIN1", "WIN2"})
        QCOMPARE(calls.count(QString::fromLatin1(call)), call[0] == 'I' ? 150 : 100);
}

// A join rewrites the log while a window appends to it.
void TestLogSafety::appendsDuringJoinsLoseNothing() {
    if (!QFileInfo::exists(binary("vesk")) || !QFileInfo::exists(binary("vesk-logwriter")))
        QSKIP("vesk and vesk-logwriter are not built beside the tests");
    TestFolder dir;
    dir.writeLog("t.log", {line(1, "OLD")});
    QStringList source;
    for (int i = 1; i <= 20; ++i)
        source << line(i, "JOIN");
    dir.writeLog("s.log", source);
    QProcess* writer = start(this, binary("vesk-logwriter"), {dir.path(), "t.log", "150", "WIN"});
    for (int i = 0; i < 6; ++i)
        QVERIFY(finished(start(this, binary("vesk"), {"join", dir.file("t.log"), dir.file("s.log")})));
    QVERIFY(finished(writer));
    const QStringList calls = callsIn(dir.file("t.log"));
    QCOMPARE(calls.size(), 1 + 6 * 20 + 150);
    QCOMPARE(calls.count("WIN"), 150);
}

// The lists were read; another program appended since: the contact saved in
// the window is numbered after what the file holds now, and the rows show it.
void TestLogSafety::outsideChangeIsReadBeforeNumbering() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A")});
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    QCOMPARE(session.chooseLog("a.log"), Session::Choice::Opened);
    QVERIFY(session.reloadRows());
    LogFile other(dir.file("a.log"));
    other.AppendRecord(record(2, "B"));
    other.AppendRecord(record(3, "C"));
    QsoRecord mine = record(2, "MINE");
    session.appendContact(mine);
    QCOMPARE(mine[QsoRecord::Number], QStringLiteral("4"));
    QCOMPARE(session.model().recordCount(), 4);
    QCOMPARE(callsIn(dir.file("a.log")), QStringList({"A", "B", "C", "MINE"}));
    // Without a change in between, no second reading is needed for the next.
    QsoRecord next = record(5, "NEXT");
    session.appendContact(next);
    QCOMPARE(next[QsoRecord::Number], QStringLiteral("5"));
}

void TestLogSafety::busyLogIsReported() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A")});
    const QByteArray before = dir.read("a.log");
    LogLock other;
    other.acquire(dir.file("a.log"), LogLock::Mode::Exclusive);
    LogLock::setPatienceForTesting(100);
    LogFile log(dir.file("a.log"));
    for (const QString& message : {errorOf([&] { log.AppendRecord(record(2, "B")); }),
                                   errorOf([&] { log.Normalize(QDateTime::currentDateTime()); })})
        QVERIFY2(message.contains("a.log") && message.contains(QStringLiteral("nicht verändert")), qPrintable(message));
    QCOMPARE(dir.read("a.log"), before);
    other.release();
    log.AppendRecord(record(2, "B"));
    QCOMPARE(callsIn(dir.file("a.log")), QStringList({"A", "B"}));
}

// What a kill in the middle of an append leaves: a last line without its
// line end and with fewer than 16 fields.
void TestLogSafety::incompleteLastLineIsKeptAside() {
    TestFolder dir;
    const QByteArray fragment = "2;01.02.2003;12:0";
    dir.write("a.log", crlf({QsoRecord::headerLine(), line(1, "A")}) + fragment);
    // Read: one contact, the fragment named once by the lists.
    QCOMPARE(callsIn(dir.file("a.log")), QStringList({"A"}));
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        session.chooseLog("a.log");
        QVERIFY(session.reloadRows() && session.reloadRows());
        QVERIFY2(dialogs.oneErrorWith({"Zeile 3"}), qPrintable(dialogs.errors.join(u'\n')));
    }
    // Rewrites keep its bytes at the end, never as a contact.
    LogFile log(dir.file("a.log"));
    QCOMPARE(log.Normalize(clock.localNow()), 1);
    QVERIFY(dir.read("a.log").endsWith("\r\n" + fragment));
    {
        TargetLog target(dir.file("a.log"), clock.localNow());
        target.add(record(7, "IMPORTED"));
        target.commit();
        QVERIFY(target.incompleteLineText().contains("a.log"));
    }
    QVERIFY(dir.read("a.log").endsWith("IMPORTED;59;59;;;;;10W;;;\r\n" + fragment));
    // The next append moves it into a file of its own and says so.
    const LogFile::Appended appended = log.AppendRecord(record(3, "NEW"));
    QVERIFY2(appended.notice.contains("a.log.fragment") && appended.notice.contains(QStringLiteral("Zeile 4")),
             qPrintable(appended.notice));
    QCOMPARE(dir.read("a.log.fragment"), fragment + "\r\n");
    QCOMPARE(callsIn(dir.file("a.log")), QStringList({"A", "IMPORTED", "NEW"}));
    QVERIFY(dir.read("a.log").endsWith("\r\n"));
}

// Real kills at random moments of a writer appending without pause. The
// run is short here; VESK_KILL_TRIALS sets a longer one.
void TestLogSafety::killedAppendsNeverBecomeContacts() {
    if (!QFileInfo::exists(binary("vesk-logwriter")))
        QSKIP("vesk-logwriter is not built beside the tests");
    const int trials = qEnvironmentVariableIsSet("VESK_KILL_TRIALS") ? qEnvironmentVariableIntValue("VESK_KILL_TRIALS") : 12;
    TestFolder dir;
    dir.writeLog("a.log", {});
    int torn = 0;
    int expected = 0;
    for (int trial = 0; trial < trials; ++trial) {
        QProcess writer;
        writer.start(binary("vesk-logwriter"), {dir.path(), "a.log", "0", "K"});
        QVERIFY(writer.waitForStarted());
        QVERIFY2(writer.waitForReadyRead(60000), "the writer appended nothing");
        QThread::msleep(QRandomGenerator::global()->bounded(0, 200));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished();
        LogFile log(dir.file("a.log"));
        const QStringList calls = callsIn(dir.file("a.log"));
        QVERIFY2(!calls.isEmpty() && calls.count("K") == calls.size() && calls.size() >= expected,
                 qPrintable(QStringLiteral("trial %1: %2 contacts, %3 before").arg(trial).arg(calls.size()).arg(expected)));
        expected = calls.size();
        log.OpenForRead();
        QsoRecord r;
        while (log.ReadNext(r)) {
        }
        torn += log.incompleteLine() ? 1 : 0;
    }
    qInfo("%d kills, %d contacts written and found, %d torn last lines kept aside", trials, expected, torn);
}

// A write that stops halfway (here: a file size limit, as a full disk would)
// is cut back: the log holds exactly what it held, and the message names the
// system's reason.
void TestLogSafety::failedWriteIsCutBack() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A")});
    const QByteArray before = dir.read("a.log");
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(before.size() + 10);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    const QString message = errorOf([&] { LogFile(dir.file("a.log")).AppendRecord(record(2, "B")); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(message.contains("a.log") && message.contains(QString::fromLocal8Bit(strerror(EFBIG))), qPrintable(message));
    QCOMPARE(dir.read("a.log"), before);
}

// A real full disk: a small file system of its own, in a mount namespace.
void TestLogSafety::fullDiskNamesTheReason() {
    if (!QFileInfo::exists(binary("vesk")) || !QFileInfo::exists(binary("vesk-logwriter")))
        QSKIP("vesk and vesk-logwriter are not built beside the tests");
    TestFolder dir;
    QStringList lines;
    for (int i = 1; i <= 1500; ++i)
        lines << line(i, "FULL");
    // Ending at a page boundary, so that an append needs a new page.
    const qsizetype size = crlf(QStringList{QsoRecord::headerLine()} + lines).size();
    lines.last() += QString((4096 - size % 4096) % 4096, u'x');
    dir.writeLog("a.log", lines);
    const QString disk = dir.file("disk");
    QDir().mkpath(disk);
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=100k tmpfs '%1' || exit 77\n"
        "cp '%2' '%1/a.log'\n"
        "'%3' normalize '%1/a.log'; echo \"normalize=$?\"\n"
        "cat /dev/zero > '%1/filler' 2>/dev/null\n"
        "'%4' '%1' a.log 1 X; echo \"append=$?\"\n"
        "cmp -s '%2' '%1/a.log' && echo same\n"
        "ls '%1'\n").arg(disk, dir.file("a.log"), binary("vesk"), binary("vesk-logwriter"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("unshare", {"-rm", "sh", "-c", script});
    QVERIFY(p.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(p.readAll());
    if (p.exitCode() == 77 || out.contains("unshare:"))
        QSKIP(qPrintable("no mount namespace for a small file system here: " + out));
    QVERIFY2(out.count("No space left on device") == 2 && out.contains("normalize=1") && out.contains("append=1") &&
                 out.contains("same") && !out.contains(".vesk-"),
             qPrintable(out));
}

void TestLogSafety::staleTemporariesAreRemoved() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A")});
    const QStringList kept = {"a.log.vesk-Held01", "a.log.backup", "a.log.vesk-toolong7", "b.log.vesk-Zz9Zz9", "a.log.123456"};
    for (const QString& name : kept + QStringList{"a.log.vesk-Ab3De9", "a.log.vesk-000000"})
        dir.write(name, "a copy");
    // A writer still at work holds its temporary file.
    const int held = ::open(QFile::encodeName(dir.file("a.log.vesk-Held01")).constData(), O_RDONLY);
    QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
    LogFile(dir.file("a.log")).Normalize(QDateTime::currentDateTime());
    ::close(held);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.removeOne("a.log");
    QCOMPARE(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
}

QTEST_GUILESS_MAIN(TestLogSafety)
#include "test_logsafety.moc"
