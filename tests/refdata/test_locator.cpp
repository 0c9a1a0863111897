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
int km(const QString& text) { return number(text, QStringLiteral(" km")); }

const LanguageTexts& texts() { static const LanguageTexts t = LanguageTexts::builtInGerman(); return t; }
QString refused(const QString& shown) { return QStringLiteral("Locator nicht möglich (%1)").arg(shown); }

} // namespace

class TestLocator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void position_data();
    void position();
    void gridNumbers();
    void distance_data();
    void distance();
    void arcEdgesReadAsNumbers();
    void ellipsoid_data();
    void ellipsoid();
    void positionDistance();
};

void TestLocator::position_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QString>("message"); // empty: the position is read
    QTest::addColumn<QPointF>("position"); // latitude, longitude
    QTest::newRow("JN58TD") << "JN58TD" << QString() << QPointF(48.1458333333, 11.625);
    QTest::newRow("south-west corner") << "AA00AA" << QString() << QPointF(-89.9791666667, -179.9583333333);
    QTest::newRow("north-east corner") << "RR99XX" << QString() << QPointF(89.9791666667, 179.9583333333);
    // The field letter S passes and lies beyond the grid.
    QTest::newRow("field S") << "SA00AA" << QString() << QPointF(-89.9791666667, 180.0416666667);
    for (const char* bad : {"", "JN58T", "jn58td", "TN58TD", "JNA8TD", "JN5801", "JN58TZ"})
        QTest::newRow(bad) << bad << refused(bad) << QPointF();
}

// A position from half a locator would put the world map's marker somewhere
// plausible and wrong, so any bad character refuses both coordinates.
void TestLocator::position() {
    QFETCH(QString, locator);
    QFETCH(QString, message);
    QFETCH(QPointF, position);
    const auto lat = Locator::LocatToBreit(locator);
    const auto lon = Locator::LocatToLang(locator);
    QCOMPARE(lat.error, message);
    QCOMPARE(lon.error, message);
    if (message.isEmpty())
        QVERIFY(std::fabs(lat.value - position.x()) < 1e-9 && std::fabs(lon.value - position.y()) < 1e-9);
}

// Squares to grid numbers: anchors and refusals, and every square comes back.
void TestLocator::gridNumbers() {
    const QList<std::pair<QString, QPoint>> cases = {
        {"JN58", {95, 121}}, {"jn58", {95, 121}}, {"AZ09", {0, 0}}, // the row is anchored at Z
        {"JN5", {-1, -1}},   {"JNX8", {-1, -1}},  {"J158", {-1, -1}},
        {"1N58", {-155, 121}}}; // the first letter is not checked: "1" lies 16 codes before "A"
    for (const auto& [square, nr] : cases)
        QVERIFY2(Locator::LocatorToNr(square) == nr, qPrintable(square));
    for (char16_t f1 = u'A'; f1 <= u'Z'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'Z'; ++f2)
            for (int d = 0; d < 100; ++d) {
                const QString square = QString(QChar(f1)) + QChar(f2) + QStringLiteral("%1").arg(d, 2, 10, QChar(u'0'));
                const QPoint nr = Locator::LocatorToNr(square);
                if (Locator::NrToLocator(nr.x(), nr.y()) != square)
                    QFAIL(qPrintable(square + " comes back as " + Locator::NrToLocator(nr.x(), nr.y())));
            }
}

void TestLocator::distance_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("bearing"); // "*": any
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("message");
    // 10 degrees of latitude: 10 / 57.2958 x 6365.11 = 1110.9 km.
    QTest::newRow("due south") << "JN58TD" << "JM58TD" << "180 °" << "1111 km" << QString();
    // One square east on the equator (2 degrees): 2 / 57.2958 x 6365.11 = 222.2 km.
    QTest::newRow("east on the equator") << "JJ00MA" << "JJ10MA" << "90 °" << "222 km" << QString();
    // Half a turn of longitude apart: the great circle runs over the pole.
    QTest::newRow("over the north pole") << "JN58TD" << "AN58TD" << "0 °" << "9299 km" << QString();
    // Exactly opposite; with the rounded constants a hair less than half a turn apart.
    QTest::newRow("antipodal locators") << "JN58TD" << "AE51TU" << "*" << "19997 km" << QString();
    // Either locator bad refuses the pair, named as typed but in capitals.
    QTest::newRow("other short") << "JN58TD" << "JM58T" << "" << "" << refused("JN58TD / JM58T");
    QTest::newRow("sub-square y typed") << "JN58TD" << "jm58yd" << "" << "" << refused("JN58TD / JM58YD");
    QTest::newRow("own invalid") << "JN5XTD" << "JM58TD" << "" << "" << refused("JN5XTD / JM58TD");
}

void TestLocator::distance() {
    QFETCH(QString, own);
    QFETCH(QString, other);
    QFETCH(QString, bearing);
    QFETCH(QString, distance);
    QFETCH(QString, message);
    const auto r = Locator::LocatDistance(own, other, texts());
    QCOMPARE(r.message, message);
    QCOMPARE(r.ok(), message.isEmpty());
    QCOMPARE(r.distance, distance);
    if (bearing != u"*")
        QCOMPARE(r.bearing, bearing);
}

// Where the arc's cosine reaches its edges, rounding must not give "nan km" or
// lose the half turn. For a point and itself the cosine can come out a hair above 1.
void TestLocator::arcEdgesReadAsNumbers() {
    for (char16_t f1 = u'A'; f1 <= u'R'; ++f1)
        for (char16_t f2 = u'A'; f2 <= u'R'; ++f2)
            for (char16_t s = u'A'; s <= u'X'; s += 5) {
                const QString loc = QString(QChar(f1)) + QChar(f2) + QChar(u'0' + f1 % 10) + QChar(u'0' + f2 % 10) +
                                    QChar(s) + QChar(u'X' - (s - u'A'));
                const auto r = Locator::LocatDistance(loc, loc, texts());
                if (r.distance != QStringLiteral("0 km") || r.bearing != QStringLiteral("0 °"))
                    QFAIL(qPrintable(loc + ": " + r.bearing + ", " + r.distance));
            }
    // The exact antipode of a sub-square centre: the cosine is -1 (for AA00AA a hair
    // below), the arc tangent's quotient a negative zero or "nan"; "a < 0" would read 0 km.
    for (const QString& locator : {QStringLiteral("JN58TD"), QStringLiteral("AA00AA")}) {
        const double lat = -Locator::LocatToBreit(locator).value;
        const double lon = Locator::LocatToLang(locator).value - std::numbers::pi * Locator::DegreesPerRadian;
        const auto pos = Locator::LocatPosDistance(locator, lat, lon, texts());
        QCOMPARE(pos.distance, QStringLiteral("20000 km")); // 6365.11 x 180 / 57.2958 = 19996.6 km
    }
    // Found by search: the cosine comes out exactly 0, and the arc tangent would divide by it; a quarter
    // of 6365.11 x 180 / 57.2958 km (first latitude, second latitude and longitude; the first longitude is 0).
    const double quarterTurns[][3] = {{-43.87629070651185, 41.692048432467914, 31.080038183220037},
                                      {-32.54853344754568, 53.43248346647067, 30.634223257103734},
                                      {-56.515105491015845, -33.39700004723579, 175.32176876584052}};
    for (const auto& q : quarterTurns) {
        const auto c = Locator::greatCircle(q[0], 0.0, q[1], q[2]);
        QVERIFY2(std::fabs(c.distanceKm - 9998.3) < 0.1 && c.bearingDegrees >= 0.0 && c.bearingDegrees <= 360.0,
                 qPrintable(QString::number(c.distanceKm) + " km, " + QString::number(c.bearingDegrees)));
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
    const double diff = 100.0 * (d - ellipsoidKm) / ellipsoidKm;
    QVERIFY2(std::fabs(diff) <= fields[5].toDouble(), qPrintable(r.distance + ", " + QString::number(diff, 'f', 3) + " %"));
    const int b = number(r.bearing, QStringLiteral(" °"));
    QVERIFY2(b >= 0 && b < 360 && std::fabs(std::remainder(b - fields[4].toDouble(), 360.0)) <= 1.0,
             qPrintable(r.bearing));
}

// Every distance to a position is a multiple of ten and agrees with the distance
// to the locator whose centre the position is; a bad locator or position is refused.
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
    QVERIFY(!bad.ok() && bad.bearing.isEmpty() && bad.distance.isEmpty() && bad.message == refused("JN58"));
    // A position that is no number has no direction, but nothing to blame on the locator.
    const auto nan = Locator::LocatPosDistance(QStringLiteral("JN58TD"), std::nan(""), 20.0, texts());
    QVERIFY(!nan.ok() && nan.message.isEmpty());
    QVERIFY(!Locator::LocatPosDistance(QStringLiteral("JN58TD"), 10.0, HUGE_VAL, texts()).ok());
}

QTEST_GUILESS_MAIN(TestLocator)
#include "test_locator.moc"
