#include "ErrorOf.h"
#include "logstore/LogFile.h"
#include "qsl/OutstandingCards.h"
#include "qsl/QslMarks.h"
#include "qsl/ReceivedCardInput.h"
#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

Q_DECLARE_METATYPE(CardRule)

namespace {
// number;date;call;band;mode;comments;qsl out
QString line(const QString& spec) {
    const QStringList f = spec.split(u'|');
    return QStringLiteral("%1;%2;12:00:00;%3;%4;%5;59;59;;;;;10W;%6;%7;").arg(f[0], f[1], f[3], f[4], f[2], f[5], f[6]);
}
QStringList listed(const TestFolder& dir, const CardRule& rule) {
    LogFile log(dir.file("a.log"));
    QStringList numbers;
    for (const OutstandingCards::Row& r : OutstandingCards::list(log, rule, 2026))
        numbers << QString::number(r.position);
    return numbers;
}
} // namespace

class TestQslRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outstanding_data();
    void outstanding();
    void marks_data();
    void marks();
    void receivedInput_data();
    void receivedInput();
    void markingAChangedLogWritesNothing();
    void batchCommand();
};

void TestQslRules::outstanding_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<CardRule>("rule");
    QTest::addColumn<QStringList>("expected");
    const QStringList sameCall = {"1|01.02.2003|A|2m|FM||", "2|01.02.2003|A|2m|SSB||", "3|01.02.2003|A|70cm|FM||",
                                  "4|02.02.2003|A|2m|FM||", "5|02.02.2004|A|2m|FM||"};
    QTest::newRow("every contact") << sameCall << CardRule{} << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("first per call") << sameCall << CardRule{true} << QStringList{"1"};
    QTest::newRow("per band") << sameCall << CardRule{true, true} << QStringList{"1", "3"};
    QTest::newRow("per band and mode") << sameCall << CardRule{true, true, true} << QStringList{"1", "2", "3"};
    QTest::newRow("per day") << sameCall << CardRule{true, false, false, true} << QStringList{"1", "4", "5"};
    QTest::newRow("per year") << sameCall << CardRule{true, false, false, false, true} << QStringList{"1", "5"};
    // A date written another way is the same day; a card sent for the first
    // contact still makes the second a repeat; the call is compared exactly.
    QTest::newRow("dates as dates, sent cards count")
        << QStringList{"1|01.02.2003|A|2m|FM||05.02.2003", "2|1.2.03|A|2m|FM||", "3|01.02.2003|a|2m|FM||"}
        << CardRule{true, false, false, true} << QStringList{"3"};
    QTest::newRow("declined or sent stay off")
        << QStringList{"1|01.02.2003|A|2m|FM|No QSL please|", "2|01.02.2003|B|2m|FM|tnx#13#10NO QSL|",
                       "3|01.02.2003|C|2m|FM||01.03.2003", "4|01.02.2003|D|2m|FM|qsl via bureau|"}
        << CardRule{} << QStringList{"4"};
}

void TestQslRules::outstanding() {
    QFETCH(QStringList, log);
    QFETCH(CardRule, rule);
    QFETCH(QStringList, expected);
    TestFolder dir;
    QStringList lines;
    for (const QString& spec : log)
        lines << line(spec);
    dir.writeLog("a.log", lines);
    QCOMPARE(listed(dir, rule), expected);
}

void TestQslRules::marks_data() {
    QTest::addColumn<QString>("comments");
    QTest::addColumn<QString>("once");
    QTest::addColumn<QString>("twice");
    QTest::newRow("after a comment") << "tnx" << "tnx / no QSL" << "tnx";
    QTest::newRow("empty") << "" << "no QSL" << "";
    QTest::newRow("typed by hand") << "no QSL, tnx" << ", tnx" << ", tnx / no QSL";
    QTest::newRow("other case is not the marker") << "No QSL" << "No QSL / no QSL" << "No QSL";
}

void TestQslRules::marks() {
    QFETCH(QString, comments);
    QFETCH(QString, once);
    QFETCH(QString, twice);
    QsoRecord r;
    r[QsoRecord::Comments] = comments;
    QslMarks::toggleDeclined(r);
    QCOMPARE(r[QsoRecord::Comments], once);
    QslMarks::toggleDeclined(r);
    QCOMPARE(r[QsoRecord::Comments], twice);
    QslMarks::toggleSent(r, QDate(2026, 12, 7));
    QCOMPARE(r[QsoRecord::QslOut], QStringLiteral("07.12.2026"));
    QslMarks::toggleSent(r, QDate(2026, 12, 7));
    QVERIFY(r[QsoRecord::QslOut].isEmpty());
}

void TestQslRules::receivedInput_data() {
    QTest::addColumn<bool>("isDate");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("given");
    QTest::addColumn<QString>("text"); // empty with given: an error
    QTest::newRow("day and month") << true << "0102" << true << "01.02.2026";
    QTest::newRow("two-digit year") << true << "010203" << true << "01.02.2003";
    QTest::newRow("four-digit year") << true << "01022003" << true << "01.02.2003";
    QTest::newRow("with dots") << true << "1.2.03" << true << "01.02.2003";
    QTest::newRow("too short") << true << "010" << false << "";
    QTest::newRow("no such day") << true << "3102" << true << "";
    QTest::newRow("hours") << false << "12" << true << "12:00:00";
    QTest::newRow("hours and minutes") << false << "1234" << true << "12:34:00";
    QTest::newRow("seconds") << false << "123456" << true << "12:34:56";
    QTest::newRow("one digit") << false << "1" << false << "";
    QTest::newRow("no such time") << false << "2561" << true << "";
}

void TestQslRules::receivedInput() {
    QFETCH(bool, isDate);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(bool, given);
    const ReceivedCardInput::Result r = isDate ? ReceivedCardInput::date(typed, 2026) : ReceivedCardInput::time(typed);
    QCOMPARE(r.given, given);
    QCOMPARE(r.text, text);
    QCOMPARE(r.error.contains(typed), r.given && text.isEmpty());
}

// A list made before another program changed the log must not mark a
// different contact that now stands at the listed place.
void TestQslRules::markingAChangedLogWritesNothing() {
    TestFolder dir;
    dir.writeLog("a.log", {line("1|01.02.2003|A|2m|FM||"), line("2|01.02.2003|B|2m|FM||")});
    LogFile log(dir.file("a.log"));
    const QVector<OutstandingCards::Row> rows = OutstandingCards::list(log, CardRule{}, 2026);
    const QsoRecord shown = rows[1].record.toRecord();
    QsoRecord marked = shown;
    QslMarks::toggleSent(marked, QDate(2026, 12, 7));
    dir.writeLog("a.log", {line("1|01.02.2003|A|2m|FM||"), line("2|01.02.2003|OTHER|2m|FM||")});
    const QByteArray changed = dir.read("a.log");
    const auto same = [&shown](const QsoRecord& inFile) { return inFile == shown; };
    QVERIFY(!log.ReplaceRecordIf(2, same, marked));
    QVERIFY(!log.ReplaceRecordIf(3, same, marked));
    QCOMPARE(dir.read("a.log"), changed);
    dir.writeLog("a.log", {line("1|01.02.2003|A|2m|FM||"), line("2|01.02.2003|B|2m|FM||")});
    QVERIFY(log.ReplaceRecordIf(2, same, marked));
    QVERIFY(dir.read("a.log").contains(";B;59;59;;;;;10W;;07.12.2026;"));
}

void TestQslRules::batchCommand() {
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    if (!QFileInfo::exists(vesk))
        QSKIP("the vesk program is not built beside the tests");
    TestFolder dir;
    dir.writeLog("a.log", {line("1|01.02.2003|A|2m|FM|a#13#10b|"), line("2|01.02.2003|A|70cm|FM||"),
                           line("3|01.02.2003|B|2m|FM||01.03.2003")});
    QProcess p;
    p.start(vesk, {"qsl", dir.file("a.log"), "--first-qso", "--band"});
    QVERIFY(p.waitForFinished() && p.exitCode() == 0);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             QStringList({"#;Call;Date;UTC;Band;Mode;RST TX;Comments;QSL out", "1;A;01.02.2003;12:00:00;2m;FM;59;a#13#10b;",
                          "2;A;01.02.2003;12:00:00;70cm;FM;59;;"}));
    QVERIFY(p.readAllStandardError().contains(" 2 "));
    p.start(vesk, {"qsl", dir.file("a.log"), "--week"});
    QVERIFY(p.waitForFinished() && p.exitCode() == 2);
}

QTEST_GUILESS_MAIN(TestQslRules)
#include "test_qslrules.moc"
