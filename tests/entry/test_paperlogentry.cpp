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
    void optionalLinesInOrderEntered();
    void unreadableTokenChangesNothing_data();
    void unreadableTokenChangesNothing();
    void canSave_data();
    void canSave();
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
    QTest::newRow("band cm") << "70CM" << false << Rule::Band;
    QTest::newRow("mode mixed") << "Pactor" << false << Rule::Mode;
    QTest::newRow("reports without blank") << "5957" << false << Rule::Call;
    QTest::newRow("dok umlaut capital") << "Ä01" << false << Rule::Dok;
    QTest::newRow("date form before comments") << "#1.2.3" << false << Rule::Date;
    QTest::newRow("qsl in long year") << "-3.4.2004" << false << Rule::QslIn;
    QTest::newRow("two at signs") << "a@b@c" << false << Rule::Call;
}

void TestPaperLogEntry::classify() {
    QFETCH(QString, token);
    QFETCH(bool, utcSet);
    QFETCH(Rule, rule);
    QCOMPARE(PaperLogEntry::classify(token, utcSet), rule);
}

void TestPaperLogEntry::enter_data() {
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<QString>("record"); // as a log line; nothing else may be filled
    QTest::addColumn<QString>("preview"); // the lines joined with "|"
    QTest::newRow("time") << QStringList{"14:45"} << ";;14:45:00;;;;;;;;;;;;;" << "||||UTC:\t14:45:00|||";
    QTest::newRow("minutes drop seconds") << QStringList{"09:05:30", "07"} << ";;09:07:00;;;;;;;;;;;;;"
                                          << "||||UTC:\t09:07:00|||";
    QTest::newRow("two digits as call") << QStringList{"50"} << ";;;;;50;;;;;;;;;;" << "|||||Call:\t50||";
    QTest::newRow("power") << QStringList{"0,5w"} << ";;;;;;;;;;;;0,5W;;;" << "|||TX Pwr:\t0,5W||||";
    QTest::newRow("QRPW") << QStringList{"QRPW"} << ";;;;;QRPW;;;;;;;;;;" << "|||||Call:\tQRPW||";
    QTest::newRow("band") << QStringList{"20M"} << ";;;20m;;;;;;;;;;;;" << "|Band:\t20m||||||";
    QTest::newRow("call upper, umlaut kept") << QStringList{"dl1äbc"} << ";;;;;DL1äBC;;;;;;;;;;" << "|||||Call:\tDL1äBC||";
    QTest::newRow("blanks around, later call wins")
        << QStringList{" dl1abc ", "  ", "dk2xy"} << ";;;;;DK2XY;;;;;;;;;;" << "|||||Call:\tDK2XY||";
    QTest::newRow("reports, latest wins") << QStringList{"55 55", "59 57"} << ";;;;;;59;57;;;;;;;;"
                                          << "||||||RST TX:\t59|RST RX:\t57";
    QTest::newRow("contest exchange") << QStringList{"59-14 59-darc"} << ";;;;;;59 14;59 darc;;;;;;;;"
                                      << "||||||RST TX:\t59 14|RST RX:\t59 darc";
    QTest::newRow("name and QTH with blanks") << QStringList{"Hans Peter@Bad Homburg"} << ";;;;;;;;;Hans Peter;Bad Homburg;;;;;"
                                              << "||||||||Name:\tHans Peter|QTH:\tBad Homburg";
    QTest::newRow("QTH only") << QStringList{"@Ort"} << ";;;;;;;;;;Ort;;;;;" << "||||||||QTH:\tOrt";
    QTest::newRow("name only") << QStringList{"Vorname@"} << ";;;;;;;;;Vorname;;;;;;" << "||||||||Name:\tVorname";
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
    QTest::newRow("date") << 2 << 2 << false;
    QTest::newRow("band") << 4 << 4 << true;
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
