#include "refdata/DstRules.h"

#include <QtTest>

using DstRules::Status;

Q_DECLARE_METATYPE(DstRules::Status)

namespace {

QDateTime utc(int y, int m, int d, int h = 12, int min = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

const QString EuStart = QStringLiteral("Beginn: Letzter Sonntag im Maerz");
const QString EuEnd = QStringLiteral("Ende: Letzter Sonntag im Oktober");
const QString SouthStart = QStringLiteral("Beginn: Erster Sonntag im Oktober");
const QString SouthEnd = QStringLiteral("Ende: Erster Sonntag im April");
const QString NoRule = QStringLiteral("Ende: keine Regelung");

DstRules::Zone centralEurope() {
    DstRules::Zone z;
    z.utcOffset = z.dstOffset = 1.0;
    z.dstStartRule = EuStart;
    z.dstEndRule = EuEnd;
    z.dstStartTime = z.dstEndTime = QStringLiteral("01:00");
    z.stdTimeText1 = QStringLiteral("MEZ");
    z.stdTimeText2 = QStringLiteral("Mitteleuropäische Zeit");
    z.dstTimeText1 = QStringLiteral("MESZ");
    z.dstTimeText2 = QStringLiteral("Mitteleuropäische Sommerzeit");
    return z;
}

} // namespace

class TestDstRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ruleDate_data();
    void ruleDate();
    void refusedRule_data();
    void refusedRule();
    void inForce_data();
    void inForce();
    void localTime_data();
    void localTime();
    void localTimeRefused();
};

void TestDstRules::ruleDate_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("year");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<bool>("isStart");
    // The common rules are compared with tzdata in test_dxcc; these are the
    // shapes the shipped table does not hold. 1 March 2026 is a Sunday.
    // After the 1st: the reference day itself does not count.
    QTest::newRow("first Sunday after 1 March") << "Beginn: Erster Sonntag nach dem 1. Maerz"
                                                << "02:00" << 2026 << utc(2026, 3, 8, 2) << true;
    QTest::newRow("second Saturday after") << "Ende: Zweiter Samstag nach dem 6. Juni"
                                           << "00:00" << 2026 << utc(2026, 6, 20, 0) << false;
    QTest::newRow("leap February") << "Ende: Letzter Sonntag im Februar"
                                   << "03:00" << 2028 << utc(2028, 2, 27, 3) << false;
    QTest::newRow("last day is the weekday") << "Ende: Letzter Dienstag im Maerz"
                                             << "03:00" << 2026 << utc(2026, 3, 31, 3) << false;
    QTest::newRow("fixed day") << "Beginn: 25. Maerz des Jahres" << "00:00" << 2026 << utc(2026, 3, 25, 0) << true;
    QTest::newRow("fixed day, no blank") << "Ende: 21.September des Jahres"
                                         << "23:59" << 2026 << utc(2026, 9, 21, 23, 59) << false;
    QTest::newRow("seconds in the time")
        << EuStart << "01:00:30" << 2026 << QDateTime(QDate(2026, 3, 29), QTime(1, 0, 30), Qt::UTC) << true;
    // Without an ordinal the reference day is the rule's day.
    QTest::newRow("no ordinal") << "Beginn: Sonntag nach dem 3. Maerz" << "01:00" << 2026 << utc(2026, 3, 3, 1) << true;
    // Only "Beginn: " exactly marks a start.
    // "So" is all that is read of the weekday.
    QTest::newRow("misspelt weekday") << "Ende: Letzter Sonnday im Oktober"
                                      << "01:00" << 2026 << utc(2026, 10, 25, 1) << false;
    QTest::newRow("other label") << "Start: Letzter Sonntag im Maerz"
                                 << "01:00" << 2026 << utc(2026, 3, 29, 1) << false;
}

void TestDstRules::ruleDate() {
    QFETCH(QString, rule);
    QFETCH(QString, time);
    QFETCH(int, year);
    QFETCH(QDateTime, instant);
    QFETCH(bool, isStart);
    const auto r = DstRules::ruleDate(rule, time, year);
    QVERIFY2(r.status == Status::Ok && r.message.isEmpty(), qPrintable(r.message));
    QCOMPARE(r.instant, instant);
    QCOMPARE(r.isStart, isStart);
}

void TestDstRules::refusedRule_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("time");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("keine Regelung") << NoRule << "01:00" << Status::NoDate << "";
    QTest::newRow("umlaut in month") << "Beginn: Letzter Sonntag im März" << "01:00" << Status::NotADate
                                     << "'1.März.2026' ist kein gültiges Datum";
    QTest::newRow("time out of range") << EuStart << "25:00" << Status::NotATime << "'25:00' ist keine gültige Uhrzeit";
    // The weekday search could never end; the rule is refused instead.
    QTest::newRow("English weekday, last") << "Beginn: Letzter Sunday im Maerz" << "01:00" << Status::UnknownWeekday
        << "'Sunday' ist kein Wochentag (Mo, Di, Mi, Do, Fr, Sa, So) in der Regel "
           "'Beginn: Letzter Sunday im Maerz'";
}

void TestDstRules::refusedRule() {
    QFETCH(QString, rule);
    QFETCH(QString, time);
    QFETCH(Status, status);
    QFETCH(QString, message);
    const auto r = DstRules::ruleDate(rule, time, 2026);
    QCOMPARE(r.status, status);
    QCOMPARE(r.message, message);
    QVERIFY(!r.instant.isValid());
}

void TestDstRules::inForce_data() {
    QTest::addColumn<QString>("startRule");
    QTest::addColumn<QString>("endRule");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<bool>("inForce");
    // Times of day: start 01:00 / end 01:00 in Europe, start 02:00 / end 03:00 south.
    QTest::newRow("EU at start") << EuStart << EuEnd << utc(2026, 3, 29, 1, 0) << false;
    QTest::newRow("EU minute after start") << EuStart << EuEnd << utc(2026, 3, 29, 1, 1) << true;
    QTest::newRow("EU minute before end") << EuStart << EuEnd << utc(2026, 10, 25, 0, 59) << true;
    QTest::newRow("EU at end") << EuStart << EuEnd << utc(2026, 10, 25, 1, 0) << false;
    QTest::newRow("south at end") << SouthStart << SouthEnd << utc(2026, 4, 5, 3, 0) << true;
    QTest::newRow("south minute after end") << SouthStart << SouthEnd << utc(2026, 4, 5, 3, 1) << false;
    QTest::newRow("south at start") << SouthStart << SouthEnd << utc(2026, 10, 4, 2, 0) << true;
    QTest::newRow("no end rule, summer") << EuStart << NoRule << utc(2026, 7, 1) << false;
    QTest::newRow("no rules at all") << "Beginn: keine Regelung" << NoRule << utc(2026, 7, 1) << false;
    // The labels decide which end of summer time a text names, not its field.
    QTest::newRow("fields swapped") << EuEnd << EuStart << utc(2026, 7, 1) << true;
}

void TestDstRules::inForce() {
    QFETCH(QString, startRule);
    QFETCH(QString, endRule);
    QFETCH(QDateTime, at);
    QFETCH(bool, inForce);
    const bool south = startRule == SouthStart;
    const auto r = DstRules::summerTimeInForce(
        startRule, south ? QStringLiteral("02:00") : QStringLiteral("01:00"), endRule,
        south ? QStringLiteral("03:00") : QStringLiteral("01:00"), at, 2026);
    QVERIFY2(r.status == Status::Ok, qPrintable(r.message));
    QCOMPARE(r.inForce, inForce);
}

void TestDstRules::localTime_data() {
    QTest::addColumn<double>("utcOffset");
    QTest::addColumn<double>("dstOffset");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<QDateTime>("wallClock");
    QTest::addColumn<bool>("summer");
    QTest::newRow("Berlin summer") << 1.0 << 1.0 << utc(2026, 7, 1, 12) << utc(2026, 7, 1, 14) << true;
    QTest::newRow("back over midnight") << -3.5 << 1.0 << utc(2026, 1, 1, 2) << utc(2025, 12, 31, 22, 30) << false;
    QTest::newRow("quarter hours") << 5.75 << 0.0 << utc(2026, 7, 1, 12) << utc(2026, 7, 1, 17, 45) << true;
    // An instant given in another offset counts by its UTC value.
    QTest::newRow("instant not in UTC")
        << 1.0 << 1.0 << QDateTime(QDate(2026, 7, 1), QTime(14, 0), Qt::OffsetFromUTC, 7200)
        << utc(2026, 7, 1, 14) << true;
}

void TestDstRules::localTime() {
    QFETCH(double, utcOffset);
    QFETCH(double, dstOffset);
    QFETCH(QDateTime, at);
    QFETCH(QDateTime, wallClock);
    QFETCH(bool, summer);
    DstRules::Zone zone = centralEurope();
    zone.utcOffset = utcOffset;
    zone.dstOffset = dstOffset;
    const auto r = DstRules::localTime(zone, at, 2026);
    QVERIFY2(r.status == Status::Ok, qPrintable(r.message));
    QCOMPARE(r.summerTime, summer);
    QCOMPARE(r.wallClock, wallClock);
    QCOMPARE(r.zoneText1, summer ? zone.dstTimeText1 : zone.stdTimeText1);
    QCOMPARE(r.zoneText2, summer ? zone.dstTimeText2 : zone.stdTimeText2);
}

void TestDstRules::localTimeRefused() {
    DstRules::Zone zone = centralEurope();
    zone.dstEndTime = QStringLiteral("1 Uhr");
    const auto r = DstRules::localTime(zone, utc(2026, 7, 1), 2026);
    QCOMPARE(r.status, Status::NotATime);
    QCOMPARE(r.message, QStringLiteral("'1 Uhr' ist keine gültige Uhrzeit"));
    QVERIFY(!r.wallClock.isValid() && r.zoneText1.isEmpty());

    // A zone without summer time keeps standard time the whole year.
    DstRules::Zone plain = centralEurope();
    plain.dstStartRule = QStringLiteral("Beginn: keine Regelung");
    plain.dstEndRule = NoRule;
    plain.dstStartTime.clear();
    plain.dstEndTime.clear();
    const auto july = DstRules::localTime(plain, utc(2026, 7, 1, 12), 2026);
    QVERIFY(july.status == Status::Ok && !july.summerTime && july.zoneText1 == u"MEZ");
    QCOMPARE(july.wallClock, utc(2026, 7, 1, 13));
}

QTEST_GUILESS_MAIN(TestDstRules)
#include "test_dstrules.moc"
