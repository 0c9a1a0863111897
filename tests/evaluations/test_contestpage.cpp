#include "evaluations/ContestEngine.h"
#include "evaluations/ContestWorkbook.h"
#include "evaluations/ui/ContestPage.h"
#include "platform/ProgramTexts.h"
#include "settings/GeneralSettings.h"
#include "RecordingDesktop.h"
#include "StartedProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {

// Own square JN58TD. Call and band make a new contact (contact 2 is none),
// each prefix a multiplier, and CW doubles the points a contact has so far.
const QStringList kLog = {
    "1;01.02.2003;12:00:00;20m;CW;DL1AB;599;599;B01;;;JN57AA;10W;;;",
    "2;01.02.2003;12:05:00;20m;SSB;DL1AB;59;59;B01;;;JN57AA;10W;;;",
    "3;01.02.2003;12:10:00;40m;SSB;DL1AB;59;59;B01;;;JN57AA;10W;;;",
    "4;01.02.2003;12:20:00;20m;CW;PA0XY;599;599;;;;JO31AB;10W;;;",
    "5;01.02.2003;12:30:00;2m;FM;F5XY;59;59;;;;JN5;10W;;;",
};

const QList<QStringList> kRules = {
    {"fCall;fBand", "1", "PKT", ""},
    {"fPrefix", "1", "mlt", "fPrefix neq \"\""},
    {"", "PKT*2", "Pkt", "fMode eq \"CW\""},
};

class RefusingDesktop : public Desktop {
public:
    bool open(const QString&) override { return false; }
};

struct ContestFixture {
    ContestFixture() {
        run.dir.installDataFile("DXCC.csv");
        run.dir.installDataFile("DXCC.ini");
        p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("AuswertungenTS"));
        p.find<QTabWidget>("AuswertungenPageControl")->setCurrentWidget(page);
        p.session.setDesktop(desktop);
    }
    // Types into a cell as a user does: F2, the text, and Return unless the
    // cell is to stay open.
    void type(int row, int column, const QString& text, bool close = true) {
        const QModelIndex cell = rulesGrid->model()->index(row, column);
        rulesGrid->setCurrentIndex(cell);
        rulesGrid->setFocus();
        QTest::keyClick(rulesGrid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(rulesGrid->indexWidget(cell));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        if (!close)
            return;
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate hands the text on in a queued call
        QCOMPARE(rulesGrid->model()->data(cell).toString(), text);
    }
    void typeRules(const QList<QStringList>& rules, bool closeLast = true) {
        for (int r = 0; r < rules.size(); ++r) {
            if (r > 0)
                click("tstNewRule");
            for (int c = 0; c < 4; ++c)
                type(r, c, rules[r][c], closeLast || r + 1 < rules.size() || c < 3);
        }
    }
    QStringList rulesShown() const {
        QStringList rows;
        const QAbstractItemModel* m = rulesGrid->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            rows << cells.join(u'|');
        }
        return rows;
    }
    void click(const char* button) { QTest::mouseClick(p.find<QPushButton>(button), Qt::LeftButton); }
    QString totals() {
        return p.find<QLabel>("tstPktLabel")->text() + u' ' + p.find<QLabel>("tstMltLabel")->text() + u' ' +
               p.find<QLabel>("tstErgLabel")->text();
    }
    QString sheet() { return p.find<QTabWidget>("tstPageControl")->currentWidget()->objectName(); }
    void clickResult(int row, Qt::KeyboardModifiers modifiers) {
        const QModelIndex cell = resultGrid->model()->index(row, 5);
        QTest::mouseClick(resultGrid->viewport(), Qt::LeftButton, modifiers, resultGrid->visualRect(cell).center());
    }
    ContestResult engineRun(const ContestRules& rules) {
        return ContestEngine::run(*p.session.log(), rules, GeneralSettings::ownLocator(p.session.settings()),
                                  p.session.dxcc(), p.session.texts());
    }

    ProgramOnLog run{kLog, "EigenerLocator=JN58TD\r\n"};
    StartedProgram& p = run.p;
    ContestPage* page = p.find<ContestPage>("TabSheet5");
    QTableView* rulesGrid = p.find<QTableView>("tstRulesStringGrid");
    QTableView* resultGrid = p.find<QTableView>("tstErgStringGrid");
    RecordingDesktop desktop;
};

} // namespace

class TestContestPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rulesAreTypedSavedAndLoaded();
    void runShowsTheEngineResultAndItsTotals(); // and the export, a failing run, showing again
    void ctrlClickOpensTheContactForEditing();
};

void TestContestPage::rulesAreTypedSavedAndLoaded() {
    ContestFixture f;
    f.typeRules(kRules, false); // the last cell is still being typed in
    const QString file = f.run.dir.file("rules.tst");
    f.p.dialogs.fileAnswers = {file};
    f.p.find<QPushButton>("tstSaveBtn")->click(); // no change of focus closes the cell
    QCOMPARE(f.run.dir.read("rules.tst"),
             QByteArray("fCall;fBand|1|PKT|\r\nfPrefix|1|mlt|fPrefix neq \"\"\r\n|PKT*2|Pkt|fMode eq \"CW\"\r\n"));
    QCOMPARE(f.p.dialogs.fileDialogs.size(), 1);
    QCOMPARE(f.p.dialogs.fileDialogs[0].title, QStringLiteral("Regeln speichern..."));
    QCOMPARE(f.p.dialogs.fileDialogs[0].filter, QStringLiteral("Contest-Regeln (*.tst)|*.tst|Alle Dateien (*.*)|*.*"));
    QCOMPARE(f.p.dialogs.fileDialogs[0].suffix, QStringLiteral("tst"));

    // A cancelled dialog changes nothing; a loaded file replaces the table.
    const QStringList typed = f.rulesShown();
    f.click("tstLoadBtn");
    QCOMPARE(f.rulesShown(), typed);
    QCOMPARE(f.p.dialogs.fileDialogs[1].title, QStringLiteral("Regeln laden..."));
    f.rulesGrid->setCurrentIndex(f.rulesGrid->model()->index(0, 0));
    f.click("tstDeleteRule");
    f.p.dialogs.fileAnswers = {file};
    f.click("tstLoadBtn");
    QCOMPARE(f.rulesShown(), typed);

    // A file that cannot be read leaves the table as it was.
    f.p.dialogs.fileAnswers = {f.run.dir.file("none.tst")};
    f.click("tstLoadBtn");
    QVERIFY2(f.p.dialogs.oneErrorWith({"none.tst"}), qPrintable(f.p.dialogs.errors.join(u'\n')));
    QCOMPARE(f.rulesShown(), typed);

    // A fourth "|": the message, and what was read before it stays.
    f.run.dir.write("wide.tst", "x|1|PKT|\r\na|b|c|d|e\r\nnever|read||\r\n");
    f.p.dialogs.fileAnswers = {f.run.dir.file("wide.tst")};
    f.click("tstLoadBtn");
    QCOMPARE(f.p.dialogs.errors.size(), 2);
    QVERIFY(f.p.dialogs.errors[1].startsWith(
        "Beim Laden der Regeln trat ein Fehler auf: Die Eingabedatei hat zu viele Spalten (mehr als vier). Der "
        "Vorgang wird abgebrochen!"));
    QVERIFY(f.p.dialogs.errors[1].contains("wide.tst") && f.p.dialogs.errors[1].contains("Zeile 2"));
    QCOMPARE(f.rulesShown(), (QStringList{"x|1|PKT|", "a|b|c|"}));

    // Deleting: the chosen row goes; the only row is emptied and kept;
    // without a row chosen nothing happens.
    f.click("tstNewRule");
    f.type(2, 1, "z");
    f.rulesGrid->setCurrentIndex(f.rulesGrid->model()->index(1, 2));
    f.click("tstDeleteRule");
    QCOMPARE(f.rulesShown(), (QStringList{"x|1|PKT|", "|z||"}));
    f.click("tstDeleteRule");
    f.click("tstDeleteRule");
    QCOMPARE(f.rulesShown(), QStringList{"|||"});
    f.type(0, 0, "kept");
    f.rulesGrid->setCurrentIndex({});
    f.click("tstDeleteRule");
    QCOMPARE(f.rulesShown(), QStringList{"kept|||"});
}

void TestContestPage::runShowsTheEngineResultAndItsTotals() {
    ContestFixture f;
    QCOMPARE(f.totals(), "0 0 0");
    f.typeRules(kRules);
    f.click("tstErgBtn");
    QVERIFY2(f.p.dialogs.errors.isEmpty(), qPrintable(f.p.dialogs.errors.join(u'\n')));
    // 1 (doubled on CW: 3) + 0 + 1 + 3 + 1 points; DL, PA and F.
    QCOMPARE(f.totals(), "8 3 24");
    QCOMPARE(f.sheet(), QStringLiteral("tstErgTS"));
    const ContestResult expected = f.engineRun(f.page->rules());
    const QAbstractItemModel* grid = f.resultGrid->model();
    QCOMPARE(grid->rowCount(), kLog.size());
    QCOMPARE(grid->columnCount(), 19);
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < 19; ++c)
            QCOMPARE(grid->index(r, c).data().toString(), expected.rows[r].cells[std::size_t(c)]);
    }
    QCOMPARE(grid->index(3, ContestColumn::Points).data().toString(), QStringLiteral("3"));
    QCOMPARE(grid->index(4, ContestColumn::Prefix).data().toString(), QStringLiteral("F"));

    // The export opens the workbook; without a program for it, a message says so.
    f.click("tstExcelBtn");
    const QString book = f.run.dir.file(ContestWorkbook::FileName);
    QCOMPARE(f.desktop.opened, QStringList{book});
    QVERIFY(f.run.dir.read(ContestWorkbook::FileName).startsWith("PK"));
    RefusingDesktop refusing;
    f.p.session.setDesktop(refusing);
    f.click("tstExcelBtn");
    QCOMPARE(f.p.dialogs.errors, QStringList{msgText(Msg::ContestWorkbookNotOpened).arg(QDir::toNativeSeparators(book))});

    // The empty key after ";" fails on the second contact: its message, the
    // rows up to it, and the totals and the sub-page as they were.
    f.p.dialogs.errors.clear();
    f.p.find<QTabWidget>("tstPageControl")->setCurrentIndex(0);
    f.type(0, 0, "fCall;");
    const ContestResult failed = f.engineRun(f.page->rules());
    QVERIFY(!failed.ok());
    f.click("tstErgBtn");
    QCOMPARE(f.p.dialogs.errors, QStringList{failed.failure->text()});
    QVERIFY(f.p.dialogs.errors[0].contains("Ergebniszeile 2"));
    QCOMPARE(f.totals(), "8 3 24");
    QCOMPARE(f.sheet(), QStringLiteral("tstRegelnTS"));
    QCOMPARE(grid->rowCount(), 2);

    // Another page and back: the table keeps its first row.
    f.p.find<QTabWidget>("AuswertungenPageControl")->setCurrentIndex(0);
    f.p.find<QTabWidget>("AuswertungenPageControl")->setCurrentWidget(f.page);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->index(0, ContestColumn::Call).data().toString(), QStringLiteral("DL1AB"));
}

void TestContestPage::ctrlClickOpensTheContactForEditing() {
    ContestFixture f;
    f.type(0, 1, "1");
    f.type(0, 2, "PKT");
    f.click("tstErgBtn");
    QCOMPARE(f.totals(), "5 0 0");
    f.clickResult(3, Qt::NoModifier);
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    f.clickResult(3, Qt::ControlModifier);
    QVERIFY(f.p.w.isCurrent(Page::Edit));
    QCOMPARE(f.p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("PA0XY"));
    // Saved, the program comes back to the contest page.
    QLineEdit* name = f.p.find<QLineEdit>("eNameEdit");
    name->setText(QStringLiteral("Jan"));
    QTest::mouseClick(f.p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    QVERIFY(f.page->isVisible());
    QVERIFY(f.run.dir.logLines()[3].contains(";Jan;"));
    QVERIFY(f.p.dialogs.errors.isEmpty());

    // A number the log does not have, and one that is none: a message, no edit.
    f.run.dir.writeLog("2026.log", {"7;01.02.2003;12:00:00;20m;CW;DL1AB;599;599;;;;;;;;",
                                    "x;01.02.2003;12:05:00;20m;CW;DL2AB;599;599;;;;;;;;"});
    f.click("tstErgBtn");
    f.clickResult(0, Qt::ControlModifier);
    f.clickResult(1, Qt::ControlModifier);
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    QCOMPARE(f.p.dialogs.errors.size(), 2);
    QCOMPARE(f.p.dialogs.errors[0], msgText(Msg::ContestNoSuchContact).arg("7").arg(f.p.session.model().recordCount()));
    QCOMPARE(f.p.dialogs.errors[1], QStringLiteral("'x' ist kein gültiger Integerwert"));
}

VESK_TEST_MAIN(TestContestPage)
#include "test_contestpage.moc"
