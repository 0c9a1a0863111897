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
    void classify_data();
    void classify();
    void enter_data();
    void enter();
    void reports_data();
    void reports();
    void nameAndQth_data();
    void nameAndQth();
    void optionalLinesInOrderEntered();
    void unreadableTokenChangesNothing_data();
    void unreadableTokenChangesNothing();
    void canSave_data();
    void canSave();
    void contactToSave_data();
    void contactToSave();
    void startNextKeepsPageFields();
    void rangeSetAllowed_data();
    void rangeSetAllowed();
};

void TestPaperLogEntry::classify_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("utcSet");
    QTest::addColumn<Rule>("rule");
    QTest::newRow("date with letter") << "12.3.x4" << false << Rule::Call;
    QTest::newRow("time with seconds, utc set") << "14:45:30" << true << Rule::Utc;
    QTest::newRow("one digit") << "5" << true << Rule::Call;
    QTest::newRow("band cm") << "70CM" << false << Rule::Band;
    QTest::newRow("mode mixed") << "Pactor" << false << Rule::Mode;
    QTest::newRow("reports without blank") << "5957" << false << Rule::Call;
    QTest::newRow("dok umlaut capital") << "Ä01" << false << Rule::Dok;
    QTest::newRow("date form before comments") << "#1.2.3" << false << Rule::Date;
    QTest::newRow("qsl in long year") << "-3.4.2004" << false << Rule::QslIn;
    QTest::newRow("two at signs") << "a@b@c" << false << Rule::Call;
    QTest::newRow("portable call") << "dl1abc/p" << false << Rule::Call;
}

void TestPaperLogEntry::classify() {
    QFETCH(QString, token);
    QFETCH(bool, utcSet);
    QFETCH(Rule, rule);
    QCOMPARE(PaperLogEntry::classify(token, utcSet), rule);
}

void TestPaperLogEntry::enter_data() {
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("preview");
    QTest::newRow("time") << QStringList{"14:45"} << int(QsoRecord::Utc) << "14:45:00" << 4 << "UTC:\t14:45:00";
    QTest::newRow("minutes drop seconds")
            << QStringList{"09:05:30", "07"} << int(QsoRecord::Utc) << "09:07:00" << 4 << "UTC:\t09:07:00";
    QTest::newRow("two digits as call") << QStringList{"50"} << int(QsoRecord::Call) << "50" << 5 << "Call:\t50";
    QTest::newRow("power") << QStringList{"0,5w"} << int(QsoRecord::TxPwr) << "0,5W" << 3 << "TX Pwr:\t0,5W";
    QTest::newRow("QRPW") << QStringList{"QRPW"} << int(QsoRecord::Call) << "QRPW" << 5 << "Call:\tQRPW";
    QTest::newRow("band") << QStringList{"20M"} << int(QsoRecord::Band) << "20m" << 1 << "Band:\t20m";
    QTest::newRow("call upper") << QStringList{"dl1äbc"} << int(QsoRecord::Call) << "DL1äBC" << 5 << "Call:\tDL1äBC";
    QTest::newRow("blanks around a token")
            << QStringList{" dl1abc ", "  "} << int(QsoRecord::Call) << "DL1ABC" << 5 << "Call:\tDL1ABC";
    QTest::newRow("later call wins")
            << QStringList{"dl1abc", "dk2xy"} << int(QsoRecord::Call) << "DK2XY" << 5 << "Call:\tDK2XY";
}

void TestPaperLogEntry::enter() {
    QFETCH(QStringList, tokens);
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(int, line);
    QFETCH(QString, preview);
    PaperLogEntry entry(kYear);
    enterAll(entry, tokens);
    QCOMPARE(entry.record()[field], value);
    QCOMPARE(entry.preview().value(line), preview);
    QCOMPARE(entry.preview().size(), std::max(8, line + 1));
    int filled = 0;
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        filled += entry.record()[f].isEmpty() ? 0 : 1;
    QCOMPARE(filled, 1);
}

void TestPaperLogEntry::reports_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("received");
    QTest::newRow("two digits") << "59 57" << "59" << "57";
    QTest::newRow("contest exchange") << "59-14 59-darc" << "59 14" << "59 darc";
    QTest::newRow("serial numbers") << "599-001 599-002" << "599 001" << "599 002";
}

void TestPaperLogEntry::reports() {
    QFETCH(QString, token);
    QFETCH(QString, sent);
    QFETCH(QString, received);
    PaperLogEntry entry(kYear);
    enterAll(entry, {"55 55", token});
    QCOMPARE(entry.record()[QsoRecord::RstTx], sent);
    QCOMPARE(entry.record()[QsoRecord::RstRx], received);
    QCOMPARE(entry.preview().value(6), QStringLiteral("RST TX:\t") + sent);
    QCOMPARE(entry.preview().value(7), QStringLiteral("RST RX:\t") + received);
    QCOMPARE(entry.preview().size(), 8);
}

void TestPaperLogEntry::nameAndQth_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("qth");
    QTest::addColumn<QStringList>("lines"); // from line 8 on
    QTest::newRow("both") << "Vorname@Ort" << "Vorname" << "Ort" << QStringList{"Name:\tVorname", "QTH:\tOrt"};
    QTest::newRow("qth only") << "@Ort" << "" << "Ort" << QStringList{"QTH:\tOrt"};
    QTest::newRow("name only") << "Vorname@" << "Vorname" << "" << QStringList{"Name:\tVorname"};
    QTest::newRow("blanks kept") << "Hans Peter@Bad Homburg" << "Hans Peter" << "Bad Homburg"
            << QStringList{"Name:\tHans Peter", "QTH:\tBad Homburg"};
}

void TestPaperLogEntry::nameAndQth() {
    QFETCH(QString, token);
    QFETCH(QString, name);
    QFETCH(QString, qth);
    QFETCH(QStringList, lines);
    PaperLogEntry entry(kYear);
    enterAll(entry, {token});
    QCOMPARE(entry.record()[QsoRecord::Name], name);
    QCOMPARE(entry.record()[QsoRecord::Qth], qth);
    QCOMPARE(entry.preview().mid(8), lines);
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
    QCOMPARE(entry.record()[QsoRecord::Qth], QStringLiteral("Köln"));
    QCOMPARE(entry.record()[QsoRecord::QslIn], QStringLiteral("07.08.2005"));
}

void TestPaperLogEntry::unreadableTokenChangesNothing_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("named"); // what the message must quote
    QTest::newRow("date") << "31.02.2004" << "31.02.2004";
    QTest::newRow("date without year") << "1.2." << "1.2.";
    QTest::newRow("time") << "25:61" << "25:61";
    QTest::newRow("minutes only") << "75" << "75";
    QTest::newRow("qsl out month") << "+1.13.2004" << "1.13.2004";
}

void TestPaperLogEntry::unreadableTokenChangesNothing() {
    QFETCH(QString, token);
    QFETCH(QString, named);
    PaperLogEntry entry(kYear);
    enterAll(entry, kPage + QStringList{"dl1abc", "+1.1.2004", "-2.2.2004"});
    const QsoRecord record = entry.record();
    const QStringList preview = entry.preview();
    const QString error = entry.enter(token);
    QVERIFY2(error.contains(named), qPrintable(error));
    QCOMPARE(entry.record(), record);
    QCOMPARE(entry.preview(), preview);
}

void TestPaperLogEntry::canSave_data() {
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<bool>("expected");
    QTest::newRow("nothing") << QStringList{} << false;
    QTest::newRow("page fields, no call") << kPage << true;
    for (int i = 0; i < kPage.size(); ++i) {
        QStringList tokens = kPage;
        tokens.removeAt(i);
        QTest::addRow("without %s", qPrintable(kPage[i]))
            << (tokens + QStringList{"dl1abc", "59 59"}) << false;
    }
}

void TestPaperLogEntry::canSave() {
    QFETCH(QStringList, tokens);
    QFETCH(bool, expected);
    PaperLogEntry entry(kYear);
    enterAll(entry, tokens);
    QCOMPARE(entry.canSave(), expected);
}

void TestPaperLogEntry::contactToSave_data() {
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("received");
    QTest::newRow("defaults") << QStringList{} << "599" << "579";
    QTest::newRow("typed reports") << QStringList{"55 44"} << "55" << "44";
}

void TestPaperLogEntry::contactToSave() {
    QFETCH(QStringList, tokens);
    QFETCH(QString, sent);
    QFETCH(QString, received);
    PaperLogEntry entry(kYear);
    enterAll(entry, kPage + QStringList{"dl1abc", "b01"} + tokens);
    const QsoRecord r = entry.contactToSave(QStringLiteral("599"), QStringLiteral("579"), 42);
    QCOMPARE(
        r.encodeLine(),
        QStringLiteral("42;01.02.2004;14:45:00;20m;SSB;DL1ABC;%1;%2;B01;;;;100W;;;").arg(sent, received));
    QCOMPARE(entry.record()[QsoRecord::Number], QString()); // the record itself stays as typed
}

void TestPaperLogEntry::startNextKeepsPageFields() {
    PaperLogEntry entry(kYear);
    enterAll(entry, kPage + QStringList{"dl1abc", "59 57", "b01", "Hans@Bonn", "jo31ab", "#x", "+1.1.05",
                                        "-2.2.05"});
    entry.startNext();
    QCOMPARE(entry.record().encodeLine(), QStringLiteral(";01.02.2004;14:45:00;20m;SSB;;;;;;;;100W;;;"));
    QCOMPARE(entry.preview(), (QStringList{"Date\t01.02.2004", "Band\t20m", "Mode\tSSB", "TX Pwr\t100W",
                                           "UTC\t14:45:00", "", "", ""}));
    QVERIFY(entry.canSave());
    // The next contact needs only a call; minutes still refer to the kept time.
    enterAll(entry, {"dk2xy", "52", "c02"});
    QCOMPARE(entry.contactToSave(QStringLiteral("59"), QStringLiteral("59"), 2).encodeLine(),
             QStringLiteral("2;01.02.2004;14:52:00;20m;SSB;DK2XY;59;59;C02;;;;100W;;;"));
    QCOMPARE(entry.preview().value(8), QStringLiteral("Dok:\tC02"));
    entry.reset();
    QCOMPARE(entry.record(), QsoRecord());
    QCOMPARE(entry.preview(), QStringList(8, QString()));
    QVERIFY(!entry.canSave());
}

void TestPaperLogEntry::rangeSetAllowed_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("expected");
    QTest::newRow("number") << 1 << 1 << false;
    QTest::newRow("date") << 2 << 2 << false;
    QTest::newRow("band") << 4 << 4 << true;
    QTest::newRow("mode") << 5 << 5 << true;
    QTest::newRow("call") << 6 << 6 << false;
    QTest::newRow("rst tx") << 7 << 7 << true;
    QTest::newRow("qsl in") << 16 << 16 << true;
    QTest::newRow("two columns") << 4 << 5 << false;
    QTest::newRow("two columns reversed") << 5 << 4 << false;
    QTest::newRow("no column") << 0 << 0 << false;
    QTest::newRow("past the last") << 17 << 17 << false;
}

void TestPaperLogEntry::rangeSetAllowed() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, expected);
    QCOMPARE(PaperLogEntry::rangeSetAllowed(first, last), expected);
}

QTEST_GUILESS_MAIN(TestPaperLogEntry)
#include "test_paperlogentry.moc"
