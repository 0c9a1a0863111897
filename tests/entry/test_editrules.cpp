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
    void powerUnitAndCapitals();
    void unreadableField_data();
    void unreadableField();
    void unreadableMessageNamesEverything();
    void sameContact();
};

void TestEditRules::captionWarns_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warns");
    QTest::newRow("band one char") << int(QsoRecord::Band) << "2" << true;
    QTest::newRow("locator empty") << int(QsoRecord::Locator) << "" << false;
    QTest::newRow("locator four") << int(QsoRecord::Locator) << "JO31" << true;
    QTest::newRow("power without unit") << int(QsoRecord::TxPwr) << "100" << true;
    QTest::newRow("power with unit") << int(QsoRecord::TxPwr) << "5W" << false;
}

void TestEditRules::captionWarns() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, warns);
    QCOMPARE(EditRules::captionWarns(field, text), warns);
}

void TestEditRules::powerUnitAndCapitals() {
    // Only a trailing capital W is the unit; an empty power stays empty.
    for (const auto& [typed, stored] : {std::pair{"", ""}, {"5", "5W"}, {"100W", "100W"}, {"5w", "5wW"}})
        QCOMPARE(EditRules::withWattUnit(typed), QString::fromLatin1(stored));
    // Umlauts become capitals; "ß" stays, as "SS" would change the length.
    QCOMPARE(EditRules::upperLetters("öä"), QStringLiteral("ÖÄ"));
    QCOMPARE(EditRules::upperLetters("ß"), QStringLiteral("ß"));
}

void TestEditRules::unreadableField_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("field");
    QTest::newRow("two-digit year, no seconds") << "1;1.2.05;10:00" << 0;
    QTest::newRow("31 February") << "1;31.02.2005;10:00:00" << int(QsoRecord::Date);
    QTest::newRow("before the year 100") << "1;01.01.0099;10:00:00" << int(QsoRecord::Date);
    QTest::newRow("bad time after bad date") << "1;x;25:00:00" << int(QsoRecord::Date);
    QTest::newRow("hour 25") << "1;01.02.2005;25:00:00" << int(QsoRecord::Utc);
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

void TestEditRules::sameContact() {
    auto same = [](const QString& a, const QString& b) { return EditRules::sameContact(record(a), record(b)); };
    QVERIFY(same("1;;;;;A1A", "1;;;;;A1A;;;;;;;;;;")); // missing trailing fields
    QVERIFY(!same("1;;;;;A1A", "1;;;;;A1B"));
    QVERIFY(same("1;;;;;;;;;;;;;a\r\nb", "1;;;;;;;;;;;;;a#13#10b")); // a typed line break
    QVERIFY(!same("1;;;;;;;;;;;;;a#13#10b", "1;;;;;;;;;;;;;a b"));     // the list shows both alike
}

QTEST_GUILESS_MAIN(TestEditRules)
#include "test_editrules.moc"
