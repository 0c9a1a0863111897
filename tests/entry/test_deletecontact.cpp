#include "entry/EntryMask.h"
#include "entry/ui/LogGridView.h"
#include "entry/ui/SearchPage.h"
#include "StartedProgram.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QStringList kLog = {
    "1;05.12.2026;18:02:11;20m;SSB;DL1ABC;59;59;B01;Hans;Berlin;JO62QM;100W;;;",
    "2;06.12.2026;07:45:00;40m;CW;G3XYZ;599;579;;John;;IO91WM;5W;erste#13#10zweite;;",
    "3;07.12.2026;14:05:30;20m;SSB;F5ABC;57;55;;Jean;Paris;JN18EU;100W;;;",
    "4;07.12.2026;14:20:00;2m;FM;DK2AB;59;59;R01;Juergen;Koeln;JO30LR;10W;;07.12.2026;",
    "5;07.12.2026;15:00:00;20m;SSB;K1ABC;59;57;;Bob;;FN42;100W;;;"};

// The log after contact number was taken out: the later ones moved up.
QStringList without(int number) {
    QStringList lines = kLog;
    lines.removeAt(number - 1);
    for (int i = number - 1; i < lines.size(); ++i)
        lines[i] = QString::number(i + 1) + lines[i].mid(lines[i].indexOf(';'));
    return lines;
}

QStringList calls(const QAbstractItemModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, QsoRecord::Call - 1).data().toString();
    return out;
}

QString selectedCall(const QTableView& grid) {
    return grid.currentIndex().siblingAtColumn(QsoRecord::Call - 1).data().toString();
}

struct Program : ProgramOnLog {
    Program() : ProgramOnLog(kLog) {}
    QTabWidget* pages() { return p.find<QTabWidget>("PageControl"); }
    LogGridView* list() { return p.find<LogGridView>("ListeStringGrid"); }
    LogGridView* lower() { return p.find<LogGridView>("Liste2StringGrid"); }
    QAction* undo() { return p.find<QAction>("UndoDeleteMenu"); }
    // Del on a row of grid.
    void pressDel(LogGridView* grid, int row) {
        grid->selectRecord(row);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Delete);
    }
    QByteArray bytes() const { return dir.read("2026.log"); }
};

} // namespace

class TestDeleteContact : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deleteFromListsAndEditTab();
    void outsideWritesAreRespected();
};

// Del in the list asks, naming the contact; No keeps it, Yes takes it out of
// the file, and the lists, the open search and the mask's next number
// follow; Ctrl+Z puts it back byte for byte. The same from the lower list and
// the edit tab, which then shows the contact that moved into the place.
void TestDeleteContact::deleteFromListsAndEditTab() {
    Program run;
    auto& p = run.p;
    const QByteArray before = run.bytes();
    auto* search = p.find<SearchPage>("SucheTS");
    search->setCondition(1, true, SearchField::Band, SearchOperator::Is, "20m");
    search->SearchBtnClick();
    run.pages()->setCurrentWidget(p.find<QWidget>("ListeTS"));
    run.pressDel(run.list(), 2); // no answer scripted: No
    QCOMPARE(run.bytes(), before);
    QVERIFY(!run.undo()->isEnabled());

    p.dialogs.questionAnswers = {true};
    run.pressDel(run.list(), 2);
    QCOMPARE(p.dialogs.questions, QStringList(2, "Kontakt 3 (07.12.2026 14:05 F5ABC 20m SSB) löschen?"));
    QCOMPARE(run.dir.logLines(), without(3));
    QCOMPARE(calls(p.session.model()), (QStringList{"DL1ABC", "G3XYZ", "DK2AB", "K1ABC"}));
    QCOMPARE(selectedCall(*run.list()) + selectedCall(*run.lower()), QStringLiteral("DK2ABDK2AB"));
    QCOMPARE(calls(search->results()), (QStringList{"DL1ABC", "K1ABC"}));
    QCOMPARE(search->results().field(1, QsoRecord::Number), QStringLiteral("4"));
    QCOMPARE(p.w.entryMask().nextNumber(), 5);

    QVERIFY(run.undo()->isEnabled());
    QTest::keyClick(run.list(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(run.bytes(), before);
    QCOMPARE(selectedCall(*run.list()), QStringLiteral("F5ABC"));
    QCOMPARE(calls(search->results()), (QStringList{"DL1ABC", "F5ABC", "K1ABC"}));
    QCOMPARE(p.w.entryMask().nextNumber(), 6);
    QVERIFY(!run.undo()->isEnabled());

    // The last contact, from the lower list of the entry tab.
    run.pages()->setCurrentWidget(p.find<QWidget>("EingabeTS"));
    p.dialogs.questionAnswers = {true};
    run.pressDel(run.lower(), 4);
    QCOMPARE(run.dir.logLines(), without(5));
    QCOMPARE(selectedCall(*run.lower()), QStringLiteral("DK2AB"));
    run.undo()->trigger();
    QCOMPARE(run.bytes(), before);

    auto* call = p.find<QLineEdit>("eCallEdit");
    run.list()->selectRecord(1);
    run.pages()->setCurrentWidget(p.find<QWidget>("EditierenTS"));
    p.dialogs.questionAnswers = {true};
    QTest::mouseClick(p.find<QPushButton>("eDeleteBtn"), Qt::LeftButton);
    QCOMPARE(p.dialogs.questions.last(), QStringLiteral("Kontakt 2 (06.12.2026 07:45 G3XYZ 40m CW) löschen?"));
    QCOMPARE(run.dir.logLines(), without(2));
    QCOMPARE(p.find<QLabel>("eNumberLabel")->text() + call->text(), QStringLiteral("2F5ABC"));
    call->setFocus();
    QTest::keyClicks(call, "X");
    QTest::keyClick(call, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(call->text(), QStringLiteral("F5ABC")); // Ctrl+Z in a text field is the field's
    QCOMPARE(run.dir.logLines(), without(2));
    run.undo()->trigger();
    QCOMPARE(run.bytes(), before);
    QCOMPARE(call->text(), QStringLiteral("G3XYZ"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

// Another program wrote the log after the list was read: the row pressed
// holds another contact in the file now, which stays. After an outside
// write the undo is refused; a change of log forgets it.
void TestDeleteContact::outsideWritesAreRespected() {
    Program run;
    auto& p = run.p;
    run.dir.writeLog("2026.log", without(1));
    run.pages()->setCurrentWidget(p.find<QWidget>("ListeTS"));
    p.dialogs.questionAnswers = {true, true, true};
    run.pressDel(run.list(), 2); // F5ABC in the list, DK2AB in the file
    QCOMPARE(run.dir.logLines(), without(1));
    QVERIFY(p.dialogs.oneErrorWith({"2026.log", "Kontakt 3", "nichts gelöscht"}));
    QCOMPARE(calls(p.session.model()), (QStringList{"G3XYZ", "F5ABC", "DK2AB", "K1ABC"}));
    QVERIFY(!run.undo()->isEnabled());

    run.pressDel(run.list(), 0);
    run.dir.write("2026.log", run.bytes() + kLog[0].toLatin1() + "\r\n");
    const QByteArray outside = run.bytes();
    run.undo()->trigger();
    QCOMPARE(run.bytes(), outside);
    QVERIFY(p.dialogs.errors.size() == 2 && p.dialogs.errors[1].contains("seitdem geändert"));
    QCOMPARE(calls(p.session.model()), (QStringList{"F5ABC", "DK2AB", "K1ABC", "DL1ABC"}));
    QVERIFY(!run.undo()->isEnabled());

    run.dir.writeLog("2025.log", kLog);
    run.pressDel(run.list(), 0);
    QVERIFY(run.undo()->isEnabled());
    QCOMPARE(p.session.chooseLog("2025.log"), Session::Choice::Opened);
    QVERIFY(!run.undo()->isEnabled());
}

VESK_TEST_MAIN(TestDeleteContact)
#include "test_deletecontact.moc"
