#include "entry/SearchQuery.h"
#include "ErrorOf.h"
#include "logstore/LogFile.h"
#include "refdata/Dxcc.h"
#include "TestFolder.h"

#include <QtTest>

Q_DECLARE_METATYPE(SearchCondition)

namespace {

constexpr int kYear = 2026;

SearchCondition when(int field, int op, const QString& value) {
    return {true, field, op, value};
}

// Calls holding "dl" in every case; QSL in dates on both sides of 1 January 2004, or none.
QStringList fixtureLines() {
    const QStringList calls = {"DL1ABC", "dl2xyz", "Dl3QQ", "F5ABC", "G4DLX", "OK1KX", "W1AW", "DK5ZZ",
                               "EA3DL",  "JA1XX",  "DL9AA", "ON4AB", "HB9ZZ", "PA0XX", "SP5DL"};
    const QStringList bands = {"20m", "40m", "20m", "20m", "20m", "2m",  "20m", "40m",
                               "20m", "15m", "20m", "20m", "80m", "20m", "20m"};
    const QStringList modes = {"SSB", "CW", "ssb", "SSB", "CW",  "FM",  "SSB", "SSB",
                               "SSB", "CW", "CW",  "SSB", "SSB", "SSB", "SSB"};
    const QStringList qslIn = {"",       "15.03.2004", "31.12.2003", "02.01.2004", "", "01.01.2004", "", "",
                               "1.2.05", "",           "",           "",           "", "",           ""};
    QStringList lines;
    for (int i = 0; i < calls.size(); ++i)
        lines << QStringLiteral("%1;01.02.2003;12:00:00;%2;%3;%4;59;59;;;;;100W;;;%5")
                     .arg(i + 1).arg(bands[i], modes[i], calls[i], qslIn[i]);
    return lines;
}

QList<int> numbersOf(const QVector<PackedRecord>& hits) {
    QList<int> out;
    for (const PackedRecord& r : hits)
        out << r.field(QsoRecord::Number).toInt();
    return out;
}

} // namespace

class TestSearchQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void holds_data();
    void holds();
    void fieldAfterSelection();
    void runOverLog_data();
    void runOverLog();
    void brokenOrMissingLog();
};

void TestSearchQuery::holds_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("expected");
    using F = int;
    const int call = SearchField::Call, name = SearchField::Name, qth = SearchField::Qth;
    const int is = SearchOperator::Is, isNot = SearchOperator::IsNot, has = SearchOperator::Contains,
              hasNot = SearchOperator::ContainsNot, gt = SearchOperator::Greater, lt = SearchOperator::Less;    QTest::newRow("is ignores ascii case") << call << is << "DL1ABC" << "dl1AbC" << true;
    QTest::newRow("is umlaut not folded") << name << is << "Jürgen" << "JÜRGEN" << false;
    QTest::newRow("is empty on empty") << qth << is << "" << "" << true;
    QTest::newRow("is not ignores case") << call << isNot << "DL1ABC" << "dl1abc" << false;
    QTest::newRow("contains empty value") << call << has << "DL1ABC" << "" << false;
    QTest::newRow("contains not empty value") << call << hasNot << "DL1ABC" << "" << true;
    QTest::newRow("date two-digit year") << F(SearchField::Date) << gt << "02.01.2004" << "1.1.04" << true;
    QTest::newRow("date by value not text") << F(SearchField::Date) << lt << "31.12.2003" << "01.01.2004" << true;
    QTest::newRow("date equal not greater") << F(SearchField::Date) << gt << "01.01.2004" << "1.1.2004" << false;
    QTest::newRow("qsl in empty never greater") << F(SearchField::QslIn) << gt << "" << "01.01.2004" << false;
    QTest::newRow("date value unreadable") << F(SearchField::Date) << gt << "02.01.2004" << "2004" << false;
    QTest::newRow("utc later second") << F(SearchField::Utc) << gt << "14:30:01" << "14:30" << true;
    QTest::newRow("pwr milliwatt") << F(SearchField::TxPwr) << gt << "0,5W" << "5mW" << true;
    QTest::newRow("pwr kilowatt") << F(SearchField::TxPwr) << gt << "1,5kW" << "999W" << true;
    QTest::newRow("pwr bare number") << F(SearchField::TxPwr) << lt << "5W" << "100" << true;
    QTest::newRow("pwr decimal point") << F(SearchField::TxPwr) << lt << "0.5W" << "1W" << true;
    QTest::newRow("pwr free text") << F(SearchField::TxPwr) << lt << "KWM-2" << "1W" << false;
    QTest::newRow("number numeric not textual") << F(SearchField::Number) << lt << "100" << "11" << false;
    QTest::newRow("ordering on band") << F(SearchField::Band) << gt << "40m" << "20m" << false;
    QTest::newRow("no operator") << call << -1 << "DL1ABC" << "DL1ABC" << false;
    QTest::newRow("operator past the end") << call << int(SearchOperator::Count) << "DL1ABC" << "DL1ABC" << false;
}

void TestSearchQuery::holds() {
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(bool, expected);
    QCOMPARE(SearchQuery::holds(op, field, text, value, kYear), expected);
}

// An ordering operator on a field without an order moves the row to "#".
void TestSearchQuery::fieldAfterSelection() {
    const int gt = SearchOperator::Greater;
    QCOMPARE(SearchQuery::fieldAfterSelection(SearchField::Band, gt), int(SearchField::Number));
    QCOMPARE(SearchQuery::fieldAfterSelection(-1, gt), int(SearchField::Number));
    QCOMPARE(SearchQuery::fieldAfterSelection(SearchField::Date, gt), int(SearchField::Date));
    QCOMPARE(SearchQuery::fieldAfterSelection(SearchField::Band, SearchOperator::Is), int(SearchField::Band));
}

void TestSearchQuery::runOverLog_data() {
    QTest::addColumn<QList<SearchCondition>>("conditions");
    QTest::addColumn<QList<int>>("expected");
    const int is = SearchOperator::Is;
    using C = QList<SearchCondition>;
    using N = QList<int>;
    const int has = SearchOperator::Contains;
    QTest::newRow("call contains dl, any case") << C{when(SearchField::Call, has, "dl")} << N{1, 2, 3, 5, 9, 11, 15};
    QTest::newRow("three conditions") << C{when(SearchField::Band, is, "20M"), when(SearchField::Mode, is, "ssb"),
                                           when(SearchField::Call, has, "dl")} << N{1, 3, 9, 15};
    QTest::newRow("unticked row ignored") << C{{false, SearchField::Call, is, "x"}, when(SearchField::Band, is, "40m")}
                                          << N{2, 8};
    // A field outside the list reads as an empty text, whatever the contact holds.
    QTest::newRow("no field, is empty") << C{when(-1, is, ""), when(SearchField::Band, is, "40m")} << N{2, 8};
    QTest::newRow("past DXCC, contains") << C{when(17, has, "DL")} << N{};
    QTest::newRow("DXCC entity in any case") << C{when(SearchField::Dxcc, is, "fed. rep. of germany")} << N{1, 2, 3, 8, 11};
    QTest::newRow("ticked row without operator fails")
        << C{when(SearchField::Band, is, "40m"), when(SearchField::Call, -1, "DL")} << N{};
}

void TestSearchQuery::runOverLog() {
    QFETCH(QList<SearchCondition>, conditions);
    QFETCH(QList<int>, expected);
    TestFolder dir;
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.writeLog("a.log", fixtureLines());
    DxccAccess dxcc(dir.path());
    LogFile log(dir.file("a.log"));
    const SearchQuery query(conditions, kYear, [&](const QString& call) { return dxcc.GetDxccCountry(call); });
    QCOMPARE(numbersOf(query.run(log)), expected);
}

void TestSearchQuery::brokenOrMissingLog() {
    TestFolder dir;
    QStringList lines = fixtureLines().mid(0, 4);
    lines[2] += QStringLiteral(";extra"); // 16 separators: record 3, line 4 of the file
    dir.writeLog("broken.log", lines);
    LogFile log(dir.file("broken.log"));
    const SearchQuery query({when(SearchField::Call, SearchOperator::Contains, "dl")}, kYear);
    const QString message = errorOf([&] { query.run(log); });
    QVERIFY2(message.contains(QStringLiteral("broken.log\", Zeile 4")), qPrintable(message));
    // The file was closed again: a later search reads from the start.
    dir.writeLog("broken.log", fixtureLines().mid(0, 4));
    QCOMPARE(numbersOf(query.run(log)), (QList<int>{1, 2, 3}));
    LogFile gone(dir.file("gone.log"));
    QVERIFY_THROWS_EXCEPTION(IoError, query.run(gone));
}

QTEST_GUILESS_MAIN(TestSearchQuery)
#include "test_searchquery.moc"
