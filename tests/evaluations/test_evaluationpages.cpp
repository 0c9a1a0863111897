#include "cli/BatchCommands.h"
#include "entry/ui/EntryArea.h"
#include "evaluations/ui/LocatorPage.h"
#include "logstore/LogTableModel.h"
#include "settings/LanguageTexts.h"
#include "RecordingDesktop.h"
#include "StartedProgram.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <random>

namespace {

// Own square JN58; JO31 lies two columns west and three rows north of it and
// has a card on its second contact; "JN5" is no square. DOK B01 is worked,
// then confirmed; C12 is worked twice without a card.
const QStringList kLog = {
    "1;01.02.2003;12:00:00;2m;FM;DL1AB;59;59;B01;;;JN57AA;10W;;04.02.2003;",
    "2;01.02.2003;13:00:00;2m;FM;PA0XY;59;59;C12;;;JO31AB;10W;;;",
    "3;02.02.2003;14:00:00;70cm;SSB;PA1ZZ;59;59;B01;;;JO31CD;10W;;;05.03.2003",
    "4;03.02.2003;15:00:00;2m;FM;F5XY;59;59;;;;JN5;10W;;;",
    "5;03.02.2003;16:00:00;2m;FM;DL2CD;59;59;C12;;;;10W;;;",
};

QStringList items(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Each line of a view with its colour and weight: "Netherlands red bold".
QStringList shownLines(const QTextEdit* view) {
    QStringList shown;
    for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next()) {
        const QTextCharFormat format = b.begin().fragment().charFormat();
        shown << b.text() + " " + format.foreground().color().name() +
                     (format.fontWeight() == QFont::Bold ? " bold" : "");
    }
    return shown;
}

void clickItem(QListWidget* list, int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
}

struct Shown {
    QString text;
    QColor colour; // invalid: no colour of its own
};

Shown shown(const QTableView* grid, int column, int row) {
    const QModelIndex index = grid->model()->index(row, column);
    return {index.data().toString(), index.data(Qt::BackgroundRole).value<QColor>()};
}

void ctrlClick(QTableView* grid, int column, int row, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    grid->scrollTo(grid->model()->index(row, column));
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

struct EvaluationFixture {
    explicit EvaluationFixture(const char* pageName) {
        p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("AuswertungenTS"));
        p.find<QTabWidget>("AuswertungenPageControl")->setCurrentWidget(p.find<QWidget>(pageName));
    }
    void showEvaluations() { p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("AuswertungenTS")); }
    QStringList foundCalls() {
        const LogTableModel& found = p.w.entryArea().searchResults();
        QStringList calls;
        for (int i = 0; i < found.recordCount(); ++i)
            calls << found.field(i, QsoRecord::Call);
        return calls;
    }
    ProgramOnLog run{kLog, "EigenerLocator=JN58TD\r\nEigenesCall=DL9ABC\r\n"};
    StartedProgram& p = run.p;
};

// A log as an operator on HF and VHF collects it: German and foreign calls
// now and then a call too short for an entity, DOKs on some contacts,
// squares around the own one and a few that are none, cards sent and
// received, the band once written "2M".
QStringList generatedLog(int count, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](const QStringList& from) {
        return from[std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(random)];
    };
    const auto chance = [&random](int percent) { return std::uniform_int_distribution<int>(1, 100)(random) <= percent; };
    const auto digit = [&random] { return QString::number(std::uniform_int_distribution<int>(0, 9)(random)); };
    const QStringList prefixes = {"DL", "DK", "DJ", "F", "PA", "G", "I", "OK", "SP", "ON", "OE", "HB9", "K", "W", "JA", "VK", "UA"};
    const QStringList bands = {"80m", "40m", "20m", "2m", "2m", "70cm", "2M"};
    const QStringList modes = {"CW", "SSB", "FM", "fm"};
    QStringList records;
    QDate date(2003, 1, 1);
    for (int n = 1; n <= count; ++n) {
        date = date.addDays(std::uniform_int_distribution<int>(0, 3)(random));
        QString call = pick(prefixes) + digit() + QChar(u'A' + n % 26) + QChar(u'A' + n / 26 % 26);
        if (chance(2))
            call = QStringLiteral("K1");
        QString square;
        if (chance(80))
            square = pick({"I", "J", "K"}) + pick({"N", "O"}) + digit() + digit() + pick({"AA", "TD", "LL", ""});
        else if (chance(30))
            square = QStringLiteral("JN5");
        const QString sent = chance(60) ? date.addDays(3).toString(QStringLiteral("dd.MM.yyyy")) : QString();
        const QString received = !sent.isEmpty() && chance(50) ? date.addDays(20).toString(QStringLiteral("dd.MM.yyyy")) : QString();
        records << QStringList{QString::number(n), date.toString(QStringLiteral("dd.MM.yyyy")),
                               QStringLiteral("%1:%2:00").arg(n % 24, 2, 10, QChar(u'0')).arg(n % 60, 2, 10, QChar(u'0')),
                               pick(bands), pick(modes), call, "59", "59", chance(40) ? pick({"A", "B", "C", "P", "Z"}) + digit() + digit() : QString(), "", "",
                               square, "10W", "", sent, received}
                       .join(u';');
    }
    return records;
}

// What "vesk eval KIND LOG" prints for the program folder of the window.
QString batchOutput(const TestFolder& dir, const char* kind) {
    FakeClock clock;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = BatchCommands::run(
        CommandLine::parse({"--folder", dir.path(), "eval", QLatin1String(kind), dir.path() + "/2026.log"}), clock,
        outStream, errStream);
    return status == 0 ? out : QStringLiteral("status %1: %2").arg(status).arg(err);
}

char cellCharacter(const QColor& colour) {
    if (colour == QColor(0, 128, 0)) return 'w';
    if (colour == QColor(255, 0, 0)) return 'c';
    if (colour == QColor(0, 0, 255)) return 'o';
    return colour.isValid() ? '?' : '.';
}

} // namespace

class TestEvaluationPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void locatorSquaresAndTheirSearch();
    void locatorFilterFieldThatCannotBeRead();
    void locatorSaveAndPrint();
    void dokListsAndTheirSearch();
    void dxccViewsAndTheirSearch();
    void qsoCountsPieAndTheirSearch();
    void pagesShowWhatTheBatchCommandPrints();
};

void TestEvaluationPages::locatorSquaresAndTheirSearch() {
    EvaluationFixture f("LocatorGrossfelderTS");
    QCOMPARE(f.p.find<QLineEdit>("locStopNumberEdit")->text(), QStringLiteral("999999"));
    QTest::mouseClick(f.p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);

    auto* list = f.p.find<QTableView>("locListeDrawGrid");
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(shown(list, 0, 0).text, QStringLiteral("JN57"));
    QCOMPARE(shown(list, 0, 0).colour, QColor(0, 128, 0));
    QCOMPARE(shown(list, 0, 1).text, QStringLiteral("JO31"));
    QCOMPARE(shown(list, 0, 1).colour, QColor(255, 0, 0));
    QCOMPARE(shown(list, 0, 2).text, QStringLiteral("JN5"));
    const LanguageTexts& texts = f.p.session.texts();
    QCOMPARE(f.p.find<QLabel>("locResultLabel")->text(),
             texts[LanguageTexts::ResultStart] + "3" + texts[LanguageTexts::ResultSquares] + "1" +
                 texts[LanguageTexts::ResultEnd]);
    // The invalid square: one message naming it, shown after the grids were filled.
    QCOMPARE(f.p.dialogs.errors.size(), 1);
    QVERIFY(f.p.dialogs.errors[0].contains(QStringLiteral("JN5")));

    // West J3 to J5, north O1 to N7: the own square in column 2, row 3.
    auto* table = f.p.find<QTableView>("locTabelleDrawGrid");
    QCOMPARE(table->model()->columnCount(), 3);
    QCOMPARE(table->model()->rowCount(), 5);
    QCOMPARE(shown(table, 0, 0).text, QStringLiteral("JO31"));
    QCOMPARE(shown(table, 0, 0).colour, QColor(255, 0, 0));
    QCOMPARE(shown(table, 2, 3).text, QStringLiteral("JN58"));
    QCOMPARE(shown(table, 2, 3).colour, QColor(0, 0, 255));
    QCOMPARE(shown(table, 2, 4).colour, QColor(0, 128, 0));
    QCOMPARE(shown(table, 1, 1).text, QStringLiteral("JO40"));
    QVERIFY(!shown(table, 1, 1).colour.isValid());

    // A confirmed square: its contacts that have a card.
    ctrlClick(list, 0, 1);
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), QStringList{"PA1ZZ"});

    // A plain click searches nothing and stays on the page.
    f.showEvaluations();
    f.p.find<QTabWidget>("locPageControl")->setCurrentWidget(f.p.find<QWidget>("locTabelleTS"));
    ctrlClick(table, 2, 4, Qt::NoModifier);
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    QCOMPARE(f.foundCalls(), QStringList{"PA1ZZ"});

    // A worked square: all its contacts.
    ctrlClick(table, 2, 4);
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), QStringList{"DL1AB"});
}

// The field is named and what was shown stays as it was.
void TestEvaluationPages::locatorFilterFieldThatCannotBeRead() {
    EvaluationFixture f("LocatorGrossfelderTS");
    QTest::mouseClick(f.p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);
    const QString line = f.p.find<QLabel>("locResultLabel")->text();
    f.p.dialogs.errors.clear();
    f.p.find<QLineEdit>("locBandEdit")->setText(QStringLiteral("70cm"));
    f.p.find<QLineEdit>("locStopNumberEdit")->setText(QStringLiteral("1O"));
    QTest::mouseClick(f.p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);
    QCOMPARE(f.p.dialogs.errors.size(), 1);
    QVERIFY(f.p.dialogs.errors[0].contains(QStringLiteral("1O")));
    QVERIFY(f.p.dialogs.errors[0].contains(QStringLiteral("End-Nummer")));
    QCOMPARE(f.p.find<QTableView>("locListeDrawGrid")->model()->rowCount(), 3);
    QCOMPARE(f.p.find<QLabel>("locResultLabel")->text(), line);

    // Read again, the band filter leaves the one 70 cm contact.
    f.p.find<QLineEdit>("locStopNumberEdit")->setText(QStringLiteral("10"));
    QTest::mouseClick(f.p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);
    QCOMPARE(f.p.find<QTableView>("locListeDrawGrid")->model()->rowCount(), 1);
}

void TestEvaluationPages::locatorSaveAndPrint() {
    EvaluationFixture f("LocatorGrossfelderTS");
    RecordingDesktop desktop;
    f.p.session.setDesktop(desktop);
    QTest::mouseClick(f.p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);
    f.p.find<QTabWidget>("locPageControl")->setCurrentWidget(f.p.find<QWidget>("locSpeichernDruckenTS"));

    const QString saved = f.run.dir.path() + "/JO.htm";
    f.p.dialogs.fileAnswers << saved;
    f.p.find<QCheckBox>("locExportTabelle")->setChecked(false);
    QTest::mouseClick(f.p.find<QPushButton>("locSpeichernBtn"), Qt::LeftButton);
    QCOMPARE(f.p.dialogs.fileDialogs.size(), 1);
    QCOMPARE(f.p.dialogs.fileDialogs[0].folder, f.p.session.pathOf("locator.htm"));
    QCOMPARE(f.p.dialogs.fileDialogs[0].title, f.p.session.texts()[LanguageTexts::LocatorSaveTitle]);
    const QString list = QString::fromLatin1(f.run.dir.read("JO.htm"));
    QVERIFY(list.contains("<body>\r\n<table>\r\n<tr>\r\n <td class=\"l\" style=\"background-color:#008000\">JN57</td>"));
    QVERIFY(!list.contains("<p>&nbsp;</p>") && !list.contains(" <td style="));

    f.p.find<QCheckBox>("locExportTabelle")->setChecked(true);
    QTest::mouseClick(f.p.find<QPushButton>("locDruckenBtn"), Qt::LeftButton);
    const QString printed = f.p.session.pathOf("~$print.htm");
    QCOMPARE(desktop.opened, QStringList{printed});
    const QString both = QString::fromLatin1(f.run.dir.read("~$print.htm"));
    QVERIFY(both.contains("<body onLoad=\"window.print();\">\r\n<table>"));
    QVERIFY(both.contains("<p>&nbsp;</p>") && both.contains(" <td style=\"background-color:#0000FF\">JN58</td>"));
    QVERIFY(f.p.dialogs.errors.size() == 1); // the invalid square's, nothing about the files
}

void TestEvaluationPages::dokListsAndTheirSearch() {
    EvaluationFixture f("TabSheet3");
    QCOMPARE(f.p.find<QLineEdit>("dokStopNumberEdit")->text(), QStringLiteral("999999"));
    QTest::mouseClick(f.p.find<QPushButton>("dokOkBtn"), Qt::LeftButton);
    auto* worked = f.p.find<QListWidget>("dokGearbeitetListBox");
    auto* confirmed = f.p.find<QListWidget>("dokBestaetigtListBox");
    QCOMPARE(items(worked), QStringList{"C12"});
    QCOMPARE(items(confirmed), QStringList{"B01"});
    const LanguageTexts& texts = f.p.session.texts();
    QCOMPARE(f.p.find<QLabel>("dokResultLabel")->text(), texts[LanguageTexts::ResultStart] + "2" +
                                                              texts[LanguageTexts::ResultDoks] + "1" +
                                                              texts[LanguageTexts::ResultEnd]);

    // A plain click describes the DOK in its list's colour and searches nothing.
    clickItem(worked, 0, Qt::NoModifier);
    auto* info = f.p.find<QPlainTextEdit>("dokInfoMemo");
    QVERIFY(info->toPlainText().startsWith(QStringLiteral("C12")));
    QCOMPARE(info->palette().color(QPalette::Text), QColor(0, 128, 0));
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    QVERIFY(f.foundCalls().isEmpty());

    clickItem(confirmed, 0, Qt::ControlModifier);
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), QStringList{"PA1ZZ"});
    f.showEvaluations();
    clickItem(worked, 0, Qt::ControlModifier);
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), (QStringList{"PA0XY", "DL2CD"}));
}

void TestEvaluationPages::dxccViewsAndTheirSearch() {
    EvaluationFixture f("TabSheet4");
    f.run.dir.installDataFile("DXCC.csv");
    f.run.dir.installDataFile("DXCC.ini");
    QTest::mouseClick(f.p.find<QPushButton>("dxccStartBtn"), Qt::LeftButton);
    auto* worked = f.p.find<QTextEdit>("dxccWorkedRichEdit");
    QCOMPARE(shownLines(worked), (QStringList{"Fed. Rep. of Germany #008000 bold", "France #008000 bold",
                                              "Netherlands #ff0000 bold"}));
    auto* all = f.p.find<QTextEdit>("dxccAllRichEdit");
    const QStringList allLines = shownLines(all);
    QCOMPARE(allLines.size(), 340);
    QVERIFY(allLines.contains("Netherlands #ff0000 bold") && allLines.contains("Belgium #000000"));
    const LanguageTexts& texts = f.p.session.texts();
    QCOMPARE(f.p.find<QLabel>("dxccResultLabel")->text(), texts[LanguageTexts::ResultStart] + "3" +
                                                               texts[LanguageTexts::ResultDxccs] + "1" +
                                                               texts[LanguageTexts::ResultEnd]);

    f.p.find<QTabWidget>("dxccPageControl")->setCurrentWidget(f.p.find<QWidget>("dxccWorkedTS"));
    const auto lineCentre = [worked](int line) {
        QTextCursor c(worked->document()->findBlockByNumber(line));
        return worked->cursorRect(c).center() + QPoint(4, 0);
    };
    QTest::mouseClick(worked->viewport(), Qt::LeftButton, {}, lineCentre(2));
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    QVERIFY(f.foundCalls().isEmpty());
    QTest::mouseClick(worked->viewport(), Qt::LeftButton, Qt::ControlModifier, lineCentre(2));
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), QStringList{"PA1ZZ"});
    QVERIFY(!worked->textCursor().hasSelection());
    f.showEvaluations();
    QTest::mouseClick(worked->viewport(), Qt::LeftButton, Qt::ControlModifier, lineCentre(0));
    QCOMPARE(f.foundCalls(), (QStringList{"DL1AB", "DL2CD"}));
}

void TestEvaluationPages::qsoCountsPieAndTheirSearch() {
    EvaluationFixture f("AnzahlQsosTS");
    auto* grid = f.p.find<QTableWidget>("AnzahlQsosStringGrid");
    const QString total = f.p.session.texts()[LanguageTexts::TotalsHeading];
    const auto row = [grid](int r) {
        QStringList texts;
        for (int c = 0; c < grid->columnCount(); ++c)
            texts << grid->item(r, c)->text();
        return texts;
    };
    QCOMPARE(row(0), (QStringList{"Mode / Band", "2m", "70cm", total}));
    QCOMPARE(row(1), (QStringList{"FM", "4/1/0", "0/0/0", "4/1/0"}));
    QCOMPARE(row(3), (QStringList{total, "4/1/0", "1/0/1", "5/1/1"}));

    // 2m FM: one card sent of four contacts, a yellow quarter from 12 to 3 o'clock.
    f.p.find<QTabBar>("AnzahlQsosTabControl")->setCurrentIndex(1);
    auto* panel = f.p.find<QWidget>("AnzahlQsosPanel");
    const auto move = [grid](int column, int r) {
        const QPoint at = grid->visualItemRect(grid->item(r, column)).center();
        QMouseEvent event(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton, {}, {});
        QApplication::sendEvent(grid->viewport(), &event);
        return grid->viewport()->mapTo(grid, at);
    };
    const QPoint at = move(1, 1);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->pos(), at + QPoint(0, 30));
    const QImage pie = f.p.find<QLabel>("AnzahlQsosImage")->pixmap().toImage();
    QCOMPARE(pie.pixelColor(70, 30), QColor(Qt::yellow));
    QCOMPARE(pie.pixelColor(30, 30), QColor(Qt::red));
    QCOMPARE(pie.pixelColor(70, 70), QColor(Qt::red));
    move(0, 1);
    QVERIFY(!panel->isVisible());

    const auto click = [grid](int column, int r, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->visualItemRect(grid->item(r, column)).center());
    };
    click(1, 3, Qt::NoModifier);
    QVERIFY(f.p.w.isCurrent(Page::Evaluations));
    click(1, 3, Qt::ControlModifier); // the 2m total: by band alone
    QVERIFY(f.p.w.isCurrent(Page::Search));
    QCOMPARE(f.foundCalls(), (QStringList{"DL1AB", "PA0XY", "F5XY", "DL2CD"}));
    f.showEvaluations();
    f.p.find<QTabBar>("AnzahlQsosTabControl")->setCurrentIndex(3);
    click(1, 1, Qt::ControlModifier);
    QCOMPARE(f.foundCalls(), QStringList{"DL1AB"});
    f.showEvaluations();
    click(3, 3, Qt::ControlModifier);
    QVERIFY(f.p.w.isCurrent(Page::List));
}

// Each page read off the window in the batch command's words, on the same
// generated log.
void TestEvaluationPages::pagesShowWhatTheBatchCommandPrints() {
    ProgramOnLog run{generatedLog(600, 7), "EigenerLocator=JN58TD\r\n"};
    StartedProgram& p = run.p;
    run.dir.installDataFile("DXCC.csv");
    run.dir.installDataFile("DXCC.ini");
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("AuswertungenTS"));
    auto* pages = p.find<QTabWidget>("AuswertungenPageControl");

    pages->setCurrentWidget(p.find<QWidget>("LocatorGrossfelderTS"));
    QTest::mouseClick(p.find<QPushButton>("locAuswertenBtn"), Qt::LeftButton);
    QString locator = p.find<QLabel>("locResultLabel")->text() + "\n";
    const auto* list = p.find<QTableView>("locListeDrawGrid");
    for (int r = 0; r < list->model()->rowCount(); ++r)
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            const Shown cell = shown(list, c, r);
            if (!cell.text.isEmpty())
                locator += cell.text + ';' + cellCharacter(cell.colour) + '\n';
        }
    locator += '\n';
    const auto* table = p.find<QTableView>("locTabelleDrawGrid");
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        for (int c = 0; c < table->model()->columnCount(); ++c)
            locator += cellCharacter(shown(table, c, r).colour);
        locator += '\n';
    }
    QVERIFY(table->model()->rowCount() > 5 && list->model()->rowCount() > 50);
    QCOMPARE(locator, batchOutput(run.dir, "locator"));

    pages->setCurrentWidget(p.find<QWidget>("TabSheet3"));
    QTest::mouseClick(p.find<QPushButton>("dokOkBtn"), Qt::LeftButton);
    QString dok = p.find<QLabel>("dokResultLabel")->text() + "\n";
    for (const QString& worked : items(p.find<QListWidget>("dokGearbeitetListBox")))
        dok += worked + ";w\n";
    for (const QString& confirmed : items(p.find<QListWidget>("dokBestaetigtListBox")))
        dok += confirmed + ";c\n";
    QVERIFY(dok.contains(";w\n") && dok.contains(";c\n"));
    QCOMPARE(dok, batchOutput(run.dir, "dok"));

    pages->setCurrentWidget(p.find<QWidget>("TabSheet4"));
    QTest::mouseClick(p.find<QPushButton>("dxccStartBtn"), Qt::LeftButton);
    QString dxcc = p.find<QLabel>("dxccResultLabel")->text() + "\n";
    const QTextDocument* all = p.find<QTextEdit>("dxccAllRichEdit")->document();
    for (QTextBlock b = all->begin(); b.isValid(); b = b.next()) {
        const char state = cellCharacter(b.begin().fragment().charFormat().foreground().color());
        dxcc += b.text() + ';' + (state == 'c' ? '2' : state == 'w' ? '1' : '0') + '\n';
    }
    QVERIFY(dxcc.contains(";1\n") && dxcc.contains(";2\n"));
    QCOMPARE(dxcc, batchOutput(run.dir, "dxcc"));

    pages->setCurrentWidget(p.find<QWidget>("AnzahlQsosTS"));
    const auto* grid = p.find<QTableWidget>("AnzahlQsosStringGrid");
    QString counts;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->columnCount(); ++c)
            row << grid->item(r, c)->text();
        counts += row.join(u';') + '\n';
    }
    QVERIFY(grid->columnCount() == 8 && grid->rowCount() == 6); // 2m and 2M, FM and fm apart
    QCOMPARE(counts, batchOutput(run.dir, "counts"));
}

QTEST_MAIN(TestEvaluationPages)
#include "test_evaluationpages.moc"
