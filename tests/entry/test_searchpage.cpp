#include "entry/ui/LogGridView.h"
#include "entry/ui/SearchPage.h"
#include "logstore/LogTableModel.h"
#include "StartedProgram.h"

#include <QCheckBox>
#include <QComboBox>
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

void prepare(const TestFolder& dir) {
    dir.installLanguageFiles();
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.writeLog("2026.log", kLog);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n");
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
    void ticksEnableRowsAndButton();
    void typingChoosesCallAndContainsReturnSearches();
    void conditionsFindContacts();
    void emptyResultShowsOneEmptyRow();
    void resultOpensInEditAndSavingReturnsHere();
    void unreadableLogIsReported();
    void operatorsFollowTheLanguage();
};

void TestSearchPage::ticksEnableRowsAndButton() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    auto* button = p.find<QPushButton>("SearchBtn");
    QVERIFY(p.find<QCheckBox>("sCheckBox1")->isChecked() && button->isEnabled());
    QVERIFY(!p.find<QLineEdit>("sEdit2")->isEnabled());
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<SearchPage>("SucheTS"));
    QTest::mouseClick(p.find<QCheckBox>("sCheckBox1"), Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QVERIFY(!p.find<QLineEdit>("sEdit1")->isEnabled());
    QTest::mouseClick(p.find<QCheckBox>("sCheckBox4"), Qt::LeftButton);
    QVERIFY(button->isEnabled());
    QVERIFY(p.find<QComboBox>("sFieldComboBox4")->isEnabled());
    // An ordering operator moves a field without an order to "#" (the rule is test_searchquery's).
    p.find<QComboBox>("sFieldComboBox4")->setCurrentIndex(SearchField::Band);
    p.find<QComboBox>("sOperatorComboBox4")->setCurrentIndex(SearchOperator::Greater);
    QCOMPARE(p.find<QComboBox>("sFieldComboBox4")->currentText(), QStringLiteral("#"));
}

void TestSearchPage::typingChoosesCallAndContainsReturnSearches() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<SearchPage>("SucheTS"));
    auto* field = p.find<QComboBox>("sFieldComboBox1");
    auto* op = p.find<QComboBox>("sOperatorComboBox1");
    auto* value = p.find<QLineEdit>("sEdit1");
    QCOMPARE(field->currentIndex(), -1);
    value->setFocus();
    QTest::keyClicks(value, "abc");
    QCOMPARE(field->currentText(), QStringLiteral("Call"));
    QCOMPARE(op->currentText(), QStringLiteral("enthält"));
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(foundNumbers(p.find<SearchPage>("SucheTS")), (QStringList{"1", "3", "5"}));
    // A choice already made stays when typing goes on.
    field->setCurrentIndex(SearchField::Name);
    op->setCurrentIndex(SearchOperator::Is);
    QTest::keyClicks(value, "l");
    QCOMPARE(field->currentText(), QStringLiteral("Name"));
    QCOMPARE(op->currentText(), QStringLiteral("ist"));
}

// The comparisons are test_searchquery's; here the tab hands its rows over,
// asks the shipped DXCC tables and shows the log's contacts as they stand.
void TestSearchPage::conditionsFindContacts() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    page->setCondition(1, true, SearchField::Dxcc, SearchOperator::Is, "FED. REP. OF GERMANY");
    page->setCondition(2, true, SearchField::Mode, SearchOperator::IsNot, "ssb");
    // The results take the list tab's column widths.
    QVector<int> widths(QsoRecord::FieldCount, 50);
    widths[5] = 130;
    p.find<LogGridView>("ListeStringGrid")->setColumnWidths(widths);
    QTest::mouseClick(p.find<QPushButton>("SearchBtn"), Qt::LeftButton);
    QCOMPARE(foundNumbers(page), QStringList{"2"});
    QCOMPARE(page->resultGrid()->columnWidths(), widths);
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        QCOMPARE(page->results().field(0, f), p.session.model().field(1, f));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestSearchPage::emptyResultShowsOneEmptyRow() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    page->setCondition(1, true, SearchField::Call, SearchOperator::Is, "nobody");
    page->SearchBtnClick();
    QCOMPARE(page->resultGrid()->model()->rowCount(), 1);
    QCOMPARE(page->resultGrid()->model()->index(0, 0).data().toString(), QString());
    // The empty row opens nothing.
    p.find<QTabWidget>("PageControl")->setCurrentWidget(page);
    QTest::mouseDClick(page->resultGrid()->viewport(), Qt::LeftButton, {},
                       page->resultGrid()->visualRect(page->resultGrid()->model()->index(0, 0)).center());
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget(), page);
}

void TestSearchPage::resultOpensInEditAndSavingReturnsHere() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    auto* pages = p.find<QTabWidget>("PageControl");
    pages->setCurrentWidget(page);
    page->setCondition(1, true, SearchField::Band, SearchOperator::Is, "80m");
    page->SearchBtnClick();
    LogGridView* grid = page->resultGrid();
    const QPoint cell = grid->visualRect(grid->model()->index(0, 5)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("EA8/Dl3cc"));
    auto* name = p.find<QLineEdit>("eNameEdit");
    name->selectAll();
    QTest::keyClicks(name, "Eva Maria");
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(pages->currentWidget(), page);
    QVERIFY(dir.read("2026.log").contains(";Eva Maria;"));

    // Ctrl+click opens a result as well; the back button returns to the search.
    page->setCondition(1, true, SearchField::Call, SearchOperator::Contains, "abc");
    page->SearchBtnClick();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid->visualRect(grid->model()->index(2, 0)).center());
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("K1ABC"));
    p.find<QToolButton>("BackSpeedButton")->click();
    QCOMPARE(pages->currentWidget(), page);
}

void TestSearchPage::unreadableLogIsReported() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    // A line no record can hold, written by another program meanwhile.
    dir.writeLog("2026.log", QStringList(kLog) << "6;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q");
    SearchPage* page = p.find<SearchPage>("SucheTS");
    page->setCondition(1, true, SearchField::Call, SearchOperator::Contains, "");
    page->SearchBtnClick();
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors[0].contains("2026.log") && p.dialogs.errors[0].contains("7"),
             qPrintable(p.dialogs.errors[0]));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

// The search must not depend on the words the operators are shown in.
void TestSearchPage::operatorsFollowTheLanguage() {
    TestFolder dir;
    prepare(dir);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram p(dir);
    QCOMPARE(p.find<QComboBox>("sOperatorComboBox3")->itemText(SearchOperator::Greater), QStringLiteral("is greater than"));
    p.find<SearchPage>("SucheTS")->setCondition(1, true, SearchField::Number, SearchOperator::Greater, "4");
    p.find<SearchPage>("SucheTS")->SearchBtnClick();
    QCOMPARE(foundNumbers(p.find<SearchPage>("SucheTS")), QStringList{"5"});
}

VESK_TEST_MAIN(TestSearchPage)
#include "test_searchpage.moc"
