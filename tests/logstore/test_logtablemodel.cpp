#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "TestFolder.h"

#include <QtTest>

class TestLogTableModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyLogShowsOneEmptyRow();
    void rowsAndDisplayForm();
    void appendToEmptyAndFull();
    void badLineKeepsRowsReadBefore();
};

void TestLogTableModel::emptyLogShowsOneEmptyRow() {
    TestFolder dir;
    dir.writeLog("a.log", {});
    LogFile log(dir.file("a.log"));
    LogTableModel m;
    m.load(log);
    QVERIFY(m.recordCount() == 0 && m.rowCount() == 1);
    QCOMPARE(m.data(m.index(0, 5)).toString(), QString());
}

void TestLogTableModel::rowsAndDisplayForm() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;A1A;;;;;;;;x#13#10y;;", "2;;;;;B2B", "3"});
    LogFile log(dir.file("a.log"));
    LogTableModel m;
    m.load(log);
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.data(m.index(0, 13)).toString(), QStringLiteral("x y"));
    QCOMPARE(m.field(0, QsoRecord::Comments), QStringLiteral("x\ny"));
    QCOMPARE(m.data(m.index(1, 5)).toString(), QStringLiteral("B2B"));
    QVERIFY(m.record(2)[QsoRecord::Number] == u"3" && m.record(2)[QsoRecord::Call].isEmpty());
}

void TestLogTableModel::appendToEmptyAndFull() {
    LogTableModel m;
    QsoRecord r;
    r[QsoRecord::Call] = QStringLiteral("A1A");
    m.appendRecord(r);
    QVERIFY(m.rowCount() == 1 && m.recordCount() == 1);
    r[QsoRecord::Call] = QStringLiteral("B;2B");
    m.appendRecord(r);
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.field(1, QsoRecord::Call), QStringLiteral("B2B")); // as the file will hold it
}

void TestLogTableModel::badLineKeepsRowsReadBefore() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;;;;;A1A", "2;;;;;B2B", ";;;;;;;;;;;;;;;;;", "4"});
    LogFile log(dir.file("a.log"));
    LogTableModel m;
    QVERIFY_THROWS_EXCEPTION(IoError, m.load(log));
    QCOMPARE(m.recordCount(), 2);
    QCOMPARE(m.field(1, QsoRecord::Call), QStringLiteral("B2B"));
}

QTEST_GUILESS_MAIN(TestLogTableModel)
#include "test_logtablemodel.moc"
