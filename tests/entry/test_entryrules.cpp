#include "app/ui/GeneralOptions.h"
#include "session/Session.h"
#include "entry/EntryRules.h"
#include "entry/FieldBindings.h"
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
    void bindingsRoundTrip();
    void sharedKeys();
    void powerAndAppendText();
    void generalOptionsAndMaskClock();
};

// Loading drops letters that name no item and keys past F12; storing writes all twelve.
void TestEntryRules::bindingsRoundTrip() {
    TestFolder dir;
    dir.write("Vesk.ini", "[Buttons]\r\nBF1=a\r\nBF2=eXz9e i\r\nBF12=l\r\nBF13=b\r\n");
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    FieldBindings b;
    b.load(s);
    QCOMPARE(b.letters(2), QStringLiteral("ei"));
    b.bind(MaskItem::Comments, 12);
    b.bind(MaskItem::Dok, 4);
    Settings out(dir.file("out.ini"));
    b.store(out);
    out.save();
    const QByteArray written = dir.read("out.ini");
    QCOMPARE(written.count("\r\nBF"), 12);
    QVERIFY2(written.contains("\r\nBF12=jl\r\n") && written.contains("\r\nBF2=i\r\n") && written.contains("\r\nBF5=\r\n"),
             written.constData());
}

// Items that open editors cannot share a key (the one looked at first gives way); toggles can.
void TestEntryRules::sharedKeys() {
    const QList<std::tuple<Binds, QString, QList<int>>> cases = { // binds in order, key 3's letters, unbound
        {{{MaskItem::Date, 3}, {MaskItem::Dok, 3}}, "e", {MaskItem::Date}},
        {{{MaskItem::Dok, 3}, {MaskItem::Name, 3}}, "ei", {}},
        {{{MaskItem::Utc, 3}, {MaskItem::Date, 3}}, "b", {MaskItem::Date}}, // Date is looked at before UTC
        {{{MaskItem::TxPwr, 3}, {MaskItem::Band, 3}}, "g", {MaskItem::Band}}}; // TX Pwr comes last
    for (const auto& [binds, key3, unbound] : cases) {
        FieldBindings b;
        QList<int> lost;
        for (const auto& [item, button] : binds)
            lost = b.bind(item, button);
        QCOMPARE(b.letters(3), key3);
        QCOMPARE(lost, unbound);
    }
}

// What the typed contacts of test_entrypage do not reach: the ends of the power
// steps, blanks, numbers growing a digit, a note pad with its own fourth line.
void TestEntryRules::powerAndAppendText() {
    const QList<std::array<int, 3>> steps = {{25, 35, 23}, {2, 4, 2}, {0, 2, 0}}; // from, up, down
    for (const auto& [from, up, down] : steps) {
        QCOMPARE(TxPowerStep::up(from), up);
        QCOMPARE(TxPowerStep::down(from), down);
    }
    QCOMPARE(RstTxAppend::apply("59  ", " B01 "), QStringLiteral("59 B01"));
    QCOMPARE(RstTxAppend::apply("59", ""), QStringLiteral("59"));
    const QList<std::array<QString, 2>> numbers = {{"999", "1000"}, {"7", "008"}, {" 41 ", "042"}};
    for (const auto& [text, next] : numbers)
        QCOMPARE(RstTxAppend::next(text).value_or("none"), next);
    QCOMPARE(RstTxAppend::memoWithNumberLine("a\nb\nc\nmy note", "002"), QStringLiteral("a\nb\nc\nmy note"));
    QCOMPARE(RstTxAppend::memoWithNumberLine("a\nb\nc\nTX# 009", ""), QStringLiteral("a\nb\nc\n"));
    QCOMPARE(RstTxAppend::memoWithNumberLine("a", ""), QStringLiteral("a"));
}

void TestEntryRules::generalOptionsAndMaskClock() {
    TestFolder dir;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    GeneralOptions options(session);
    options.applySettings();
    session.setFormReady(true);
    QList<std::pair<bool, int>> offsets;
    connect(&options, &GeneralOptions::utcOffsetChanged, this, [&](bool a, int h) { offsets.append({a, h}); });
    options.findChild<QCheckBox*>("UtcDiffAutoCheckBox")->click();
    auto* diff = options.findChild<QLineEdit*>("UtcDiffEdit");
    auto* call = options.findChild<QLineEdit*>("EigCallEdit");
    // A first start shows the placeholder call and the program folder, not empty fields.
    QCOMPARE(call->text().toUpper() + options.findChild<QLineEdit*>("QslPathEdit")->text(), "[CALL]" + dir.path() + "/");
    call->setText("DL1XYZ");
    diff->setText("-1,5");
    options.findChild<QLineEdit*>("QslPathEdit")->setText("/home/op/karten");
    auto* sun = options.findChild<QLineEdit*>("SunEdit");
    options.findChild<QPushButton*>("Sun108Btn")->click();
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    // Call, difference and sun zenith as stored; the zenith is checked again after typing.
    const auto storedValues = [&] {
        return QStringList{stored.readString("Allgemein", "EigenesCall"), QString::number(stored.readFloat("Allgemein", "UtcDiff", 0)),
                           QString::number(stored.readFloat("Allgemein", "SunZenith", 0))};
    };
    QCOMPARE(storedValues(), (QStringList{"DL1XYZ", "-1.5", "108"}));
    QCOMPARE(stored.readString("Allgemein", "QslPath"), QStringLiteral("/home/op/karten/"));
    QCOMPARE(offsets.last(), (std::pair<bool, int>{false, -1})); // the mask applies whole hours
    // A manual offset crosses midnight and the year; the automatic one ignores it.
    clock.now = QDateTime(QDate(2026, 12, 31), QTime(23, 30, 0));
    QCOMPARE(MaskClock::utcNow(clock, false, 2), QDateTime(QDate(2027, 1, 1), QTime(1, 30, 0)));
    QCOMPARE(MaskClock::utcNow(clock, true, 5), clock.now.toUTC());

    sun->clear();
    sun->setFocus();
    QTest::keyClicks(sun, "9x.5"); // only digits go in, before the degree sign
    QCOMPARE(sun->text(), QStringLiteral("95°"));
    // A difference that is no number: the call is kept, the old difference too.
    call->setText("DL2XYZ");
    diff->setText("eins");
    QVERIFY2(dialogs.errors.size() == 1 && dialogs.errors[0].contains("eins"), qPrintable(dialogs.errors.join('|')));
    QVERIFY(stored.load());
    QCOMPARE(storedValues(), (QStringList{"DL2XYZ", "-1.5", "95"}));
}

QTEST_MAIN(TestEntryRules)
#include "test_entryrules.moc"
