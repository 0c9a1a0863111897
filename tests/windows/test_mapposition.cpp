// The world map's arithmetic: clicks to degrees, marker places, the three ways
// of writing a coordinate and the locator of a position.
#include "refdata/Locator.h"
#include "windows/MapPosition.h"

#include <QLocale>
#include <QtTest>

using namespace MapPosition;

class TestMapPosition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clickToDegrees_data();
    void clickToDegrees();
    void markerPlace_data();
    void markerPlace();
    void degreeForms_data();
    void degreeForms();
    void locatorOfPosition_data();
    void locatorOfPosition();
    void locatorRoundTrip_data();
    void locatorRoundTrip();
    void signTexts();
    void numbersInTheLocale_data();
    void numbersInTheLocale();
};

void TestMapPosition::clickToDegrees_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::newRow("centre") << 450.0 << 225.0 << 0.0 << 0.0;
    QTest::newRow("top left") << 0.0 << 0.0 << -180.0 << 90.0;
    QTest::newRow("bottom right") << 900.0 << 450.0 << 180.0 << -90.0;
    QTest::newRow("quarter") << 225.0 << 112.5 << -90.0 << 45.0;
    QTest::newRow("one pixel") << 451.0 << 224.0 << 0.4 << 0.4;
}

void TestMapPosition::clickToDegrees() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QCOMPARE(longitudeAt(x, 900), longitude);
    QCOMPARE(latitudeAt(y, 450), latitude);
}

// Marker 5 x 5 pixels: half its size is taken off, so whole map positions
// fall on halves and the even neighbour decides. On a map of 512 x 256 the
// steps of 0.703125 degrees are whole pixels, free of rounding noise.
void TestMapPosition::markerPlace_data() {
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QRect>("map");
    QTest::addColumn<QPoint>("topLeft");
    const QRect small(0, 0, 512, 256), world(8, 8, 900, 450);
    QTest::newRow("centre, halves to even") << 0.0 << 0.0 << small << QPoint(254, 126);
    QTest::newRow("one pixel on, halves down") << 0.703125 << -0.703125 << small << QPoint(254, 126);
    QTest::newRow("two pixels on, halves up") << 1.40625 << 0.703125 << small << QPoint(256, 124);
    QTest::newRow("origin moves the halves") << 0.0 << 0.0 << small.translated(2, 1) << QPoint(256, 126);
    QTest::newRow("world map centre") << 0.0 << 0.0 << world << QPoint(456, 230);
    QTest::newRow("world map corner") << -180.0 << 90.0 << world << QPoint(6, 6);
    QTest::newRow("JN58TD") << 11.625 << 48.1458 << world << QPoint(485, 110);
}

void TestMapPosition::markerPlace() {
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(QRect, map);
    QFETCH(QPoint, topLeft);
    QCOMPARE(markerLeft(longitude, map, 5), topLeft.x());
    QCOMPARE(markerTop(latitude, map, 5), topLeft.y());
}

void TestMapPosition::degreeForms_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<QList<int>>("dms");
    QTest::newRow("9.5") << 9.5 << 9 << 30.0 << QList<int>{9, 30, 0};
    QTest::newRow("-9.5") << -9.5 << -9 << 30.0 << QList<int>{-9, 30, 0};
    QTest::newRow("JN58TD longitude") << 11.625 << 11 << 37.5 << QList<int>{11, 37, 30};
    QTest::newRow("seconds rounded") << 48.1458 << 48 << 8.748 << QList<int>{48, 8, 45};
    QTest::newRow("seconds carry into degrees") << 0.99999 << 0 << 59.9994 << QList<int>{1, 0, 0};
    QTest::newRow("carry keeps the sign") << -9.99999 << -9 << 59.9994 << QList<int>{-10, 0, 0};
    QTest::newRow("sign lost below one degree") << -0.5 << 0 << 30.0 << QList<int>{0, 30, 0};
}

void TestMapPosition::degreeForms() {
    QFETCH(double, value);
    QFETCH(int, degrees);
    QFETCH(double, minutes);
    QFETCH(QList<int>, dms);
    const DecimalMinutes dm = toDecimalMinutes(value);
    QCOMPARE(dm.degrees, degrees);
    QVERIFY2(std::fabs(dm.minutes - minutes) < 1e-9, qPrintable(QString::number(dm.minutes, 'g', 17)));
    const Dms d = toDms(dm);
    QCOMPARE((QList<int>{d.degrees, d.minutes, d.seconds}), dms);
}

void TestMapPosition::locatorOfPosition_data() {
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QString>("locator"); // empty: none
    QTest::newRow("centre") << 0.0 << 0.0 << "JJ00AA";
    QTest::newRow("as shown, four decimals") << 11.625 << 48.1458 << "JN58TD";
    QTest::newRow("south-west corner") << -180.0 << -90.0 << "AA00AA";
    QTest::newRow("just inside north-east") << 179.99 << 89.99 << "RR99XX";
    QTest::newRow("north-east corner") << 180.0 << 90.0 << "SS00AA";
    QTest::newRow("west of the map") << -180.0001 << 0.0 << "";
    QTest::newRow("south of the map") << 0.0 << -90.5 << "";
    QTest::newRow("far east") << 500.0 << 10.0 << "";
}

void TestMapPosition::locatorOfPosition() {
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(QString, locator);
    QCOMPARE(locatorOf(longitude, latitude).value_or(QString()), locator);
}

// A locator's centre, shown with four decimals, must give the locator back.
void TestMapPosition::locatorRoundTrip_data() {
    QTest::addColumn<QString>("locator");
    for (const char* l : {"JO62QM", "FN31PR", "QF56OD", "AA00AA", "RR99XX", "JN58TD", "GG66RW", "PM95UQ"})
        QTest::newRow(l) << QString::fromLatin1(l);
}

void TestMapPosition::locatorRoundTrip() {
    QFETCH(QString, locator);
    const QLocale german(QLocale::German, QLocale::Germany);
    const auto shown = [&](double v) { return *readNumber(degreesText(v, german), german); };
    const double longitude = shown(Locator::LocatToLang(locator).value);
    const double latitude = shown(Locator::LocatToBreit(locator).value);
    QCOMPARE(locatorOf(longitude, latitude).value_or(QString()), locator);
}

void TestMapPosition::signTexts() {
    // Latitude north and south, longitude east and west; none for zero.
    const auto index = [](double v, bool latitude) { return signTextIndex(v, latitude).value_or(0); };
    QCOMPARE((QList<int>{index(0.0001, true), index(-0.0001, true), index(179.0, false), index(-9.5, false),
                         index(0.0, false), index(-0.0, true)}),
             (QList<int>{90, 91, 92, 93, 0, 0}));
}

void TestMapPosition::numbersInTheLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("minutes");
    QTest::newRow("German") << "de_DE" << -9.5 << "-9,5000" << "-9,5";
    QTest::newRow("English") << "en_GB" << 48.1458 << "48.1458" << "48.1458";
    QTest::newRow("no group separator") << "de_DE" << 1234.5 << "1234,5000" << "1234,5";
    QTest::newRow("no minus for a rounded zero") << "de_DE" << -0.00001 << "0,0000" << "-0,00001";
    QTest::newRow("binary noise dropped") << "de_DE" << toDecimalMinutes(48.1458).minutes << "8,7480" << "8,748";
}

void TestMapPosition::numbersInTheLocale() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, degrees);
    QFETCH(QString, minutes);
    const QLocale l(locale);
    QCOMPARE(degreesText(value, l), degrees);
    QCOMPARE(minutesText(value, l), minutes);
    const std::optional<double> read = readNumber(minutes, l);
    QVERIFY(read && std::fabs(*read - value) < 1e-10);
    for (const char* bad : {"", "12,3,4", "1.234,5", "N", "1e999"})
        QVERIFY2(!readNumber(QString::fromLatin1(bad), QLocale(QLocale::German)), bad);
}

QTEST_GUILESS_MAIN(TestMapPosition)
#include "test_mapposition.moc"
