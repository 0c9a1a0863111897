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
    void startState();
    void typingChoosesCallAndContains();
    void orderingOperatorMovesFieldToNumber();
    void conditionsFindContacts_data();
    void conditionsFindContacts();
    void emptyResultShowsOneEmptyRow();
    void returnInValueStartsSearch();
    void resultOpensInEditAndSavingReturnsHere();
    void unreadableLogIsReported();
    void operatorsFollowTheLanguage();
};

void TestSearchPage::startState() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    auto* button = p.find<QPushButton>("SearchBtn");
    QVERIFY(p.find<QCheckBox>("sCheckBox1")->isChecked());
    QVERIFY(p.find<QLineEdit>("sEdit1")->isEnabled());
    for (const char* name : {"sCheckBox2", "sCheckBox3", "sCheckBox4", "sCheckBox5"})
        QVERIFY(!p.find<QCheckBox>(name)->isChecked());
    QVERIFY(!p.find<QLineEdit>("sEdit2")->isEnabled());
    QVERIFY(!p.find<QComboBox>("sOperatorComboBox2")->isEnabled());
    QVERIFY(button->isEnabled());

    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<SearchPage>("SucheTS"));
    QTest::mouseClick(p.find<QCheckBox>("sCheckBox1"), Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QVERIFY(!p.find<QLineEdit>("sEdit1")->isEnabled());
    QTest::mouseClick(p.find<QCheckBox>("sCheckBox4"), Qt::LeftButton);
    QVERIFY(button->isEnabled());
    QVERIFY(p.find<QComboBox>("sFieldComboBox4")->isEnabled());
}

void TestSearchPage::typingChoosesCallAndContains() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<SearchPage>("SucheTS"));
    auto* field = p.find<QComboBox>("sFieldComboBox1");
    auto* op = p.find<QComboBox>("sOperatorComboBox1");
    QCOMPARE(field->currentIndex(), -1);
    QTest::keyClicks(p.find<QLineEdit>("sEdit1"), "d");
    QCOMPARE(field->currentText(), QStringLiteral("Call"));
    QCOMPARE(op->currentText(), QStringLiteral("enthält"));

    // A choice already made stays when typing goes on.
    field->setCurrentIndex(SearchField::Name);
    op->setCurrentIndex(SearchOperator::Is);
    QTest::keyClicks(p.find<QLineEdit>("sEdit1"), "l");
    QCOMPARE(field->currentText(), QStringLiteral("Name"));
    QCOMPARE(op->currentText(), QStringLiteral("ist"));
}

void TestSearchPage::orderingOperatorMovesFieldToNumber() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    auto* field = p.find<QComboBox>("sFieldComboBox2");
    auto* op = p.find<QComboBox>("sOperatorComboBox2");
    field->setCurrentIndex(SearchField::Band);
    op->setCurrentIndex(SearchOperator::Greater);
    QCOMPARE(field->currentText(), QStringLiteral("#"));
    // Fields with an order keep it, and so does every other row.
    p.find<QComboBox>("sFieldComboBox3")->setCurrentIndex(SearchField::Call);
    field->setCurrentIndex(SearchField::QslIn);
    QCOMPARE(field->currentText(), QStringLiteral("QSL In"));
    op->setCurrentIndex(SearchOperator::Less);
    QCOMPARE(field->currentText(), QStringLiteral("QSL In"));
    QCOMPARE(p.find<QComboBox>("sFieldComboBox3")->currentText(), QStringLiteral("Call"));
    // Changing the field of a row with an ordering operator is caught too.
    field->setCurrentIndex(SearchField::Mode);
    QCOMPARE(field->currentText(), QStringLiteral("#"));
}

void TestSearchPage::conditionsFindContacts_data() {
    QTest::addColumn<QList<SearchCondition>>("conditions");
    QTest::addColumn<QStringList>("numbers");
    auto c = [](int field, int op, const QString& value) { return SearchCondition{true, field, op, value}; };
    // The comparisons themselves are the rules' tests; here one ordered field
    // shows the tab hands its rows over as they stand.
    QTest::newRow("QSL In after 01.01.2004, empty never")
        << QList{c(SearchField::QslIn, SearchOperator::Greater, "01.01.2004")} << QStringList{"2", "3"};
    QTest::newRow("band and mode together")
        << QList{c(SearchField::Band, SearchOperator::Is, "20M"), c(SearchField::Mode, SearchOperator::IsNot, "cw")}
        << QStringList{"1", "5"};
    QTest::newRow("DXCC entity in any case")
        << QList{c(SearchField::Dxcc, SearchOperator::Is, "FED. REP. OF GERMANY")} << QStringList{"1", "2"};
}

void TestSearchPage::conditionsFindContacts() {
    QFETCH(QList<SearchCondition>, conditions);
    QFETCH(QStringList, numbers);
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    for (int row = 1; row <= SearchPage::RowCount; ++row)
        page->setCondition(row, row <= conditions.size() ? conditions[row - 1] : SearchCondition{});
    QVERIFY(page->searchEnabled());
    // The results take the list tab's column widths.
    QVector<int> widths(QsoRecord::FieldCount, 50);
    widths[5] = 130;
    p.find<LogGridView>("ListeStringGrid")->setColumnWidths(widths);
    QTest::mouseClick(p.find<QPushButton>("SearchBtn"), Qt::LeftButton);
    QCOMPARE(foundNumbers(page), numbers);
    QCOMPARE(page->resultGrid()->columnWidths(), widths);
    // Comments and every other column come as the log holds them.
    const int first = numbers.first().toInt() - 1;
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        QCOMPARE(page->results().field(0, f), p.session.model().field(first, f));
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
    QCOMPARE(page->resultGrid()->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Call"));
    QCOMPARE(page->resultGrid()->model()->index(0, 0).data().toString(), QString());
    // The empty row opens nothing.
    p.find<QTabWidget>("PageControl")->setCurrentWidget(page);
    QTest::mouseDClick(page->resultGrid()->viewport(), Qt::LeftButton, {},
                       page->resultGrid()->visualRect(page->resultGrid()->model()->index(0, 0)).center());
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget(), page);
}

void TestSearchPage::returnInValueStartsSearch() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<SearchPage>("SucheTS"));
    auto* value = p.find<QLineEdit>("sEdit1");
    value->setFocus();
    QTest::keyClicks(value, "abc");
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(foundNumbers(p.find<SearchPage>("SucheTS")), (QStringList{"1", "3", "5"}));
}

void TestSearchPage::resultOpensInEditAndSavingReturnsHere() {
    TestFolder dir;
    prepare(dir);
    StartedProgram p(dir);
    SearchPage* page = p.find<SearchPage>("SucheTS");
    p.find<QTabWidget>("PageControl")->setCurrentWidget(page);
    page->setCondition(1, true, SearchField::Band, SearchOperator::Is, "80m");
    page->SearchBtnClick();
    LogGridView* grid = page->resultGrid();
    const QPoint cell = grid->visualRect(grid->model()->index(0, 5)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("EA8/Dl3cc"));
    auto* name = p.find<QLineEdit>("eNameEdit");
    name->selectAll();
    QTest::keyClicks(name, "Eva Maria");
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget(), page);
    QVERIFY(dir.read("2026.log").contains(";Eva Maria;"));

    // Ctrl+click opens a result as well; the back button returns to the search.
    page->setCondition(1, true, SearchField::Call, SearchOperator::Contains, "abc");
    page->SearchBtnClick();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid->visualRect(grid->model()->index(2, 0)).center());
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("K1ABC"));
    p.find<QToolButton>("BackSpeedButton")->click();
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget(), page);
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

void TestSearchPage::operatorsFollowTheLanguage() {
    TestFolder dir;
    prepare(dir);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram p(dir);
    auto* op = p.find<QComboBox>("sOperatorComboBox3");
    QCOMPARE(op->count(), SearchOperator::Count);
    QCOMPARE(op->itemText(SearchOperator::Greater), QStringLiteral("is greater than"));
    QCOMPARE(p.find<QPushButton>("SearchBtn")->text(), QStringLiteral("Start search!"));
    // The search itself does not depend on the words shown.
    p.find<SearchPage>("SucheTS")->setCondition(1, true, SearchField::Number, SearchOperator::Greater, "4");
    p.find<SearchPage>("SucheTS")->SearchBtnClick();
    QCOMPARE(foundNumbers(p.find<SearchPage>("SucheTS")), QStringList{"5"});
}

VESK_TEST_MAIN(TestSearchPage)
#include "test_searchpage.moc"
