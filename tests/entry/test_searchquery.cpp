#include "entry/SearchQuery.h"
#include "logstore/IoError.h"
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

// Fifteen contacts: a few calls holding "dl" in every letter case, some QSL
// in dates on both sides of 1 January 2004 and many without one.
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
    for (int i = 0; i < calls.size(); ++i) {
        lines << QStringLiteral("%1;01.02.2003;12:00:00;%2;%3;%4;59;59;;;;;100W;;;%5")
                     .arg(i + 1)
                     .arg(bands[i], modes[i], calls[i], qslIn[i]);
    }
    return lines;
}

QList<int> numbersOf(const QVector<PackedRecord>& hits) {
    QList<int> out;
    for (const PackedRecord& r : hits)
        out << r.field(QsoRecord::Number).toInt();
    return out;
}

PackedRecord packed(const QString& line) {
    PackedRecord r;
    PackedRecord::fromLine(line, r);
    return r;
}

} // namespace

class TestSearchQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void holds_data();
    void holds();
    void fieldOutsideRange_data();
    void fieldOutsideRange();
    void fieldAfterSelection_data();
    void fieldAfterSelection();
    void runOverLog_data();
    void runOverLog();
    void dxccWithShippedTables_data();
    void dxccWithShippedTables();
    void brokenLineNamesFileAndLine();
    void missingLogThrows();
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
              hasNot = SearchOperator::ContainsNot, gt = SearchOperator::Greater, lt = SearchOperator::Less;

    QTest::newRow("is ignores ascii case") << call << is << "DL1ABC" << "dl1AbC" << true;
    QTest::newRow("is umlaut same case") << name << is << "Jürgen" << "JüRGEN" << true;
    QTest::newRow("is umlaut not folded") << name << is << "Jürgen" << "JÜRGEN" << false;
    QTest::newRow("is empty on empty") << qth << is << "" << "" << true;
    QTest::newRow("is not ignores case") << call << isNot << "DL1ABC" << "dl1abc" << false;
    QTest::newRow("contains lower in upper") << call << has << "DL1ABC" << "dl" << true;
    QTest::newRow("contains umlaut") << qth << has << "Köln" << "ö" << true;
    QTest::newRow("contains umlaut other case") << qth << has << "KÖLN" << "ö" << false;
    QTest::newRow("contains empty value") << call << has << "DL1ABC" << "" << false;
    QTest::newRow("contains not present") << call << hasNot << "DL1ABC" << "dL" << false;
    QTest::newRow("contains not empty value") << call << hasNot << "DL1ABC" << "" << true;

    QTest::newRow("date two-digit year") << F(SearchField::Date) << gt << "02.01.2004" << "1.1.04" << true;
    QTest::newRow("date by value not text") << F(SearchField::Date) << lt << "31.12.2003" << "01.01.2004" << true;
    QTest::newRow("date equal not greater") << F(SearchField::Date) << gt << "01.01.2004" << "1.1.2004" << false;
    QTest::newRow("qsl in empty never greater") << F(SearchField::QslIn) << gt << "" << "01.01.2004" << false;
    QTest::newRow("date value unreadable") << F(SearchField::Date) << gt << "02.01.2004" << "2004" << false;

    QTest::newRow("utc later second") << F(SearchField::Utc) << gt << "14:30:01" << "14:30" << true;
    QTest::newRow("utc equal") << F(SearchField::Utc) << gt << "14:30:00" << "14:30" << false;
    QTest::newRow("utc without colon") << F(SearchField::Utc) << lt << "14:30:00" << "1500" << false;

    QTest::newRow("pwr numeric not textual") << F(SearchField::TxPwr) << gt << "10W" << "9W" << true;
    QTest::newRow("pwr decimal comma") << F(SearchField::TxPwr) << lt << "0,5W" << "1W" << true;
    QTest::newRow("pwr milliwatt") << F(SearchField::TxPwr) << gt << "0,5W" << "5mW" << true;
    QTest::newRow("pwr kilowatt") << F(SearchField::TxPwr) << gt << "1,5kW" << "999W" << true;
    QTest::newRow("pwr bare number") << F(SearchField::TxPwr) << lt << "5W" << "100" << true;
    QTest::newRow("pwr text greater") << F(SearchField::TxPwr) << gt << "QRP" << "1W" << false;
    QTest::newRow("pwr decimal point") << F(SearchField::TxPwr) << lt << "0.5W" << "1W" << false;

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

void TestSearchQuery::fieldOutsideRange_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("expected");
    // Such a field reads as an empty text, whatever the contact holds.
    QTest::newRow("none chosen, is empty") << -1 << int(SearchOperator::Is) << "" << true;
    QTest::newRow("none chosen, contains") << -1 << int(SearchOperator::Contains) << "DL" << false;
    QTest::newRow("past DXCC, contains not") << 17 << int(SearchOperator::ContainsNot) << "DL" << true;
    QTest::newRow("past DXCC, is call") << 17 << int(SearchOperator::Is) << "DL1ABC" << false;
}

void TestSearchQuery::fieldOutsideRange() {
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(QString, value);
    QFETCH(bool, expected);
    const SearchQuery query({when(field, op, value)}, kYear);
    QCOMPARE(query.matches(packed("1;01.02.2003;12:00:00;20m;SSB;DL1ABC;59;59;;;;;100W;;;")), expected);
}

void TestSearchQuery::fieldAfterSelection_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("expected");
    const int gt = SearchOperator::Greater;
    QTest::newRow("band greater") << int(SearchField::Band) << gt << int(SearchField::Number);
    QTest::newRow("nothing chosen greater") << -1 << gt << int(SearchField::Number);
    QTest::newRow("date stays") << int(SearchField::Date) << gt << int(SearchField::Date);
    QTest::newRow("pwr stays") << int(SearchField::TxPwr) << gt << int(SearchField::TxPwr);
    QTest::newRow("band with is") << int(SearchField::Band) << int(SearchOperator::Is) << int(SearchField::Band);
    QTest::newRow("band, no operator") << int(SearchField::Band) << -1 << int(SearchField::Band);
}

void TestSearchQuery::fieldAfterSelection() {
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(int, expected);
    QCOMPARE(SearchQuery::fieldAfterSelection(field, op), expected);
}

void TestSearchQuery::runOverLog_data() {
    QTest::addColumn<QList<SearchCondition>>("conditions");
    QTest::addColumn<QList<int>>("expected");
    const int is = SearchOperator::Is;
    QTest::newRow("call contains dl, any case")
        << QList<SearchCondition>{when(SearchField::Call, SearchOperator::Contains, "dl")}
        << QList<int>{1, 2, 3, 5, 9, 11, 15};
    QTest::newRow("qsl in after 2004")
        << QList<SearchCondition>{when(SearchField::QslIn, SearchOperator::Greater, "01.01.2004")}
        << QList<int>{2, 4, 9};
    QTest::newRow("number below 11")
        << QList<SearchCondition>{when(SearchField::Number, SearchOperator::Less, "11")}
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("three conditions")
        << QList<SearchCondition>{when(SearchField::Band, is, "20M"), when(SearchField::Mode, is, "ssb"),
                                  when(SearchField::Call, SearchOperator::Contains, "dl")}
        << QList<int>{1, 3, 9, 15};
    QTest::newRow("unticked row ignored")
        << QList<SearchCondition>{{false, SearchField::Call, is, "nobody"}, when(SearchField::Band, is, "40m")}
        << QList<int>{2, 8};
    QTest::newRow("ticked row without operator fails")
        << QList<SearchCondition>{when(SearchField::Band, is, "40m"), when(SearchField::Call, -1, "DL")}
        << QList<int>{};
    QTest::newRow("nothing matches") << QList<SearchCondition>{when(SearchField::Call, is, "ZZ9ZZ")} << QList<int>{};
}

void TestSearchQuery::runOverLog() {
    QFETCH(QList<SearchCondition>, conditions);
    QFETCH(QList<int>, expected);
    TestFolder dir;
    dir.writeLog("a.log", fixtureLines());
    LogFile log(dir.file("a.log"));
    const SearchQuery query(conditions, kYear);
    QCOMPARE(numbersOf(query.run(log)), expected);
}

void TestSearchQuery::dxccWithShippedTables_data() {
    QTest::addColumn<SearchCondition>("condition");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("entity as listed") << when(SearchField::Dxcc, SearchOperator::Is, "Fed. Rep. of Germany")
            << QList<int>{1, 2, 3, 8, 11};
    QTest::newRow("entity lower case") << when(SearchField::Dxcc, SearchOperator::Is, "fed. rep. of germany")
            << QList<int>{1, 2, 3, 8, 11};
    QTest::newRow("other entity") << when(SearchField::Dxcc, SearchOperator::Is, "france") << QList<int>{4};
}

void TestSearchQuery::dxccWithShippedTables() {
    QFETCH(SearchCondition, condition);
    QFETCH(QList<int>, expected);
    TestFolder dir;
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.writeLog("a.log", fixtureLines());
    DxccAccess dxcc(dir.path());
    LogFile log(dir.file("a.log"));
    const SearchQuery query({condition}, kYear,
                            [&](const QString& call) { return dxcc.GetDxccCountry(call); });
    QCOMPARE(numbersOf(query.run(log)), expected);
}

void TestSearchQuery::brokenLineNamesFileAndLine() {
    TestFolder dir;
    QStringList lines = fixtureLines().mid(0, 4);
    lines[2] += QStringLiteral(";extra"); // 16 separators: record 3, line 4 of the file
    dir.writeLog("broken.log", lines);
    LogFile log(dir.file("broken.log"));
    const SearchQuery query({when(SearchField::Call, SearchOperator::Contains, "dl")}, kYear);
    try {
        query.run(log);
        QFAIL("a line with 16 separators must stop the search");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("broken.log")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("Zeile 4")), qPrintable(e.message()));
    }
    // The file was closed again: a later search reads from the start.
    dir.writeLog("broken.log", fixtureLines().mid(0, 4));
    QCOMPARE(numbersOf(query.run(log)), (QList<int>{1, 2, 3}));
}

void TestSearchQuery::missingLogThrows() {
    TestFolder dir;
    LogFile log(dir.file("gone.log"));
    const SearchQuery query({when(SearchField::Call, SearchOperator::Contains, "dl")}, kYear);
    QVERIFY_THROWS_EXCEPTION(IoError, query.run(log));
}

QTEST_GUILESS_MAIN(TestSearchQuery)
#include "test_searchquery.moc"
