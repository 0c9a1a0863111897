#include "DataTable.h"
#include "ErrorOf.h"
#include "TestFolder.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "refdata/DstRules.h"
#include "refdata/Dxcc.h"

#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <QtTest>

static const QString kHeader = QStringLiteral("Nr;Land;Kontinent;Ranking;Zonen;Laenge;Breite;N1;N2;S1;S2;UTC;DST;"
                                       "Start;Ende;RegelStart;RegelEnde;Hauptpraefix");

// A table row whose fields 1 to 16 carry made-up but distinguishable values.
static QString row(int number, const QString& country, const QStringList& prefixes) {
    return QStringLiteral("%1;%2;EU;%3;CQ 14 / ITU 28;13,4;52,5;Normalzeit;MEZ;Sommerzeit;MESZ;1;1;01:00;01:00;"
                          "Beginn: Letzter Sonntag im Maerz;Ende: Letzter Sonntag im Oktober;")
               .arg(number).arg(country).arg(200 + number) +
           prefixes.join(u';');
}

// The small table most cases use: QA and QA1 of the edge cases, a slash
// prefix entity, and a row that mixes letter case in its keys.
static void writeSmallTable(const TestFolder& dir) {
    dir.write("DXCC.csv", crlf({kHeader, row(1, "Qaland", {"QA", "QB"}), row(2, "Qa-Eins", {"QA1"}),
                                row(3, "Inseln", {"EA8", "EA8/X"}), row(4, "Klein", {"qc", "QC9Z"})}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=1", "QA1=2", "EA8=3", "EA8/X=3", "qc=4", "QC9Z=4", ""}));
}

// Every row of the shipped table, found through its main prefix with a
// suffix behind it; *unreachable gets the prefixes that do not lead back to
// their row. Both sources list CE9 for the South Shetlands as well, so the
// later row keeps it and Antarctica's main prefix finds that row.
static QVector<DxccInfo> shippedRows(DxccAccess& dxcc, QStringList* unreachable = nullptr) {
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

class TestDxcc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prefixMatch_data();
    void prefixMatch();
    void rowFieldsAreRead();
    void editsBetweenLookupsAreSeen();
    void brokenLinesNameFileAndLine_data();
    void brokenLinesNameFileAndLine();
    void rebuildIndex();
    void rebuildFailureKeepsIndex();
    void realCalls_data();
    void realCalls();
    void realTableIsSound();
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
    QTest::newRow("slash key") << "EA8/XY1A" << "EA8/X" << 3 << "Inseln";
}

void TestDxcc::prefixMatch() {
    QFETCH(QString, call);
    QFETCH(QString, prefix);
    QFETCH(int, number);
    QFETCH(QString, country);
    TestFolder dir;
    writeSmallTable(dir);
    DxccAccess dxcc(dir.path());
    const DxccInfo info = dxcc.GetDxccInfo(call);
    QCOMPARE(info.Number, number);
    QCOMPARE(QStringList({dxcc.GetDxccCountry(call), info.Country, info.Prefix, info.Call}),
             QStringList({country, country, prefix, number ? call : QString()}));
    QVERIFY(dxcc.problems().isEmpty());
}

// Also rows pointed to by hand that end early: read as far as they go.
void TestDxcc::rowFieldsAreRead() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, "1;Fidschi;OC;176;CQ 32 / ITU 56;177,92;-17,78;Normal lang;FJT;"
                                         "Sommer lang;FJST;12;1;14:00;13:30;Beginn: Erster Sonntag im November;"
                                         "Ende: 15. Januar des Jahres;3D2;3D3;;3D5X",
                                "2;Land;EU;zehn;Z;ost;52.5;a;b;c;d;x;0,5;01:00;02:00;r1;r2;QA", "3;Kurzland;AF;7",
                                "4;Ohne Ende"}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "3D2=1", "3D3=1", "3D5X=1", "QA=2", "QB=3", "QC=4"}));
    DxccAccess dxcc(dir.path());
    const DxccInfo i = dxcc.GetDxccInfo("3D5XYZ/P");
    QCOMPARE(
        QStringList({i.Call, i.Prefix, i.MainPrefix, i.Country, i.Continent, i.Zones, i.StdTimeText1, i.StdTimeText2,
                     i.DstTimeText1, i.DstTimeText2, i.DstStartTime, i.DstEndTime, i.DstStartRule, i.DstEndRule}),
        QStringList({"3D5XYZ/P", "3D5X", "3D2", "Fidschi", "OC", "CQ 32 / ITU 56", "Normal lang", "FJT", "Sommer lang",
                     "FJST", "14:00", "13:30", "Beginn: Erster Sonntag im November", "Ende: 15. Januar des Jahres"}));
    QVERIFY(i.Number == 1 && i.Ranking == 176 && i.UtcOffset == 12 && i.DstOffset == 1);
    QVERIFY(i.Longitude == 177.92 && i.Latitude == -17.78);
    // A field that is no number gives 0; the fields around it are still read,
    // a point as decimal mark too.
    const DxccInfo info = dxcc.GetDxccInfo("QA1");
    QVERIFY(info.Longitude == 0.0 && info.Ranking == 0 && info.UtcOffset == 0.0);
    QVERIFY(info.Latitude == 52.5 && info.DstOffset == 0.5 && info.MainPrefix == u"QA");
    const QStringList problems = dxcc.problems();
    QCOMPARE(problems.size(), 5);
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("Zeile 3: Länge (Feld 5) \"ost\"")));
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("Zeile 5: 2 Felder, mindestens 18")));
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
    dir.write("DXCC.csv", crlf({kHeader, row(1, "Qaland", {"QA"}), row(2, "Umbenannt", {"QA1"})}));
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Umbenannt"));
    // Same length, QA1 now pointing at row 1: only the time shows the edit.
    const qint64 size = QFileInfo(dir.file("DXCC.ini")).size();
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=1", "QA1=1", "EA8=3", "EA8/X=3", "qc=4", "QC9Z=4", ""}));
    QCOMPARE(QFileInfo(dir.file("DXCC.ini")).size(), size);
    QFile ini(dir.file("DXCC.ini"));
    QVERIFY(ini.open(QIODevice::ReadWrite) &&
            ini.setFileTime(QFileInfo(ini).lastModified().addSecs(2), QFileDevice::FileModificationTime));
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Qaland"));
}

void TestDxcc::brokenLinesNameFileAndLine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("country"); // of QA1ABC
    // Empty content removes the file. An index value that is no number counts
    // as 0, so the shorter key is used; one past the table stops the search.
    QTest::newRow("table missing") << "DXCC.csv" << QByteArray() << "\"%1\" fehlt" << "";
    QTest::newRow("index missing") << "DXCC.ini" << QByteArray() << "\"%1\" fehlt" << "";
    QTest::newRow("index letters") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=zwei"})
                                   << "\"%1\", Zeile 3: \"zwei\" ist keine Zeilennummer" << "A";
    QTest::newRow("index past the table") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=9"})
                                          << "\"%1\", Zeile 3: verweist auf Zeile 9, die Tabelle hat 2" << "";
    QTest::newRow("index hex like settings") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QA1=0x2"}) << "" << "B";
    QTest::newRow("row number off") << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}), row(5, "B", {"QB"})})
                                    << "\"%1\", Zeile 3: Feld 0 ist \"5\", erwartet 2" << "A";
    QTest::newRow("latitude out of range")
        << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}).replace(";52,5;", ";152,5;"), row(2, "B", {"QB"})})
        << "\"%1\", Zeile 2: Breite (Feld 6) 152,5 liegt außerhalb" << "A";
    QTest::newRow("index line without =")
        << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QB 2"}) << "\"%1\", Zeile 3: keine Angabe Schlüssel=Wert" << "A";
    QTest::newRow("index key twice") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "qa=2", "QB=2"})
                                     << "\"%1\", Zeile 3: \"qa\" steht schon in Zeile 2" << "A";
    QTest::newRow("index without section")
        << "DXCC.ini" << crlf({"[Sonstiges]", "QA=1"}) << "\"%1\": der Abschnitt [DXCC] fehlt" << "";
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
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), country);
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
    QCOMPARE(QList<qsizetype>({result.rows, result.keys, result.skipped.size()}), QList<qsizetype>({2, 4, 2}));
    QVERIFY(result.skipped[0].contains(QStringLiteral("Zeile 3: 3 Felder")));
    QVERIFY(result.skipped[1].contains(QStringLiteral("Zeile 4: Präfix \"X=Y\" (Feld 19)")));
    QCOMPARE(dxcc.GetDxccCountry("ALT1"), QString());
    QVERIFY(dxcc.problems().filter(QStringLiteral("DXCC.ini")).isEmpty());
}

void TestDxcc::rebuildFailureKeepsIndex() {
    TestFolder dir;
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1"}));
    DxccAccess dxcc(dir.path());
    // A missing table is named; an empty or broken one would have replaced the
    // good index by an empty one.
    for (const QByteArray& table : {QByteArray(), QByteArray(""), crlf({kHeader, "1;kaputt"})}) {
        if (!table.isNull()) dir.write("DXCC.csv", table);
        const QString message = errorOf([&] { dxcc.rebuildIndex(); });
        QVERIFY2(message.contains(table.isNull() ? dir.file("DXCC.csv") : QStringLiteral("keine Präfixe")),
                 qPrintable(message));
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
    static DxccAccess dxcc(QCoreApplication::applicationDirPath()); // the build puts data/ there
    QCOMPARE(dxcc.GetDxccCountry(fields[0]), fields[1]);
}

// The parser's own range checks run over the shipped table; the shipped
// index must be what a rebuild writes. The rule texts, read the way the DXCC
// information window reads them, must give the instants at which the
// system's time-zone database switches the entity's zone, in the first years
// the table is used.
void TestDxcc::realTableIsSound() {
    TestFolder dir;
    dir.installDataFile(QStringLiteral("DXCC.csv"));
    dir.installDataFile(QStringLiteral("DXCC.ini"));
    const QByteArray shippedIndex = dir.read("DXCC.ini");
    DxccAccess dxcc(dir.path());
    QStringList unreachable;
    const QVector<DxccInfo> rows = shippedRows(dxcc, &unreachable);
    QVERIFY2(dxcc.problems().isEmpty(), qPrintable(dxcc.problems().join('\n')));
    QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(u' ')));
    QVERIFY2(rows.size() >= 330 && rows.size() <= 345, qPrintable(QString::number(rows.size())));
    const DxccIndexResult result = dxcc.rebuildIndex();
    QVERIFY2(result.skipped.isEmpty(), qPrintable(result.skipped.join('\n')));
    QVERIFY(dir.read("DXCC.ini") == shippedIndex);

    // The summer-time rules are compared with the system's time zones only
    // when those are the tzdata release the table was made from: a newer
    // release (a country dropping summer time) means the table is due to be
    // made again, not that the program is wrong.
    dir.installDataFile(QStringLiteral("LIZENZEN.txt"));
    const QByteArray notes = dir.read("LIZENZEN.txt");
    const qsizetype at = notes.indexOf("tzdata 20");
    QVERIFY(at >= 0);
    const QByteArray tableRelease = notes.mid(at + 7, 5);
    QFile zones(QStringLiteral("/usr/share/zoneinfo/tzdata.zi"));
    const QByteArray systemRelease = zones.open(QIODevice::ReadOnly) ? zones.readLine().mid(10).trimmed() : QByteArray();
    if (systemRelease != tableRelease)
        QSKIP(qPrintable("DXCC.csv comes from tzdata " + tableRelease + ", the system has " + systemRelease +
                         "; tools/dxcc/make_dxcc.py makes it again"));
    for (int year : {2026, 2027, 2028}) {
        int compared = 0;
        const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
        for (const DxccInfo& info : rows) {
            const QString zoneName = info.StdTimeText1.section(QStringLiteral("Zone "), 1);
            const QString what = QString::number(year) + u' ' + info.MainPrefix + u' ' + zoneName;
            const int standard = qRound(info.UtcOffset * 3600);
            if (zoneName.isEmpty()) { // a fixed offset by longitude
                QVERIFY2(info.DstEndRule.endsWith(QLatin1String("Regelung")), qPrintable(what));
                continue;
            }
            const QTimeZone zone(zoneName.toLatin1());
            QVERIFY2(zone.isValid(), qPrintable(what));
            const QTimeZone::OffsetDataList changes = zone.transitions(from, from.addYears(1));
            if (info.DstEndRule.endsWith(QLatin1String("Regelung"))) {
                // Morocco's and Western Sahara's clocks go back for Ramadan only.
                if (zoneName != QLatin1String("Africa/Casablanca") && zoneName != QLatin1String("Africa/El_Aaiun"))
                    QVERIFY2(changes.isEmpty(), qPrintable(what));
                QCOMPARE(zone.offsetFromUtc(QDateTime(QDate(year, 9, 1), QTime(12, 0), QTimeZone::utc())), standard);
                continue;
            }
            QDateTime start, end;
            for (const QTimeZone::OffsetData& change : changes) {
                if (change.offsetFromUtc == standard)
                    end = change.atUtc;
                else if (change.offsetFromUtc == qRound((info.UtcOffset + info.DstOffset) * 3600))
                    start = change.atUtc;
            }
            const DstRules::RuleDate startRule = DstRules::ruleDate(info.DstStartRule, info.DstStartTime, year);
            const DstRules::RuleDate endRule = DstRules::ruleDate(info.DstEndRule, info.DstEndTime, year);
            QVERIFY2(start.isValid() && end.isValid() && startRule.status == DstRules::Status::Ok &&
                         startRule.isStart && startRule.instant == start && endRule.status == DstRules::Status::Ok &&
                         !endRule.isStart && endRule.instant == end,
                     qPrintable(what));
            ++compared;
        }
        QVERIFY2(compared >= 80, qPrintable(QString::number(compared)));
    }
}

QTEST_GUILESS_MAIN(TestDxcc)
#include "test_dxcc.moc"
