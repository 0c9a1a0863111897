#include "refdata/DstRules.h"

#include <QtTest>

using DstRules::Status;

Q_DECLARE_METATYPE(DstRules::Status)
Q_DECLARE_METATYPE(DstRules::Zone)

static QDateTime utc(int y, int m, int d, int h = 12, int min = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

static const QString EuStart = QStringLiteral("Beginn: Letzter Sonntag im Maerz");
static const QString EuEnd = QStringLiteral("Ende: Letzter Sonntag im Oktober");
static const QString SouthStart = QStringLiteral("Beginn: Erster Sonntag im Oktober");
static const QString SouthEnd = QStringLiteral("Ende: Erster Sonntag im April");
static const QString NoRule = QStringLiteral("Ende: keine Regelung");

static const DstRules::Zone centralEurope{1.0, 1.0, EuStart, QStringLiteral("01:00"), EuEnd, QStringLiteral("01:00"),
                                          QStringLiteral("MEZ"), QStringLiteral("Mitteleuropäische Zeit"),
                                          QStringLiteral("MESZ"), QStringLiteral("Mitteleuropäische Sommerzeit")};

class TestDstRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ruleDate_data();
    void ruleDate();
    void inForce_data();
    void inForce();
    void localTime_data();
    void localTime();
};

// The rule is read for the year of the expected instant, 2026 when refused.
void TestDstRules::ruleDate_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<bool>("isStart");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("message");
    auto ok = [](const char* name, const QString& rule, const char* time, const QDateTime& instant, bool isStart) {
        QTest::newRow(name) << rule << QString::fromLatin1(time) << instant << isStart << Status::Ok << QString();
    };
    // Common rules are compared with tzdata in test_dxcc; these are shapes the table lacks.
    // 1 March 2026 is a Sunday; after the 1st, the reference day itself does not count.
    ok("first Sunday after 1 March", "Beginn: Erster Sonntag nach dem 1. Maerz", "02:00", utc(2026, 3, 8, 2), true);
    ok("second Saturday after", "Ende: Zweiter Samstag nach dem 6. Juni", "00:00", utc(2026, 6, 20, 0), false);
    ok("leap February", "Ende: Letzter Sonntag im Februar", "03:00", utc(2028, 2, 27, 3), false);
    ok("last day is the weekday", "Ende: Letzter Dienstag im Maerz", "03:00", utc(2026, 3, 31, 3), false);
    ok("fixed day", "Beginn: 25. Maerz des Jahres", "00:00", utc(2026, 3, 25, 0), true);
    ok("fixed day, no blank", "Ende: 21.September des Jahres", "23:59", utc(2026, 9, 21, 23, 59), false);
    ok("seconds in the time", EuStart, "01:00:30", QDateTime(QDate(2026, 3, 29), QTime(1, 0, 30), Qt::UTC), true);
    // Without an ordinal the reference day is the rule's day.
    ok("no ordinal", "Beginn: Sonntag nach dem 3. Maerz", "01:00", utc(2026, 3, 3, 1), true);
    ok("only 'So' of the weekday is read", "Ende: Letzter Sonnday im Oktober", "01:00", utc(2026, 10, 25, 1), false);
    ok("only 'Beginn: ' marks a start", "Start: Letzter Sonntag im Maerz", "01:00", utc(2026, 3, 29, 1), false);
    QTest::newRow("keine Regelung") << NoRule << "01:00" << QDateTime() << false << Status::NoDate << "";
    QTest::newRow("umlaut in month") << "Beginn: Letzter Sonntag im März" << "01:00" << QDateTime() << true
                                     << Status::NotADate << "'1.März.2026' ist kein gültiges Datum";
    QTest::newRow("time out of range") << EuStart << "25:00" << QDateTime() << true << Status::NotATime
                                       << "'25:00' ist keine gültige Uhrzeit";
    // The weekday search could never end; the rule is refused instead.
    QTest::newRow("English weekday, last")
        << "Beginn: Letzter Sunday im Maerz" << "01:00" << QDateTime() << true << Status::UnknownWeekday
        << "'Sunday' ist kein Wochentag (Mo, Di, Mi, Do, Fr, Sa, So) in der Regel 'Beginn: Letzter Sunday im Maerz'";
}

void TestDstRules::ruleDate() {
    QFETCH(QString, rule);
    QFETCH(QString, time);
    QFETCH(QDateTime, instant);
    QFETCH(bool, isStart);
    QFETCH(Status, status);
    QFETCH(QString, message);
    const auto r = DstRules::ruleDate(rule, time, instant.isValid() ? instant.date().year() : 2026);
    QCOMPARE(r.status, status);
    QCOMPARE(r.message, message);
    QCOMPARE(r.instant, instant);
    if (r.instant.isValid())
        QCOMPARE(r.isStart, isStart);
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
    // The labels decide which end of summer time a text names, not its field.
    QTest::newRow("fields swapped") << EuEnd << EuStart << utc(2026, 7, 1) << true;
}

void TestDstRules::inForce() {
    QFETCH(QString, startRule);
    QFETCH(QString, endRule);
    QFETCH(QDateTime, at);
    QFETCH(bool, inForce);
    const bool south = startRule == SouthStart;
    const auto r = DstRules::summerTimeInForce(startRule, QString(south ? "02:00" : "01:00"), endRule,
                                               QString(south ? "03:00" : "01:00"), at, 2026);
    QVERIFY2(r.status == Status::Ok, qPrintable(r.message));
    QCOMPARE(r.inForce, inForce);
}

void TestDstRules::localTime_data() {
    QTest::addColumn<DstRules::Zone>("zone");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<QDateTime>("wallClock"); // invalid when refused
    QTest::addColumn<bool>("summer");
    QTest::addColumn<QString>("message");
    auto row = [](const char* name, double utcOffset, double dstOffset, const char* endTime, const QDateTime& at,
                  const QDateTime& wallClock, bool summer, const char* message = "") {
        DstRules::Zone zone = centralEurope;
        zone.utcOffset = utcOffset;
        zone.dstOffset = dstOffset;
        zone.dstEndTime = QString(endTime);
        if (zone.dstEndTime.isEmpty()) { // no summer time, whose empty times are no bad times
            zone.dstStartRule = QStringLiteral("Beginn: keine Regelung");
            zone.dstEndRule = NoRule;
            zone.dstStartTime.clear();
        }
        QTest::newRow(name) << zone << at << wallClock << summer << QString(message);
    };
    row("Berlin summer", 1.0, 1.0, "01:00", utc(2026, 7, 1, 12), utc(2026, 7, 1, 14), true);
    row("back over midnight", -3.5, 1.0, "01:00", utc(2026, 1, 1, 2), utc(2025, 12, 31, 22, 30), false);
    row("quarter hours", 5.75, 0.0, "01:00", utc(2026, 7, 1, 12), utc(2026, 7, 1, 17, 45), true);
    // An instant given in another offset counts by its UTC value.
    row("instant not in UTC", 1.0, 1.0, "01:00", QDateTime(QDate(2026, 7, 1), QTime(14, 0), Qt::OffsetFromUTC, 7200),
        utc(2026, 7, 1, 14), true);
    row("no summer time", 1.0, 1.0, "", utc(2026, 7, 1, 12), utc(2026, 7, 1, 13), false);
    row("bad end time", 1.0, 1.0, "1 Uhr", utc(2026, 7, 1), QDateTime(), false, "'1 Uhr' ist keine gültige Uhrzeit");
}

void TestDstRules::localTime() {
    QFETCH(DstRules::Zone, zone);
    QFETCH(QDateTime, at);
    QFETCH(QDateTime, wallClock);
    QFETCH(bool, summer);
    QFETCH(QString, message);
    const auto r = DstRules::localTime(zone, at, 2026);
    QCOMPARE(r.status, message.isEmpty() ? Status::Ok : Status::NotATime);
    QCOMPARE(r.message, message);
    QCOMPARE(r.wallClock, wallClock);
    QCOMPARE(r.summerTime, summer);
    QCOMPARE(r.zoneText1, !wallClock.isValid() ? QString() : summer ? zone.dstTimeText1 : zone.stdTimeText1);
    QCOMPARE(r.zoneText2, !wallClock.isValid() ? QString() : summer ? zone.dstTimeText2 : zone.stdTimeText2);
}

QTEST_GUILESS_MAIN(TestDstRules)
#include "test_dstrules.moc"
