#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "TestFolder.h"

#include <QtTest>

class TestLogTableModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadAndAppend();
};

// An empty log shows one empty row, which the first append fills; line
// breaks show as blanks and stay in the record; short lines are read; an
// appended record is held as the file will hold it (no separator).
void TestLogTableModel::loadAndAppend() {
    TestFolder dir;
    dir.writeLog("empty.log", {});
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;A1A;;;;;;;;x#13#10y;;", "2;;;;;B2B", "3"});
    dir.writeLog("bad.log", {"1;;;;;A1A", "2;;;;;B2B", ";;;;;;;;;;;;;;;;;", "4"});
    LogTableModel m;
    LogFile empty(dir.file("empty.log")), log(dir.file("a.log"));
    m.load(empty);
    QVERIFY(m.recordCount() == 0 && m.rowCount() == 1 && m.data(m.index(0, 5)).toString().isEmpty());
    QsoRecord r;
    r[QsoRecord::Call] = QStringLiteral("A1A");
    m.appendRecord(r);
    QVERIFY(m.rowCount() == 1 && m.recordCount() == 1);
    m.load(log);
    QCOMPARE(m.rowCount(), 3);
    QVERIFY(m.data(m.index(0, 13)).toString() == u"x y" && m.field(0, QsoRecord::Comments) == u"x\ny");
    QCOMPARE(m.data(m.index(1, 5)).toString(), QStringLiteral("B2B"));
    QVERIFY(m.record(2)[QsoRecord::Number] == u"3" && m.record(2)[QsoRecord::Call].isEmpty());
    r[QsoRecord::Call] = QStringLiteral("B;2B");
    m.appendRecord(r);
    QVERIFY(m.rowCount() == 4 && m.field(3, QsoRecord::Call) == u"B2B");
    LogFile bad(dir.file("bad.log")); // the rows read before a bad line stay
    QVERIFY_THROWS_EXCEPTION(IoError, m.load(bad));
    QVERIFY(m.recordCount() == 2 && m.field(1, QsoRecord::Call) == u"B2B");
}

QTEST_GUILESS_MAIN(TestLogTableModel)
#include "test_logtablemodel.moc"
