#include "DataTable.h"
#include "refdata/Locator.h"
#include "settings/LanguageTexts.h"

#include <QtTest>
#include <cmath>
#include <numbers>

namespace {

// "287 km" -> 287, "95 °" -> 95; -1 when the text is not a number and the unit.
int number(const QString& text, const QString& unit) {
    bool ok = false;
    const int n = text.endsWith(unit) ? text.chopped(unit.size()).toInt(&ok) : -1;
    return ok ? n : -1;
}
int km(const QString& text) {
    return number(text, QStringLiteral(" km"));
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
    void distance_data();
    void distance();
    void sameLocatorIsZeroEverywhere();
    void ellipsoid_data();
    void ellipsoid();
    void positionDistance();
    void antipodes();
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
    QVERIFY2(lat.ok() && lon.ok(), qPrintable(lat.error + lon.error));
    QVERIFY(std::fabs(lat.value - latitude) < 1e-9 && std::fabs(lon.value - longitude) < 1e-9);
}

void TestLocator::refusedPosition_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other"); // empty: the single locator alone
    QTest::addColumn<QString>("shown");
    for (const char* bad : {"", "JN58T", "jn58td", "TN58TD", "JNA8TD", "JN5801", "JN58TZ"})
        QTest::newRow(bad) << bad << QString() << bad;
    QTest::newRow("pair, other short") << "JN58TD" << "JM58T" << "JN58TD / JM58T";
    QTest::newRow("pair, sub-square y typed") << "JN58TD" << "jm58yd" << "JN58TD / JM58YD";
    QTest::newRow("pair, own invalid") << "JN5XTD" << "JM58TD" << "JN5XTD / JM58TD";
}

// A position from half a locator would put the world map's marker somewhere
// plausible and wrong, so any bad character refuses both coordinates.
void TestLocator::refusedPosition() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, shown);
    const QString expected = QStringLiteral("Locator nicht möglich (") + shown + u')';
    if (other.isEmpty()) {
        QCOMPARE(Locator::LocatToLang(own).error, expected);
        QCOMPARE(Locator::LocatToBreit(own).error, expected);
        QVERIFY(!Locator::LocatToLang(own).ok());
        return;
    }
    const auto r = Locator::LocatDistance(own, other, texts());
    QVERIFY(!r.ok() && r.bearing.isEmpty() && r.distance.isEmpty());
    QCOMPARE(r.message, expected);
}

void TestLocator::gridNumbers_data() {
    QTest::addColumn<QString>("square");
    QTest::addColumn<QPoint>("nr");
    QTest::newRow("JN58") << "JN58" << QPoint(95, 121);
    QTest::newRow("lower case") << "jn58" << QPoint(95, 121);
    QTest::newRow("AA00") << "AA00" << QPoint(0, 259);
    QTest::newRow("row anchored at Z") << "AZ09" << QPoint(0, 0);
    QTest::newRow("three characters") << "JN5" << QPoint(-1, -1);
    QTest::newRow("letter as digit") << "JNX8" << QPoint(-1, -1);
    QTest::newRow("second letter a digit") << "J158" << QPoint(-1, -1);
    // The first letter is not checked: "1" lies 16 codes before "A".
    QTest::newRow("first letter a digit") << "1N58" << QPoint(-155, 121);
}

void TestLocator::gridNumbers() {
    QFETCH(QString, square);
    QFETCH(QPoint, nr);
    QCOMPARE(Locator::LocatorToNr(square), nr);
}

void TestLocator::everySquareRoundTrips() {
    for (char16_t f1 = u'A'; f1 <= u'Z'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'Z'; ++f2)
            for (int d = 0; d < 100; ++d) {
                const QString square = QString(QChar(f1)) + QChar(f2) + QStringLiteral("%1").arg(d, 2, 10, QChar(u'0'));
                const QPoint nr = Locator::LocatorToNr(square);
                if (Locator::NrToLocator(nr.x(), nr.y()) != square)
                    QFAIL(
                        qPrintable(square + QStringLiteral(" comes back as ") + Locator::NrToLocator(nr.x(), nr.y())));
            }
}

void TestLocator::distance_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("distance");
    // 10 degrees of latitude: 10 / 57.2958 x 6365.11 = 1110.9 km.
    QTest::newRow("due south") << "JN58TD" << "JM58TD" << "180 °" << "1111 km";
    QTest::newRow("lower case") << "jm58td" << "jn58td" << "0 °" << "1111 km";
    // One square east on the equator (2 degrees): 2 / 57.2958 x 6365.11 = 222.2 km.
    QTest::newRow("east on the equator") << "JJ00MA" << "JJ10MA" << "90 °" << "222 km";
    // Half a turn of longitude apart: the great circle runs over the pole.
    QTest::newRow("over the north pole") << "JN58TD" << "AN58TD" << "0 °" << "9299 km";
    QTest::newRow("over the south pole") << "JE51TU" << "AE51TU" << "180 °" << "9299 km";
    QTest::newRow("field S passes") << "SA00AA" << "SA00AB" << "0 °" << "5 km";
    // Exactly opposite; with the rounded constants the longitudes differ by a
    // hair less than half a turn in radians.
    QTest::newRow("antipodal locators") << "JN58TD" << "AE51TU" << "0 °" << "19997 km";
}

void TestLocator::distance() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, bearing);
    QFETCH(QString, distance);
    const auto r = Locator::LocatDistance(own, other, texts());
    QVERIFY(r.ok() && r.message.isEmpty());
    QCOMPARE(r.distance, distance);
    if (own != u"JN58TD" || other != u"AE51TU") // the bearing to the antipode is any
        QCOMPARE(r.bearing, bearing);
}

// For a point and itself the cosine of the arc can come out a hair above 1;
// the distance must still read 0 km rather than "nan km".
void TestLocator::sameLocatorIsZeroEverywhere() {
    for (char16_t f1 = u'A'; f1 <= u'R'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'R'; ++f2)
            for (char16_t s = u'A'; s <= u'X'; s += 5) {
                const QString loc = QString(QChar(f1)) + QChar(f2) + QChar(u'0' + f1 % 10) + QChar(u'0' + f2 % 10) +
                                    QChar(s) + QChar(u'X' - (s - u'A'));
                const auto r = Locator::LocatDistance(loc, loc, texts());
                if (r.distance != QStringLiteral("0 km") || r.bearing != QStringLiteral("0 °"))
                    QFAIL(qPrintable(loc + QStringLiteral(": ") + r.bearing + QStringLiteral(", ") + r.distance));
            }
}

// The independent reference: geographiclib on the WGS84 ellipsoid (see the file's header).
void TestLocator::ellipsoid_data() {
    addTableRows(QStringLiteral("refdata/data/locator-paths.tsv"));
}

void TestLocator::ellipsoid() {
    QFETCH(QStringList, fields);
    QCOMPARE(fields.size(), 6);
    const double ellipsoidKm = fields[3].toDouble();
    const auto r = Locator::LocatDistance(fields[1], fields[2], texts());
    const int d = km(r.distance);
    QVERIFY2(d > 0, qPrintable(r.distance));
    const double diff = 100.0 * (d - ellipsoidKm) / ellipsoidKm;
    QVERIFY2(std::fabs(diff) <= fields[5].toDouble(), qPrintable(QString::number(diff, 'f', 3) + QStringLiteral(" %")));
    const int b = number(r.bearing, QStringLiteral(" °"));
    QVERIFY2(b >= 0 && b < 360 && std::fabs(std::remainder(b - fields[4].toDouble(), 360.0)) <= 1.0,
             qPrintable(r.bearing));
}

// Every distance to a position is a multiple of ten and agrees with the
// distance to the locator whose centre the position is; a bad locator or
// position is refused.
void TestLocator::positionDistance() {
    const QStringList places = {"JN58TD", "FN31PR", "QF56OD", "GG87JB", "BL11BH", "AA00AA", "RR99XX"};
    for (const QString& own : places)
        for (const QString& other : places) {
            const auto pos = Locator::LocatPosDistance(own, Locator::LocatToBreit(other).value,
                                                       Locator::LocatToLang(other).value, texts());
            const auto loc = Locator::LocatDistance(own, other, texts());
            const int tens = km(pos.distance);
            QVERIFY2(tens >= 0 && tens % 10 == 0 && std::abs(tens - km(loc.distance)) <= 5,
                     qPrintable(own + QStringLiteral(" to ") + other + u' ' + pos.distance + u' ' + loc.distance));
            QCOMPARE(pos.bearing, loc.bearing);
        }
    const auto bad = Locator::LocatPosDistance(QStringLiteral("jn58"), 10.0, 20.0, texts());
    QVERIFY(!bad.ok() && bad.bearing.isEmpty() && bad.distance.isEmpty());
    QCOMPARE(bad.message, QStringLiteral("Locator nicht möglich (JN58)"));
    // A position that is no number has no direction, but nothing to blame on the locator.
    const auto nan = Locator::LocatPosDistance(QStringLiteral("JN58TD"), std::nan(""), 20.0, texts());
    QVERIFY(!nan.ok() && nan.message.isEmpty());
    QVERIFY(!Locator::LocatPosDistance(QStringLiteral("JN58TD"), 10.0, HUGE_VAL, texts()).ok());
}

// The exact antipode of a sub-square centre: the cosine of the arc is -1 (for
// AA00AA a hair below), the quotient of the arc tangent a negative zero or
// "nan". Testing "a < 0" would miss the half turn and read 0 km.
void TestLocator::antipodes() {
    for (const QString locator : {QStringLiteral("JN58TD"), QStringLiteral("AA00AA")}) {
        const double lat = -Locator::LocatToBreit(locator).value;
        const double lon = Locator::LocatToLang(locator).value - std::numbers::pi * Locator::DegreesPerRadian;
        const auto pos = Locator::LocatPosDistance(locator, lat, lon, texts());
        QVERIFY(pos.ok());
        QCOMPARE(pos.distance, QStringLiteral("20000 km")); // 6365.11 x 180 / 57.2958 = 19996.6 km
    }
}

void TestLocator::quarterTurn_data() {
    QTest::addColumn<double>("latitude1");
    QTest::addColumn<double>("latitude2");
    QTest::addColumn<double>("longitude2");
    // Found by search: for these the cosine of the arc comes out exactly 0,
    // and the arc tangent of step 5 would divide by it.
    QTest::newRow("north-east") << -43.87629070651185 << 41.692048432467914 << 31.080038183220037;
    QTest::newRow("north") << -32.54853344754568 << 53.43248346647067 << 30.634223257103734;
    QTest::newRow("south") << -56.515105491015845 << -33.39700004723579 << 175.32176876584052;
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
