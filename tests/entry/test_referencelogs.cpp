#include "entry/ReferenceLogs.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "settings/Settings.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString contact(int n, const QString& call, const QString& dok, const QString& locator = {}, const QString& name = {}) {
    return QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;%2;59;59;%3;%4;;%5;10W;;;").arg(n).arg(call, dok, name, locator);
}

// current.log and two reference logs; slot 1 names a file that is missing
// and slot 2 is empty, so that every search has to step over them.
struct Logs {
    TestFolder dir;
    QString current;
    QStringList paths;

    Logs() {
        dir.writeLog("current.log",
                     {contact(1, "Q1ABC", "B01", "JO31AB", "Erster"), contact(2, "Q1XYZ", "b01", "JO31CD"),
                      contact(3, "DL1ABC/P", "B05", "JO40AA"), contact(4, "Q2AA", ""),
                      contact(5, "Q1ABC", "B02", "JO31AB", "Zweiter")});
        dir.writeLog("ref1.log",
                     {contact(1, "Q1ABC/M", "B01", "jo31ab", "Mobil"), contact(2, "QA1B", "C01"),
                      contact(3, "Q2AA", "R01", "", "Alt"), contact(4, "Q4ABC/M", "", "", "Ref1 mobil")});
        dir.writeLog("ref2.log", {contact(1, "Q1A", ""), contact(2, "Q3ZZ", "Z01", "", "Ganz hinten"),
                                  contact(3, "Q4ABC", "", "", "Ref2")});
        current = dir.file("current.log");
        paths = {dir.file("missing.log"), QString(), dir.file("ref1.log"), dir.file("ref2.log")};
    }
};

// The current log's rows, then those of every reference log there is.
void fill(ReferenceData& data, const Logs& logs) {
    LogTableModel model;
    LogFile current(logs.current);
    model.load(current);
    data.appendCurrent(model);
    for (const QString& path : ReferenceLogs::existingLogs(logs.paths, logs.current, true)) {
        LogFile log(path);
        data.appendLog(log);
    }
}

QStringList callsOf(const ReferenceData& data, const QVector<int>& rows) {
    QStringList calls;
    for (int i : rows)
        calls << data.row(i).field(QsoRecord::Call);
    return calls;
}

// A file this process can no longer read; false when it still can (root).
bool makeUnreadable(const QString& fileName) {
    QFile::setPermissions(fileName, {});
    QFile probe(fileName);
    return !probe.open(QIODevice::ReadOnly);
}

} // namespace

class TestReferenceLogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extractCall_data();
    void extractCall();
    void findFirst_data();
    void findFirst();
    void findFirstUnreadableLog();
    void existingLogsExcludesCurrent_data();
    void existingLogsExcludesCurrent();
    void filter_data();
    void filter();
    void listModel();
    void appendLogStopsAtBrokenLine();
    void optionsRoundTrip();
};

void TestReferenceLogs::extractCall_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("base");
    QTest::newRow("portable, lower case") << "q1abc/p" << "Q1ABC";
    QTest::newRow("three-letter suffix stays") << "Q1ABC/QRP" << "Q1ABC/QRP";
    QTest::newRow("prefix and suffix") << "pa/q1abc/p" << "PA/Q1ABC";
    QTest::newRow("two suffixes") << "Q1ABC/MM/P" << "Q1ABC";
    QTest::newRow("slash and letter") << "/P" << "";
    QTest::newRow("umlaut kept") << "dä1x/p" << "Dä1X";
}

void TestReferenceLogs::extractCall() {
    QFETCH(QString, call);
    QFETCH(QString, base);
    QCOMPARE(ReferenceLogs::ExtractCall(call), base);
}

void TestReferenceLogs::findFirst_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // of the contact found; "-" for none
    QTest::newRow("current log, oldest contact") << "q1abc/p" << "Erster";
    QTest::newRow("portable finds mobile in reference") << "q4abc/p" << "Ref1 mobil";
    QTest::newRow("last reference log") << "Q3ZZ" << "Ganz hinten";
    QTest::newRow("stored with suffix") << "DL1ABC" << "";
    QTest::newRow("prefix of a call is no match") << "Q1" << "-";
}

void TestReferenceLogs::findFirst() {
    QFETCH(QString, typed);
    QFETCH(QString, name);
    Logs logs;
    const auto found = ReferenceLogs::findFirst(logs.current, logs.paths, ReferenceLogs::ExtractCall(typed));
    QCOMPARE(found.has_value(), name != QLatin1String("-"));
    if (found) {
        QCOMPARE(ReferenceLogs::ExtractCall((*found)[QsoRecord::Call]), ReferenceLogs::ExtractCall(typed));
        QCOMPARE((*found)[QsoRecord::Name], name);
    }
}

void TestReferenceLogs::findFirstUnreadableLog() {
    Logs logs;
    const QString ref1 = logs.dir.file("ref1.log");
    if (!makeUnreadable(ref1)) QSKIP("the file stays readable for this user (root)");
    // A call of the current log is found before the unreadable log is reached.
    QVERIFY(ReferenceLogs::findFirst(logs.current, logs.paths, QStringLiteral("Q1ABC")));
    QString message; // an unreadable reference log ends the search
    try { ReferenceLogs::findFirst(logs.current, logs.paths, QStringLiteral("Q3ZZ")); }
    catch (const IoError& e) { message = e.message(); }
    QVERIFY2(message.contains(QStringLiteral("ref1.log")), qPrintable(message));
    QFile::setPermissions(ref1, QFile::ReadOwner | QFile::WriteOwner);
}

void TestReferenceLogs::existingLogsExcludesCurrent_data() {
    QTest::addColumn<QString>("spelling"); // of current.log, relative to the folder
    QTest::addColumn<bool>("symlink");
    QTest::newRow("up and back") << "sub/../current.log" << false;
    QTest::newRow("symbolic link") << "link.log" << true;
}

void TestReferenceLogs::existingLogsExcludesCurrent() {
    QFETCH(QString, spelling);
    QFETCH(bool, symlink);
    Logs logs;
    QVERIFY(QDir(logs.dir.path()).mkdir("sub"));
    if (symlink) QVERIFY(QFile::link(logs.current, logs.dir.file("link.log")));
    const QString alias = logs.dir.path() + u'/' + spelling;
    const QString ref2 = logs.dir.file("ref2.log");
    const QStringList paths = {alias, logs.dir.file("missing.log"), QString(), ref2};
    QCOMPARE(ReferenceLogs::existingLogs(paths, logs.current, true), QStringList{ref2});
    QCOMPARE(ReferenceLogs::existingLogs(paths, logs.current, false), (QStringList{alias, ref2}));
}

void TestReferenceLogs::filter_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("dok");
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Q") << "Q" << "" << ""
                       << QStringList{"Q1ABC", "Q1XYZ", "Q2AA", "Q1ABC", "Q1ABC/M", "QA1B",
                                      "Q2AA", "Q4ABC/M", "Q1A", "Q3ZZ", "Q4ABC"};
    QTest::newRow("lower case, suffix") << "q1abc/p" << "" << "" << QStringList{"Q1ABC", "Q1ABC", "Q1ABC/M"};
    QTest::newRow("stored suffix dropped") << "DL1ABC" << "" << "" << QStringList{"DL1ABC/P"};
    QTest::newRow("dok B, b01 left out") << "Q1" << "B" << "" << QStringList{"Q1ABC", "Q1ABC", "Q1ABC/M"};
    QTest::newRow("locator lower case") << "Q1" << "" << "jo" << QStringList{"Q1ABC/M"};
    QTest::newRow("dok and locator") << "Q1" << "B0" << "JO31A" << QStringList{"Q1ABC", "Q1ABC"};
}

void TestReferenceLogs::filter() {
    QFETCH(QString, call);
    QFETCH(QString, dok);
    QFETCH(QString, locator);
    QFETCH(QStringList, calls);
    Logs logs;
    ReferenceData data;
    fill(data, logs);
    QCOMPARE(data.size(), 12);
    QCOMPARE(callsOf(data, data.filter(call, dok, locator)), calls);
}

// Rows of a reference log show no number (it is not theirs in this log) and
// keep every other column; no hit shows one empty row.
void TestReferenceLogs::listModel() {
    Logs logs;
    logs.dir.writeLog(
        "ref1.log", {"17;24.12.2001;23:59:00;80m;CW;Q9Q;579;599;K12;Anna;Bonn;JO30;5W;a#13#10b;;02.02.2002"});
    ReferenceListModel list;
    fill(list.data(), logs);
    list.setRows(list.data().filter(QStringLiteral("Q"), {}, {}));
    QCOMPARE(list.rowCount(), 8);
    QCOMPARE(list.data(list.index(3, 0)).toString(), QStringLiteral("5"));
    const QStringList shown = {"",    "24.12.2001", "23:59:00", "80m", "CW", "Q9Q", "579", "599",
                               "K12", "Anna", "Bonn", "JO30", "5W", "a b", "", "02.02.2002"};
    QStringList row;
    for (int column = 0; column < QsoRecord::FieldCount; ++column) row << list.data(list.index(4, column)).toString();
    QCOMPARE(row, shown);
    QCOMPARE(list.record(4)[QsoRecord::Number], QString());
    QCOMPARE(list.record(4)[QsoRecord::Comments], QStringLiteral("a\nb"));
    list.setRows(list.data().filter(QStringLiteral("ZZ"), {}, {}));
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(list.hitCount(), 0);
    QCOMPARE(list.record(0), QsoRecord());
}

void TestReferenceLogs::appendLogStopsAtBrokenLine() {
    TestFolder dir;
    dir.writeLog("ref.log", {contact(1, "Q1A", ""), contact(2, "Q1B", "") + ";zu;viel"});
    ReferenceData data;
    LogFile log(dir.file("ref.log"));
    QString message; // too many separators stop the load
    try { data.appendLog(log); } catch (const IoError& e) { message = e.message(); }
    QVERIFY2(message.contains(QStringLiteral("ref.log")) && message.contains(QStringLiteral("Zeile 3")), qPrintable(message));
    QCOMPARE(callsOf(data, data.filter(QStringLiteral("Q"), {}, {})), QStringList{"Q1A"});
}

void TestReferenceLogs::optionsRoundTrip() {
    TestFolder dir;
    const QString ini = dir.file("Vesk.ini");
    const QStringList paths = {"/home/op/Logs/2003 Köln.log", "", "/home/op/Logs/2004.log", "C:\\Logs\\alt.log"};
    {
        Settings settings(ini);
        QCOMPARE(ReferenceLogs::readOptions(settings).paths, (QStringList{"", "", "", ""}));
        ReferenceLogs::writePaths(settings, paths);
        ReferenceLogs::writeLuxus(settings, true);
        settings.save();
    }
    // Latin-1, as the settings file has always been written.
    QVERIFY2(dir.read("Vesk.ini").contains("Log1=/home/op/Logs/2003 K\xf6ln.log\r\n"), dir.read("Vesk.ini").constData());
    Settings back(ini);
    QVERIFY(back.load());
    QCOMPARE(ReferenceLogs::readOptions(back).paths, paths);
    QCOMPARE(ReferenceLogs::readOptions(back).luxus, true);
}

QTEST_GUILESS_MAIN(TestReferenceLogs)
#include "test_referencelogs.moc"
