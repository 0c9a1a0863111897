// The world map pictures and the entity maps beside the program, checked
// against geography: a ticked overlay must lie on the base map exactly.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QtTest>
#include <cmath>

namespace {

QString dataDir() { return QCoreApplication::applicationDirPath(); }

QImage load(const QString& name) {
    QImage img(dataDir() + u'/' + name);
    return img.convertToFormat(QImage::Format_ARGB32);
}

// The pixel a point falls in, by the window's mapping.
QPoint at(const QImage& img, double lon, double lat) {
    return {int(std::floor((lon + 180.0) / 360.0 * img.width())), int(std::floor((90.0 - lat) / 180.0 * img.height()))};
}

bool opaque(const QImage& img, QPoint p) { return qAlpha(img.pixel(p)) == 255; }
bool hasColour(const QImage& img, QPoint p, QRgb rgb) { return opaque(img, p) && (img.pixel(p) & 0xffffff) == (rgb & 0xffffff); }

// Some pixel within `r` of p shows the colour.
bool near(const QImage& img, QPoint p, QRgb rgb, int r = 1) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (img.rect().contains(p + QPoint(dx, dy)) && hasColour(img, p + QPoint(dx, dy), rgb))
                return true;
    return false;
}

bool isSea(QRgb c) { return qBlue(c) > qRed(c) + 12 && qBlue(c) >= qGreen(c); }
bool isIce(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; }

const QRgb cqLine = qRgb(255, 0, 255), cqText = qRgb(255, 255, 255), ituLine = qRgb(0, 220, 255), regionLine = qRgb(255, 230, 0),
           africa = qRgb(255, 150, 0);

} // namespace

class TestMapPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baseMapLandSeaIce();
    void overlaysMatchTheBaseMap();
    void cqZoneBoundaries();
    void equatorAndMeridian();
    void everyEntityHasItsMap();
};

void TestMapPictures::baseMapLandSeaIce() {
    const QImage w = load("welt.gif");
    QVERIFY(!w.isNull());
    QCOMPARE(w.width(), 2 * w.height());
    struct P { double lon, lat; const char* what; };
    for (P p : {P{0, 0, "sea"}, P{-140, 0, "sea"}, P{-30, 35, "sea"}, P{80, -30, "sea"}, P{8.0, 0, "sea"}})
        QVERIFY2(isSea(w.pixel(at(w, p.lon, p.lat))), qPrintable(QString("%1 %2").arg(p.lon).arg(p.lat)));
    for (P p : {P{10, 23, "Sahara"}, P{-60, -5, "Amazon"}, P{100, 50, "Siberia"}, P{134, -25, "Australia"}, P{11.0, 0, "Gabon"}}) {
        const QRgb c = w.pixel(at(w, p.lon, p.lat));
        QVERIFY2(!isSea(c) && !isIce(c), p.what);
    }
    for (P p : {P{-40, 75, "Greenland"}, P{0, -85, "Antarctica"}})
        QVERIFY2(isIce(w.pixel(at(w, p.lon, p.lat))), p.what);
}

void TestMapPictures::overlaysMatchTheBaseMap() {
    const QImage w = load("welt.gif");
    for (const char* name : {"kontinente.gif", "itu-regionen.gif", "cq-zonen.gif", "itu-zonen.gif"}) {
        const QImage o = load(name);
        QVERIFY2(!o.isNull(), name);
        QCOMPARE(o.size(), w.size());
        qsizetype shown = 0;
        for (int y = 0; y < o.height(); ++y)
            for (int x = 0; x < o.width(); ++x)
                shown += opaque(o, {x, y});
        // Lines and numbers only: the map stays visible through nine tenths.
        QVERIFY2(shown > 1000 && shown < o.width() * o.height() / 10, name);
        // Deep in the southern Indian Ocean no overlay draws anything.
        QVERIFY2(!opaque(o, at(o, 75, -55)), name);
    }
}

// Vertices of the ha8tks CQ polygons: where zones 14, 15, 16 and 20 meet
// and straight boundary pieces along a meridian and a parallel.
void TestMapPictures::cqZoneBoundaries() {
    const QImage o = load("cq-zonen.gif");
    QVERIFY(near(o, at(o, 22.8969, 47.9531), cqLine)); // 15/16/20 corner
    QVERIFY(near(o, at(o, 28.9284, 69.0516), cqLine)); // 14/15/16 corner
    for (double lat = 35.5; lat < 40; lat += 0.5) { // 15/20 along 19 E
        const QPoint p = at(o, 19, lat);
        QVERIFY(hasColour(o, p, cqLine));
        QVERIFY(!opaque(o, p + QPoint(3, 0)) && !opaque(o, p - QPoint(3, 0)));
    }
    for (double lon = -34; lon < -7; lon += 1) { // 14/33 along 36 N
        const QPoint p = at(o, lon, 36);
        QVERIFY(hasColour(o, p, cqLine));
        QVERIFY(!opaque(o, p + QPoint(0, 3)) && !opaque(o, p - QPoint(0, 3)));
    }
    // Each number stands at its zone's label point, inside the zone.
    struct L { double lon, lat; };
    for (L l : {L{-7.0, 51.36}, L{14.08, 43.38}, L{41.01, 55.93}, L{33.04, 40.34}})
        QVERIFY(near(o, at(o, l.lon, l.lat), cqText, 4));
}

void TestMapPictures::equatorAndMeridian() {
    const QImage cq = load("cq-zonen.gif"), itu = load("itu-zonen.gif"), reg = load("itu-regionen.gif"), cont = load("kontinente.gif");
    // CQ 35/36 and ITU 46/66 share the equator from 26 W to 4 E.
    const int row = cq.height() / 2;
    for (double lon = -25; lon < 4; lon += 1) {
        QCOMPARE(at(cq, lon, 0).y(), row);
        QVERIFY(hasColour(cq, at(cq, lon, 0), cqLine));
        QVERIFY(hasColour(itu, at(itu, lon, 0), ituLine));
        QVERIFY(!opaque(cq, at(cq, lon, 0) - QPoint(0, 3)));
    }
    // Region line A runs along 40 E north of 40 N and along 60 E south of the tropic.
    QVERIFY(near(reg, at(reg, 40, 60), regionLine) && !opaque(reg, at(reg, 40, 60) + QPoint(4, 0)));
    QVERIFY(near(reg, at(reg, 60, -30), regionLine) && !opaque(reg, at(reg, 60, -30) - QPoint(4, 0)));
    // The 0 meridian meets the African coast at Tema, 5.6 N: the outline
    // is there, the land north of it is unmarked, the sea south of it is sea.
    const int col = cont.width() / 2;
    QCOMPARE(at(cont, 0, 5.63).x(), col);
    QVERIFY(near(cont, at(cont, 0, 5.63), africa, 2));
    QVERIFY(!opaque(cont, at(cont, 0, 9)) && !opaque(cont, at(cont, 0, 2)));
    const QImage w = load("welt.gif");
    QVERIFY(isSea(w.pixel(at(w, 0, 4.5))));
    QVERIFY(!isSea(w.pixel(at(w, 0, 7))));
}

void TestMapPictures::everyEntityHasItsMap() {
    QFile f(dataDir() + "/DXCC.csv");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(f.readAll()).split("\n", Qt::SkipEmptyParts);
    int n = 0;
    for (const QString& line : lines.mid(1)) {
        const QString prefix = line.trimmed().section(';', 17, 17);
        const QString file = "Maps/" + prefix.toLower().replace('/', '-') + ".gif";
        const QImage img(dataDir() + u'/' + file);
        QVERIFY2(!img.isNull(), qPrintable(file));
        QCOMPARE(img.size(), QSize(320, 240));
        ++n;
    }
    QVERIFY(n > 300);
    // Germany is outlined in red; the Order of Malta has no polygon of its own.
    auto redPixels = [](const QImage& img) {
        int c = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                c += (img.pixel(x, y) & 0xffffff) == 0xff1e1e;
        return c;
    };
    QVERIFY(redPixels(QImage(dataDir() + "/Maps/dl.gif")) > 300);
    QCOMPARE(redPixels(QImage(dataDir() + "/Maps/1a.gif")), 0);
}

QTEST_GUILESS_MAIN(TestMapPictures)
#include "test_mappictures.moc"
