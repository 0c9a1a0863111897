#include "entry/ui/LogGridView.h"
#include "entry/ui/SearchPage.h"
#include "StartedProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const QStringList kLog = {
    "1;01.03.2003;09:00:00;20m;SSB;DL1ABC;59;59;B01;Hans;Berlin;JO62QM;100W;;01.04.2003;",
    "2;02.03.2003;09:10:00;40m;CW;dl2xyz;599;599;;Udo;;;5W;;;03.01.2004",
    "3;03.03.2003;23:59:59;20m;CW;F5ABC;599;599;;Jean;;;0,5W;;;02.01.2004",
    "4;04.03.2003;00:00:01;80m;SSB;EA8/Dl3cc;59;59;;Eva;;;1500W;;;",
    "5;05.03.2003;12:00:00;20m;FT8;K1ABC;-10;-12;;;;;50W;;;01.01.2004",
};

void prepare(const TestFolder& dir, const QByteArray& settings = {}) {
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.prepareProgram(kLog, settings);
}

QStringList foundNumbers(SearchPage* page) {
    QStringList numbers;
    const LogTableModel& results = page->results();
    for (int r = 0; r < results.recordCount(); ++r)
        numbers << results.field(r, QsoRecord::Number);
    return numbers;
}

} // namespace

class TestSearchPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operatorSearchesThroughTheTab();
    void operatorsFollowTheLanguage();
};

// The comparisons are test_searchquery's; here the tab's boxes, typing and
// buttons hand the rows over, the shipped DXCC tables are asked, results open
// in the editor and come back, and a broken log is named.
void TestSearchPage::operatorSearchesThroughTheTab() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    auto* pages = p.find<QTabWidget>("PageControl");
    pages->setCurrentWidget(page);
    // Before any search the empty result grid shows its titles whole.
    auto* empty = p.find<LogGridView>("sStringGrid");
    for (int c = 0; c < empty->model()->columnCount(); ++c)
        QVERIFY2(empty->columnWidth(c) >= empty->horizontalHeader()->sectionSizeHint(c),
                 qPrintable(empty->model()->headerData(c, Qt::Horizontal).toString()));
    auto* button = p.find<QPushButton>("SearchBtn");
    auto* tick = p.find<QCheckBox>("sCheckBox1");
    QVERIFY(tick->isChecked() && button->isEnabled() && !p.find<QLineEdit>("sEdit2")->isEnabled());

    // Typing into an unset row chooses "call contains"; Return searches.
    auto* field = p.find<QComboBox>("sFieldComboBox1");
    auto* op = p.find<QComboBox>("sOperatorComboBox1");
    auto* value = p.find<QLineEdit>("sEdit1");
    value->setFocus();
    QTest::keyClicks(value, "abc");
    QCOMPARE(field->currentText() + ' ' + op->currentText(), QStringLiteral("Call enthält"));
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(foundNumbers(page), (QStringList{"1", "3", "5"}));
    // A choice already made stays when typing goes on.
    field->setCurrentIndex(SearchField::Name);
    op->setCurrentIndex(SearchOperator::Is);
    QTest::keyClicks(value, "l");
    QCOMPARE(field->currentText() + ' ' + op->currentText(), QStringLiteral("Name ist"));

    // DXCC from the shipped tables; the results show the log's contacts as they stand.
    page->setCondition(1, true, SearchField::Dxcc, SearchOperator::Is, "FED. REP. OF GERMANY");
    page->setCondition(2, true, SearchField::Mode, SearchOperator::IsNot, "ssb");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(foundNumbers(page), QStringList{"2"});
    QCOMPARE(page->results().record(0), p.session.model().record(1));

    // A double click opens the result; saving returns here.
    page->setCondition(1, true, SearchField::Band, SearchOperator::Is, "80m");
    page->setCondition(2, false, SearchField::Mode, SearchOperator::IsNot, "ssb");
    QTest::mouseClick(button, Qt::LeftButton);
    LogGridView* grid = page->resultGrid();
    auto cell = [&](int row) { return grid->visualRect(grid->model()->index(row, 5)).center(); };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("EA8/Dl3cc"));
    QTest::keyClicks(p.find<QLineEdit>("eNameEdit"), " Maria");
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(pages->currentWidget(), page);
    QCOMPARE(dir.read("2026.log"), crlf(QStringList{QsoRecord::headerLine()} + kLog).replace(";Eva;", ";Eva Maria;"));
    QCOMPARE(page->results().field(0, QsoRecord::Name), QStringLiteral("Eva Maria")); // the result shows it too

    // Ctrl+click opens a result as well; the back button returns to the search.
    page->setCondition(1, true, SearchField::Call, SearchOperator::Contains, "abc");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell(2));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("K1ABC"));
    p.find<QToolButton>("BackSpeedButton")->click();
    QCOMPARE(pages->currentWidget(), page);

    // Nothing found: one empty row that opens nothing.
    page->setCondition(1, true, SearchField::Call, SearchOperator::Is, "nobody");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QCOMPARE(pages->currentWidget(), page);

    // A line no record can hold, written by another program meanwhile, is named with its line.
    dir.writeLog("2026.log", QStringList(kLog) << "6;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY2(p.dialogs.oneErrorWith({"2026.log", "7"}), qPrintable(p.dialogs.errors.join(u'\n')));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Unticking the only row greys its value and the button.
    QTest::mouseClick(tick, Qt::LeftButton);
    QVERIFY(!button->isEnabled() && !p.find<QLineEdit>("sEdit1")->isEnabled());
}

// The search must not depend on the words the operators are shown in.
void TestSearchPage::operatorsFollowTheLanguage() {
    TestFolder dir;
    prepare(dir, "[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram p(dir);
    QCOMPARE(p.find<QComboBox>("sOperatorComboBox3")->itemText(SearchOperator::Greater), QStringLiteral("is greater than"));
    p.find<SearchPage>("SucheTS")->setCondition(1, true, SearchField::Number, SearchOperator::Greater, "4");
    p.find<SearchPage>("SucheTS")->SearchBtnClick();
    QCOMPARE(foundNumbers(p.find<SearchPage>("SucheTS")), QStringList{"5"});
}

VESK_TEST_MAIN(TestSearchPage)
#include "test_searchpage.moc"
