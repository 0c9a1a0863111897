#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "ErrorOf.h"
#include "TestFolder.h"

#include <QDir>
#include <QtTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(14, 5));

// A log as Normalize leaves it (checked in the test): one contact with a
// Windows-1252 name and one with a comment across two lines.
const QList<QByteArray> kNormalised = {
    "1;01.02.2026;12:00:00;20m;SSB;DL1ABC;59;59;R01;J\xfcrgen;K\xf6ln;JO30LR;100W;;;",
    "2;01.02.2026;12:05:00;40m;CW;G3XYZ;599;579;;John;;IO91WM;5W;erste#13#10zweite;01.03.2026;",
    "3;02.02.2026;08:30:00;2m;FM;DK2AB;59;59;;;;;10W;;;",
    "4;03.02.2026;22:15:00;80m;SSB;OE1XYZ;57;55;;Franz;Wien;JN88EF;50W;;;04.04.2026"};

QByteArray bytesOf(const QList<QByteArray>& lines) {
    QByteArray out = QsoRecord::headerLine().toLatin1() + "\r\n";
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

const auto always = [](const QsoRecord&) { return true; };

} // namespace

class TestRemoveRecord : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void removeClosesUpAndUndoRestores_data();
    void removeClosesUpAndUndoRestores();
    void untidyLogKeepsWhatItCan();
    void refusedRemovalWritesNothing_data();
    void refusedRemovalWritesNothing();
};

// The log after a removal is what Normalize makes of the log with that line
// cut out by hand; the undo gives back the log byte for byte.
void TestRemoveRecord::removeClosesUpAndUndoRestores_data() {
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("number");
    QTest::newRow("first") << kNormalised << 1;
    QTest::newRow("middle, with a comment line break") << kNormalised << 2;
    QTest::newRow("last") << kNormalised << 4;
    QTest::newRow("the only one") << QList<QByteArray>{kNormalised[0]} << 1;
}

void TestRemoveRecord::removeClosesUpAndUndoRestores() {
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, number);
    TestFolder dir;
    dir.write("a.log", bytesOf(lines));
    LogFile log(dir.file("a.log"));
    QCOMPARE(log.Normalize(kNow), lines.size());
    const QByteArray before = dir.read("a.log");
    QCOMPARE(before, bytesOf(lines)); // the sample is normalised indeed

    const auto removal = log.RemoveRecordIf(number, always);
    QVERIFY(removal);
    QCOMPARE(removal->line, lines[number - 1]);

    QList<QByteArray> cut = lines;
    cut.removeAt(number - 1);
    dir.write("b.log", bytesOf(cut));
    LogFile expected(dir.file("b.log"));
    expected.Normalize(kNow);
    QCOMPARE(dir.read("a.log"), dir.read("b.log"));

    QVERIFY(log.RestoreRecord(*removal));
    QCOMPARE(dir.read("a.log"), before);
    // Once only: the log is no longer what the removal left.
    QVERIFY(!log.RestoreRecord(*removal));
    QCOMPARE(dir.read("a.log"), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.log", "b.log"}));
}

// Lines before the removed one keep their bytes (wrong numbers, lower-case
// mode and all); after it only the numbers change, to the place, and a line
// that has its place's number already stays as it is. An incomplete last
// line stays at the end. The undo brings the line back as it was.
void TestRemoveRecord::untidyLogKeepsWhatItCan() {
    const QByteArray head = QsoRecord::headerLine().toLatin1() + "\r\n";
    const QByteArray l1 = "7;1.2.26;1200;20m;ssb;dl1abc;59;59;;;;;100;;;";
    const QByteArray l2 = "8;01.02.2026;12:05:00;40m;CW;G3XYZ;599;579;;;;;5W;;;";
    const QByteArray l3 = "12;01.02.2026;12:06:00;40m;CW;F5AB;599;579;;Andr\xe9;;;5W;\x80;;";
    const QByteArray l4 = "3;01.02.2026;12:07:00;40m;CW;ON4XX";
    const QByteArray torn = "5;01.02.2026;12:0";
    TestFolder dir;
    dir.write("a.log", head + l1 + "\r\n" + l2 + "\r\n" + l3 + "\r\n" + l4 + "\r\n" + torn);
    LogFile log(dir.file("a.log"));
    const auto removal = log.RemoveRecordIf(2, always);
    QVERIFY(removal);
    QCOMPARE(dir.read("a.log"), head + l1 + "\r\n" + "2;01.02.2026;12:06:00;40m;CW;F5AB;599;579;;Andr\xe9;;;5W;\x80;;\r\n" +
                                    l4 + "\r\n" + torn);
    QVERIFY(log.RestoreRecord(*removal));
    QCOMPARE(dir.read("a.log"), head + l1 + "\r\n" + l2 + "\r\n" +
                                    "3;01.02.2026;12:06:00;40m;CW;F5AB;599;579;;Andr\xe9;;;5W;\x80;;\r\n" +
                                    "4;01.02.2026;12:07:00;40m;CW;ON4XX;;;;;;;;;;\r\n" + torn);
}

// Nothing is written, not even the same bytes again; a failure names the log.
void TestRemoveRecord::refusedRemovalWritesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("messageHas");
    QTest::newRow("the list is older than the file") << "stale" << 2 << "";
    QTest::newRow("beyond the end") << "" << 5 << "";
    QTest::newRow("rename fails") << "commit" << 2 << "a.log";
    QTest::newRow("a later line has too many separators") << "broken" << 2 << "a.log\", Zeile 6";
}

void TestRemoveRecord::refusedRemovalWritesNothing() {
    QFETCH(QString, how);
    QFETCH(int, number);
    QFETCH(QString, messageHas);
    QByteArray bytes = bytesOf(kNormalised);
    if (how == "broken")
        bytes = bytesOf(QList<QByteArray>(kNormalised) << "5;;;;;;;;;;;;;;;;;x");
    TestFolder dir;
    dir.write("a.log", bytes);
    if (how == "commit")
        AtomicFile::failNextCommitForTesting();
    LogFile log(dir.file("a.log"));
    std::optional<LogFile::Removal> removal;
    const QString message = errorOf([&] {
        removal = log.RemoveRecordIf(number, [&](const QsoRecord& r) { return how != "stale" || r[QsoRecord::Call] == "DK2AB"; });
    });
    QVERIFY2(messageHas.isEmpty() ? message.isEmpty() : message.contains(messageHas), qPrintable(message));
    QVERIFY(!removal);
    QCOMPARE(dir.read("a.log"), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestRemoveRecord)
#include "test_removerecord.moc"
