#include "entry/ReferenceLogs.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

static QString contact(int n, const QString& call, const QString& dok, const QString& locator = {},
                       const QString& name = {}) {
    return QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;%2;59;59;%3;%4;;%5;10W;;;").arg(n).arg(call, dok, name, locator);
}

// current.log and two reference logs; slot 1 names a file that is missing
// and slot 2 is empty, so that every search has to step over them.
struct Logs {
    TestFolder dir;
    QString current = dir.file("current.log");
    QStringList paths = {dir.file("missing.log"), QString(), dir.file("ref1.log"), dir.file("ref2.log")};

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
    }
};

// The current log's rows, then those of every reference log there is.
static void fill(ReferenceData& data, const Logs& logs) {
    LogTableModel model;
    LogFile current(logs.current);
    model.load(current);
    data.appendCurrent(model);
    for (const QString& path : ReferenceLogs::existingLogs(logs.paths, logs.current, true)) {
        LogFile log(path);
        data.appendLog(log);
    }
}

static QStringList callsOf(const ReferenceData& data, const QVector<int>& rows) {
    QStringList calls;
    for (int i : rows)
        calls << data.row(i).field(QsoRecord::Call);
    return calls;
}

class TestReferenceLogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extractCall_data();
    void extractCall();
    void findFirstAndFilter_data();
    void findFirstAndFilter();
    void existingLogsExcludesCurrent();
    void listModel();
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

// Ctrl+R's first contact (its name, "-" for none) and the yellow list's rows
// for the same typed call.
void TestReferenceLogs::findFirstAndFilter_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("dok");
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Q") << "Q" << "" << "" << "-"
                       << QStringList{"Q1ABC", "Q1XYZ", "Q2AA", "Q1ABC", "Q1ABC/M", "QA1B",
                                      "Q2AA", "Q4ABC/M", "Q1A", "Q3ZZ", "Q4ABC"};
    QTest::newRow("lower case, suffix; oldest first") << "q1abc/p" << "" << "" << "Erster"
                                                      << QStringList{"Q1ABC", "Q1ABC", "Q1ABC/M"};
    QTest::newRow("portable finds mobile in reference") << "q4abc/p" << "" << "" << "Ref1 mobil"
                                                        << QStringList{"Q4ABC/M", "Q4ABC"};
    QTest::newRow("last reference log") << "Q3ZZ" << "" << "" << "Ganz hinten" << QStringList{"Q3ZZ"};
    QTest::newRow("stored suffix dropped") << "DL1ABC" << "" << "" << "" << QStringList{"DL1ABC/P"};
    QTest::newRow("dok B, b01 left out; a prefix finds no call") << "Q1" << "B" << "" << "-"
                                                                 << QStringList{"Q1ABC", "Q1ABC", "Q1ABC/M"};
    QTest::newRow("locator lower case") << "Q1" << "" << "jo" << "-" << QStringList{"Q1ABC/M"};
    QTest::newRow("dok and locator") << "Q1" << "B0" << "JO31A" << "-" << QStringList{"Q1ABC", "Q1ABC"};
}

void TestReferenceLogs::findFirstAndFilter() {
    QFETCH(QString, call);
    QFETCH(QString, dok);
    QFETCH(QString, locator);
    QFETCH(QString, name);
    QFETCH(QStringList, calls);
    Logs logs;
    const auto found = ReferenceLogs::findFirst(logs.current, logs.paths, ReferenceLogs::ExtractCall(call));
    QCOMPARE(found ? (*found)[QsoRecord::Name] : QStringLiteral("-"), name);
    if (found)
        QCOMPARE(ReferenceLogs::ExtractCall((*found)[QsoRecord::Call]), ReferenceLogs::ExtractCall(call));
    ReferenceData data;
    fill(data, logs);
    QCOMPARE(data.size(), 12);
    QCOMPARE(callsOf(data, data.filter(call, dok, locator)), calls);
}

// The current log under another spelling is no reference log of its own.
void TestReferenceLogs::existingLogsExcludesCurrent() {
    Logs logs;
    QVERIFY(QDir(logs.dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(logs.current, logs.dir.file("link.log")));
    const QString upAndBack = logs.dir.path() + QStringLiteral("/sub/../current.log");
    const QString ref2 = logs.dir.file("ref2.log");
    const QStringList paths = {upAndBack, logs.dir.file("link.log"), logs.dir.file("missing.log"), QString(), ref2};
    QCOMPARE(ReferenceLogs::existingLogs(paths, logs.current, true), QStringList{ref2});
    QCOMPARE(ReferenceLogs::existingLogs(paths, logs.current, false),
             (QStringList{upAndBack, logs.dir.file("link.log"), ref2}));
}

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

QTEST_GUILESS_MAIN(TestReferenceLogs)
#include "test_referencelogs.moc"
