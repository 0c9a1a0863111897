#include "links/HamCapTarget.h"
#include "links/Minimuf.h"
#include "links/PropagationArea.h"
#include "links/PropagationBands.h"
#include "links/PropagationChart.h"
#include "links/PropagationSettings.h"
#include "settings/Settings.h"

#include <QFile>
#include <QtTest>
#include <cmath>
#include <limits>
#include <numbers>

using Minimuf::Position;
Q_DECLARE_METATYPE(Minimuf::Position)

namespace {

QString referencePath() {
    return qEnvironmentVariable("VESK_SOURCE_DIR") + QStringLiteral("/tests/links/data/minimuf-reference.csv");
}

} // namespace

class TestMinimuf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesIndependentReference_data();
    void matchesIndependentReference();
    void pathIsTheSameFromEitherEnd_data();
    void pathIsTheSameFromEitherEnd();
    void degeneratePathsGiveANumber_data();
    void degeneratePathsGiveANumber();
    void moreSunspotsRaiseTheMuf();
    void onGlobe_data();
    void onGlobe();
    void bandIndex_data();
    void bandIndex();
    void target_data();
    void target();
    void axisTop_data();
    void axisTop();
    void daylightAndGreyLine_data();
    void daylightAndGreyLine();
    void rasterCellsCoverTheGlobe();
    void sunspotSetting_data();
    void sunspotSetting();
};

void TestMinimuf::matchesIndependentReference_data() {
    QTest::addColumn<Position>("from");
    QTest::addColumn<Position>("to");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("hour");
    QTest::addColumn<double>("sunspots");
    QTest::addColumn<double>("expected");
    QFile file(referencePath());
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(referencePath()));
    int rows = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u',');
        QCOMPARE(f.size(), 10);
        QTest::newRow(qPrintable(f[9])) << Position{f[0].toDouble(), f[1].toDouble()}
                                        << Position{f[2].toDouble(), f[3].toDouble()}
                                        << QDate(2026, f[4].toInt(), f[5].toInt()) << f[6].toDouble()
                                        << f[7].toDouble() << f[8].toDouble();
        ++rows;
    }
    QVERIFY(rows >= 10);
}

void TestMinimuf::matchesIndependentReference() {
    QFETCH(Position, from);
    QFETCH(Position, to);
    QFETCH(QDate, date);
    QFETCH(double, hour);
    QFETCH(double, sunspots);
    QFETCH(double, expected);
    const double muf = Minimuf::muf(from, to, date, hour, sunspots);
    // The reference rounds to 1 kHz and steps along the path with 0.9999
    // instead of 1; together well below 10 kHz.
    QVERIFY2(std::abs(muf - expected) < 0.01, qPrintable(QStringLiteral("%1 instead of %2").arg(muf).arg(expected)));
}

void TestMinimuf::pathIsTheSameFromEitherEnd_data() {
    QTest::addColumn<Position>("a");
    QTest::addColumn<Position>("b");
    QTest::addColumn<bool>("longPath");
    QTest::newRow("JO31-VK2 short") << Position{51.23, 7.13} << Position{-33.87, 151.21} << false;
    QTest::newRow("JO31-VK2 long") << Position{51.23, 7.13} << Position{-33.87, 151.21} << true;
    QTest::newRow("across the date line") << Position{35.7, 139.7} << Position{34.05, -118.25} << false;
    QTest::newRow("one hop") << Position{48.15, 11.63} << Position{41.9, 12.5} << false;
    QTest::newRow("one hop long") << Position{48.15, 11.63} << Position{41.9, 12.5} << true;
}

// The control points of a path do not depend on which end starts it; a
// point put on the wrong side of a meridian or the wrong way round the
// globe shows here.
void TestMinimuf::pathIsTheSameFromEitherEnd() {
    QFETCH(Position, a);
    QFETCH(Position, b);
    QFETCH(bool, longPath);
    for (int hour : {0, 5, 11, 17, 23}) {
        const double ab = Minimuf::muf(a, b, QDate(2026, 12, 7), hour, 100, longPath);
        const double ba = Minimuf::muf(b, a, QDate(2026, 12, 7), hour, 100, longPath);
        QVERIFY2(std::abs(ab - ba) < 1e-6, qPrintable(QStringLiteral("hour %1: %2 / %3").arg(hour).arg(ab).arg(ba)));
    }
}

void TestMinimuf::degeneratePathsGiveANumber_data() {
    QTest::addColumn<Position>("a");
    QTest::addColumn<Position>("b");
    QTest::addColumn<bool>("longPath");
    QTest::newRow("same place") << Position{51.23, 7.13} << Position{51.23, 7.13} << false;
    QTest::newRow("same place, long path") << Position{51.23, 7.13} << Position{51.23, 7.13} << true;
    QTest::newRow("antipodes") << Position{40.0, 10.0} << Position{-40.0, -170.0} << false;
    QTest::newRow("north pole") << Position{90.0, 0.0} << Position{51.23, 7.13} << false;
    QTest::newRow("pole to pole") << Position{90.0, 0.0} << Position{-90.0, 0.0} << true;
    QTest::newRow("date line edges") << Position{0.0, 180.0} << Position{0.0, -180.0} << false;
    // About 4000 km: one hop becomes two here, where the step along the path
    // of the old program shrank towards nothing.
    QTest::newRow("at the hop limit") << Position{0.0, 0.0} << Position{0.0, 180.0 / (std::numbers::pi * 1.59) * 1.0001}
                                      << false;
}

void TestMinimuf::degeneratePathsGiveANumber() {
    QFETCH(Position, a);
    QFETCH(Position, b);
    QFETCH(bool, longPath);
    for (int hour = 0; hour < 24; hour += 3) {
        const double muf = Minimuf::muf(a, b, QDate(2026, 6, 21), hour, 100, longPath);
        QVERIFY2(std::isfinite(muf) && muf > 0.0 && muf < 100.0, qPrintable(QString::number(muf)));
    }
}

void TestMinimuf::moreSunspotsRaiseTheMuf() {
    const Position home{51.23, 7.13};
    const Position ny{40.7, -74.0};
    for (int hour = 0; hour < 24; hour += 4) {
        const double quiet = Minimuf::muf(home, ny, QDate(2026, 3, 1), hour, 0);
        const double busy = Minimuf::muf(home, ny, QDate(2026, 3, 1), hour, 200);
        // The model scales with 1 + R / 250.
        QVERIFY(std::abs(busy / quiet - 1.8) < 1e-9);
    }
}

void TestMinimuf::onGlobe_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("expected");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("corner") << -90.0 << 180.0 << true;
    QTest::newRow("too far north") << 90.001 << 0.0 << false;
    QTest::newRow("too far west") << 0.0 << -180.5 << false;
    QTest::newRow("not a number") << nan << 0.0 << false;
    QTest::newRow("infinite") << 0.0 << std::numeric_limits<double>::infinity() << false;
}

void TestMinimuf::onGlobe() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(bool, expected);
    QCOMPARE(Minimuf::onGlobe({latitude, longitude}), expected);
}

void TestMinimuf::bandIndex_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("index");
    const QStringList known = {"80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m"};
    for (int i = 0; i < known.size(); ++i)
        QTest::newRow(qPrintable(known[i])) << known[i] << i;
    QTest::newRow("160m") << "160m" << 0;
    QTest::newRow("6m") << "6m" << 0;
    QTest::newRow("60m") << "60m" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("with a blank") << "20m " << 0;
}

void TestMinimuf::bandIndex() {
    QFETCH(QString, label);
    QFETCH(int, index);
    QCOMPARE(PropagationBands::bandIndex(label), index);
    // Every index names a band whose label leads back to it.
    QCOMPARE(PropagationBands::bandIndex(PropagationBands::label(index)), index);
}

void TestMinimuf::target_data() {
    QTest::addColumn<QStringList>("locators");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    const int none = int(HamCapTarget::Kind::None);
    const int locator = int(HamCapTarget::Kind::Locator);
    const int call = int(HamCapTarget::Kind::Call);
    QTest::newRow("locator, no call") << QStringList{"JO31AB"} << QStringList{""} << locator << "JO31AB";
    QTest::newRow("locator before call") << QStringList{"JO31AB"} << QStringList{"DL1ABC"} << locator << "JO31AB";
    QTest::newRow("square only: call") << QStringList{"JO31"} << QStringList{"DL1ABC"} << call << "DL1ABC";
    QTest::newRow("seven characters: call") << QStringList{"JO31AB1"} << QStringList{"DL1ABC"} << call << "DL1ABC";
    QTest::newRow("lower case") << QStringList{"jo31ab"} << QStringList{} << locator << "JO31AB";
    QTest::newRow("empty field, row's locator")
        << QStringList{"", "JN58TD"} << QStringList{"", "OK2XYZ"} << locator << "JN58TD";
    QTest::newRow("field before row") << QStringList{"JO41", "JN58TD"} << QStringList{"DK1XY", "OK2XYZ"} << call
                                      << "DK1XY";
    QTest::newRow("three-character call") << QStringList{""} << QStringList{"K1A"} << call << "K1A";
    QTest::newRow("two characters are no call") << QStringList{""} << QStringList{"DL"} << none << "";
    QTest::newRow("nothing") << QStringList{} << QStringList{} << none << "";
}

void TestMinimuf::target() {
    QFETCH(QStringList, locators);
    QFETCH(QStringList, calls);
    QFETCH(int, kind);
    QFETCH(QString, text);
    const HamCapTarget::Target t = HamCapTarget::choose(locators, calls);
    QCOMPARE(int(t.kind), kind);
    QCOMPARE(t.text, text);
}

void TestMinimuf::axisTop_data() {
    QTest::addColumn<double>("highestMuf");
    QTest::addColumn<int>("band");
    QTest::addColumn<double>("top");
    QTest::newRow("20m under 26.8") << 26.8 << 3 << 30.0;
    QTest::newRow("exactly 25") << 25.0 << 3 << 30.0;
    QTest::newRow("low MUF") << 4.4 << 0 << 10.0;
    QTest::newRow("band above the MUF") << 9.0 << 7 << 30.0;
}

void TestMinimuf::axisTop() {
    QFETCH(double, highestMuf);
    QFETCH(int, band);
    QFETCH(double, top);
    PropagationChart::Day day;
    day.muf.fill(highestMuf / 2);
    day.muf[13] = highestMuf;
    day.bandMhz = PropagationBands::frequencyMhz(band);
    QCOMPARE(PropagationChart::axisTop(day), top);
}

void TestMinimuf::daylightAndGreyLine_data() {
    QTest::addColumn<Position>("place");
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<int>("light");
    const int night = int(PropagationArea::Light::Night);
    const int twilight = int(PropagationArea::Light::Twilight);
    const int day = int(PropagationArea::Light::Day);
    const QDate equinox(2026, 3, 20);
    // On the equator at 0° the sun sets a few minutes after 18:00 UTC and is
    // 6° below the horizon about half an hour later.
    QTest::newRow("before sunset") << Position{0, 0} << QDateTime(equinox, QTime(17, 30), Qt::UTC) << day;
    QTest::newRow("grey line") << Position{0, 0} << QDateTime(equinox, QTime(18, 15), Qt::UTC) << twilight;
    QTest::newRow("night") << Position{0, 0} << QDateTime(equinox, QTime(18, 50), Qt::UTC) << night;
    QTest::newRow("morning grey line") << Position{0, 0} << QDateTime(equinox, QTime(5, 55), Qt::UTC)
                                       << twilight;
    // Midsummer: the sun does not set at 70° north, nor rise at 70° south.
    const QDateTime midsummerMidnight(QDate(2026, 6, 21), QTime(0, 0), Qt::UTC);
    QTest::newRow("midnight sun") << Position{70, 20} << midsummerMidnight << day;
    QTest::newRow("polar night") << Position{-70, 20} << midsummerMidnight << night;
    // Evening at 12:00 UTC, local time about 22:00 at 150° east (Sydney, winter).
    QTest::newRow("Sydney evening") << Position{-33.87, 151.21} << QDateTime(QDate(2026, 6, 21), QTime(12, 0), Qt::UTC)
                                    << night;
}

void TestMinimuf::daylightAndGreyLine() {
    QFETCH(Position, place);
    QFETCH(QDateTime, utc);
    QFETCH(int, light);
    QCOMPARE(int(PropagationArea::lightAt(place, utc)), light);
}

void TestMinimuf::rasterCellsCoverTheGlobe() {
    const Position home{51.23, 7.13};
    const PropagationArea::Raster r =
        PropagationArea::compute(home, QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC), 100, 3, 36, 18);
    QCOMPARE(int(r.muf.size()), 36 * 18);
    QCOMPARE(r.columnOf(-180.0), 0);
    QCOMPARE(r.columnOf(180.0), 35);
    QCOMPARE(r.rowOf(90.0), 0);
    QCOMPARE(r.rowOf(-90.0), 17);
    // Each cell's centre lies in that cell, and its MUF is the one from home.
    for (int row = 0; row < r.rows; row += 5) {
        for (int column = 0; column < r.columns; column += 7) {
            const Position c = r.centre(column, row);
            QCOMPARE(r.columnOf(c.longitude), column);
            QCOMPARE(r.rowOf(c.latitude), row);
            const double muf = Minimuf::muf(home, c, QDate(2026, 12, 7), 12.0, 100);
            QVERIFY(std::abs(r.muf[std::size_t(r.index(column, row))] - muf) < 1e-3);
        }
    }
    // Noon over Europe in December: daylight at home, night over the Pacific.
    QCOMPARE(r.light[std::size_t(r.index(r.columnOf(7.13), r.rowOf(51.23)))], PropagationArea::Light::Day);
    QCOMPARE(r.light[std::size_t(r.index(r.columnOf(-170.0), r.rowOf(0.0)))], PropagationArea::Light::Night);
}

void TestMinimuf::sunspotSetting_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("read");
    QTest::newRow("missing") << QString() << PropagationSettings::DefaultSunspotNumber;
    QTest::newRow("stored") << "150" << 150;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("too many") << "999" << PropagationSettings::MaxSunspotNumber;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("no number") << "viele" << PropagationSettings::DefaultSunspotNumber;
}

void TestMinimuf::sunspotSetting() {
    QFETCH(QString, stored);
    QFETCH(int, read);
    Settings settings;
    if (!stored.isNull())
        settings.writeString(QStringLiteral("Propagation"), QStringLiteral("SunspotNumber"), stored);
    QCOMPARE(PropagationSettings::sunspotNumber(settings), read);
    // What is written reads back, within the range.
    PropagationSettings::setSunspotNumber(settings, read + 7);
    QCOMPARE(PropagationSettings::sunspotNumber(settings), std::min(read + 7, PropagationSettings::MaxSunspotNumber));
}

QTEST_APPLESS_MAIN(TestMinimuf)
#include "test_minimuf.moc"
