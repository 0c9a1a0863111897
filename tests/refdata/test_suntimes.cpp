#include "refdata/SunTimes.h"

#include "DataTable.h"
#include "TestFolder.h"

#include <QtTest>
#include <cmath>

class TestSunTimes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void independentReference_data();
    void independentReference();
    void neverRisesNeverSets_data();
    void neverRisesNeverSets();
    void alwaysADayFraction();
    void badInput_data();
    void badInput();
    void todayFromTheClock();
    void hourMinute_data();
    void hourMinute();
    void zenithFromBox_data();
    void zenithFromBox();
};

// The independent reference: astral (see the file's header), within 180 s.
void TestSunTimes::independentReference_data() {
    addTableRows(QStringLiteral("refdata/data/sun-times.tsv"));
}

void TestSunTimes::independentReference() {
    QFETCH(QStringList, fields);
    QCOMPARE(fields.size(), 7);
    const QDate date = QDate::fromString(fields[3], Qt::ISODate);
    for (bool sunset : {false, true}) {
        const double r = SunTimes::Sun(sunset, fields[1].toDouble(), fields[2].toDouble(), fields[4].toDouble(), date);
        const QTime expected = QTime::fromString(fields[sunset ? 6 : 5], QStringLiteral("HH:mm:ss"));
        // The shorter way round the clock.
        const double apart = std::remainder(r * 86400.0 - expected.msecsSinceStartOfDay() / 1000.0, 86400.0);
        QVERIFY2(r >= 0.0 && r < 1.0 && std::fabs(apart) <= 180.0, qPrintable(SunTimes::hourMinute(r)));
    }
}

void TestSunTimes::neverRisesNeverSets_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("zenith");
    QTest::addColumn<double>("expected");
    const double z = SunTimes::DefaultZenith;
    QTest::newRow("70 N midsummer") << 70.0 << QDate(2026, 6, 21) << z << SunTimes::NeverSets;
    QTest::newRow("70 N midwinter") << 70.0 << QDate(2026, 12, 21) << z << SunTimes::NeverRises;
    QTest::newRow("70 S midwinter") << -70.0 << QDate(2026, 6, 21) << z << SunTimes::NeverRises;
    // The North Pole itself: the latitude's cosine is not quite zero.
    QTest::newRow("pole in summer") << 90.0 << QDate(2026, 6, 21) << z << SunTimes::NeverSets;
    // Astronomical night never comes at 60 N in midsummer.
    QTest::newRow("60 N astronomical") << 60.0 << QDate(2026, 6, 21) << 108.0 << SunTimes::NeverSets;
}

void TestSunTimes::neverRisesNeverSets() {
    QFETCH(double, latitude);
    QFETCH(QDate, date);
    QFETCH(double, zenith);
    QFETCH(double, expected);
    QCOMPARE(SunTimes::Sun(false, latitude, 20.0, zenith, date), expected);
    QCOMPARE(SunTimes::Sun(true, latitude, 20.0, zenith, date), expected);
    QVERIFY(SunTimes::hourMinute(expected).isEmpty());
}

// Every day of a year, everywhere the sun rises and sets, the result is a
// fraction of a day: the wrapping of L, RA and UT holds in every quadrant,
// also for longitudes given beyond a full turn.
void TestSunTimes::alwaysADayFraction() {
    for (QDate d(2028, 1, 1); d.year() == 2028; d = d.addDays(3))
        for (double lat = -60.0; lat <= 60.0; lat += 15.0)
            for (double lon = -540.0; lon <= 540.0; lon += 45.0)
                for (bool sunset : {false, true}) {
                    const double r = SunTimes::Sun(sunset, lat, lon, SunTimes::DefaultZenith, d);
                    if (!(r >= 0.0 && r < 1.0))
                        QFAIL(qPrintable(QStringLiteral("%1 %2 %3: %4").arg(d.toString(Qt::ISODate)).arg(lat).arg(lon)
                                             .arg(r)));
                }
    // A longitude so far off that the almanac's loops would subtract 24 hours
    // for ever still gives an answer.
    const double far = SunTimes::Sun(false, 45.0, 1e12, SunTimes::DefaultZenith, QDate(2026, 6, 1));
    QVERIFY(far == SunTimes::Undefined || (far >= 0.0 && far < 1.0));
}

void TestSunTimes::badInput_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("zenith");
    QTest::addColumn<QDate>("date");
    const double nan = std::nan("");
    QTest::newRow("latitude nan") << nan << 13.4 << 90.8333 << QDate(2026, 6, 21);
    QTest::newRow("longitude infinite") << 52.5 << HUGE_VAL << 90.8333 << QDate(2026, 6, 21);
    QTest::newRow("zenith nan") << 52.5 << 13.4 << nan << QDate(2026, 6, 21);
    QTest::newRow("no date") << 52.5 << 13.4 << 90.8333 << QDate();
}

void TestSunTimes::badInput() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, zenith);
    QFETCH(QDate, date);
    QCOMPARE(SunTimes::Sun(false, latitude, longitude, zenith, date), SunTimes::Undefined);
    QCOMPARE(SunTimes::Sun(true, latitude, longitude, zenith, date), SunTimes::Undefined);
    QCOMPARE(SunTimes::internalErrorText(), QStringLiteral("UT nicht zwischen 0 und 24 nach function Sun"));
}

void TestSunTimes::todayFromTheClock() {
    FakeClock clock;
    clock.now = QDateTime(QDate(2026, 6, 21), QTime(23, 59));
    QCOMPARE(SunTimes::Sun(false, 52.5, 13.4, SunTimes::DefaultZenith, clock),
             SunTimes::Sun(false, 52.5, 13.4, SunTimes::DefaultZenith, QDate(2026, 6, 21)));
    clock.now = QDateTime(QDate(2026, 12, 21), QTime(0, 1));
    QCOMPARE(SunTimes::Sun(true, 70.0, 20.0, SunTimes::DefaultZenith, clock), SunTimes::NeverRises);
}

void TestSunTimes::hourMinute_data() {
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("text");
    QTest::newRow("midnight") << 0.0 << "00:00";
    QTest::newRow("minute cut, not rounded") << (12 * 60 + 34.9) / 1440.0 << "12:34";
    QTest::newRow("last minute") << (23 * 60 + 59.5) / 1440.0 << "23:59";
    QTest::newRow("one day") << 1.0 << "";
}

void TestSunTimes::hourMinute() {
    QFETCH(double, fraction);
    QFETCH(QString, text);
    QCOMPARE(SunTimes::hourMinute(fraction), text);
}

void TestSunTimes::zenithFromBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("zenith"); // 0: not a number
    QTest::newRow("official button") << "90,8333°" << 90.8333;
    QTest::newRow("sign not yet added") << "102" << 102.0;
    QTest::newRow("sign only") << "°" << 0.0;
    QTest::newRow("decimal point") << "90.8333°" << 0.0;
    QTest::newRow("two commas") << "9,0,1°" << 0.0;
}

void TestSunTimes::zenithFromBox() {
    QFETCH(QString, text);
    QFETCH(double, zenith);
    QCOMPARE(SunTimes::zenithFromBoxText(text).value_or(0.0), zenith);
}

QTEST_GUILESS_MAIN(TestSunTimes)
#include "test_suntimes.moc"
