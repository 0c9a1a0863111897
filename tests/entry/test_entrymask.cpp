#include "entry/EntryMask.h"
#include "logstore/LogTableModel.h"
#include "TestFolder.h"

#include <QtTest>

class TestEntryMask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marksOnLeaving();
    void carryOver();
    void contactSavedNumbering();
    void clearKeepsListsAndRestartsClock();
    void nameKey();
};

void TestEntryMask::marksOnLeaving() {
    FakeClock clock;
    EntryMask mask(clock);
    mask.setRstAppendText("001");
    mask.setField(QsoRecord::Call, "D");
    mask.setField(QsoRecord::RstTx, "59");
    mask.setField(QsoRecord::RstRx, "5");
    QVERIFY(!mask.leaveField(QsoRecord::RstRx));
    QVERIFY(!mask.leaveField(QsoRecord::Call));
    // Coming back to RST TX and leaving again must not append twice.
    QVERIFY(mask.leaveField(QsoRecord::RstTx) && mask.leaveField(QsoRecord::RstTx));
    QCOMPARE(mask.field(QsoRecord::RstTx), QStringLiteral("59 001"));
    QCOMPARE(mask.firstMarked(), int(QsoRecord::Call)); // the mask's order, not the order of leaving
    mask.unmark(QsoRecord::Call);
    QCOMPARE(mask.firstMarked(), int(QsoRecord::RstRx));
}

// Band, mode and power of the last contact; empty ones keep the mask's, not an earlier contact's.
void TestEntryMask::carryOver() {
    FakeClock clock;
    EntryMask mask(clock);
    LogTableModel model;
    mask.setNextNumber(9);
    mask.carryOver(model); // an empty log starts at 1
    QCOMPARE(mask.nextNumber(), 1);
    for (const char* line : {"1;;;20m;CW;A1A;;;;;;;5W", "2;;;15m;;B1B"}) {
        QsoRecord r;
        QVERIFY(QsoRecord::decodeLine(QString::fromLatin1(line), r));
        model.appendRecord(r);
    }
    mask.carryOver(model);
    const QsoRecord& r = mask.record();
    QCOMPARE(QStringList({r[QsoRecord::Number], r[QsoRecord::Band], r[QsoRecord::Mode], r[QsoRecord::TxPwr]}),
             (QStringList{"3", "15m", "SSB", "100W"}));
    QCOMPARE(mask.nextNumber(), 3);
}

void TestEntryMask::contactSavedNumbering() {
    FakeClock clock;
    EntryMask mask(clock);
    mask.setField(QsoRecord::Number, "12"); // typed over by the operator
    QCOMPARE(mask.contactSaved(5), 12);
    mask.setField(QsoRecord::Number, "1x");
    QCOMPARE(mask.contactSaved(5), 5); // no number: the contact's place in the log
    QCOMPARE(mask.nextNumber(), 6);
}

void TestEntryMask::clearKeepsListsAndRestartsClock() {
    FakeClock clock;
    EntryMask mask(clock);
    mask.setUtcOffset(false, 0);
    mask.setNextNumber(7);
    for (int f : {int(QsoRecord::Band), int(QsoRecord::Call), int(QsoRecord::Name), int(QsoRecord::QslOut)})
        mask.setField(f, "X");
    mask.leaveField(QsoRecord::Call);
    mask.stopClock();
    clock.now = clock.now.addSecs(90);
    mask.tick();
    QCOMPARE(mask.field(QsoRecord::Utc), QStringLiteral("18:30:15"));
    QsoRecord defaults;
    defaults[QsoRecord::RstTx] = "59";
    mask.clear(defaults);
    QCOMPARE(mask.record().encodeLine(), QStringLiteral("7;06.12.2026;18:31:45;X;SSB;;59;;;;;;100W;;;"));
    QCOMPARE(mask.firstMarked(), 0);
}

void TestEntryMask::nameKey() {
    QCOMPARE(EntryMask::nameKey("", "ä"), QStringLiteral("Ä"));
    QCOMPARE(EntryMask::nameKey("D", "e"), QStringLiteral("e")); // "de la Cruz" stays
    QCOMPARE(EntryMask::nameKey("", "hans"), QStringLiteral("hans")); // pasted, not typed
}

QTEST_GUILESS_MAIN(TestEntryMask)
#include "test_entrymask.moc"
