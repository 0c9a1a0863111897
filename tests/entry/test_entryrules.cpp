#include "settings/ui/GeneralOptions.h"
#include "session/Session.h"
#include "entry/EntryRules.h"
#include "entry/FieldBindings.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using Binds = QList<std::pair<int, int>>; // item, button, in the order they are bound

class TestEntryRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadIgnoresWhatIsNoItem();
    void sharedKeys_data();
    void sharedKeys();
    void storeWritesAllTwelve();
    void hintJoinsFieldNames_data();
    void hintJoinsFieldNames();
    void appendText_data();
    void appendText();
    void nextNumber_data();
    void nextNumber();
    void manualOffsetCrossesMidnight();
    void generalOptionsStoreAndReport();
    void sunZenithControls();
};

void TestEntryRules::loadIgnoresWhatIsNoItem() {
    TestFolder dir;
    dir.write("Vesk.ini", "[Buttons]\r\nBF1=a\r\nBF2=eXz9e i\r\nBF12=l\r\nBF13=b\r\n");
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    FieldBindings b;
    b.load(s);
    QCOMPARE(b.letters(1), QStringLiteral("a"));
    QCOMPARE(b.letters(2), QStringLiteral("ei"));
    QCOMPARE(b.letters(12), QStringLiteral("l"));
    QCOMPARE(b.letters(13), QString());
    QCOMPARE(b.button(MaskItem::Utc), 0); // "BF13" is no key
    QCOMPARE(b.button(MaskItem::Name), 2);
    QCOMPARE(b.caption(2), QStringLiteral("F2: DOK, Name"));
    QCOMPARE(b.caption(5), QStringLiteral("F5: "));
}

void TestEntryRules::sharedKeys_data() {
    QTest::addColumn<Binds>("binds");
    QTest::addColumn<QString>("key3");
    QTest::addColumn<QList<int>>("unbound");
    using B = Binds;
    QTest::newRow("date then dok") << B{{MaskItem::Date, 3}, {MaskItem::Dok, 3}} << "e" << QList<int>{MaskItem::Date};
    QTest::newRow("toggles share") << B{{MaskItem::Dok, 3}, {MaskItem::Name, 3}} << "ei" << QList<int>{};
    // Date is looked at before UTC: Date loses the key, UTC keeps it.
    QTest::newRow("two editors") << B{{MaskItem::Utc, 3}, {MaskItem::Date, 3}} << "b" << QList<int>{MaskItem::Date};
    // TX Pwr comes last: the band, looked at first, gives way.
    QTest::newRow("power last") << B{{MaskItem::TxPwr, 3}, {MaskItem::Band, 3}} << "g" << QList<int>{MaskItem::Band};
    QTest::newRow("moved away") << B{{MaskItem::Dok, 3}, {MaskItem::Dok, 4}} << "" << QList<int>{};
}

void TestEntryRules::sharedKeys() {
    QFETCH(Binds, binds);
    QFETCH(QString, key3);
    QFETCH(QList<int>, unbound);
    FieldBindings b;
    QList<int> lost;
    for (const auto& [item, button] : binds)
        lost = b.bind(item, button);
    QCOMPARE(b.letters(3), key3);
    QCOMPARE(lost, unbound);
}

void TestEntryRules::storeWritesAllTwelve() {
    TestFolder dir;
    Settings s(dir.file("Vesk.ini"));
    FieldBindings b;
    b.bind(MaskItem::QslIn, 12);
    b.bind(MaskItem::Comments, 12);
    b.store(s);
    s.save();
    Settings again(dir.file("Vesk.ini"));
    QVERIFY(again.load());
    QCOMPARE(again.readString("Buttons", "BF12"), QStringLiteral("jl"));
    QVERIFY(again.contains("Buttons", "BF1"));
    QCOMPARE(again.readString("Buttons", "BF1", "x"), QString());
}

void TestEntryRules::hintJoinsFieldNames_data() {
    QTest::addColumn<QList<int>>("items");
    QTest::addColumn<QString>("hint");
    QTest::newRow("none") << QList<int>{} << "F1: S  E";
    QTest::newRow("one") << QList<int>{MaskItem::Locator} << "F1: S 'Locator' E";
    QTest::newRow("two") << QList<int>{MaskItem::Dok, MaskItem::Name} << "F1: S 'DOK' + 'Name' E";
    QTest::newRow("three") << QList<int>{MaskItem::Dok, MaskItem::Qth, MaskItem::Name}
                           << "F1: S 'DOK', 'QTH' + 'Name' E";
}

void TestEntryRules::hintJoinsFieldNames() {
    QFETCH(QList<int>, items);
    QFETCH(QString, hint);
    LanguageTexts texts;
    texts.set(LanguageTexts::ButtonHintStart, "S");
    texts.set(LanguageTexts::HintAnd, " + ");
    texts.set(LanguageTexts::ButtonHintEnd, "E");
    FieldBindings b;
    for (int item : items)
        b.bind(item, 1);
    QCOMPARE(b.hint(1, texts), hint);
}

void TestEntryRules::appendText_data() {
    QTest::addColumn<QString>("rst");
    QTest::addColumn<QString>("append");
    QTest::addColumn<QString>("result");
    QTest::newRow("appended") << "59" << "001" << "59 001";
    QTest::newRow("trailing blanks go") << "59  " << "001" << "59 001";
    QTest::newRow("typed by hand") << "59 001" << "001" << "59 001";
    QTest::newRow("anywhere inside") << "001" << "001" << "001";
    QTest::newRow("no text") << "59" << "" << "59";
    QTest::newRow("text trimmed") << "59" << " B01 " << "59 B01";
    QTest::newRow("empty rst") << "" << "001" << " 001";
}

void TestEntryRules::appendText() {
    QFETCH(QString, rst);
    QFETCH(QString, append);
    QFETCH(QString, result);
    QCOMPARE(RstTxAppend::apply(rst, append), result);
}

void TestEntryRules::nextNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("next");
    QTest::newRow("001") << "001" << "002";
    QTest::newRow("009") << "009" << "010";
    QTest::newRow("999") << "999" << "1000";
    QTest::newRow("7") << "7" << "008";
    QTest::newRow("blanks") << " 41 " << "042";
    QTest::newRow("word") << "B01" << "";
    QTest::newRow("empty") << "" << "";
}

void TestEntryRules::nextNumber() {
    QFETCH(QString, text);
    QFETCH(QString, next);
    const auto result = RstTxAppend::next(text);
    QCOMPARE(result.value_or(QString()), next);
    QCOMPARE(result.has_value(), RstTxAppend::isWholeNumber(text));
}

void TestEntryRules::manualOffsetCrossesMidnight() {
    FakeClock clock;
    clock.now = QDateTime(QDate(2026, 12, 31), QTime(23, 30, 0));
    const QDateTime utc = MaskClock::utcNow(clock, false, 2);
    QCOMPARE(utc.date(), QDate(2027, 1, 1));
    QCOMPARE(utc.time(), QTime(1, 30, 0));
    QCOMPARE(MaskClock::utcNow(clock, false, -1).time(), QTime(22, 30, 0));
    QCOMPARE(MaskClock::utcNow(clock, true, 5), clock.now.toUTC());
}

void TestEntryRules::generalOptionsStoreAndReport() {
    TestFolder dir;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    GeneralOptions options(session);
    options.applySettings();
    session.setFormReady(true);
    QList<std::pair<bool, int>> offsets;
    connect(&options, &GeneralOptions::utcOffsetChanged, this,
            [&](bool automatic, int hours) { offsets.append({automatic, hours}); });
    auto* autoBox = options.findChild<QCheckBox*>("UtcDiffAutoCheckBox");
    QVERIFY(autoBox->isChecked());
    autoBox->click();
    auto* diff = options.findChild<QLineEdit*>("UtcDiffEdit");
    options.findChild<QLineEdit*>("EigCallEdit")->setText("DL1XYZ");
    diff->setText("-1,5");
    options.findChild<QLineEdit*>("QslPathEdit")->setText("/home/op/karten");
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("Allgemein", "EigenesCall"), QStringLiteral("DL1XYZ"));
    QCOMPARE(stored.readFloat("Allgemein", "UtcDiff", 0), -1.5);
    QCOMPARE(stored.readString("Allgemein", "QslPath"), QStringLiteral("/home/op/karten/"));
    QVERIFY(!stored.readBool("Allgemein", "UtcDiffAuto", true));
    QCOMPARE(offsets.last(), (std::pair<bool, int>{false, -1})); // the mask applies whole hours

    // A difference that is no number: the call is kept, the old difference too.
    options.findChild<QLineEdit*>("EigCallEdit")->setText("DL2XYZ");
    diff->setText("eins");
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors[0].contains("eins"), qPrintable(dialogs.errors[0]));
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("Allgemein", "EigenesCall"), QStringLiteral("DL2XYZ"));
    QCOMPARE(stored.readFloat("Allgemein", "UtcDiff", 0), -1.5);
}

void TestEntryRules::sunZenithControls() {
    TestFolder dir;
    dir.write("Vesk.ini", "[Allgemein]\r\nSunZenith=96\r\n");
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    QVERIFY(session.settings().load());
    GeneralOptions options(session);
    options.applySettings();
    session.setFormReady(true);
    auto* box = options.findChild<QLineEdit*>("SunEdit");
    QCOMPARE(box->text(), QStringLiteral("96°"));
    auto stored = [&] {
        Settings s(dir.file("Vesk.ini"));
        return s.load() ? s.readFloat("Allgemein", "SunZenith", -1) : -2;
    };
    options.findChild<QPushButton*>("Sun90Btn")->click();
    QCOMPARE(box->text(), QStringLiteral("90,8333°"));
    QCOMPARE(stored(), 90.8333);
    options.findChild<QPushButton*>("Sun108Btn")->click();
    QCOMPARE(box->text(), QStringLiteral("108°"));
    QCOMPARE(stored(), 108.0);
    // Only digits go in; the degree sign stays at the end.
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "x,.");
    QCOMPARE(box->text(), QStringLiteral("108°"));
    box->clear();
    QCOMPARE(box->text(), QStringLiteral("°"));
    QCOMPARE(stored(), 108.0); // nothing to store in an empty box
    QTest::keyClicks(box, "95");
    QCOMPARE(box->text(), QStringLiteral("95°"));
    QCOMPARE(stored(), 95.0);
    QCOMPARE(GeneralOptions::sunZenith(session.settings()), 95.0);
}

QTEST_MAIN(TestEntryRules)
#include "test_entryrules.moc"
