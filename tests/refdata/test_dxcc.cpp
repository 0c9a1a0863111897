#include "DataTable.h"
#include "TestFolder.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "refdata/DstRules.h"
#include "refdata/Dxcc.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtTest>

namespace {

// Folder with the committed DXCC.csv and DXCC.ini.
QString shippedDataFolder() {
    const QString source = qEnvironmentVariable("VESK_SOURCE_DIR");
    return source.isEmpty() ? QCoreApplication::applicationDirPath() : source + QStringLiteral("/data");
}

const QString kHeader = QStringLiteral("Nr;Land;Kontinent;Ranking;Zonen;Laenge;Breite;N1;N2;S1;S2;UTC;DST;"
                                       "Start;Ende;RegelStart;RegelEnde;Hauptpraefix");

// A table row whose fields 1 to 16 carry made-up but distinguishable values.
QString row(int number, const QString& country, const QStringList& prefixes) {
    return QStringLiteral("%1;%2;EU;%3;CQ 14 / ITU 28;13,4;52,5;Normalzeit;MEZ;Sommerzeit;MESZ;1;1;01:00;01:00;"
                          "Beginn: Letzter Sonntag im Maerz;Ende: Letzter Sonntag im Oktober;")
               .arg(number)
               .arg(country)
               .arg(200 + number) +
           prefixes.join(u';');
}

// The small table most cases use: QA and QA1 of the edge cases, a slash
// prefix entity, and a row that mixes letter case in its keys.
void writeSmallTable(const TestFolder& dir) {
    dir.write("DXCC.csv", crlf({kHeader, row(1, "Qaland", {"QA", "QB"}), row(2, "Qa-Eins", {"QA1"}),
                                row(3, "Inseln", {"EA8", "EA8/X"}), row(4, "Klein", {"qc", "QC9Z"})}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=1", "QA1=2", "EA8=3", "EA8/X=3", "qc=4", "QC9Z=4", ""}));
}

// Every row of the shipped table, found through its main prefix with a
// suffix behind it; *unreachable gets the prefixes that do not lead back to
// their row. Both sources list CE9 for the South Shetlands as well, so the
// later row keeps it and Antarctica's main prefix finds that row.
QVector<DxccInfo> shippedRows(DxccAccess& dxcc, QStringList* unreachable = nullptr) {
    QVector<DxccInfo> rows;
    QFile file(dxcc.tableFileName());
    const QList<QByteArray> lines = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().split('\n') : QList<QByteArray>();
    for (int n = 1; n < lines.size(); ++n) {
        const QString main = QString::fromLatin1(lines[n].trimmed()).section(u';', 17, 17);
        const DxccInfo info = dxcc.GetDxccInfo(main + QStringLiteral("1Q"));
        if (info.Number == n && info.MainPrefix == main) rows << info;
        else if (main != QLatin1String("CE9") && unreachable) *unreachable << main;
    }
    return rows;
}

} // namespace

class TestDxcc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prefixMatch_data();
    void prefixMatch();
    void fullRowFillsEveryField();
    void nonNumericFieldsGiveZero();
    void editsBetweenLookupsAreSeen();
    void brokenLinesNameFileAndLine_data();
    void brokenLinesNameFileAndLine();
    void rebuildIndex();
    void rebuildFailureKeepsIndex();
    void realCalls_data();
    void realCalls();
    void realTableIsSound();
    void realRulesAgreeWithTimeZones_data();
    void realRulesAgreeWithTimeZones();
};

void TestDxcc::prefixMatch_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("country");
    QTest::newRow("longest key wins") << "QA1ABC" << "QA1" << 2 << "Qa-Eins";
    QTest::newRow("falls back to shorter key") << "QA2ABC" << "QA" << 1 << "Qaland";
    QTest::newRow("one character finds nothing") << "Q" << "" << 0 << "";
    QTest::newRow("lower case call") << "qa1abc" << "qa1" << 2 << "Qa-Eins";
    QTest::newRow("lower case key") << "QC1ABC" << "QC" << 4 << "Klein";
    QTest::newRow("foreign prefix before slash") << "EA8/QA1ABC" << "EA8" << 3 << "Inseln";
    QTest::newRow("slash key") << "EA8/XY1A" << "EA8/X" << 3 << "Inseln";
    QTest::newRow("trailing /P through home call") << "QA1ABC/P" << "QA1" << 2 << "Qa-Eins";
}

void TestDxcc::prefixMatch() {
    QFETCH(QString, call);
    QFETCH(QString, prefix);
    QFETCH(int, number);
    QFETCH(QString, country);
    TestFolder dir;
    writeSmallTable(dir);
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccCountry(call), country);
    const DxccInfo info = dxcc.GetDxccInfo(call);
    QCOMPARE(info.Number, number);
    QCOMPARE(info.Prefix, prefix);
    QCOMPARE(info.Country, country);
    QCOMPARE(info.Call, number ? call : QString());
    QVERIFY(dxcc.problems().isEmpty());
}

void TestDxcc::fullRowFillsEveryField() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, "1;Fidschi;OC;176;CQ 32 / ITU 56;177,92;-17,78;Normal lang;FJT;"
                                         "Sommer lang;FJST;12;1;14:00;13:30;Beginn: Erster Sonntag im November;"
                                         "Ende: 15. Januar des Jahres;3D2;3D3;;3D5X"}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "3D2=1", "3D3=1", "3D5X=1"}));
    DxccAccess dxcc(dir.path());
    const DxccInfo i = dxcc.GetDxccInfo("3D5XYZ/P");
    QCOMPARE(
        QStringList({i.Call, i.Prefix, i.MainPrefix, i.Country, i.Continent, i.Zones, i.StdTimeText1, i.StdTimeText2,
                     i.DstTimeText1, i.DstTimeText2, i.DstStartTime, i.DstEndTime, i.DstStartRule, i.DstEndRule}),
        QStringList({"3D5XYZ/P", "3D5X", "3D2", "Fidschi", "OC", "CQ 32 / ITU 56", "Normal lang", "FJT", "Sommer lang",
                     "FJST", "14:00", "13:30", "Beginn: Erster Sonntag im November", "Ende: 15. Januar des Jahres"}));
    QVERIFY(i.Number == 1 && i.Ranking == 176 && i.UtcOffset == 12 && i.DstOffset == 1);
    QVERIFY(i.Longitude == 177.92 && i.Latitude == -17.78);
    QCOMPARE(dxcc.GetDxccCountry("3D3AB"), QStringLiteral("Fidschi"));
}

// Also rows pointed to by hand that end early: read as far as they go.
void TestDxcc::nonNumericFieldsGiveZero() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, "1;Land;EU;zehn;Z;ost;52.5;a;b;c;d;x;0,5;01:00;02:00;r1;r2;QA",
                                "2;Kurzland;AF;7", "3;Ohne Ende"}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=2", "QC=3"}));
    DxccAccess dxcc(dir.path());
    const DxccInfo info = dxcc.GetDxccInfo("QA1");
    QVERIFY(info.Longitude == 0.0 && info.Ranking == 0 && info.UtcOffset == 0.0);
    // The fields around them are still read, a point as decimal mark too.
    QVERIFY(info.Latitude == 52.5 && info.DstOffset == 0.5 && info.MainPrefix == u"QA");
    const QStringList problems = dxcc.problems();
    QCOMPARE(problems.size(), 5);
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("Zeile 2: Länge (Feld 5) \"ost\"")));
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("Zeile 4: 2 Felder, mindestens 18")));
    const DxccInfo shortRow = dxcc.GetDxccInfo("QB1");
    QVERIFY(shortRow.Country == u"Kurzland" && shortRow.Ranking == 7 && shortRow.MainPrefix.isEmpty());
    // Without a ";" after it the name is not taken.
    QCOMPARE(dxcc.GetDxccCountry("QC1"), QString());
}

void TestDxcc::editsBetweenLookupsAreSeen() {
    TestFolder dir;
    writeSmallTable(dir);
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Qa-Eins"));

    dir.write("DXCC.csv",
              crlf({kHeader, row(1, "Qaland", {"QA"}), row(2, "Umbenannt", {"QA1"}), row(3, "Neu", {"QZ"})}));
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Umbenannt"));

    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QA1=2", "QZ=3"}));
    QCOMPARE(dxcc.GetDxccInfo("QZ1ABC").Number, 3);
    // Same length, QA1 now pointing at row 1: only the time shows the edit.
    const qint64 size = QFileInfo(dir.file("DXCC.ini")).size();
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QA1=1", "QZ=3"}));
    QCOMPARE(QFileInfo(dir.file("DXCC.ini")).size(), size);
    QFile ini(dir.file("DXCC.ini"));
    QVERIFY(ini.open(QIODevice::ReadWrite) &&
            ini.setFileTime(QFileInfo(ini).lastModified().addSecs(2), QFileDevice::FileModificationTime));
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Qaland"));

    // The rebuild is an edit of the index too.
    dir.write("DXCC.csv",
              crlf({kHeader, row(1, "Qaland", {"QA"}), row(2, "Umbenannt", {"QA1"}), row(3, "Neu", {"QZ", "QY"})}));
    QCOMPARE(dxcc.GetDxccCountry("QY1ABC"), QString());
    dxcc.rebuildIndex();
    QCOMPARE(dxcc.GetDxccCountry("QY1ABC"), QStringLiteral("Neu"));
}

void TestDxcc::brokenLinesNameFileAndLine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("country"); // of QA1ABC; "*" when the row does not care
    // Empty content: the file is removed.
    // An index value that is no number counts as 0, so the shorter key is used;
    // one past the table stops the search.
    QTest::newRow("table missing") << "DXCC.csv" << QByteArray() << "\"%1\" fehlt" << "";
    QTest::newRow("index missing") << "DXCC.ini" << QByteArray() << "\"%1\" fehlt" << "";
    QTest::newRow("index letters") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=zwei"})
                                   << "\"%1\", Zeile 3: \"zwei\" ist keine Zeilennummer" << "A";
    QTest::newRow("index negative") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=-2"})
                                    << "\"%1\", Zeile 3: \"-2\" ist keine Zeilennummer" << "A";
    QTest::newRow("index past the table") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=9"})
                                          << "\"%1\", Zeile 3: verweist auf Zeile 9, die Tabelle hat 2" << "";
    QTest::newRow("index hex like settings") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=0x2"}) << "" << "B";
    QTest::newRow("row number off") << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}), row(5, "B", {"QB"})})
                                    << "\"%1\", Zeile 3: Feld 0 ist \"5\", erwartet 2" << "*";
    QTest::newRow("latitude out of range")
        << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}).replace(";52,5;", ";152,5;"), row(2, "B", {"QB"})})
        << "\"%1\", Zeile 2: Breite (Feld 6) 152,5 liegt außerhalb" << "*";
    QTest::newRow("index line without =")
        << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QB 2"}) << "\"%1\", Zeile 3: keine Angabe Schlüssel=Wert" << "*";
    QTest::newRow("index key twice") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "qa=2", "QB=2"})
                                     << "\"%1\", Zeile 3: \"qa\" steht schon in Zeile 2" << "*";
    QTest::newRow("index without section")
        << "DXCC.ini" << crlf({"[Sonstiges]", "QA=1"}) << "\"%1\": der Abschnitt [DXCC] fehlt" << "*";
}

void TestDxcc::brokenLinesNameFileAndLine() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QFETCH(QString, country);
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, row(1, "A", {"QA"}), row(2, "B", {"QB"})}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=2"}));
    if (content.isNull()) QVERIFY(QFile::remove(dir.file(file)));
    else dir.write(file, content);
    DxccAccess dxcc(dir.path());
    const QString found = dxcc.GetDxccCountry("QA1ABC"); // whatever it finds, it must not fail
    if (country != u"*") QCOMPARE(found, country);
    const QStringList problems = dxcc.problems();
    QCOMPARE(problems.isEmpty(), expected.isEmpty());
    QVERIFY2(problems.join(u'\n').contains(expected.arg(dir.file(file))), qPrintable(problems.join('\n')));
}

void TestDxcc::rebuildIndex() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, row(1, "Eins", {"QA", "QB", "QA", "", " QC "}), "2;zu kurz;EU",
                                row(3, "Drei", {"qb", "QD", "X=Y"}), row(4, "Vier", {""})}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "ALT=1"}));
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccCountry("ALT1"), QStringLiteral("Eins"));
    const DxccIndexResult result = dxcc.rebuildIndex();
    // Listed twice in row 1: once. Listed in rows 1 and 3: row 3, under the
    // spelling first written. Empty fields and the header give no key.
    QCOMPARE(dir.read("DXCC.ini"), QByteArray("[DXCC]\r\nQA=1\r\nQB=3\r\nQC=1\r\nQD=3\r\n\r\n"));
    QCOMPARE(result.rows, 2);
    QCOMPARE(result.keys, 4);
    QCOMPARE(result.skipped.size(), 2);
    QVERIFY(result.skipped[0].contains(QStringLiteral("Zeile 3: 3 Felder")));
    QVERIFY(result.skipped[1].contains(QStringLiteral("Zeile 4: Präfix \"X=Y\" (Feld 19)")));
    QCOMPARE(dxcc.GetDxccCountry("ALT1"), QString());
    QCOMPARE(dxcc.GetDxccCountry("QB1"), QStringLiteral("Drei"));
    QVERIFY(dxcc.problems().filter(QStringLiteral("DXCC.ini")).isEmpty());
}

void TestDxcc::rebuildFailureKeepsIndex() {
    TestFolder dir;
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1"}));
    DxccAccess dxcc(dir.path());
    QString message;
    try { dxcc.rebuildIndex(); } catch (const IoError& e) { message = e.message(); }
    QVERIFY2(message.contains(dir.file("DXCC.csv")), qPrintable(message));
    QCOMPARE(dir.read("DXCC.ini"), crlf({"[DXCC]", "QA=1"}));

    // An empty or broken table would have replaced the good index by an empty one.
    for (const QByteArray& table : {QByteArray(), crlf({kHeader, "1;kaputt"})}) {
        dir.write("DXCC.csv", table);
        try { dxcc.rebuildIndex(); message.clear(); } catch (const IoError& e) { message = e.message(); }
        QVERIFY2(message.contains(QStringLiteral("keine Präfixe")), qPrintable(message));
        QCOMPARE(dir.read("DXCC.ini"), crlf({"[DXCC]", "QA=1"}));
    }

    dir.write("DXCC.csv", crlf({kHeader, row(1, "Nur", {"QQ"})}));
    AtomicFile::failNextCommitForTesting();
    QVERIFY_THROWS_EXCEPTION(IoError, dxcc.rebuildIndex());
    QCOMPARE(dir.read("DXCC.ini"), crlf({"[DXCC]", "QA=1"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestDxcc::realCalls_data() {
    addTableRows(QStringLiteral("refdata/data/dxcc-calls.tsv"));
}

void TestDxcc::realCalls() {
    QFETCH(QStringList, fields);
    QCOMPARE(fields.size(), 2);
    static DxccAccess dxcc(shippedDataFolder());
    QCOMPARE(dxcc.GetDxccCountry(fields[0]), fields[1]);
    QCOMPARE(dxcc.GetDxccInfo(fields[0]).Country, fields[1]);
}

// The parser's own range checks run over the shipped table; the shipped
// index must be what a rebuild writes.
void TestDxcc::realTableIsSound() {
    DxccAccess dxcc(shippedDataFolder());
    QStringList unreachable;
    const int rows = shippedRows(dxcc, &unreachable).size();
    QVERIFY2(dxcc.problems().isEmpty(), qPrintable(dxcc.problems().join('\n')));
    QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(u' ')));
    QVERIFY2(rows >= 330 && rows <= 345, qPrintable(QString::number(rows)));
    TestFolder dir;
    QVERIFY(QFile::copy(shippedDataFolder() + QStringLiteral("/DXCC.csv"), dir.file("DXCC.csv")));
    DxccAccess copy(dir.path());
    const DxccIndexResult result = copy.rebuildIndex();
    QVERIFY2(result.skipped.isEmpty(), qPrintable(result.skipped.join('\n')));
    QFile original(shippedDataFolder() + QStringLiteral("/DXCC.ini"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QVERIFY(dir.read("DXCC.ini") == original.readAll());
}

// The rule texts, read the way the DXCC information window reads them, must
// give the instants at which the system's time-zone database switches the
// entity's zone, in the first years the table is used.
void TestDxcc::realRulesAgreeWithTimeZones_data() {
    QTest::addColumn<int>("year");
    for (int year : {2026, 2027, 2028})
        QTest::newRow(qPrintable(QString::number(year))) << year;
}

void TestDxcc::realRulesAgreeWithTimeZones() {
    QFETCH(int, year);
    DxccAccess dxcc(shippedDataFolder());
    int compared = 0;
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (const DxccInfo& info : shippedRows(dxcc)) {
        const QString zoneName = info.StdTimeText1.section(QStringLiteral("Zone "), 1);
        const QString what = info.MainPrefix + u' ' + zoneName;
        const int standard = qRound(info.UtcOffset * 3600);
        if (zoneName.isEmpty()) { // a fixed offset by longitude
            QVERIFY2(info.DstEndRule.endsWith(QLatin1String("Regelung")), qPrintable(what));
            continue;
        }
        const QTimeZone zone(zoneName.toLatin1());
        QVERIFY2(zone.isValid(), qPrintable(what));
        const QTimeZone::OffsetDataList changes = zone.transitions(from, to);
        if (info.DstEndRule.endsWith(QLatin1String("Regelung"))) {
            // Morocco's and Western Sahara's clocks go back for Ramadan only.
            if (zoneName != QLatin1String("Africa/Casablanca") && zoneName != QLatin1String("Africa/El_Aaiun"))
                QVERIFY2(changes.isEmpty(), qPrintable(what));
            QCOMPARE(zone.offsetFromUtc(QDateTime(QDate(year, 9, 1), QTime(12, 0), QTimeZone::utc())), standard);
            continue;
        }
        QDateTime start;
        QDateTime end;
        for (const QTimeZone::OffsetData& change : changes) {
            if (change.offsetFromUtc == standard)
                end = change.atUtc;
            else if (change.offsetFromUtc == qRound((info.UtcOffset + info.DstOffset) * 3600))
                start = change.atUtc;
        }
        QVERIFY2(start.isValid() && end.isValid(), qPrintable(what));
        const DstRules::RuleDate startRule = DstRules::ruleDate(info.DstStartRule, info.DstStartTime, year);
        const DstRules::RuleDate endRule = DstRules::ruleDate(info.DstEndRule, info.DstEndTime, year);
        QVERIFY2(startRule.status == DstRules::Status::Ok && startRule.isStart &&
                     endRule.status == DstRules::Status::Ok && !endRule.isStart,
                 qPrintable(what));
        QVERIFY2(startRule.instant == start && endRule.instant == end, qPrintable(what));
        ++compared;
    }
    QVERIFY2(compared >= 80, qPrintable(QString::number(compared)));
}

QTEST_GUILESS_MAIN(TestDxcc)
#include "test_dxcc.moc"
