// The world map window as a user meets it: clicks on the map, typing in the
// fields, the overlays, the blinking markers and the HamCap button.
#include "StartedProgram.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "windows/ui/MapForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QStringList kPictures = {"welt.gif", "kontinente.gif", "itu-regionen.gif", "cq-zonen.gif",
                               "itu-zonen.gif"};

// The program on a folder with the map pictures (they must be there before
// it starts: the base map is loaded with the window), the map window open.
struct MapWindow {
    explicit MapWindow(bool open = true, bool baseMap = true) : p((prepare(dir, baseMap), dir)) {
        if (open) {
            form().showMap();
            if (!QTest::qWaitForWindowActive(&form())) qWarning("map window did not become active");
        }
    }
    static void prepare(const TestFolder& dir, bool baseMap) {
        dir.prepareProgram({}, "EigenerLocator=JO62QM\r\n");
        for (const QString& picture : kPictures)
            if (baseMap || picture != "welt.gif") dir.installDataFile(picture);
    }
    MapForm& form() { return p.w.auxiliaryWindows().mapForm(); }
    template <typename T> T* find(const char* name) { return findControl<T>(form(), name); }
    QString text(const char* field) { return find<QLineEdit>(field)->text(); }
    QString sign(const char* button) { return find<QPushButton>(button)->text(); }
    QString shown(const QString& name) {
        auto* edit = form().findChild<QLineEdit*>(name);
        return edit ? edit->text() : sign(name.toLatin1().constData());
    }
    void type(const char* field, const QString& keys) {
        QLineEdit* edit = find<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }
    // Where a marker stands, counted from the map's top-left corner.
    QPoint onMap(const char* marker) {
        return find<MapMarker>(marker)->pos() - find<QLabel>("WeltImage")->mapTo(&form(), QPoint(0, 0));
    }
    TestFolder dir;
    StartedProgram p;
};

} // namespace

class TestMapForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void centreClick();
    void clickOnAMarkerCountsForTheMap();
    void locatorTyped();
    void invalidLocatorTyped();
    void signs_data();
    void signs();
    void minutesAndSecondsDriveTheDecimal_data();
    void minutesAndSecondsDriveTheDecimal();
    void keyFilters_data();
    void keyFilters();
    void positionFromOutside();
    void overlays();
    void missingPictures();
    void blinking();
    void hamCapButton();
    void captionsFollowTheLanguage();
};

void TestMapForm::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestMapForm::centreClick() {
    MapWindow m;
    QTest::mouseClick(m.find<QLabel>("WeltImage"), Qt::LeftButton, {}, QPoint(450, 225));
    QCOMPARE(m.text("LangMemo"), "0,0000");
    QCOMPARE(m.text("BreitMemo"), "0,0000");
    QCOMPARE(m.sign("VorzLangBtn"), "");
    QCOMPARE(m.sign("VorzBreitBtn"), "");
    QCOMPARE(m.text("LocMemo"), "JJ00AA");
    QCOMPARE(m.text("LangGrad2Memo") + m.text("LangMin2Memo") + m.text("LangSekMemo"), "000");
    QCOMPARE(m.onMap("PositionShape"), QPoint(448, 222));
    // From Berlin (JO62QM) to the Gulf of Guinea: a little west of south, about 5970 km.
    const QString distance = m.find<QLabel>("DistanceLabel")->text();
    QVERIFY2(distance.endsWith(" km") && distance.chopped(3).toInt() > 5800 &&
                 distance.chopped(3).toInt() < 6100,
             qPrintable(distance));
    const QString bearing = m.find<QLabel>("BearingLabel")->text();
    QVERIFY2(bearing.endsWith(" °") && bearing.chopped(2).toInt() > 180 && bearing.chopped(2).toInt() < 215,
             qPrintable(bearing));
    QVERIFY(m.p.dialogs.errors.isEmpty());
}

// The markers never block a click: the place under them is taken.
void TestMapForm::clickOnAMarkerCountsForTheMap() {
    MapWindow m;
    m.form().SetPosition(0, 0);
    QTest::mouseClick(m.find<MapMarker>("PositionShape"), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(m.text("LangMemo"), "0,0000");
    QCOMPARE(m.text("BreitMemo"), "0,4000"); // map pixel (450, 224)
    QTest::mouseClick(m.find<MapMarker>("HomeShape"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY2(m.text("LocMemo").startsWith("JO62"), qPrintable(m.text("LocMemo")));
    // The right button picks nothing.
    QTest::mouseClick(m.find<QLabel>("WeltImage"), Qt::RightButton, {}, QPoint(10, 10));
    QVERIFY(m.text("LocMemo").startsWith("JO62"));
}

void TestMapForm::locatorTyped() {
    MapWindow m;
    m.type("LocMemo", "jn58td");
    QCOMPARE(m.text("LocMemo"), "JN58TD");
    QCOMPARE(m.text("LangMemo"), "11,6250");
    QCOMPARE(m.text("BreitMemo"), "48,1458");
    QCOMPARE(m.sign("VorzLangBtn"), "O");
    QCOMPARE(m.sign("VorzBreitBtn"), "N");
    QCOMPARE(m.onMap("PositionShape"), QPoint(477, 102));
    QCOMPARE(m.text("LangGrad1Memo") + "/" + m.text("LangMin1Memo"), "11/37,5");
    QCOMPARE(m.text("BreitGrad1Memo") + "/" + m.text("BreitMin1Memo"), "48/8,748");
    // A seventh character is refused; backspace still works.
    QTest::keyClicks(m.find<QLineEdit>("LocMemo"), "X");
    QCOMPARE(m.text("LocMemo"), "JN58TD");
    QTest::keyClick(m.find<QLineEdit>("LocMemo"), Qt::Key_Backspace);
    QCOMPARE(m.text("LocMemo"), "JN58T");
    QCOMPARE(m.text("LangMemo"), "11,6250");
    QVERIFY(m.p.dialogs.errors.isEmpty());
}

void TestMapForm::invalidLocatorTyped() {
    MapWindow m;
    m.type("LocMemo", "jz58td");
    QCOMPARE(m.p.dialogs.errors, QStringList("Locator nicht möglich (JZ58TD)"));
    QCOMPARE(m.text("LangMemo"), "");
    QCOMPARE(m.find<MapMarker>("PositionShape")->pos(), MapForm::RestPlace);
}

void TestMapForm::signs_data() {
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("negated");
    QTest::addColumn<QStringList>("fields"); // Grad1, Min1, Grad2, Min2, Sek after the click
    QTest::addColumn<QString>("quarter");    // the decimal after typing 15 minutes
    const QStringList negative = {"-9", "30", "-9", "30", "0"};
    QTest::newRow("east to west") << "Lang" << "9,5" << "O" << "W" << "-9,5" << negative << "-9,2500";
    QTest::newRow("north to south") << "Breit" << "9,5" << "N" << "S" << "-9,5" << negative << "-9,2500";
    QTest::newRow("zero has no sign") << "Lang" << "0" << "" << "" << "0" << QStringList(5, "0") << "0,2500";
}

void TestMapForm::signs() {
    QFETCH(QString, row);
    QFETCH(QString, typed);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, negated);
    QFETCH(QStringList, fields);
    MapWindow m;
    const QByteArray decimal = (row + "Memo").toLatin1();
    const QByteArray button = row == "Lang" ? "VorzLangBtn" : "VorzBreitBtn";
    m.type(decimal, typed);
    QCOMPARE(m.sign(button), before);
    QCOMPARE(m.text((row + "Grad1Memo").toLatin1()), typed == "0" ? "0" : "9");
    QTest::mouseClick(m.find<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(m.text(decimal), negated);
    QCOMPARE(m.sign(button), after);
    QStringList shown;
    for (const char* f : {"Grad1Memo", "Min1Memo", "Grad2Memo", "Min2Memo", "SekMemo"})
        shown << m.text((row + f).toLatin1());
    QCOMPARE(shown, fields);
    // The decimal field has the window's keyboard focus, its cursor at the end.
    QCOMPARE(m.form().focusWidget(), m.find<QLineEdit>(decimal));
    QCOMPARE(m.find<QLineEdit>(decimal)->cursorPosition(), negated.size());
    // The minutes count away from zero, on the side the whole degrees give.
    QFETCH(QString, quarter);
    m.type((row + "Min1Memo").toLatin1(), "15");
    QCOMPARE(m.text(decimal), quarter);
}

void TestMapForm::minutesAndSecondsDriveTheDecimal_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("degrees and decimal minutes")
        << QStringList{"LangGrad1Memo", "LangMin1Memo"} << QStringList{"12", "30"} << "LangMemo"
        << "12,5000" << QStringList{"LangGrad2Memo", "LangMin2Memo", "LangSekMemo", "VorzLangBtn"}
        << QStringList{"12", "30", "0", "O"};
    QTest::newRow("typed minutes give the seconds")
        << QStringList{"LangGrad1Memo", "LangMin1Memo"} << QStringList{"9", "30,5"} << "LangMemo"
        << "9,5083" << QStringList{"LangGrad2Memo", "LangMin2Memo", "LangSekMemo"}
        << QStringList{"9", "30", "30"};
    QTest::newRow("degrees, minutes, seconds")
        << QStringList{"BreitGrad2Memo", "BreitMin2Memo", "BreitSekMemo"} << QStringList{"48", "8", "45"}
        << "BreitMemo"
        << "48,1458" << QStringList{"BreitGrad1Memo", "VorzBreitBtn"} << QStringList{"48", "N"};
}

void TestMapForm::minutesAndSecondsDriveTheDecimal() {
    QFETCH(QStringList, fields);
    QFETCH(QStringList, typed);
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QFETCH(QStringList, others);
    QFETCH(QStringList, shown);
    MapWindow m;
    for (qsizetype i = 0; i < fields.size(); ++i)
        m.type(fields[i].toLatin1(), typed[i]);
    QCOMPARE(m.text(decimal.toLatin1()), expected);
    for (qsizetype i = 0; i < others.size(); ++i)
        QCOMPARE(m.shown(others[i]), shown[i]);
    // The field being typed in keeps what the user typed.
    QCOMPARE(m.text(fields.last().toLatin1()), typed.last());
}

void TestMapForm::keyFilters_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("decimal: one comma, no minus") << "LangMemo" << "1,2,3a-" << "1,23";
    QTest::newRow("decimal minutes: one comma") << "BreitMin1Memo" << "5,5,5" << "5,55";
    QTest::newRow("no point either") << "BreitMemo" << "4.5" << "45";
    QTest::newRow("whole degrees: digits only") << "LangGrad1Memo" << "1-2,a3" << "123";
    QTest::newRow("seconds: digits only") << "LangSekMemo" << "4,5" << "45";
    QTest::newRow("locator upper case, six") << "LocMemo" << "jo62qmx" << "JO62QM";
}

void TestMapForm::keyFilters() {
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    MapWindow m;
    m.type(field.toLatin1(), keys);
    QCOMPARE(m.text(field.toLatin1()), expected);
}

// What the propagation link does: a position from the main window while the
// map is closed, then the map without a position.
void TestMapForm::positionFromOutside() {
    MapWindow m(false);
    m.form().SetPosition(-9.4, 48.1458);
    QCOMPARE(m.text("LangMemo"), "-9,4000");
    QCOMPARE(m.text("BreitMemo"), "48,1458");
    QCOMPARE(m.sign("VorzLangBtn"), "W");
    QCOMPARE(m.text("LangGrad1Memo") + "/" + m.text("LangMin1Memo"), "-9/24");
    QCOMPARE(m.text("LangGrad2Memo") + "/" + m.text("LangMin2Memo") + "/" + m.text("LangSekMemo"), "-9/24/0");
    QCOMPARE(m.text("LocMemo"), "IN58HD");
    QCOMPARE(m.onMap("PositionShape"), QPoint(424, 102));
    m.form().clearPosition();
    QCOMPARE(m.find<MapMarker>("PositionShape")->pos(), QPoint(544, 342));
    for (const QLineEdit* e : m.form().findChildren<QLineEdit*>())
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(m.sign("VorzLangBtn") + m.sign("VorzBreitBtn"), "");
    // Shown, the yellow marker stands on the own locator.
    m.form().showMap();
    QVERIFY(m.form().isVisible());
    QVERIFY(m.find<MapMarker>("HomeShape")->isVisible());
    QCOMPARE(m.onMap("HomeShape"), QPoint(481, 91));
    QVERIFY(m.p.dialogs.errors.isEmpty());
}

void TestMapForm::overlays() {
    MapWindow m;
    auto* box = m.find<QCheckBox>("CqZonenChkBox");
    auto* image = m.find<QLabel>("CqZonenImage");
    auto* world = m.find<QLabel>("WeltImage");
    box->click();
    QVERIFY(image->isVisible());
    QCOMPARE(image->geometry(), world->geometry());
    QCOMPARE(image->pixmap().toImage(),
             QImage(m.dir.file("cq-zonen.gif")).convertToFormat(image->pixmap().toImage().format()));
    // A click on the overlay is a click on the map.
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(450, 225));
    QCOMPARE(m.text("LocMemo"), "JJ00AA");
    box->click();
    QVERIFY(image->pixmap().isNull());
    QVERIFY(!image->isVisible());
    // Ticked again, the file is read anew.
    QFile::remove(m.dir.file("cq-zonen.gif"));
    QVERIFY(QFile::copy(m.dir.file("kontinente.gif"), m.dir.file("cq-zonen.gif")));
    box->click();
    QCOMPARE(image->pixmap().toImage(),
             QImage(m.dir.file("kontinente.gif")).convertToFormat(image->pixmap().toImage().format()));
    // Stacked ITU zones, CQ zones, ITU regions, continents, markers on top.
    const QObjectList stack = world->parent()->children();
    QStringList order;
    for (const QObject* o : stack)
        order << o->objectName();
    QCOMPARE(order, (QStringList{"WeltImage", "ItuZonenImage", "CqZonenImage", "ItuRegionenIMage",
                                 "KontinenteImage"}));
    QVERIFY(m.p.dialogs.errors.isEmpty());
}

void TestMapForm::missingPictures() {
    MapWindow m(false, false);
    m.form().showMap();
    QCOMPARE(m.p.dialogs.errors.size(), 1);
    QVERIFY2(m.p.dialogs.errors[0].contains("welt.gif"), qPrintable(m.p.dialogs.errors[0]));
    // The map keeps its size, so clicks still give degrees.
    QCOMPARE(m.find<QLabel>("WeltImage")->size(), MapForm::DefaultMapSize);
    QFile::remove(m.dir.file("itu-zonen.gif"));
    auto* box = m.find<QCheckBox>("ItuZonenChkBox");
    box->click();
    QCOMPARE(m.p.dialogs.errors.size(), 2);
    QVERIFY2(m.p.dialogs.errors[1].contains("itu-zonen.gif"), qPrintable(m.p.dialogs.errors[1]));
    QVERIFY(m.find<QLabel>("ItuZonenImage")->pixmap().isNull());
    QVERIFY(!box->isChecked());
}

void TestMapForm::blinking() {
    MapWindow m;
    auto* position = m.find<MapMarker>("PositionShape");
    auto* home = m.find<MapMarker>("HomeShape");
    auto* timer = m.form().findChild<QTimer*>("BlinkenTimer");
    QVERIFY(timer && !timer->isActive());
    QCOMPARE(timer->interval(), 250);
    QCOMPARE(position->colour(), QColor(Qt::red));
    m.find<QCheckBox>("BlinkenChkBox")->click();
    QVERIFY(timer->isActive());
    QTRY_COMPARE(position->colour(), QColor(Qt::black));
    QCOMPARE(home->colour(), QColor(Qt::black));
    QTRY_COMPARE(position->colour(), QColor(Qt::red));
    QCOMPARE(home->colour(), QColor(Qt::yellow));
    // Unticked while dark: both get their colours back at once.
    QTRY_COMPARE(position->colour(), QColor(Qt::black));
    m.find<QCheckBox>("BlinkenChkBox")->click();
    QVERIFY(!timer->isActive());
    QCOMPARE(position->colour(), QColor(Qt::red));
    QCOMPARE(home->colour(), QColor(Qt::yellow));
}

void TestMapForm::hamCapButton() {
    MapWindow m;
    auto* button = m.find<QPushButton>("HamCapBtn");
    // The propagation link sets its starter when the program starts.
    QVERIFY(button->isEnabled());
    m.form().setHamCapStarter({});
    QVERIFY(!button->isEnabled());
    QList<QPointF> started;
    m.form().setHamCapStarter(
        [&started](double latitude, double longitude) { started << QPointF(latitude, longitude); });
    QVERIFY(button->isEnabled());
    m.form().SetPosition(11.625, 48.1458);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(started, (QList<QPointF>{{48.1458, 11.625}}));
    m.type("BreitMemo", "");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(started.size(), 1);
    QCOMPARE(m.p.dialogs.errors, QStringList("Breitengrad: \"\" ist keine Zahl."));
    m.form().setHamCapStarter({});
    QVERIFY(!button->isEnabled());
}

void TestMapForm::captionsFollowTheLanguage() {
    MapWindow m;
    QCOMPARE(m.form().windowTitle(), "Weltkarte");
    QCOMPARE(m.find<QLabel>("Label1")->text(), "Längengrad");
    m.form().SetPosition(9.5, -9.5);
    QCOMPARE(m.sign("VorzLangBtn") + m.sign("VorzBreitBtn"), "OS");
    m.p.find<QAction>("EnglishMenu")->trigger();
    QCOMPARE(m.form().windowTitle(), "World map");
    QCOMPARE(m.find<QLabel>("Label1")->text(), "Longitude");
    QCOMPARE(m.sign("VorzLangBtn") + m.sign("VorzBreitBtn"), "ES");
}

VESK_TEST_MAIN(TestMapForm)
#include "test_mapform.moc"
