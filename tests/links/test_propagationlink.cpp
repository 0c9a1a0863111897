#include "StartedProgram.h"
#include "entry/EntryMask.h"
#include "entry/ui/EntryArea.h"
#include "entry/ui/LogGridView.h"
#include "links/PropagationLink.h"
#include "links/PropagationSettings.h"
#include "links/ui/HamCapLink.h"
#include "links/ui/PropagationApp.h"
#include "links/ui/PropagationViews.h"
#include "links/ui/PropagationWindow.h"
#include "settings/Settings.h"
#include "windows/ui/MapForm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

namespace {

// Own locator JO31NF; the last contact is on 20m, so the mask's band is 20m.
const QStringList kLog = {
    "1;06.12.2026;18:00:00;40m;SSB;DL1ABC;59;59;B01;Hans;Kassel;JO41AA;100W;;;",
    "2;06.12.2026;18:05:00;20m;CW;OK2XYZ;579;589;;Jana;Brno;JN89AA;5W;;;",
    "3;06.12.2026;18:10:00;20m;CW;VK2ABC;559;579;;Bruce;Sydney;QF56;100W;;;",
};
const QByteArray kOwn = "EigenerLocator=JO31NF\r\n";

const QString kHome = QStringLiteral("HomeLat=51.2292|HomeLon=7.1250|LongPath=false|RealTimeClock=true");

QString valueText(const QVariant& v) {
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 4);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return v.toString();
}

// The prediction as a test sees it: every member the link sets or calls,
// in order, with the type of each value.
class RecordingLink : public PropagationLink {
public:
    RecordingLink(QStringList& calls, QStringList& types, QObject* parent)
        : PropagationLink(parent), m_calls(calls), m_types(types) {}
    bool setValue(const QString& name, const QVariant& value) override {
        m_calls << name + u'=' + valueText(value);
        m_types << name + u':' + QString::fromLatin1(value.typeName());
        return name != refuse;
    }
    bool callMethod(const QString& name) override {
        m_calls << name;
        if (name == failOn)
            emit event(Error);
        return true;
    }
    QString errorText() const override { return error; }
    void raise(int number) { emit event(number); }

    QString refuse;
    QString failOn;
    QString error;

private:
    QStringList& m_calls;
    QStringList& m_types;
};

struct LinkProgram {
    explicit LinkProgram(const QByteArray& settings = kOwn) : run(kLog, settings) {
        hamCap().setFactory([this](QObject* owner) {
            ++created;
            last = new RecordingLink(calls, types, owner);
            return last.data();
        });
        hamCap().setWorldMap({[this](double lon, double lat) {
                                  map << QStringLiteral("SetPosition %1 %2").arg(lon, 0, 'f', 4).arg(lat, 0, 'f', 4);
                              },
                              [this] { map << QStringLiteral("clearPosition"); },
                              [this] { map << QStringLiteral("showMap"); }});
    }
    StartedProgram& p() { return run.p; }
    HamCapLink& hamCap() {
        auto* link = run.p.w.findChild<HamCapLink*>(QStringLiteral("HamCapLink"));
        if (!link)
            qFatal("no HamCapLink in the main window");
        return *link;
    }
    void open() { p().find<QAction>("HamCapMenu")->trigger(); }
    void worldMap() { p().find<QAction>("MapMenu")->trigger(); }
    QString sent() {
        const QString all = calls.join(u'|');
        calls.clear();
        return all;
    }
    void type(const char* field, const QString& text) {
        QLineEdit* edit = p().find<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    ProgramOnLog run;
    QStringList calls;
    QStringList types;
    QStringList map;
    int created = 0;
    QPointer<RecordingLink> last;
};

PropagationWindow* windowOf(StartedProgram& p) {
    return p.w.findChild<PropagationWindow*>(QStringLiteral("PropagationForm"));
}
QString labelText(QWidget* window, const char* name) { return findControl<QLabel>(*window, name)->text(); }
void installDxcc(const TestFolder& dir) {
    dir.installDataFile(QStringLiteral("DXCC.csv"));
    dir.installDataFile(QStringLiteral("DXCC.ini"));
}

} // namespace

class TestPropagationLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void maskChoosesTheTarget_data();
    void maskChoosesTheTarget();
    void evaluationsShowTheArea();
    void targetOfEachPage_data();
    void targetOfEachPage();
    void worldMapShowsTheTarget_data();
    void worldMapShowsTheTarget();
    void unreadableOwnLocatorEndsTheCommand();
    void refusedMemberStopsAndIsNamed();
    void eventsAreAnsweredOnce();
    void exitRequestDropsTheReference();
    void builtInPredictionDrawsTheChart();
    void builtInPredictionReportsBadInput_data();
    void builtInPredictionReportsBadInput();
    void builtInAreaMapAndSunspots();
    void worldMapWindowAndItsButton();
};

void TestPropagationLink::maskChoosesTheTarget_data() {
    QTest::addColumn<QString>("band"); // empty: the last contact's, 20m
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("sent");
    const QString point = QStringLiteral("|Page=1|PredictPoint|Visible=true");
    QTest::newRow("locator") << "" << "JO31AB" << "" << "Band=3|DxLat=51.0625|DxLon=6.0417" + point;
    QTest::newRow("square only: the call") << "" << "JO31" << "DL1ABC" << "Band=3|DxCall=DL1ABC" + point;
    QTest::newRow("unknown band is index 0") << "160m" << "" << "DL1ABC" << "Band=0|DxCall=DL1ABC" + point;
}

void TestPropagationLink::maskChoosesTheTarget() {
    QFETCH(QString, band);
    QFETCH(QString, locator);
    QFETCH(QString, call);
    QFETCH(QString, sent);
    LinkProgram t;
    t.p().w.showPage(Page::Entry);
    if (!band.isEmpty())
        t.p().w.entryMask().setField(QsoRecord::Band, band);
    t.type("LocatorEdit", locator);
    t.type("CallEdit", call);
    t.open();
    QCOMPARE(t.sent(), kHome + u'|' + sent);
    // The types an automation object gets: doubles, flags, 32-bit integers, the call as text.
    const QHash<QString, QString> typeOf = {{"HomeLat", "double"}, {"HomeLon", "double"}, {"DxLat", "double"},
                                            {"DxLon", "double"},   {"LongPath", "bool"},  {"RealTimeClock", "bool"},
                                            {"Visible", "bool"},   {"Band", "int"},       {"Page", "int"},
                                            {"DxCall", "QString"}};
    QStringList types;
    for (const QString& member : (kHome + u'|' + sent).split(u'|'))
        if (member.contains(u'='))
            types << member.section(u'=', 0, 0) + u':' + typeOf.value(member.section(u'=', 0, 0));
    QCOMPARE(t.types, types);
    QVERIFY(t.p().dialogs.errors.isEmpty());
}

void TestPropagationLink::evaluationsShowTheArea() {
    LinkProgram t;
    t.p().w.showPage(Page::Evaluations);
    t.open();
    QCOMPARE(t.sent(), kHome + "|Band=3|Page=2|PredictArea|Visible=true");
    t.worldMap();
    QCOMPARE(t.map, (QStringList{"clearPosition", "showMap"}));
    QVERIFY(t.calls.isEmpty());
}

void TestPropagationLink::targetOfEachPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("target");
    // JO41AA: 51.0208 / 8.0417; JN89AA: 49.0208 / 16.0417.
    QTest::newRow("Eingabe, empty mask: the list's row") << int(Page::Entry) << 1 << "DxLat=49.0208|DxLon=16.0417";
    QTest::newRow("Liste") << int(Page::List) << 0 << "DxLat=51.0208|DxLon=8.0417";
    QTest::newRow("Liste, square only: the call") << int(Page::List) << 2 << "DxCall=VK2ABC";
    QTest::newRow("Liste, no row") << int(Page::List) << -1 << "Page=2";
    QTest::newRow("Editieren") << int(Page::Edit) << 1 << "DxLat=49.0208|DxLon=16.0417";
    QTest::newRow("Suche") << int(Page::Search) << 0 << "DxLat=51.0208|DxLon=8.0417";
    QTest::newRow("PLE") << int(Page::PaperLog) << 2 << "DxCall=VK2ABC";
    QTest::newRow("Optionen") << int(Page::Options) << 0 << "Page=2";
}

void TestPropagationLink::targetOfEachPage() {
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(QString, target);
    LinkProgram t;
    StartedProgram& p = t.p();
    const auto shown = static_cast<Page>(page);
    switch (shown) {
    case Page::Edit: p.w.openForEdit(row, ReturnTarget::List); break;
    case Page::Search:
        QVERIFY(p.w.entryArea().search(
            {SearchCondition{true, SearchField::Call, SearchOperator::Is, QStringLiteral("DL1ABC")}}));
        p.w.showPage(Page::Search);
        p.find<LogGridView>("sStringGrid")->selectRecord(row);
        break;
    case Page::PaperLog:
        p.w.showPage(shown);
        p.find<LogGridView>("pleStringGrid")->selectRecord(row);
        break;
    default: {
        p.w.showPage(shown);
        auto* grid = p.find<LogGridView>(shown == Page::Entry ? "Liste2StringGrid" : "ListeStringGrid");
        if (row >= 0)
            grid->selectRecord(row);
        else
            grid->selectionModel()->clear();
        break;
    }
    }
    QVERIFY(p.w.isCurrent(shown));
    t.open();
    const QString sent = t.sent();
    QVERIFY2(sent.startsWith(kHome + "|Band=3|" + target + '|'), qPrintable(sent));
}

void TestPropagationLink::worldMapShowsTheTarget_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("map");
    QTest::newRow("locator") << "JN58TD" << "" << QStringList{"SetPosition 11.6250 48.1458", "showMap"};
    // DXCC.csv: Australia at 132.33° E / 23.7° S.
    QTest::newRow("call") << "" << "VK2ABC" << QStringList{"SetPosition 132.3300 -23.7000", "showMap"};
    QTest::newRow("call the table does not know") << "" << "QQ1QQ" << QStringList{"clearPosition", "showMap"};
    QTest::newRow("nothing") << "" << "" << QStringList{"clearPosition", "showMap"};
}

void TestPropagationLink::worldMapShowsTheTarget() {
    QFETCH(QString, locator);
    QFETCH(QString, call);
    QFETCH(QStringList, map);
    LinkProgram t;
    installDxcc(t.run.dir);
    t.p().w.showPage(Page::Entry);
    t.p().find<LogGridView>("Liste2StringGrid")->selectionModel()->clear();
    t.type("LocatorEdit", locator);
    t.type("CallEdit", call);
    t.worldMap();
    QCOMPARE(t.map, map);
    // The world map needs no prediction.
    QCOMPARE(t.created, 0);
}

void TestPropagationLink::unreadableOwnLocatorEndsTheCommand() {
    LinkProgram t("EigenerLocator=JO31N\r\n");
    t.p().w.showPage(Page::Evaluations);
    t.open();
    QCOMPARE(t.p().dialogs.errors, QStringList{QStringLiteral("Locator nicht möglich (JO31N)")});
    QCOMPARE(t.created, 0);
    QVERIFY(t.calls.isEmpty());
}

void TestPropagationLink::refusedMemberStopsAndIsNamed() {
    LinkProgram t;
    t.p().w.showPage(Page::Evaluations);
    t.open();
    t.sent();
    t.last->refuse = QStringLiteral("Page");
    t.open();
    QCOMPARE(t.sent(), kHome + "|Band=3|Page=2");
    QCOMPARE(t.p().dialogs.errors.size(), 1);
    QVERIFY2(t.p().dialogs.errors[0].contains(QStringLiteral("„Page“ (2)")), qPrintable(t.p().dialogs.errors[0]));
}

void TestPropagationLink::eventsAreAnsweredOnce() {
    LinkProgram t;
    t.p().w.showPage(Page::Evaluations);
    t.open();
    t.open();
    t.open();
    QCOMPARE(t.created, 1);
    // However often it was prepared, one error brings one message.
    t.last->error = QStringLiteral("Die Position der Gegenstation (Breite 95, Länge 0) liegt nicht auf der Erdkugel.");
    t.last->raise(PropagationLink::Error);
    QCOMPARE(t.p().dialogs.errors,
             QStringList{QStringLiteral("HamCap hat einen Fehler gemeldet!\n") + t.last->error});
    // Map and chart changes, and numbers nobody knows, bring nothing.
    for (int n : {3, 4, 0, 5, -1})
        t.last->raise(n);
    QCOMPARE(t.p().dialogs.errors.size(), 1);
    QVERIFY(t.hamCap().link() != nullptr);
}

void TestPropagationLink::exitRequestDropsTheReference() {
    LinkProgram t;
    t.p().w.showPage(Page::Evaluations);
    t.open();
    QPointer<RecordingLink> first = t.last;
    first->raise(PropagationLink::ExitRequest);
    QCOMPARE(t.hamCap().link(), nullptr);
    // Until it is gone its events reach nobody.
    first->raise(PropagationLink::Error);
    QVERIFY(t.p().dialogs.errors.isEmpty());
    QTRY_VERIFY(first.isNull());
    t.sent();
    t.open();
    QCOMPARE(t.created, 2);
    QCOMPARE(t.sent(), kHome + "|Band=3|Page=2|PredictArea|Visible=true");
}

void TestPropagationLink::builtInPredictionDrawsTheChart() {
    ProgramOnLog run(kLog, kOwn);
    installDxcc(run.dir);
    StartedProgram& p = run.p;
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(2);
    p.find<QAction>("HamCapMenu")->trigger();
    PropagationWindow* window = windowOf(p);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Ausbreitungsvorhersage"));
    QCOMPARE(window->page(), 1);
    QVERIFY(window->chart().hasDay());
    const QString text = labelText(window, "ChartText");
    QVERIFY2(text.contains(QStringLiteral("VK2ABC (Australia)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("20m offen:")), qPrintable(text));
    QVERIFY(p.dialogs.errors.isEmpty());
    if (qEnvironmentVariableIsSet("VESK_SCREENSHOTS"))
        window->grab().save(qEnvironmentVariable("VESK_SCREENSHOTS") + QStringLiteral("/propagation-chart.png"));

    // Without welt.gif the area map says that it has no land to show.
    auto& hamCap = *p.w.findChild<HamCapLink*>(QStringLiteral("HamCapLink"));
    hamCap.HamCapMap();
    const QString area = labelText(window, "AreaText");
    QVERIFY2(area.contains(QStringLiteral("welt.gif\" fehlt")), qPrintable(area));

    // Closing the window asks to exit: the link lets go of it.
    QPointer<PropagationLink> app = hamCap.link();
    QVERIFY(app);
    window->close();
    QCOMPARE(hamCap.link(), nullptr);
    QTRY_VERIFY(app.isNull());
    // The next command starts a new one.
    p.find<QAction>("HamCapMenu")->trigger();
    QVERIFY(hamCap.link() != nullptr);
    QVERIFY(hamCap.link() != app.data());
}

void TestPropagationLink::builtInPredictionReportsBadInput_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("detail");
    QTest::newRow("latitude beyond the pole")
        << "DxLat" << QVariant(95.5) << "Die Position der Gegenstation (Breite 95,5, Länge 0) liegt nicht auf der Erdkugel.";
    QTest::newRow("longitude beyond the date line")
        << "DxLon" << QVariant(-181.0) << "Die Position der Gegenstation (Breite 0, Länge -181) liegt nicht auf der Erdkugel.";
    QTest::newRow("unknown call") << "DxCall" << QVariant(QStringLiteral("QQ1QQ"))
                                  << "Das Rufzeichen „QQ1QQ“ gehört zu keinem Gebiet der DXCC-Tabelle.";
    QTest::newRow("empty call") << "DxCall" << QVariant(QString()) << "Das Rufzeichen „“ gehört zu keinem Gebiet der DXCC-Tabelle.";
}

void TestPropagationLink::builtInPredictionReportsBadInput() {
    QFETCH(QString, member);
    QFETCH(QVariant, value);
    QFETCH(QString, detail);
    ProgramOnLog run(kLog, kOwn);
    installDxcc(run.dir);
    StartedProgram& p = run.p;
    auto& hamCap = *p.w.findChild<HamCapLink*>(QStringLiteral("HamCapLink"));
    QVERIFY(hamCap.HamCapPrepair());
    QVERIFY(hamCap.link()->setValue(member, value));
    hamCap.HamCapChart();
    QCOMPARE(p.dialogs.errors, QStringList{QStringLiteral("HamCap hat einen Fehler gemeldet!\n") + detail});
    QVERIFY(!windowOf(p)->chart().hasDay());
    QCOMPARE(labelText(windowOf(p), "ProblemLabel"), detail);
    // Values of the wrong kind are refused, not taken as 0.
    QVERIFY(!hamCap.link()->setValue(QStringLiteral("DxLat"), QStringLiteral("Nord")));
    QVERIFY(!hamCap.link()->setValue(QStringLiteral("Band"), 8));
    QVERIFY(!hamCap.link()->setValue(QStringLiteral("Page"), 3));
    QVERIFY(!hamCap.link()->setValue(QStringLiteral("Frequency"), 14.0));
    QVERIFY(!hamCap.link()->callMethod(QStringLiteral("PredictEverything")));
}

void TestPropagationLink::builtInAreaMapAndSunspots() {
    ProgramOnLog run(kLog, kOwn + "[Propagation]\r\nSunspotNumber=40\r\n");
    run.dir.installDataFile(QStringLiteral("welt.gif"));
    StartedProgram& p = run.p;
    p.w.showPage(Page::Evaluations);
    p.find<QAction>("HamCapMenu")->trigger();
    PropagationWindow* window = windowOf(p);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->page(), 2);
    QVERIFY(window->map().hasRaster());
    auto* spots = window->findChild<QSpinBox*>(QStringLiteral("SunspotSpinBox"));
    QCOMPARE(spots->value(), 40);
    const QString before = labelText(window, "AreaText");
    // FakeClock: 6 December 2026, 18:30 local time.
    QVERIFY2(before.contains(QStringLiteral("06.12.2026")), qPrintable(before));
    QVERIFY2(!before.contains(QStringLiteral("welt.gif")), qPrintable(before));
    if (qEnvironmentVariableIsSet("VESK_SCREENSHOTS"))
        window->grab().save(qEnvironmentVariable("VESK_SCREENSHOTS") + QStringLiteral("/propagation-area.png"));
    // The real-time clock runs: the map follows the hour.
    p.clock.now = p.clock.now.addSecs(40 * 60);
    auto* clock = p.w.findChild<QTimer*>(QStringLiteral("RealTimeClockTimer"));
    QVERIFY(clock && clock->isActive());
    clock->start(1);
    QTRY_VERIFY(labelText(window, "AreaText").contains(QStringLiteral("19:10 UTC")));
    clock->stop();
    spots->setValue(160);
    QCOMPARE(PropagationSettings::sunspotNumber(p.session.settings()), 160);
    // Stored in the file, not only in memory.
    Settings reread(p.session.pathOf(QStringLiteral("Vesk.ini")));
    reread.load();
    QCOMPARE(PropagationSettings::sunspotNumber(reread), 160);
    QVERIFY(p.dialogs.errors.isEmpty());
}

// The real world map: "Weltkarte" shows the selected station there, and its
// HamCap button asks for the chart towards the map's position.
void TestPropagationLink::worldMapWindowAndItsButton() {
    TestFolder dir;
    dir.prepareProgram(kLog, kOwn);
    dir.installDataFile(QStringLiteral("welt.gif"));
    StartedProgram p(dir);
    auto* mapMenu = p.find<QAction>("MapMenu");
    QVERIFY(mapMenu->isEnabled());
    QCOMPARE(mapMenu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    QCOMPARE(p.find<QAction>("HamCapMenu")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(0);
    mapMenu->trigger();
    auto* map = p.w.findChild<MapForm*>(QStringLiteral("MapForm"));
    QVERIFY(map && map->isVisible());
    QVERIFY(!windowOf(p));
    p.find<QPushButton>("HamCapBtn")->click();
    QVERIFY(windowOf(p) && windowOf(p)->isVisible());
    QCOMPARE(windowOf(p)->page(), 1);
    // JO41AA: 51.0208° N, 8.0417° E.
    const QString text = labelText(windowOf(p), "ChartText");
    QVERIFY2(text.contains(QStringLiteral("– 51,02° / 8,04°")), qPrintable(text));
    QVERIFY2(p.dialogs.errors.isEmpty(), qPrintable(p.dialogs.errors.join(u'|')));
}

QTEST_MAIN(TestPropagationLink)
#include "test_propagationlink.moc"
