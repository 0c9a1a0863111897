#include "evaluations/ContestEngine.h"
#include "evaluations/ContestRulesFile.h"
#include "evaluations/ContestWorkbook.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageTexts.h"
#include "ErrorOf.h"
#include "RecordingDesktop.h"
#include "TestFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

const QString TooManyColumns = QStringLiteral("Beim Laden der Regeln trat ein Fehler auf: Die Eingabedatei hat zu viele "
                                              "Spalten (mehr als vier). Der Vorgang wird abgebrochen!");

// "call|band|dok|locator|comments" as a log line numbered n, 01.06.2026, CW.
QString logLine(int n, const QString& spec) {
    QStringList f = spec.split(u'|');
    while (f.size() < 5)
        f << QString();
    return QStringList{QString::number(n), "01.06.2026", "12:00:00", f[1], "CW", f[0], "599", "599", f[2], "", "",
                       f[3], "100W", f[4], "", ""}
        .join(u';');
}

QStringList logLines(const QStringList& specs) {
    QStringList lines;
    for (int i = 0; i < specs.size(); ++i)
        lines << logLine(i + 1, specs[i]);
    return lines;
}

ContestResult runOn(const TestFolder& dir, const QString& rulesFile, const QStringList& contacts, const QString& own) {
    for (const char* name : {"DXCC.csv", "DXCC.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    dir.writeLog(QStringLiteral("c.log"), logLines(contacts));
    const ContestRulesFile::Loaded rules = ContestRulesFile::load(rulesFile);
    if (!rules.error.isEmpty())
        qWarning() << rules.error;
    LogFile log(dir.file(QStringLiteral("c.log")));
    DxccAccess dxcc(dir.path());
    return ContestEngine::run(log, rules.rules, own, dxcc, LanguageTexts::builtInGerman());
}

} // namespace

class TestContestFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_data();
    void load();
    void saveWritesThreeBarsPerLine();
    void roundTrip();
    void unstorableCellIsRefused();
    void shippedContests_data();
    void shippedContests();
    void runStopsAtTheFailingContact();
    void workbook();
    void workbookExportOpensTheFile();
};

void TestContestFiles::load_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows"); // cells joined by "|", always four
    QTest::addColumn<QString>("error");
    const QString line2 = TooManyColumns + QStringLiteral("\nDatei \"r.tst\", Zeile 2");
    QTest::newRow("four cells") << QByteArray("fCall;fBand|1|PKT|fMode eq \"CW\"\r\n") << QStringList{"fCall;fBand|1|PKT|fMode eq \"CW\""} << "";
    QTest::newRow("fewer bars fill the first cells") << QByteArray("a|b\r\n") << QStringList{"a|b||"} << "";
    QTest::newRow("a fifth cell stops the loading")
        << QByteArray("x|1|PKT|\r\na|b|c|d|e\r\nnever|read||\r\n") << QStringList{"x|1|PKT|", "a|b|c|"} << line2;
    QTest::newRow("empty line is an empty rule") << QByteArray("a|||\r\n\r\nb|||\r\n") << QStringList{"a|||", "|||", "b|||"} << "";
    QTest::newRow("LF and CR line ends") << QByteArray("a|||\nb|||\rc|||") << QStringList{"a|||", "b|||", "c|||"} << "";
    QTest::newRow("empty file keeps one rule row") << QByteArray() << QStringList{"|||"} << "";
    QTest::newRow("Windows-1252") << QByteArray("|1|PKT|fName eq \"J\xFCrgen\"\r\n") << QStringList{"|1|PKT|fName eq \"Jürgen\""} << "";
}

void TestContestFiles::load() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, error);
    TestFolder dir;
    dir.write(QStringLiteral("r.tst"), bytes);
    const ContestRulesFile::Loaded loaded = ContestRulesFile::load(dir.file(QStringLiteral("r.tst")));
    QStringList got;
    for (const ContestRule& r : loaded.rules.rules())
        got << QStringList{r.keys, r.value, r.kind, r.conditions}.join(u'|');
    QCOMPARE(got, rows);
    QCOMPARE(loaded.error, error.isEmpty() ? QString() : error.replace(QStringLiteral("r.tst"), dir.file("r.tst")));
}

void TestContestFiles::saveWritesThreeBarsPerLine() {
    ContestRules rules;
    rules.setCell(0, ContestRules::Value, QStringLiteral("1"));
    QCOMPARE(ContestRulesFile::encode(rules), QByteArray("|1||\r\n"));
    rules.appendRule();
    QCOMPARE(ContestRulesFile::encode(rules), QByteArray("|1||\r\n|||\r\n"));
}

void TestContestFiles::roundTrip() {
    TestFolder dir;
    ContestRules rules(QVector<ContestRule>{{"fCall;fBand", "3", "PKT", "fContinent neq \"EU\";"},
                                            {"", "fDistance", "pkt", ""},
                                            {"fDok", "1", "MLT", "fName eq \"Jürgen\""}});
    const QString path = dir.file(QStringLiteral("r.tst"));
    ContestRulesFile::save(rules, path);
    const ContestRulesFile::Loaded loaded = ContestRulesFile::load(path);
    QVERIFY(loaded.error.isEmpty());
    QCOMPARE(loaded.rules, rules);
    QVERIFY(dir.read(QStringLiteral("r.tst")).contains("\"J\xFCrgen\"\r\n"));
}

// A "|" would load back as a cell boundary: nothing is written, the old
// file stays.
void TestContestFiles::unstorableCellIsRefused() {
    TestFolder dir;
    dir.write(QStringLiteral("r.tst"), "old|||\r\n");
    ContestRules rules;
    rules.appendRule();
    rules.setCell(1, ContestRules::Conditions, QStringLiteral("fCall eq \"a|b\""));
    QCOMPARE(errorOf([&] { ContestRulesFile::save(rules, dir.file(QStringLiteral("r.tst"))); }),
             QStringLiteral("Regel 2, Spalte BEDINGUNGEN: ein \"|\" oder ein Zeilenumbruch kann in einer Regeldatei "
                            "nicht gespeichert werden. Es wurde nichts gespeichert."));
    QCOMPARE(dir.read(QStringLiteral("r.tst")), QByteArray("old|||\r\n"));
}

// The rules files shipped in data/contests, each on a small log whose
// totals were worked out by hand (see the comments).
void TestContestFiles::shippedContests_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<QString>("pktMlt"); // per contact
    QTest::addColumn<QVector<int>>("totals");
    // CQ WW DX from DL: 3 points other continents, 1 point other European
    // countries, 0 own country; each DXCC prefix once per band a multiplier.
    // The dupe and the unknown call score nothing.
    QTest::newRow("cqww-dx-dl") << "cqww-dx-dl.tst" << "JO62QM"
        << QStringList{"DL1AAA|20m", "F5ABC|20m", "K1ABC|20m", "K1ABC|20m", "K1ABC|40m", "W2XYZ|40m", "JA1ABC|15m", "Q1ZZZ|20m"}
        << "0/1 1/1 3/1 0/0 3/1 3/0 3/1 0/0" << QVector<int>{13, 5, 65};
    // WAG from outside Germany: 1 point per DL call and band, each DOK once
    // per band a multiplier; NM and an empty DOK are none.
    QTest::newRow("wag-europe") << "wag-europe.tst" << "JN88EE"
        << QStringList{"DL1AAA|20m|B01", "DK2BB|20m|B01", "DL1AAA|20m|B01", "DL1AAA|40m|B01", "DF3CC|40m|NM",
                       "F5ABC|40m", "DJ4DD|40m", "DL5EE|20m|Z25"}
        << "1/1 1/0 0/0 1/1 1/0 0/0 1/0 1/1" << QVector<int>{6, 3, 18};
    // IARU VHF on 2m from JO62QM: one point per kilometre (JO50VX 203 km,
    // JO72AA 72 km, JN58TD 502 km; the same square 0), each call once; 70cm
    // and a contact without locator score nothing; one multiplier.
    QTest::newRow("iaru-vhf-2m") << "iaru-vhf-2m.tst" << "JO62QM"
        << QStringList{"DL1AAA|2m||JO62QM", "DL2BBB|2m||JO50VX", "DL2BBB|2m||JO50VX", "OK1XYZ|2m||JO72AA",
                       "DL2BBB|70cm||JO50VX", "DL3CCC|2m", "DL4DDD|2m||JN58TD"}
        << "0/1 203/0 0/0 72/0 0/0 0/0 502/0" << QVector<int>{777, 1, 777};
}

void TestContestFiles::shippedContests() {
    QFETCH(QString, file);
    QFETCH(QString, own);
    QFETCH(QStringList, contacts);
    QFETCH(QString, pktMlt);
    QFETCH(QVector<int>, totals);
    TestFolder dir;
    const ContestResult r =
        runOn(dir, QCoreApplication::applicationDirPath() + QStringLiteral("/contests/") + file, contacts, own);
    QVERIFY2(r.ok(), qPrintable(r.ok() ? QString() : r.failure->text()));
    QStringList got;
    for (const ContestRow& row : r.rows)
        got << row.cells[ContestColumn::Points] + u'/' + row.cells[ContestColumn::Multipliers];
    QCOMPARE(got.join(u' '), pktMlt);
    QCOMPARE(r.totals, (ContestTotals{totals[0], totals[1], totals[2]}));
}

// The rows up to the failing contact stay; a later contact is not read.
void TestContestFiles::runStopsAtTheFailingContact() {
    TestFolder dir;
    dir.write(QStringLiteral("r.tst"), "|fGrdDistance|PKT|\r\n");
    const ContestResult r = runOn(dir, dir.file(QStringLiteral("r.tst")), {"A|2m||JO62QM", "B|2m||JO6", "C"}, "JO62QM");
    QCOMPARE(r.rows.size(), 2);
    QVERIFY(!r.totals);
    QCOMPARE(r.failure->text(), QStringLiteral("'' ist kein gültiger Integerwert\nErgebniszeile 2 (QSO #2), Regel 1, Spalte WERT"));
    QCOMPARE(r.rows[0].cells[ContestColumn::Points], QStringLiteral("1"));
    QCOMPARE(r.rows[0].cells[ContestColumn::Prefix], QStringLiteral(""));
}

// The workbook read back by openpyxl, an independent reader.
void TestContestFiles::workbook() {
    TestFolder dir;
    dir.write(QStringLiteral("r.tst"), "fCall;fBand|3|PKT|\r\nfPrefix|1|MLT|\r\n");
    const ContestResult r = runOn(dir, dir.file(QStringLiteral("r.tst")),
                                  {"DL1AAA|20m||JO62QM|Zeile 1#13#10Zeile 2", "F5ABC|20m", "F5ABC|40m"}, "JO62QM");
    QVERIFY(r.ok());
    const QString path = dir.file(ContestWorkbook::FileName);
    dir.write(ContestWorkbook::FileName, "an older workbook");
    ContestWorkbook::write(r, path);
    const char* script = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
values = openpyxl.load_workbook(sys.argv[1], data_only=True)['Tabelle1']
sheet = book['Tabelle1']
cells = {c.coordinate: [c.value, c.font.name, values[c.coordinate].value]
         for row in sheet.iter_rows() for c in row if c.value is not None or c.has_style}
print(json.dumps({'sheets': book.sheetnames, 'cells': cells, 'rows': sheet.max_row, 'columns': sheet.max_column}))
)";
    // Debian's interpreter, which has python3-openpyxl; another python3 may
    // come first in PATH.
    const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                   : QStringLiteral("python3");
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromLatin1(script), path});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    const QJsonObject book = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("Tabelle1")});
    const QJsonObject cells = book[QStringLiteral("cells")].toObject();
    // Cell, its value as text, and for formulas the value stored with them.
    // Numbers go in as numbers (599, not "599"), so that the sums see them.
    const QStringList expected = {"A1 fNumber",  "S1 MLT", "F2 DL1AAA",    "B2 01.06.2026", "M2 Zeile 1\nZeile 2",
                                  "G2 599",      "N2 0",   "P3 F",         "R2 3",          "S4 0",
                                  "R5 =SUM(R2:R4) 9", "S5 =SUM(S2:S4) 2", "S6 =R5*S5 18"};
    for (const QString& e : expected) {
        const QJsonArray cell = cells[e.section(u' ', 0, 0)].toArray();
        const QString text = cell[0].toVariant().toString() +
                             (cell[0].isString() && cell[0].toString().startsWith(u'=') ? u' ' + cell[2].toVariant().toString() : QString());
        QCOMPARE(e.section(u' ', 0, 0) + u' ' + text, e);
    }
    for (const char* number : {"G2", "N2", "R2", "S4"})
        QVERIFY2(cells[QLatin1String(number)].toArray()[0].isDouble(), number);
    QVERIFY(!cells.contains(QStringLiteral("R6")));
    QCOMPARE(book[QStringLiteral("rows")].toInt(), 6);
    QCOMPARE(book[QStringLiteral("columns")].toInt(), 19);
    // Every written cell, the empty ones of the table included: 19 x 4 + 3.
    QCOMPARE(cells.size(), 19 * 4 + 3);
    for (auto it = cells.begin(); it != cells.end(); ++it)
        QVERIFY2(it.value().toArray()[1].toString() == QStringLiteral("Courier New"), qPrintable(it.key()));
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    QVERIFY2(!left.join(u' ').contains(QStringLiteral(".vesk-")), qPrintable(left.join(u' ')));
}

void TestContestFiles::workbookExportOpensTheFile() {
    TestFolder dir;
    ContestResult empty;
    RecordingDesktop desktop;
    QCOMPARE(ContestWorkbook::exportAndOpen(empty, dir.path(), desktop), QString());
    QCOMPARE(desktop.opened, QStringList{dir.file(ContestWorkbook::FileName)});
    // A folder that cannot take the file: the message names it, nothing is opened.
    desktop.opened.clear();
    const QString message = ContestWorkbook::exportAndOpen(empty, dir.file(QStringLiteral("no/such/folder")), desktop);
    QVERIFY2(message.contains(QStringLiteral("no/such/folder/Contest-Auswertung.xlsx")), qPrintable(message));
    QVERIFY(desktop.opened.isEmpty());
}

QTEST_GUILESS_MAIN(TestContestFiles)
#include "test_contestfiles.moc"
