#include "converter/TargetLog.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "ErrorOf.h"
#include "TestFolder.h"

#include <QDir>
#include <QStringEncoder>
#include <QtTest>

namespace {
QString line(int n, const QString& call) {
    return QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;%2;59;59;;;;;10W;;;").arg(n).arg(call);
}
QsoRecord record(const QString& call) {
    QsoRecord r;
    QsoRecord::decodeLine(line(9, call), r);
    return r;
}
} // namespace

class TestLogFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndAppendAfterLineWithoutEnd();
    void appendWritesWholeLine();
    void replaceRecord();
    void failedRenameKeepsLog();
    void tooManySeparatorsNamesFileAndLine();
    void normalizeRecord_data();
    void normalizeRecord();
    void normalizeFile();
    void normalizeStopsOnBadLine();
    void lineEnds_data();
    void lineEnds();
    void notTextIsRefused_data();
    void notTextIsRefused();
    void contactInPlaceOfHeaderIsKept();
};

// The header line is never read as a record, whatever it holds; a last line
// without CR LF (a hand edit) is read, and an append does not glue onto it.
void TestLogFile::readAndAppendAfterLineWithoutEnd() {
    TestFolder dir;
    dir.write("a.log", crlf({"anything;at;all;;;;;;;;;;;;;;;;;;;;", line(1, "A1A")}) + line(2, "B2B").toLatin1());
    LogFile log(dir.file("a.log"));
    QsoRecord r;
    QVERIFY(log.ReadRecord(r, 2) && r[QsoRecord::Call] == u"B2B");
    QVERIFY(!log.ReadRecord(r, 3) && !log.ReadRecord(r, 0));
    log.AppendRecord(record("C3C"));
    QVERIFY(log.ReadRecord(r, 2) && r[QsoRecord::Call] == u"B2B");
    QVERIFY(log.ReadRecord(r, 3) && r[QsoRecord::Call] == u"C3C");
}

void TestLogFile::appendWritesWholeLine() {
    TestFolder dir;
    LogFile log(dir.file("a.log"));
    log.WriteHeader();
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine()}));
    QsoRecord r = record("DL1ÄBC");
    r[QsoRecord::Comments] = QStringLiteral("a\nb");
    log.AppendRecord(r);
    QCOMPARE(dir.read("a.log"),
             crlf({QsoRecord::headerLine(), "9;01.02.2003;12:00:00;2m;FM;DL1ÄBC;59;59;;;;;10W;a#13#10b;;"}));
    QsoRecord back;
    QVERIFY(log.ReadRecord(back, 1) && back == r);
    // An append never creates a log that is gone.
    const QString message = errorOf([&] { LogFile(dir.file("gone.log")).AppendRecord(r); });
    QVERIFY2(message.contains(QStringLiteral("gone.log")) && !QFile::exists(dir.file("gone.log")), qPrintable(message));
}

// A record that is not there (past the end, 0 would hit the header) is not
// replaced. The temporary file of a replace or a repair never overwrites a
// user's file named like it, even for a log name with two dots.
void TestLogFile::replaceRecord() {
    TestFolder dir;
    dir.writeLog("my.logbook.log", {line(1, "A1A"), line(2, "B2B"), line(3, "C3C")});
    dir.write("my.tmp", "user data");
    dir.write("my.logbook.log.tmp", "more user data");
    LogFile log(dir.file("my.logbook.log"));
    const QByteArray before = dir.read("my.logbook.log");
    QVERIFY(!log.ReplaceRecord(4, record("X9X")) && !log.ReplaceRecord(0, record("X9X")));
    QCOMPARE(dir.read("my.logbook.log"), before);
    QVERIFY(log.ReplaceRecord(3, record("X9X")));
    QCOMPARE(dir.read("my.logbook.log"), crlf({QsoRecord::headerLine(), line(1, "A1A"), line(2, "B2B"),
                                               "9;01.02.2003;12:00:00;2m;FM;X9X;59;59;;;;;10W;;;"}));
    log.Normalize(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    QCOMPARE(dir.read("my.tmp"), QByteArray("user data"));
    QCOMPARE(dir.read("my.logbook.log.tmp"), QByteArray("more user data"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void TestLogFile::failedRenameKeepsLog() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A1A"), line(2, "B2B")});
    const QByteArray before = dir.read("a.log");
    LogFile log(dir.file("a.log"));
    AtomicFile::failNextCommitForTesting();
    QVERIFY_THROWS_EXCEPTION(IoError, log.ReplaceRecord(1, record("X9X")));
    QCOMPARE(dir.read("a.log"), before);
    AtomicFile::failNextCommitForTesting();
    QVERIFY_THROWS_EXCEPTION(IoError, log.Normalize(QDateTime::currentDateTime()));
    QCOMPARE(dir.read("a.log"), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
}

void TestLogFile::tooManySeparatorsNamesFileAndLine() {
    TestFolder dir;
    dir.writeLog("bad.log", {line(1, "A1A"), line(2, "B2B") + ";extra"});
    const QByteArray before = dir.read("bad.log");
    LogFile log(dir.file("bad.log"));
    log.OpenForRead();
    QsoRecord r;
    QVERIFY(log.ReadNext(r));
    const QString message = errorOf([&] { log.ReadNext(r); });
    QVERIFY2(message.contains(QStringLiteral("bad.log\", Zeile 3")), qPrintable(message));
    QVERIFY_THROWS_EXCEPTION(IoError, log.Normalize(QDateTime::currentDateTime()));
    QCOMPARE(dir.read("bad.log"), before);
}

void TestLogFile::normalizeRecord_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("comments");
    QTest::newRow("power digits") << int(QsoRecord::TxPwr) << "100" << "100W" << "";
    QTest::newRow("milliwatt") << int(QsoRecord::TxPwr) << "5MW" << "0,005W" << "";
    QTest::newRow("kilowatt comma") << int(QsoRecord::TxPwr) << "1,5kw" << "1500W" << "";
    QTest::newRow("kilowatt point") << int(QsoRecord::TxPwr) << "1.5KW" << "1500W" << "";
    QTest::newRow("point, blank before unit") << int(QsoRecord::TxPwr) << "0.5 w" << "0,5W" << "";
    QTest::newRow("rig name") << int(QsoRecord::TxPwr) << "KWM-2" << "1W" << " / KWM-2";
    QTest::newRow("unit twice") << int(QsoRecord::TxPwr) << "50WW" << "1W" << " / 50WW";
    QTest::newRow("negative") << int(QsoRecord::TxPwr) << "-5W" << "1W" << " / -5W";
    QTest::newRow("date ddmmyy") << int(QsoRecord::Date) << "010203" << "01.02.2003" << "";
    QTest::newRow("date bad") << int(QsoRecord::Date) << "32.01.2003" << "06.12.2026" << " / 32.01.2003";
    QTest::newRow("utc hhnnss") << int(QsoRecord::Utc) << "123456" << "12:34:56" << "";
    QTest::newRow("utc bad") << int(QsoRecord::Utc) << "25:00" << "18:30:15" << " / 25:00";
    QTest::newRow("qsl out bad") << int(QsoRecord::QslOut) << "xx" << "" << " / xx";
    QTest::newRow("call upper keeps umlaut") << int(QsoRecord::Call) << "dl1äbc" << "DL1äBC" << "";
}

void TestLogFile::normalizeRecord() {
    QFETCH(int, field);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, comments);
    QsoRecord r;
    QsoRecord::decodeLine(QStringLiteral("7;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;"), r);
    r[field] = input;
    LogFile::NormalizeRecord(r, 3, QDateTime(QDate(2026, 12, 6), QTime(18, 30, 15)));
    QCOMPARE(r[field], output);
    QCOMPARE(r[QsoRecord::Comments], comments);
    QCOMPARE(r[QsoRecord::Number], QStringLiteral("3"));
}

void TestLogFile::normalizeFile() {
    TestFolder dir;
    dir.writeLog("a.log", {"5;010203;1234;2M;fm;dl1abc;59;59;b01;Hans;Köln;jo31lk;100;a#13#10b;xx;",
                           "", "9;02.02.2003;12:00:00;2m;FM;X"});
    LogFile log(dir.file("a.log"));
    QCOMPARE(log.Normalize(QDateTime(QDate(2026, 12, 6), QTime(18, 30, 15))), 3);
    QCOMPARE(dir.read("a.log"),
             crlf({QsoRecord::headerLine(),
                   "1;01.02.2003;12:34:00;2m;FM;DL1ABC;59;59;B01;Hans;Köln;JO31LK;100W;a#13#10b / xx;;",
                   "2;06.12.2026;18:30:15;;;;;;;;;;1W; /  / ;;",
                   "3;02.02.2003;12:00:00;2m;FM;X;;;;;;;1W;;;"}));
}

// A line with more than 15 separators stops the repair.
void TestLogFile::normalizeStopsOnBadLine() {
    TestFolder dir;
    dir.writeLog("a.log", {line(1, "A1A"), "2;01.02.2003;12:00:00;2m;FM;B;;;;;;;1W;;;;x"});
    const QByteArray before = dir.read("a.log");
    const QString message = errorOf([&] { LogFile(dir.file("a.log")).Normalize(QDateTime::currentDateTime()); });
    QVERIFY2(message.contains(QStringLiteral("a.log\", Zeile 3")), qPrintable(message));
    QCOMPARE(dir.read("a.log"), before);
    // Cells set together with the repair (paper-log tab): nothing is written
    // when the repair fails, and both in one rewrite when it succeeds.
    const auto setName = [](int, QsoRecord& r) { r[QsoRecord::Name] = QStringLiteral("Udo"); };
    QVERIFY(!errorOf([&] { LogFile(dir.file("a.log")).Normalize({}, {1}, setName); }).isEmpty());
    QCOMPARE(dir.read("a.log"), before);
    dir.writeLog("a.log", {line(1, "A1A"), line(2, "B2B")});
    QCOMPARE(LogFile(dir.file("a.log")).Normalize({}, {2}, setName), 2);
    QVERIFY(dir.read("a.log").contains(";B2B;59;59;;Udo;") && !dir.read("a.log").contains(";A1A;59;59;;Udo;"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
}

void TestLogFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR (old Mac editors)") << QByteArray("\r");
}

// Read as one line, a CR-only log lost every contact at its next rewrite.
void TestLogFile::lineEnds() {
    QFETCH(QByteArray, end);
    TestFolder dir;
    const QByteArray body = QsoRecord::headerLine().toLatin1() + end + line(1, "A1A").toLatin1() + end +
                            line(2, "B2B").toLatin1() + end + line(3, "C3C").toLatin1();
    dir.write("a.log", body);
    LogFile log(dir.file("a.log"));
    QsoRecord r;
    QVERIFY(log.ReadRecord(r, 3) && r[QsoRecord::Call] == u"C3C");
    log.AppendRecord(record("D4D"));
    QCOMPARE(log.Normalize(QDateTime(QDate(2026, 12, 6), QTime(18, 30, 15))), 4);
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), line(1, "A1A"), line(2, "B2B"), line(3, "C3C"),
                                      line(4, "D4D")}));
}

void TestLogFile::notTextIsRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 with mark") << QByteArray(utf16(QString::fromLatin1(crlf({QsoRecord::headerLine(), line(1, "A")}))))
                                      << 1;
    QTest::newRow("NUL in a contact") << crlf({QsoRecord::headerLine(), line(1, "A")}) + QByteArray("2;\0;\r\n", 6)
                                      << 3;
}

// "Normalised", a UTF-16 log became garbage; every operation refuses it instead.
void TestLogFile::notTextIsRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    TestFolder dir;
    dir.write("a.log", bytes);
    LogFile log(dir.file("a.log"));
    const QString where = QStringLiteral("a.log\", Zeile %1").arg(line);
    QsoRecord r;
    for (const QString& message : {errorOf([&] { log.ReadRecord(r, 5); }), errorOf([&] { log.Normalize({}); }),
                                   errorOf([&] { log.SetRecords({1}, [](int, QsoRecord&) {}); })})
        QVERIFY2(message.contains(where) && message.contains(QStringLiteral("8-Bit")), qPrintable(message));
    if (line == 1)
        QVERIFY(errorOf([&] { log.AppendRecord(record("B")); }).contains(QStringLiteral("8-Bit")));
    QCOMPARE(dir.read("a.log"), bytes);
}

// The header deleted by hand: every rewrite used to drop the first contact.
void TestLogFile::contactInPlaceOfHeaderIsKept() {
    TestFolder dir;
    const QByteArray bytes = crlf({line(1, "A1A"), line(2, "B2B")});
    dir.write("a.log", bytes);
    LogFile log(dir.file("a.log"));
    for (const QString& message : {errorOf([&] { log.Normalize({}); }),
                                   errorOf([&] { log.SetRecords({1}, [](int, QsoRecord&) {}); }),
                                   errorOf([&] { TargetLog(dir.file("a.log"), {}); })}) // join, import
        QVERIFY2(message.contains(QStringLiteral("a.log\", Zeile 1: hier steht ein Kontakt")), qPrintable(message));
    QVERIFY(log.headerIsContact());
    QCOMPARE(dir.read("a.log"), bytes);
}

QTEST_GUILESS_MAIN(TestLogFile)
#include "test_logfile.moc"
