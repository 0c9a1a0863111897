#include "refdata/SunTimes.h"

#include "TestFolder.h"

#include <QtTest>
#include <cmath>

namespace {

// Seconds between a day fraction and a "hh:mm:ss" UTC text, the shorter way
// round the clock.
double secondsApart(double dayFraction, const QString& utc) {
    const QTime t = QTime::fromString(utc, QStringLiteral("HH:mm:ss"));
    Q_ASSERT(t.isValid());
    const double diff = dayFraction * 86400.0 - t.msecsSinceStartOfDay() / 1000.0;
    return std::fabs(std::remainder(diff, 86400.0));
}

} // namespace

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
    void zenithTexts();
    void zenithFromBox_data();
    void zenithFromBox();
};

// Reference: python3-astral 1.6.1 (Debian 12), computed once with
//   Astral().sunrise_utc(date, lat, lon) / sunset_utc(...) for zenith 90.8333,
//   Astral().dawn_utc(date, lat, lon, depression=z - 90) / dusk_utc(...) otherwise,
// taking for each event the day whose result lies nearest local morning or
// evening of the given date (east of about 90 E sunrise falls on the UTC day
// before). Largest difference seen: 131 s (Anchorage sunset); every other
// event within 100 s.
void TestSunTimes::independentReference_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("zenith");
    QTest::addColumn<QString>("rise");
    QTest::addColumn<QString>("set");
    const double z = SunTimes::DefaultZenith;
    QTest::newRow("Berlin midsummer") << 52.5 << 13.4 << QDate(2026, 6, 21) << z << "02:43:12" << "19:33:01";
    QTest::newRow("Sydney") << -33.87 << 151.21 << QDate(2026, 12, 21) << z << "18:40:45" << "09:05:13";
    QTest::newRow("Quito") << -0.18 << -78.47 << QDate(2026, 3, 20) << z << "11:18:07" << "23:24:47";
    QTest::newRow("New York") << 40.71 << -74.0 << QDate(2026, 1, 15) << z << "12:18:03" << "21:52:23";
    QTest::newRow("Honolulu") << 21.3 << -157.86 << QDate(2026, 7, 4) << z << "15:53:58" << "05:17:39";
    QTest::newRow("Cape Town") << -33.92 << 18.42 << QDate(2026, 6, 21) << z << "05:51:16" << "15:44:47";
    QTest::newRow("Anchorage") << 61.2 << -149.9 << QDate(2026, 11, 1) << z << "17:26:10" << "02:00:06";
    QTest::newRow("Ushuaia") << -54.8 << -68.3 << QDate(2026, 10, 10) << z << "09:36:50" << "23:03:47";
    QTest::newRow("Tromso") << 69.65 << 18.96 << QDate(2026, 4, 15) << z << "02:43:29" << "18:45:06";
    QTest::newRow("Apia") << -13.83 << -171.76 << QDate(2026, 8, 30) << z << "17:33:21" << "05:22:18";
    QTest::newRow("Berlin civil") << 52.5 << 13.4 << QDate(2026, 3, 20) << 96.0 << "04:35:42" << "17:52:15";
    QTest::newRow("Quito nautical") << -0.18 << -78.47 << QDate(2026, 9, 23) << 102.0 << "10:18:26" << "23:54:26";
    QTest::newRow("New York nautical") << 40.71 << -74.0 << QDate(2026, 1, 15) << 102.0 << "11:14:09" << "22:56:18";
}

void TestSunTimes::independentReference() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(double, zenith);
    QFETCH(QString, rise);
    QFETCH(QString, set);
    const double r = SunTimes::Sun(false, latitude, longitude, zenith, date);
    const double s = SunTimes::Sun(true, latitude, longitude, zenith, date);
    QVERIFY2(r >= 0.0 && r < 1.0, qPrintable(QString::number(r)));
    QVERIFY2(s >= 0.0 && s < 1.0, qPrintable(QString::number(s)));
    QVERIFY2(secondsApart(r, rise) <= 180.0, qPrintable(SunTimes::hourMinute(r)));
    QVERIFY2(secondsApart(s, set) <= 180.0, qPrintable(SunTimes::hourMinute(s)));
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
    int checked = 0;
    for (QDate d(2028, 1, 1); d.year() == 2028; d = d.addDays(3))
        for (double lat = -60.0; lat <= 60.0; lat += 15.0)
            for (double lon = -540.0; lon <= 540.0; lon += 45.0)
                for (bool sunset : {false, true}) {
                    const double r = SunTimes::Sun(sunset, lat, lon, SunTimes::DefaultZenith, d);
                    if (!(r >= 0.0 && r < 1.0))
                        QFAIL(qPrintable(QStringLiteral("%1 %2 %3: %4")
                                             .arg(d.toString(Qt::ISODate))
                                             .arg(lat)
                                             .arg(lon)
                                             .arg(r)));
                    ++checked;
                }
    QVERIFY(checked > 10000);
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
    QTest::newRow("noon") << 0.5 << "12:00";
    QTest::newRow("minute cut, not rounded") << (12 * 60 + 34.9) / 1440.0 << "12:34";
    QTest::newRow("last minute") << (23 * 60 + 59.5) / 1440.0 << "23:59";
    QTest::newRow("never rises") << SunTimes::NeverRises << "";
    QTest::newRow("never sets") << SunTimes::NeverSets << "";
    QTest::newRow("one day") << 1.0 << "";
}

void TestSunTimes::hourMinute() {
    QFETCH(double, fraction);
    QFETCH(QString, text);
    QCOMPARE(SunTimes::hourMinute(fraction), text);
}

void TestSunTimes::zenithTexts() {
    QCOMPARE(SunTimes::zenithButtonText(90), QStringLiteral("90,8333°"));
    QCOMPARE(SunTimes::zenithButtonText(108), QStringLiteral("108°"));
    QCOMPARE(SunTimes::zenithBoxText(SunTimes::DefaultZenith), QStringLiteral("90,8333°"));
    QCOMPARE(SunTimes::zenithBoxText(96.0), QStringLiteral("96°"));
}

void TestSunTimes::zenithFromBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("zenith");
    QTest::newRow("official button") << "90,8333°" << true << 90.8333;
    QTest::newRow("typed 9") << "9°" << true << 9.0;
    QTest::newRow("sign not yet added") << "102" << true << 102.0;
    QTest::newRow("sign only") << "°" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("decimal point") << "90.8333°" << false << 0.0;
    QTest::newRow("two commas") << "9,0,1°" << false << 0.0;
}

void TestSunTimes::zenithFromBox() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, zenith);
    const auto z = SunTimes::zenithFromBoxText(text);
    QCOMPARE(z.has_value(), isNumber);
    if (isNumber) QCOMPARE(*z, zenith);
}

QTEST_GUILESS_MAIN(TestSunTimes)
#include "test_suntimes.moc"
