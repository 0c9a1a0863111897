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
    void badInput();
    void todayFromTheClock();
    void texts();
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
                        QFAIL(qPrintable(QString("%1 %2 %3: %4").arg(d.toString(Qt::ISODate)).arg(lat).arg(lon).arg(r)));
                }
    // A longitude so far off that the almanac's loops would subtract 24 hours for ever still answers.
    const double far = SunTimes::Sun(false, 45.0, 1e12, SunTimes::DefaultZenith, QDate(2026, 6, 1));
    QVERIFY(far == SunTimes::Undefined || (far >= 0.0 && far < 1.0));
}

// A position or zenith that is no number, and no date, give no time instead of a wrong one.
void TestSunTimes::badInput() {
    const double nan = std::nan("");
    const QDate day(2026, 6, 21);
    const QList<std::tuple<double, double, double, QDate>> cases = { // latitude, longitude, zenith, date
        {nan, 13.4, 90.8333, day}, {52.5, HUGE_VAL, 90.8333, day}, {52.5, 13.4, nan, day}, {52.5, 13.4, 90.8333, QDate()}};
    for (const auto& [latitude, longitude, zenith, date] : cases)
        for (bool sunset : {false, true})
            QVERIFY2(SunTimes::Sun(sunset, latitude, longitude, zenith, date) == SunTimes::Undefined,
                     qPrintable(QString("%1 %2 %3 %4").arg(latitude).arg(longitude).arg(zenith).arg(date.toString())));
    QCOMPARE(SunTimes::internalErrorText(), QStringLiteral("UT nicht zwischen 0 und 24 nach function Sun"));
}

void TestSunTimes::todayFromTheClock() {
    FakeClock clock;
    clock.now = QDateTime(QDate(2026, 6, 21), QTime(23, 59));
    QCOMPARE(SunTimes::Sun(false, 52.5, 13.4, SunTimes::DefaultZenith, clock),
             SunTimes::Sun(false, 52.5, 13.4, SunTimes::DefaultZenith, QDate(2026, 6, 21)));
}

// Times shown as hh:mm, cut and not rounded (one day is no time); the zenith box
// takes a decimal comma with or without the degree sign, nothing else.
void TestSunTimes::texts() {
    const QList<std::pair<double, QString>> times = {
        {0.0, "00:00"}, {(12 * 60 + 34.9) / 1440.0, "12:34"}, {(23 * 60 + 59.5) / 1440.0, "23:59"}, {1.0, ""}};
    for (const auto& [fraction, text] : times)
        QCOMPARE(SunTimes::hourMinute(fraction), text);
    const QList<std::pair<QString, double>> zeniths = { // 0: not a number
        {"90,8333°", 90.8333}, {"102", 102.0}, {"90.8333°", 0.0}, {"9,0,1°", 0.0}};
    for (const auto& [text, zenith] : zeniths)
        QVERIFY2(SunTimes::zenithFromBoxText(text).value_or(0.0) == zenith, qPrintable(text));
}

QTEST_GUILESS_MAIN(TestSunTimes)
#include "test_suntimes.moc"
