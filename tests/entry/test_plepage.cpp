#include "entry/ui/LogGridView.h"
#include "entry/ui/PlePage.h"
#include "entry/PaperLogEntry.h"
#include "logstore/QsoRecord.h"
#include "StartedProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

namespace {

QByteArray logBytes(const QStringList& lines) { return crlf(QStringList{QsoRecord::headerLine()} + lines); }

const QStringList kTwo = {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;;;",
                          "2;01.12.2026;10:05:00;80m;CW;dl2bb;599;599;;;;;50W;;;"};

QLineEdit* pleEdit(StartedProgram& p) { return p.find<QLineEdit>("pleEdit"); }
QStringList memo(StartedProgram& p) { return p.find<QPlainTextEdit>("pleMemo")->toPlainText().split(u'\n'); }
void showPle(StartedProgram& p) {
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<PlePage>("PleTS"));
    pleEdit(p)->setFocus();
}
// Types each token into the entry line and confirms it with Return.
void tokens(StartedProgram& p, const QStringList& list) {
    for (const QString& t : list) {
        QTest::keyClicks(pleEdit(p), t);
        QTest::keyClick(pleEdit(p), Qt::Key_Return);
    }
}
void select(StartedProgram& p, int top, int left, int bottom, int right) {
    LogGridView* grid = p.find<PlePage>("PleTS")->grid();
    grid->selectionModel()->select(QItemSelection(grid->model()->index(top, left), grid->model()->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
}

} // namespace

class TestPlePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeContactsFromAPaperLog();
    void rangeSetWritesTheColumn();
    void completePreviewAtSmallestSize();
};

void TestPlePage::threeContactsFromAPaperLog() {
    ProgramOnLog run(kTwo);
    auto& [dir, p] = run;
    showPle(p);
    p.find<QLineEdit>("pleRstTx")->setText("599");
    p.find<QLineEdit>("pleRstRx")->setText("599");
    const QByteArray before = dir.read("2026.log");
    // The call alone is not needed, but all five page fields are: no band yet.
    tokens(p, {"5.12.26", "cw", "5w", "18:30", "dl1xyz", "579 559", "b01", ""});
    QCOMPARE(dir.read("2026.log"), before);
    tokens(p, {"40M", "", "dl2zz", "59-001 59-002", "31", "Fritz@Bonn", "", "f5abc", ""});
    QCOMPARE(dir.read("2026.log"), logBytes({kTwo[0], kTwo[1],
                                             "3;05.12.2026;18:30:00;40m;CW;DL1XYZ;579;559;B01;;;;5W;;;",
                                             "4;05.12.2026;18:31:00;40m;CW;DL2ZZ;59 001;59 002;;Fritz;Bonn;;5W;;;",
                                             "5;05.12.2026;18:31:00;40m;CW;F5ABC;599;599;;;;;5W;;;"}));
    QCOMPARE(memo(p), (QStringList{"Date\t05.12.2026", "Band\t40m", "Mode\tCW", "TX Pwr\t5W",
                                   "UTC\t18:31:00", "", "", ""}));
    QCOMPARE(p.find<PlePage>("PleTS")->grid()->currentIndex().row(), 4);

    // Which tokens are refused is test_paperlogentry's; here the message, and the
    // typed text stays for correcting.
    const QStringList shown = memo(p);
    tokens(p, {"31.02.2026"});
    QCOMPARE(p.dialogs.errors, QStringList{"'31.02.2026' ist kein gültiges Datum."});
    QCOMPARE(pleEdit(p)->text(), QStringLiteral("31.02.2026"));
    QCOMPARE(memo(p), shown);

    // Back on the entry tab the mask numbers on after the new contacts; showing the tab again starts empty.
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("EingabeTS"));
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("6"));
    showPle(p);
    QCOMPARE(memo(p), QStringList(8, QString()));
    QVERIFY(!p.find<PlePage>("PleTS")->entry().canSave());
}

void TestPlePage::rangeSetWritesTheColumn() {
    ProgramOnLog run(kTwo);
    auto& [dir, p] = run;
    showPle(p);
    auto* button = p.find<QPushButton>("pleRangeSetBtn");
    const QByteArray before = dir.read("2026.log");
    p.find<QLineEdit>("pleRangeSetEdit")->setText("Fritz");
    // Which columns may be set is test_paperlogentry's; here the button follows the selection.
    select(p, 0, 8, 1, 9);
    QVERIFY(!button->isEnabled());
    p.find<PlePage>("PleTS")->pleRangeSetBtnClick(); // a click queued before it was disabled
    QCOMPARE(dir.read("2026.log"), before);
    select(p, 0, 9, 1, 9);
    QVERIFY(button->isEnabled());
    // "Hans" is there already: the question names the log; No keeps it.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(p.dialogs.questions.size(), 1);
    QVERIFY2(p.dialogs.questions[0].contains(QDir::toNativeSeparators(dir.file("2026.log"))),
             qPrintable(p.dialogs.questions[0]));
    QCOMPARE(dir.read("2026.log"), before);

    p.dialogs.questionAnswers << true;
    QTest::mouseClick(button, Qt::LeftButton);
    // Both contacts carry the name; the log was normalised afterwards.
    QCOMPARE(dir.read("2026.log"), logBytes({"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Fritz;;;5W;;;",
                                        "2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Fritz;;;50W;;;"}));
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->model()->index(0, 9).data().toString(), QStringLiteral("Fritz"));

    // Empty cells are filled without a question.
    p.find<QLineEdit>("pleRangeSetEdit")->setText("Bonn");
    select(p, 1, 10, 1, 10);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(p.dialogs.questions.size(), 2);
    QCOMPARE(dir.read("2026.log"), logBytes({"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Fritz;;;5W;;;",
                                             "2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Fritz;Bonn;;50W;;;"}));
    QVERIFY(p.dialogs.errors.isEmpty());
}

VESK_TEST_MAIN(TestPlePage)
#include "test_plepage.moc"

// A contact with every field fills the preview; nothing of the page may need
// scrolling or be cut, even with the window at its smallest.
void TestPlePage::completePreviewAtSmallestSize() {
    ProgramOnLog run(kTwo);
    auto& [dir, p] = run;
    showPle(p);
    tokens(p, {"5.12.26", "40m", "cw", "5w", "18:30", "dl1xyz", "579 559", "b01", "Hans@Berlin", "#Gutes Signal",
               "+5.12.26", "-6.12.26", "JO62QM"});
    QCOMPARE(memo(p).size(), PaperLogEntry::MostPreviewLines);
    p.w.resize(p.w.minimumSizeHint());
    QTest::qWait(20);
    auto* preview = p.find<QPlainTextEdit>("pleMemo");
    QCOMPARE(preview->verticalScrollBar()->maximum(), 0);
    for (const char* name : {"pleRangeSetBtn", "pleCaptionPanel"}) {
        auto* w = p.find<QWidget>(name);
        QVERIFY2(w->width() >= w->sizeHint().width(), name);
    }
}
