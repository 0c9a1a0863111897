#include "entry/EditRules.h"
#include "logstore/QsoRecord.h"

#include <QtTest>

namespace {
QsoRecord record(const QString& line) {
    QsoRecord r;
    if (!QsoRecord::decodeLine(line, r))
        qFatal("bad test line");
    return r;
}
} // namespace

class TestEditRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionWarns_data();
    void captionWarns();
    void wattUnit_data();
    void wattUnit();
    void upperLetters_data();
    void upperLetters();
    void unreadableField_data();
    void unreadableField();
    void unreadableMessageNamesEverything();
    void sameContact_data();
    void sameContact();
};

void TestEditRules::captionWarns_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warns");
    QTest::newRow("band empty") << int(QsoRecord::Band) << "" << true;
    QTest::newRow("band one char") << int(QsoRecord::Band) << "2" << true;
    QTest::newRow("band two chars") << int(QsoRecord::Band) << "2m" << false;
    QTest::newRow("call two chars") << int(QsoRecord::Call) << "DL" << false;
    QTest::newRow("rst tx one char") << int(QsoRecord::RstTx) << "5" << true;
    QTest::newRow("locator empty") << int(QsoRecord::Locator) << "" << false;
    QTest::newRow("locator four") << int(QsoRecord::Locator) << "JO31" << true;
    QTest::newRow("locator six") << int(QsoRecord::Locator) << "JO31AB" << false;
    QTest::newRow("locator eight") << int(QsoRecord::Locator) << "JO31AB12" << true;
    QTest::newRow("power empty") << int(QsoRecord::TxPwr) << "" << true;
    QTest::newRow("power without unit") << int(QsoRecord::TxPwr) << "100" << true;
    QTest::newRow("power with unit") << int(QsoRecord::TxPwr) << "5W" << false;
    QTest::newRow("power unit inside") << int(QsoRecord::TxPwr) << "5W0" << false;
    QTest::newRow("name never warns") << int(QsoRecord::Name) << "" << false;
}

void TestEditRules::captionWarns() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, warns);
    QCOMPARE(EditRules::captionWarns(field, text), warns);
}

void TestEditRules::wattUnit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("digit") << "5" << "5W";
    QTest::newRow("has unit") << "100W" << "100W";
    QTest::newRow("milliwatt") << "500mW" << "500mW";
    QTest::newRow("unit in the middle") << "5W5" << "5W5W";
    QTest::newRow("lower-case w is no unit") << "5w" << "5wW";
}

void TestEditRules::wattUnit() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(EditRules::withWattUnit(text), expected);
}

void TestEditRules::upperLetters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("call") << "dl1abc/p" << "DL1ABC/P";
    QTest::newRow("umlaut") << "öä" << "ÖÄ";
    QTest::newRow("sharp s keeps its length") << "ß" << "ß";
    QTest::newRow("digits and signs") << "59-14" << "59-14";
}

void TestEditRules::upperLetters() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(EditRules::upperLetters(text), expected);
}

void TestEditRules::unreadableField_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("field");
    QTest::newRow("all fine") << "1;01.02.2005;10:00:00;2m;FM;X;;;;;;;;;03.02.2005;04.02.05" << 0;
    QTest::newRow("two-digit year, no seconds") << "1;1.2.05;10:00" << 0;
    QTest::newRow("empty date") << "1;;10:00:00" << int(QsoRecord::Date);
    QTest::newRow("31 February") << "1;31.02.2005;10:00:00" << int(QsoRecord::Date);
    QTest::newRow("before the year 100") << "1;01.01.0099;10:00:00" << int(QsoRecord::Date);
    QTest::newRow("bad time after bad date") << "1;x;25:00:00" << int(QsoRecord::Date);
    QTest::newRow("hour 25") << "1;01.02.2005;25:00:00" << int(QsoRecord::Utc);
    QTest::newRow("blank QSL dates") << "1;01.02.2005;10:00:00;;;;;;;;;;;;  ; " << 0;
    QTest::newRow("QSL out text") << "1;01.02.2005;10:00:00;;;;;;;;;;;;ja;" << int(QsoRecord::QslOut);
    QTest::newRow("QSL in year only") << "1;01.02.2005;10:00:00;;;;;;;;;;;;;2005" << int(QsoRecord::QslIn);
}

void TestEditRules::unreadableField() {
    QFETCH(QString, line);
    QFETCH(int, field);
    QCOMPARE(EditRules::firstUnreadableField(record(line), 2026), field);
}

void TestEditRules::unreadableMessageNamesEverything() {
    const QString m = EditRules::unreadableFieldMessage("2005.log", 7, QsoRecord::Utc, "25:61");
    for (const char* part : {"2005.log", "7", "\"UTC\"", "\"25:61\"", "Uhrzeit"})
        QVERIFY2(m.contains(QString::fromUtf8(part)), part);
    QVERIFY(EditRules::unreadableFieldMessage("a.log", 1, QsoRecord::QslIn, "x").contains("\"QSL In\""));
}

void TestEditRules::sameContact_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("identical") << "1;01.02.2005;10:00:00;2m;FM;DL1ABC" << "1;01.02.2005;10:00:00;2m;FM;DL1ABC"
                               << true;
    QTest::newRow("missing trailing fields") << "1;;;;;A1A" << "1;;;;;A1A;;;;;;;;;;" << true;
    QTest::newRow("other call") << "1;;;;;A1A" << "1;;;;;A1B" << false;
    QTest::newRow("other position") << "1;;;;;A1A" << "2;;;;;A1A" << false;
    QTest::newRow("typed line break") << "1;;;;;;;;;;;;;a\r\nb" << "1;;;;;;;;;;;;;a#13#10b" << true;
    QTest::newRow("comment line break") << "1;;;;;;;;;;;;;a#13#10b" << "1;;;;;;;;;;;;;a b" << false;
}

void TestEditRules::sameContact() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(EditRules::sameContact(record(a), record(b)), same);
}

QTEST_GUILESS_MAIN(TestEditRules)
#include "test_editrules.moc"
