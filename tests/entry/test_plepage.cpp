#include "entry/ui/EntryPage.h"
#include "entry/ui/LogGridView.h"
#include "entry/ui/PlePage.h"
#include "StartedProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

void prepare(const TestFolder& dir, const QStringList& records) {
    dir.installLanguageFiles();
    dir.writeLog("2026.log", records);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n");
}

QStringList records(const TestFolder& dir) {
    QStringList lines = QString::fromLatin1(dir.read("2026.log")).split("\r\n");
    lines.removeFirst();
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QStringList kTwo = {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;;;",
                          "2;01.12.2026;10:05:00;80m;CW;dl2bb;599;599;;;;;50W;;;"};

struct Ple {
    StartedProgram& p;
    QLineEdit* edit() { return p.find<QLineEdit>("pleEdit"); }
    QStringList memo() { return p.find<QPlainTextEdit>("pleMemo")->toPlainText().split(u'\n'); }
    void show() {
        p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<PlePage>("PleTS"));
        edit()->setFocus();
    }
    void tokens(const QStringList& list) {
        for (const QString& t : list) {
            QTest::keyClicks(edit(), t);
            QTest::keyClick(edit(), Qt::Key_Return);
        }
    }
    void select(int top, int left, int bottom, int right) {
        LogGridView* grid = p.find<PlePage>("PleTS")->grid();
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(top, left), grid->model()->index(bottom, right)),
            QItemSelectionModel::ClearAndSelect);
    }
};

} // namespace

class TestPlePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeContactsFromAPaperLog();
    void badDateChangesNothing();
    void showingTheTabStartsEmpty();
    void rangeSetWritesTheColumn();
};

void TestPlePage::threeContactsFromAPaperLog() {
    TestFolder dir;
    prepare(dir, kTwo);
    StartedProgram p(dir);
    Ple ple{p};
    ple.show();
    QCOMPARE(ple.memo(), QStringList(8, QString()));
    p.find<QLineEdit>("pleRstTx")->setText("599");
    p.find<QLineEdit>("pleRstRx")->setText("599");
    const QByteArray before = dir.read("2026.log");
    // The call alone is not needed, but all five page fields are: no band yet.
    ple.tokens({"5.12.26", "cw", "5w", "18:30", "dl1xyz", "579 559", "b01", ""});
    QCOMPARE(dir.read("2026.log"), before);
    ple.tokens({"40M"});
    QCOMPARE(ple.memo(), (QStringList{"Date:\t05.12.2026", "Band:\t40m", "Mode:\tCW", "TX Pwr:\t5W",
                                      "UTC:\t18:30:00", "Call:\tDL1XYZ", "RST TX:\t579", "RST RX:\t559",
                                      "Dok:\tB01"}));
    ple.tokens({""});
    ple.tokens({"dl2zz", "59-001 59-002", "31", "Fritz@Bonn", ""});
    ple.tokens({"f5abc", ""});

    QCOMPARE(records(dir), (QStringList{kTwo[0], kTwo[1],
                                        "3;05.12.2026;18:30:00;40m;CW;DL1XYZ;579;559;B01;;;;5W;;;",
                                        "4;05.12.2026;18:31:00;40m;CW;DL2ZZ;59 001;59 002;;Fritz;Bonn;;5W;;;",
                                        "5;05.12.2026;18:31:00;40m;CW;F5ABC;599;599;;;;;5W;;;"}));
    QCOMPARE(ple.memo(), (QStringList{"Date\t05.12.2026", "Band\t40m", "Mode\tCW", "TX Pwr\t5W",
                                      "UTC\t18:31:00", "", "", ""}));
    LogGridView* grid = p.find<PlePage>("PleTS")->grid();
    QCOMPARE(grid->model()->rowCount(), 5);
    QCOMPARE(grid->currentIndex().row(), 4);
    QVERIFY(p.dialogs.errors.isEmpty());
    // Back on the entry tab the lists hold the new contacts.
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<EntryPage>("EingabeTS"));
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->model()->rowCount(), 5);
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("6"));
}

// Which tokens are refused is test_paperlogentry's; here the message and that
// the typed text stays for correcting.
void TestPlePage::badDateChangesNothing() {
    TestFolder dir;
    prepare(dir, kTwo);
    StartedProgram p(dir);
    Ple ple{p};
    ple.show();
    ple.tokens({"1.12.2026", "14:45"});
    const QStringList memo = ple.memo();
    ple.tokens({"31.02.2026"});
    QCOMPARE(p.dialogs.errors, QStringList{"'31.02.2026' ist kein gültiges Datum."});
    QCOMPARE(ple.edit()->text(), QStringLiteral("31.02.2026"));
    QCOMPARE(ple.memo(), memo);
}

void TestPlePage::showingTheTabStartsEmpty() {
    TestFolder dir;
    prepare(dir, kTwo);
    StartedProgram p(dir);
    Ple ple{p};
    ple.show();
    ple.tokens({"1.12.2026", "40m", "cw", "5w", "10:00", "dl3cc"});
    // The grid takes the list's column widths.
    QVector<int> widths(QsoRecord::FieldCount, 40);
    widths[9] = 150;
    p.find<LogGridView>("ListeStringGrid")->setColumnWidths(widths);
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<EntryPage>("EingabeTS"));
    ple.show();
    QCOMPARE(ple.memo(), QStringList(8, QString()));
    QVERIFY(!p.find<PlePage>("PleTS")->entry().canSave());
    QCOMPARE(p.find<PlePage>("PleTS")->grid()->columnWidths(), widths);
}

void TestPlePage::rangeSetWritesTheColumn() {
    TestFolder dir;
    prepare(dir, kTwo);
    StartedProgram p(dir);
    Ple ple{p};
    ple.show();
    auto* button = p.find<QPushButton>("pleRangeSetBtn");
    const QByteArray before = dir.read("2026.log");
    p.find<QLineEdit>("pleRangeSetEdit")->setText("Fritz");
    // Which columns may be set is test_paperlogentry's; here the button follows the selection.
    QVERIFY(!button->isEnabled());
    ple.select(0, 8, 1, 9);
    QVERIFY(!button->isEnabled());
    p.find<PlePage>("PleTS")->pleRangeSetBtnClick(); // a click queued before it was disabled
    QCOMPARE(dir.read("2026.log"), before);
    ple.select(0, 9, 1, 9);
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
    QCOMPARE(records(dir), (QStringList{"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Fritz;;;5W;;;",
                                        "2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Fritz;;;50W;;;"}));
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->model()->index(0, 9).data().toString(), QStringLiteral("Fritz"));

    // Empty cells are filled without a question.
    p.find<QLineEdit>("pleRangeSetEdit")->setText("Bonn");
    ple.select(1, 10, 1, 10);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(p.dialogs.questions.size(), 2);
    QCOMPARE(records(dir)[1], QStringLiteral("2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Fritz;Bonn;;50W;;;"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

VESK_TEST_MAIN(TestPlePage)
#include "test_plepage.moc"
