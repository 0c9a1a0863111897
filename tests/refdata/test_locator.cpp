#include "refdata/Locator.h"
#include "settings/LanguageTexts.h"

#include <QtTest>
#include <cmath>
#include <numbers>

namespace {

// "287 km" -> 287, "95 °" -> 95; -1 when the text is not a number and a unit.
int leadingNumber(const QString& text, const QString& unit) {
    if (!text.endsWith(unit)) return -1;
    bool ok = false;
    const int n = text.chopped(unit.size()).toInt(&ok);
    return ok ? n : -1;
}

int km(const QString& text) {
    return leadingNumber(text, QStringLiteral(" km"));
}
int degrees(const QString& text) {
    return leadingNumber(text, QStringLiteral(" °"));
}

QString chars(std::initializer_list<char16_t> codes) {
    QString s;
    for (char16_t c : codes)
        s += QChar(c);
    return s;
}

const LanguageTexts& texts() {
    static const LanguageTexts t = LanguageTexts::builtInGerman();
    return t;
}

} // namespace

class TestLocator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void position_data();
    void position();
    void refusedPosition_data();
    void refusedPosition();
    void gridNumbers_data();
    void gridNumbers();
    void everySquareRoundTrips();
    void roundHalfEven_data();
    void roundHalfEven();
    void distance_data();
    void distance();
    void sameLocatorIsZeroEverywhere();
    void refusedPair_data();
    void refusedPair();
    void ellipsoid_data();
    void ellipsoid();
    void positionDistanceInTens();
    void positionDistanceRefused();
    void antipodes_data();
    void antipodes();
    void antipodalLocators();
    void quarterTurn_data();
    void quarterTurn();
};

void TestLocator::position_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::newRow("JN58TD") << "JN58TD" << 48.1458333333 << 11.625;
    QTest::newRow("south-west corner") << "AA00AA" << -89.9791666667 << -179.9583333333;
    QTest::newRow("north-east corner") << "RR99XX" << 89.9791666667 << 179.9583333333;
    // The field letter S passes and lies beyond the grid.
    QTest::newRow("field S") << "SA00AA" << -89.9791666667 << 180.0416666667;
    QTest::newRow("latitude field S") << "AS00AA" << 90.0208333333 << -179.9583333333;
    QTest::newRow("southern hemisphere") << "QF56OD" << -33.8541666667 << 151.2083333333;
}

void TestLocator::position() {
    QFETCH(QString, locator);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const auto lat = Locator::LocatToBreit(locator);
    const auto lon = Locator::LocatToLang(locator);
    QVERIFY2(lat.ok(), qPrintable(lat.error));
    QVERIFY2(lon.ok(), qPrintable(lon.error));
    QVERIFY(std::fabs(lat.value - latitude) < 1e-9);
    QVERIFY(std::fabs(lon.value - longitude) < 1e-9);
}

void TestLocator::refusedPosition_data() {
    QTest::addColumn<QString>("locator");
    QTest::newRow("empty") << "";
    QTest::newRow("five characters") << "JN58T";
    QTest::newRow("seven characters") << "JN58TDX";
    QTest::newRow("lower case") << "jn58td";
    QTest::newRow("field T") << "TN58TD";
    QTest::newRow("latitude field T") << "JT58TD";
    QTest::newRow("field before A") << "@N58TD";
    QTest::newRow("letter as square digit") << "JNA8TD";
    QTest::newRow("digit as sub-square") << "JN5801";
    QTest::newRow("sub-square Y") << "JN58YD";
    QTest::newRow("sub-square Z") << "JN58TZ";
    QTest::newRow("umlaut") << "JN58TÄ";
}

// A position from half a locator would put the world map's marker somewhere
// plausible and wrong, so any bad character refuses both coordinates.
void TestLocator::refusedPosition() {
    QFETCH(QString, locator);
    const QString expected = QStringLiteral("Locator nicht möglich (") + locator + u')';
    QCOMPARE(Locator::LocatToLang(locator).error, expected);
    QCOMPARE(Locator::LocatToBreit(locator).error, expected);
    QVERIFY(!Locator::LocatToLang(locator).ok());
}

void TestLocator::gridNumbers_data() {
    QTest::addColumn<QString>("square");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("JN58") << "JN58" << 95 << 121;
    QTest::newRow("lower case") << "jn58" << 95 << 121;
    QTest::newRow("six characters") << "JN58TD" << 95 << 121;
    QTest::newRow("AA00") << "AA00" << 0 << 259;
    QTest::newRow("RR99") << "RR99" << 179 << 80;
    QTest::newRow("row anchored at Z") << "AZ09" << 0 << 0;
    QTest::newRow("three characters") << "JN5" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
    QTest::newRow("letter as digit") << "JNX8" << -1 << -1;
    QTest::newRow("second letter a digit") << "J158" << -1 << -1;
    // The first letter is not checked: "1" lies 16 codes before "A".
    QTest::newRow("first letter a digit") << "1N58" << -155 << 121;
}

void TestLocator::gridNumbers() {
    QFETCH(QString, square);
    QFETCH(int, x);
    QFETCH(int, y);
    QCOMPARE(Locator::LocatorToNr(square), QPoint(x, y));
    if (x >= 0 && square.size() == 4 && square == square.toUpper())
        QCOMPARE(Locator::NrToLocator(x, y), square);
}

void TestLocator::everySquareRoundTrips() {
    int checked = 0;
    for (char16_t f1 = u'A'; f1 <= u'Z'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'Z'; ++f2)
            for (char16_t d1 = u'0'; d1 <= u'9'; ++d1)
                for (char16_t d2 = u'0'; d2 <= u'9'; ++d2) {
                    const QString square = chars({f1, f2, d1, d2});
                    const QPoint nr = Locator::LocatorToNr(square);
                    if (Locator::NrToLocator(nr.x(), nr.y()) != square)
                        QFAIL(qPrintable(square + QStringLiteral(" comes back as ") +
                                         Locator::NrToLocator(nr.x(), nr.y())));
                    ++checked;
                }
    QCOMPARE(checked, 26 * 26 * 100);
}

void TestLocator::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("1.5 up") << 1.5 << 2.0;
    QTest::newRow("2.5 down") << 2.5 << 2.0;
    QTest::newRow("above half") << 286.51 << 287.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("negative odd half") << -3.5 << -4.0;
}

void TestLocator::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(Locator::roundHalfEven(value), rounded);
}

void TestLocator::distance_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("distance");
    // 10 degrees of latitude: 10 / 57.2958 x 6365.11 = 1110.9 km.
    QTest::newRow("due south") << "JN58TD" << "JM58TD" << "180 °" << "1111 km";
    QTest::newRow("due north") << "JM58TD" << "JN58TD" << "0 °" << "1111 km";
    QTest::newRow("lower case") << "jn58td" << "jm58td" << "180 °" << "1111 km";
    // One square east on the equator (2 degrees): 2 / 57.2958 x 6365.11 = 222.2 km.
    QTest::newRow("east on the equator") << "JJ00MA" << "JJ10MA" << "90 °" << "222 km";
    QTest::newRow("west on the equator") << "JJ10MA" << "JJ00MA" << "270 °" << "222 km";
    // Half a turn of longitude apart: the great circle runs over the pole.
    QTest::newRow("over the north pole") << "JN58TD" << "AN58TD" << "0 °" << "9299 km";
    QTest::newRow("over the south pole") << "JE51TU" << "AE51TU" << "180 °" << "9299 km";
    QTest::newRow("field S passes") << "SA00AA" << "SA00AB" << "0 °" << "5 km";
}

void TestLocator::distance() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, bearing);
    QFETCH(QString, distance);
    const auto r = Locator::LocatDistance(own, other, texts());
    QVERIFY(r.ok());
    QCOMPARE(r.bearing, bearing);
    QCOMPARE(r.distance, distance);
    QVERIFY(r.message.isEmpty());
}

// For a point and itself the cosine of the arc can come out a hair above 1;
// the distance must still read 0 km rather than "nan km".
void TestLocator::sameLocatorIsZeroEverywhere() {
    int checked = 0;
    for (char16_t f1 = u'A'; f1 <= u'R'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'R'; ++f2)
            for (char16_t s = u'A'; s <= u'X'; s += 5) {
                const QString loc = chars({f1, f2, char16_t(u'0' + f1 % 10), char16_t(u'0' + f2 % 10), s,
                                           char16_t(u'X' - (s - u'A'))});
                const auto r = Locator::LocatDistance(loc, loc, texts());
                if (r.distance != QStringLiteral("0 km") || r.bearing != QStringLiteral("0 °"))
                    QFAIL(qPrintable(loc + QStringLiteral(": ") + r.bearing + QStringLiteral(", ") +
                                     r.distance));
                ++checked;
            }
    QCOMPARE(checked, 18 * 18 * 5);
}

void TestLocator::refusedPair_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("shown");
    QTest::newRow("other five characters") << "JN58TD" << "JM58T" << "JN58TD / JM58T";
    QTest::newRow("other empty") << "JN58TD" << "" << "JN58TD / ";
    QTest::newRow("sub-square y typed") << "JN58TD" << "jm58yd" << "JN58TD / JM58YD";
    QTest::newRow("letter as digit") << "JN58TD" << "JMA8TD" << "JN58TD / JMA8TD";
    QTest::newRow("own invalid") << "JN5XTD" << "JM58TD" << "JN5XTD / JM58TD";
    QTest::newRow("own empty") << "" << "JM58TD" << " / JM58TD";
}

void TestLocator::refusedPair() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, shown);
    const auto r = Locator::LocatDistance(own, other, texts());
    QVERIFY(!r.ok());
    QVERIFY(r.bearing.isEmpty());
    QVERIFY(r.distance.isEmpty());
    QCOMPARE(r.message, texts()[LanguageTexts::ImpossibleLocator] + QStringLiteral(" (") + shown + u')');
    QVERIFY(r.message.startsWith(QStringLiteral("Locator nicht möglich (")));
}

// Reference: geographiclib 2.x (python3-geographiclib, Debian 12), WGS84
// Geodesic.Inverse between the sub-square centres, computed once:
//   Geodesic.WGS84.Inverse(lat1, lon1, lat2, lon2) -> s12 / 1000, azi1 % 360
// The fixed earth radius 6365.11 km is a sphere: the largest difference of the
// whole-kilometre text from the ellipsoid is -0.461 % (BP51AD to KP20LE, over
// the Arctic) in the 0.5 % group. Paths that run east-west near a pole or
// across one meet the ellipsoid's flattening at its worst: HP73AA to IP64BB
// (82 N) differs by -0.514 %, GC10AA to PC10AA (over the south pole) by
// -0.506 %; they are held to 0.6 %. Bearings agree within 0.3 degrees.
void TestLocator::ellipsoid_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<double>("ellipsoidKm");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("percent");
    const double p = 0.5;
    QTest::newRow("Munich-Newington") << "JN58TD" << "FN31PR" << 6353.098 << 297.69 << p;
    QTest::newRow("Berlin-Sydney") << "JO62QM" << "QF56OD" << 16089.146 << 74.71 << p;
    QTest::newRow("Munich-Tokyo") << "JN58TD" << "PM95VQ" << 9394.573 << 39.88 << p;
    QTest::newRow("Berlin-Rio") << "JO62QM" << "GG87JB" << 9990.140 << 230.38 << p;
    QTest::newRow("Auckland-Berlin") << "RF73LC" << "JO62QM" << 17755.884 << 326.51 << p;
    QTest::newRow("Hawaii-Sydney") << "BL11BH" << "QF56OD" << 8147.508 << 222.44 << p;
    QTest::newRow("Alaska-Tokyo") << "BP51AD" << "PM95VQ" << 5566.772 << 273.15 << p;
    QTest::newRow("Buenos Aires-Munich") << "FD54MO" << "JN58TD" << 13702.006 << 52.22 << p;
    QTest::newRow("Wellington-Lima") << "RE78IR" << "FF46WN" << 9411.198 << 130.68 << p;
    QTest::newRow("Angola-Brazil") << "KF05UU" << "GF05TJ" << 7148.202 << 244.28 << p;
    QTest::newRow("along the equator") << "JJ00AA" << "JJ90AA" << 2003.751 << 90.00 << p;
    QTest::newRow("Arctic west") << "AP10SX" << "RP10SX" << 1078.647 << 278.77 << p;
    QTest::newRow("Kenya-Antarctica") << "KH76CC" << "RB32ID" << 9396.979 << 171.01 << p;
    QTest::newRow("Tasman Sea") << "QF22LD" << "QG62LM" << 1372.324 << 35.36 << p;
    QTest::newRow("Dutch coast") << "JO31KC" << "JO22PL" << 187.978 << 325.09 << p;
    QTest::newRow("Alaska-Helsinki") << "BP51AD" << "KP20LE" << 6540.159 << 2.96 << p;
    QTest::newRow("east-west at 82 N") << "HP73AA" << "IP64BB" << 903.648 << 74.60 << 0.6;
    QTest::newRow("over the south pole") << "GC10AA" << "PC10AA" << 4470.618 << 180.00 << 0.6;
}

void TestLocator::ellipsoid() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(double, ellipsoidKm);
    QFETCH(double, azimuth);
    QFETCH(double, percent);
    const auto r = Locator::LocatDistance(own, other, texts());
    const int d = km(r.distance);
    QVERIFY2(d > 0, qPrintable(r.distance));
    const double diff = 100.0 * (d - ellipsoidKm) / ellipsoidKm;
    QVERIFY2(std::fabs(diff) <= percent, qPrintable(QString::number(diff, 'f', 3) + QStringLiteral(" %")));
    const int b = degrees(r.bearing);
    QVERIFY2(b >= 0 && b < 360, qPrintable(r.bearing));
    const double off = std::fabs(std::remainder(b - azimuth, 360.0));
    QVERIFY2(off <= 1.0, qPrintable(r.bearing));
}

// Every distance to a position is a multiple of ten and agrees with the
// distance to the locator whose centre the position is.
void TestLocator::positionDistanceInTens() {
    const QStringList places = {"JN58TD", "FN31PR", "QF56OD", "PM95VQ", "GG87JB",
                                "KG33VV", "BL11BH", "RE78IR", "AA00AA", "RR99XX"};
    for (const QString& own : places)
        for (const QString& other : places) {
            const double lat = Locator::LocatToBreit(other).value;
            const double lon = Locator::LocatToLang(other).value;
            const auto pos = Locator::LocatPosDistance(own, lat, lon, texts());
            const auto loc = Locator::LocatDistance(own, other, texts());
            const int tens = km(pos.distance);
            QVERIFY2(tens >= 0 && tens % 10 == 0,
                     qPrintable(own + QStringLiteral(" to ") + other + u' ' + pos.distance));
            QVERIFY2(
                std::abs(tens - km(loc.distance)) <= 5,
                qPrintable(own + QStringLiteral(" to ") + other + u' ' + pos.distance + u' ' + loc.distance));
            QCOMPARE(pos.bearing, loc.bearing);
        }
    for (double lat = -89.0; lat <= 89.0; lat += 7.3)
        for (double lon = -179.0; lon <= 179.0; lon += 11.9) {
            const auto r = Locator::LocatPosDistance(QStringLiteral("jo62qm"), lat, lon, texts());
            QVERIFY(r.ok());
            QVERIFY2(km(r.distance) % 10 == 0, qPrintable(r.distance));
        }
}

void TestLocator::positionDistanceRefused() {
    const auto bad = Locator::LocatPosDistance(QStringLiteral("JN58TZ"), 10.0, 20.0, texts());
    QVERIFY(!bad.ok());
    QVERIFY(bad.bearing.isEmpty() && bad.distance.isEmpty());
    QCOMPARE(bad.message, QStringLiteral("Locator nicht möglich (JN58TZ)"));
    const auto shortOne = Locator::LocatPosDistance(QStringLiteral("jn58"), 10.0, 20.0, texts());
    QCOMPARE(shortOne.message, QStringLiteral("Locator nicht möglich (JN58)"));
    // A position that is no number has no direction, but nothing to blame on the locator.
    const auto nan = Locator::LocatPosDistance(QStringLiteral("JN58TD"), std::nan(""), 20.0, texts());
    QVERIFY(!nan.ok());
    QVERIFY(nan.message.isEmpty());
    const auto inf = Locator::LocatPosDistance(QStringLiteral("JN58TD"), 10.0, HUGE_VAL, texts());
    QVERIFY(!inf.ok());
}

void TestLocator::antipodes_data() {
    QTest::addColumn<QString>("locator");
    QTest::newRow("JN58TD") << "JN58TD";
    QTest::newRow("QF56OD") << "QF56OD";
    // Here the cosine of the arc even comes out below -1.
    QTest::newRow("AA00AA") << "AA00AA";
}

// The exact antipode of a sub-square centre: the cosine of the arc is -1 (or a
// hair below), the quotient of the arc tangent a negative zero or "nan".
// Testing "a < 0" would miss the half turn and read 0 km.
void TestLocator::antipodes() {
    QFETCH(QString, locator);
    const double lat = -Locator::LocatToBreit(locator).value;
    const double lon = Locator::LocatToLang(locator).value - std::numbers::pi * Locator::DegreesPerRadian;
    const auto pos = Locator::LocatPosDistance(locator, lat, lon, texts());
    // 6365.11 x 180 / 57.2958 = 19996.6 km
    QCOMPARE(pos.distance, QStringLiteral("20000 km"));
    QVERIFY(pos.ok());
}

void TestLocator::antipodalLocators() {
    // AE51TU lies exactly opposite JN58TD; with the rounded constants the
    // longitudes differ by a hair less than half a turn in radians.
    const auto loc = Locator::LocatDistance(QStringLiteral("JN58TD"), QStringLiteral("AE51TU"), texts());
    QCOMPARE(loc.distance, QStringLiteral("19997 km"));
}

void TestLocator::quarterTurn_data() {
    QTest::addColumn<double>("latitude1");
    QTest::addColumn<double>("latitude2");
    QTest::addColumn<double>("longitude2");
    // Found by search: for these the cosine of the arc comes out exactly 0,
    // and the arc tangent of step 5 would divide by it.
    QTest::newRow("c exactly 0, north-east") << -43.87629070651185 << 41.692048432467914 << 31.080038183220037;
    QTest::newRow("c exactly 0, north") << -32.54853344754568 << 53.43248346647067 << 30.634223257103734;
    QTest::newRow("c exactly 0, south") << -56.515105491015845 << -33.39700004723579 << 175.32176876584052;
}

void TestLocator::quarterTurn() {
    QFETCH(double, latitude1);
    QFETCH(double, latitude2);
    QFETCH(double, longitude2);
    const auto c = Locator::greatCircle(latitude1, 0.0, latitude2, longitude2);
    // A quarter of 6365.11 x 180 / 57.2958 km.
    QVERIFY2(std::fabs(c.distanceKm - 9998.3) < 0.1, qPrintable(QString::number(c.distanceKm)));
    QVERIFY(c.bearingDegrees >= 0.0 && c.bearingDegrees <= 360.0);
}

QTEST_GUILESS_MAIN(TestLocator)
#include "test_locator.moc"
