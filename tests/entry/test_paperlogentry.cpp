#include "entry/PaperLogEntry.h"

#include <QtTest>

namespace {

using Rule = PaperLogEntry::Rule;
constexpr int kYear = 2026;

// Feeds the tokens one by one; every one of them must be accepted.
void enterAll(PaperLogEntry& entry, const QStringList& tokens) {
    for (const QString& t : tokens) {
        const QString error = entry.enter(t);
        QVERIFY2(error.isEmpty(), qPrintable(t + u' ' + error));
    }
}

const QStringList kPage = {"1.2.2004", "20m", "ssb", "100w", "14:45"};

} // namespace

class TestPaperLogEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void classify();
    void enter_data();
    void enter();
    void optionalLinesInOrderEntered();
    void unreadableTokenChangesNothing_data();
    void unreadableTokenChangesNothing();
    void startNextKeepsPageFields();
    void rangeSetAllowed();
};

// Near misses fall to another kind: a date with a letter, reports without the blank and two
// at signs are calls; "#" before a date form still reads as a date.
void TestPaperLogEntry::classify() {
    const QList<std::tuple<QString, bool, Rule>> cases = { // token, UTC already set, kind
        {"12.3.x4", false, Rule::Call}, {"14:45:30", true, Rule::Utc},  {"70CM", false, Rule::Band},
        {"5957", false, Rule::Call},    {"Ä01", false, Rule::Dok},      {"#1.2.3", false, Rule::Date},
        {"-3.4.2004", false, Rule::QslIn}, {"a@b@c", false, Rule::Call}};
    for (const auto& [token, utcSet, rule] : cases)
        QVERIFY2(PaperLogEntry::classify(token, utcSet) == rule, qPrintable(token));
}

void TestPaperLogEntry::enter_data() {
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<QString>("record"); // as a log line; nothing else may be filled
    QTest::addColumn<QString>("preview"); // the lines joined with "|"
    QTest::newRow("minutes drop seconds") << QStringList{"09:05:30", "07"} << ";;09:07:00;;;;;;;;;;;;;"
                                          << "||||UTC:\t09:07:00|||";
    QTest::newRow("two digits as call") << QStringList{"50"} << ";;;;;50;;;;;;;;;;" << "|||||Call:\t50||";
    QTest::newRow("QRPW") << QStringList{"QRPW"} << ";;;;;QRPW;;;;;;;;;;" << "|||||Call:\tQRPW||";
    QTest::newRow("band lower, power upper") << QStringList{"20M", "0,5w"} << ";;;20m;;;;;;;;;0,5W;;;"
                                             << "|Band:\t20m||TX Pwr:\t0,5W||||";
    QTest::newRow("later call wins, upper, umlaut kept")
        << QStringList{"dk2xy", "  ", " dl1äbc "} << ";;;;;DL1äBC;;;;;;;;;;" << "|||||Call:\tDL1äBC||";
    QTest::newRow("contest exchange, latest wins") << QStringList{"55 55", "59-14 59-darc"} << ";;;;;;59 14;59 darc;;;;;;;;"
                                                   << "||||||RST TX:\t59 14|RST RX:\t59 darc";
    QTest::newRow("name and QTH with blanks") << QStringList{"Hans Peter@Bad Homburg"} << ";;;;;;;;;Hans Peter;Bad Homburg;;;;;"
                                              << "||||||||Name:\tHans Peter|QTH:\tBad Homburg";
}

void TestPaperLogEntry::enter() {
    QFETCH(QStringList, tokens);
    QFETCH(QString, record);
    QFETCH(QString, preview);
    PaperLogEntry entry(kYear);
    enterAll(entry, tokens);
    QCOMPARE(entry.record().encodeLine(), record);
    QCOMPARE(entry.preview().join(u'|'), preview);
}

void TestPaperLogEntry::optionalLinesInOrderEntered() {
    PaperLogEntry entry(kYear);
    enterAll(entry, {"-3.4.04", "b01", "jo31ab", "#erstes", "+1.2.04", "Hans@", "dl1abc"});
    QCOMPARE(entry.preview().mid(8), (QStringList{"QSL in:\t03.04.2004", "Dok:\tB01", "Locator:\tJO31AB",
                                                  "Cmmnts:\terstes", "QSL out:\t01.02.2004", "Name:\tHans"}));
    // A later token of a kind already entered replaces its line in place.
    enterAll(entry, {"@Bonn", "c02", "+5.6.04", "#zweites", "Klaus@Köln", "jo32cd", "-7.8.2005"});
    const QStringList expected = {"", "", "", "", "", "Call:\tDL1ABC", "", "", "QSL in:\t07.08.2005", "Dok:\tC02",
                                  "Locator:\tJO32CD", "Cmmnts:\tzweites", "QSL out:\t05.06.2004", "Name:\tKlaus",
                                  "QTH:\tKöln"};
    QCOMPARE(entry.preview(), expected);
}

void TestPaperLogEntry::unreadableTokenChangesNothing_data() {
    QTest::addColumn<QString>("token");
    QTest::newRow("date") << "31.02.2004";
    QTest::newRow("time") << "25:61";
    QTest::newRow("minutes only") << "75";
    QTest::newRow("qsl out month") << "+1.13.2004"; // quoted without the "+"
}

void TestPaperLogEntry::unreadableTokenChangesNothing() {
    QFETCH(QString, token);
    PaperLogEntry entry(kYear);
    enterAll(entry, kPage + QStringList{"dl1abc", "+1.1.2004", "-2.2.2004"});
    const QsoRecord record = entry.record();
    const QStringList preview = entry.preview();
    const QString error = entry.enter(token);
    QVERIFY2(error.contains(QString(token).remove(u'+')), qPrintable(error));
    QCOMPARE(entry.record(), record);
    QCOMPARE(entry.preview(), preview);
}

void TestPaperLogEntry::startNextKeepsPageFields() {
    PaperLogEntry entry(kYear);
    enterAll(entry, kPage + QStringList{"dl1abc", "59 57", "b01", "Hans@Bonn", "jo31ab", "#x", "+1.1.05",
                                        "-2.2.05"});
    // Typed reports win over the defaults; the record itself keeps no number.
    QCOMPARE(entry.contactToSave("599", "579", 42).encodeLine(),
             QStringLiteral("42;01.02.2004;14:45:00;20m;SSB;DL1ABC;59;57;B01;Hans;Bonn;JO31AB;100W;x;01.01.2005;02.02.2005"));
    QCOMPARE(entry.record()[QsoRecord::Number], QString());
    entry.startNext();
    QCOMPARE(entry.record().encodeLine(), QStringLiteral(";01.02.2004;14:45:00;20m;SSB;;;;;;;;100W;;;"));
    QCOMPARE(entry.preview(), (QStringList{"Date\t01.02.2004", "Band\t20m", "Mode\tSSB", "TX Pwr\t100W",
                                           "UTC\t14:45:00", "", "", ""}));
    QVERIFY(entry.canSave());
    // The next contact needs only a call; minutes still refer to the kept time; no reports: the defaults.
    enterAll(entry, {"dk2xy", "52", "c02"});
    QCOMPARE(entry.contactToSave(QStringLiteral("59"), QStringLiteral("59"), 2).encodeLine(),
             QStringLiteral("2;01.02.2004;14:52:00;20m;SSB;DK2XY;59;59;C02;;;;100W;;;"));
    entry.reset();
    QCOMPARE(entry.record(), QsoRecord());
    QCOMPARE(entry.preview(), QStringList(8, QString()));
    QVERIFY(!entry.canSave());
    // Every page field is needed before a contact can be saved.
    for (int i = 0; i < kPage.size(); ++i) {
        QStringList tokens = kPage;
        tokens.removeAt(i);
        enterAll(entry, tokens + QStringList{"dl1abc", "59 59"});
        QVERIFY2(!entry.canSave(), qPrintable(kPage[i]));
        entry.reset();
    }
}

// One column only, and none that tells contacts apart (date, call) or lies outside the record.
void TestPaperLogEntry::rangeSetAllowed() {
    const QList<std::tuple<int, int, bool>> cases = {{2, 2, false}, {4, 4, true},  {6, 6, false}, {16, 16, true},
                                                     {4, 5, false}, {5, 4, false}, {0, 0, false}, {17, 17, false}};
    for (const auto& [first, last, expected] : cases)
        QVERIFY2(PaperLogEntry::rangeSetAllowed(first, last) == expected, qPrintable(QString("%1-%2").arg(first).arg(last)));
}

QTEST_GUILESS_MAIN(TestPaperLogEntry)
#include "test_paperlogentry.moc"
