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

// Moves the file's modification time so that an edit within the same
// millisecond still shows as one.
void touchLater(const QString& fileName, int seconds) {
    QFile f(fileName);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QDateTime t = QFileInfo(fileName).lastModified().addSecs(seconds);
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

// Every row of the shipped table, found through its main prefix with a
// suffix behind it (one-letter prefixes reach their row through their
// two-letter forms). Both sources list CE9 for the South Shetlands as well,
// so the later row keeps it and Antarctica's main prefix finds that row.
QVector<DxccInfo> shippedRows(DxccAccess& dxcc, int* rowCount) {
    QVector<DxccInfo> rows;
    QFile file(dxcc.tableFileName());
    if (!file.open(QIODevice::ReadOnly)) return rows;
    const QList<QByteArray> lines = file.readAll().split('\n');
    *rowCount = 0;
    for (const QByteArray& raw : lines.mid(1)) {
        if (raw.trimmed().isEmpty()) continue;
        ++*rowCount;
        const QString main = QString::fromLatin1(raw.trimmed()).section(u';', 17, 17);
        const DxccInfo info = dxcc.GetDxccInfo(main + QStringLiteral("1Q"));
        if (info.Number == *rowCount && info.MainPrefix == main) {
            rows << info;
        } else if (main != QLatin1String("CE9")) {
            DxccInfo unreachable; // the caller reports it by its Number 0
            unreachable.Call = main;
            rows << unreachable;
        }
    }
    return rows;
}

bool anyContains(const QStringList& list, const QString& part) {
    for (const QString& s : list) {
        if (s.contains(part)) return true;
    }
    return false;
}

} // namespace

class TestDxcc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prefixMatch_data();
    void prefixMatch();
    void fullRowFillsEveryField();
    void nonNumericFieldsGiveZero();
    void shortRowPointedToByHand();
    void missingFilesFindNothing();
    void badIndexValues_data();
    void badIndexValues();
    void editsBetweenLookupsAreSeen();
    void sameSizeEditIsSeen();
    void brokenLinesNameFileAndLine_data();
    void brokenLinesNameFileAndLine();
    void rebuildIndex();
    void rebuildWithoutTableKeepsIndex();
    void rebuildFailureKeepsIndex();
    void realCalls_data();
    void realCalls();
    void realTableRowsAreSound();
    void realRulesAgreeWithTimeZones_data();
    void realRulesAgreeWithTimeZones();
    void realIndexIsTheRebuiltIndex();
};

void TestDxcc::prefixMatch_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("country");
    QTest::newRow("longest key wins") << "QA1ABC" << "QA1" << 2 << "Qa-Eins";
    QTest::newRow("falls back to shorter key") << "QA2ABC" << "QA" << 1 << "Qaland";
    QTest::newRow("two characters are enough") << "QA" << "QA" << 1 << "Qaland";
    QTest::newRow("one character finds nothing") << "Q" << "" << 0 << "";
    QTest::newRow("unknown call") << "XY1ABC" << "" << 0 << "";
    QTest::newRow("lower case call") << "qa1abc" << "qa1" << 2 << "Qa-Eins";
    QTest::newRow("lower case key") << "QC1ABC" << "QC" << 4 << "Klein";
    QTest::newRow("foreign prefix before slash") << "EA8/QA1ABC" << "EA8" << 3 << "Inseln";
    QTest::newRow("slash key") << "EA8/XY1A" << "EA8/X" << 3 << "Inseln";
    QTest::newRow("trailing /P through home call") << "QA1ABC/P" << "QA1" << 2 << "Qa-Eins";
    QTest::newRow("call is not trimmed") << " QA1ABC" << "" << 0 << "";
    QTest::newRow("key longer than prefix area") << "QC9ZZ" << "QC9Z" << 4 << "Klein";
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

void TestDxcc::nonNumericFieldsGiveZero() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, "1;Land;EU;zehn;Z;ost;52.5;a;b;c;d;x;0,5;01:00;02:00;r1;r2;QA"}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1"}));
    DxccAccess dxcc(dir.path());
    const DxccInfo info = dxcc.GetDxccInfo("QA1");
    QVERIFY(info.Longitude == 0.0 && info.Ranking == 0 && info.UtcOffset == 0.0);
    // The fields around them are still read, a point as decimal mark too.
    QVERIFY(info.Latitude == 52.5 && info.DstOffset == 0.5 && info.MainPrefix == u"QA");
    const QStringList problems = dxcc.problems();
    QCOMPARE(problems.size(), 3);
    for (const char* part : {"Länge (Feld 5) \"ost\"", "Ranking (Feld 3) \"zehn\"", "UTC-Abstand (Feld 11) \"x\""})
        QVERIFY2(anyContains(problems, QStringLiteral("Zeile 2: ") + QString::fromUtf8(part)), part);
}

void TestDxcc::shortRowPointedToByHand() {
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, "1;Kurzland;AF;7", "2;Ohne Ende"}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=2"}));
    DxccAccess dxcc(dir.path());
    const DxccInfo info = dxcc.GetDxccInfo("QA1");
    QVERIFY(info.Country == u"Kurzland" && info.Ranking == 7 && info.MainPrefix.isEmpty());
    // Without a ";" after it the name is not taken.
    QCOMPARE(dxcc.GetDxccCountry("QB1"), QString());
    QVERIFY(anyContains(dxcc.problems(), QStringLiteral("Zeile 3: 2 Felder, mindestens 18")));
}

void TestDxcc::missingFilesFindNothing() {
    TestFolder dir;
    writeSmallTable(dir);
    QVERIFY(QFile::remove(dir.file("DXCC.csv")));
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccInfo("QA1ABC"), DxccInfo());
    QVERIFY(anyContains(dxcc.problems(), QStringLiteral("DXCC.csv\" fehlt")));

    writeSmallTable(dir);
    QVERIFY(QFile::remove(dir.file("DXCC.ini")));
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QString());
    QCOMPARE(dxcc.GetDxccInfo("QA1ABC"), DxccInfo());
    QVERIFY(anyContains(dxcc.problems(), QStringLiteral("DXCC.ini\" fehlt")));
}

void TestDxcc::badIndexValues_data() {
    QTest::addColumn<QString>("qa1Line");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("problem");
    // A value that is no number counts as 0, so the shorter key is used.
    QTest::newRow("letters") << "QA1=zwei" << "Qaland" << "Zeile 4: \"zwei\" ist keine Zeilennummer";
    QTest::newRow("negative") << "QA1=-2" << "Qaland" << "Zeile 4: \"-2\" ist keine Zeilennummer";
    // A number past the table stops the search and finds nothing.
    QTest::newRow("past the table") << "QA1=9" << "" << "Zeile 4: verweist auf Zeile 9, die Tabelle hat 4";
    QTest::newRow("hex like settings") << "QA1=0x2" << "Qa-Eins" << "";
}

void TestDxcc::badIndexValues() {
    QFETCH(QString, qa1Line);
    QFETCH(QString, country);
    QFETCH(QString, problem);
    TestFolder dir;
    writeSmallTable(dir);
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=1", qa1Line, "EA8=3"}));
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), country);
    const QStringList problems = dxcc.problems();
    QCOMPARE(problems.size(), problem.isEmpty() ? 0 : 1);
    if (!problem.isEmpty()) {
        QVERIFY2(problems.first().contains(problem), qPrintable(problems.first()));
        QVERIFY(problems.first().contains(dir.file("DXCC.ini")));
    }
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

    // The rebuild is an edit of the index too.
    dir.write("DXCC.csv",
              crlf({kHeader, row(1, "Qaland", {"QA"}), row(2, "Umbenannt", {"QA1"}), row(3, "Neu", {"QZ", "QY"})}));
    QCOMPARE(dxcc.GetDxccCountry("QY1ABC"), QString());
    dxcc.rebuildIndex();
    QCOMPARE(dxcc.GetDxccCountry("QY1ABC"), QStringLiteral("Neu"));
}

void TestDxcc::sameSizeEditIsSeen() {
    TestFolder dir;
    writeSmallTable(dir);
    DxccAccess dxcc(dir.path());
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Qa-Eins"));
    const qint64 size = QFileInfo(dir.file("DXCC.ini")).size();
    // Same length, QA1 now pointing at row 1.
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=1", "QA1=1", "EA8=3", "EA8/X=3", "qc=4", "QC9Z=4", ""}));
    QCOMPARE(QFileInfo(dir.file("DXCC.ini")).size(), size);
    touchLater(dir.file("DXCC.ini"), 2);
    QCOMPARE(dxcc.GetDxccCountry("QA1ABC"), QStringLiteral("Qaland"));
}

void TestDxcc::brokenLinesNameFileAndLine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short table row") << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}), "2;B;EU"})
                                     << "\"%1\", Zeile 3: 3 Felder, mindestens 18";
    QTest::newRow("row number off") << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}), row(5, "B", {"QB"})})
                                    << "\"%1\", Zeile 3: Feld 0 ist \"5\", erwartet 2";
    QTest::newRow("empty line in table") << "DXCC.csv" << crlf({kHeader, "", row(2, "B", {"QB"})})
                                         << "\"%1\", Zeile 2: 1 Felder";
    QTest::newRow("latitude out of range")
        << "DXCC.csv" << crlf({kHeader, row(1, "A", {"QA"}).replace(";52,5;", ";152,5;"), row(2, "B", {"QB"})})
        << "\"%1\", Zeile 2: Breite (Feld 6) 152,5 liegt außerhalb";
    QTest::newRow("index line without =")
        << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "QB 2"}) << "\"%1\", Zeile 3: keine Angabe Schlüssel=Wert";
    QTest::newRow("index key before section")
        << "DXCC.ini" << crlf({"QA=1", "[DXCC]", "QB=2"}) << "\"%1\", Zeile 1: steht vor dem ersten Abschnitt";
    QTest::newRow("index key twice") << "DXCC.ini" << crlf({"[DXCC]", "QA=1", "qa=2", "QB=2"})
                                     << "\"%1\", Zeile 3: \"qa\" steht schon in Zeile 2";
    QTest::newRow("index without section")
        << "DXCC.ini" << crlf({"[Sonstiges]", "QA=1"}) << "\"%1\": der Abschnitt [DXCC] fehlt";
}

void TestDxcc::brokenLinesNameFileAndLine() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    TestFolder dir;
    dir.write("DXCC.csv", crlf({kHeader, row(1, "A", {"QA"}), row(2, "B", {"QB"})}));
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1", "QB=2"}));
    dir.write(file, content);
    DxccAccess dxcc(dir.path());
    dxcc.GetDxccCountry("QB1ABC"); // whatever it finds, it must not fail
    const QStringList problems = dxcc.problems();
    QVERIFY2(anyContains(problems, expected.arg(dir.file(file))), qPrintable(problems.join('\n')));
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

void TestDxcc::rebuildWithoutTableKeepsIndex() {
    TestFolder dir;
    dir.write("DXCC.ini", crlf({"[DXCC]", "QA=1"}));
    DxccAccess dxcc(dir.path());
    try {
        dxcc.rebuildIndex();
        QFAIL("a missing table must not give an index");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(dir.file("DXCC.csv")), qPrintable(e.message()));
    }
    QCOMPARE(dir.read("DXCC.ini"), crlf({"[DXCC]", "QA=1"}));
}

void TestDxcc::rebuildFailureKeepsIndex() {
    TestFolder dir;
    writeSmallTable(dir);
    const QByteArray before = dir.read("DXCC.ini");
    dir.write("DXCC.csv", crlf({kHeader, row(1, "Nur", {"QQ"})}));
    DxccAccess dxcc(dir.path());
    AtomicFile::failNextCommitForTesting();
    QVERIFY_THROWS_EXCEPTION(IoError, dxcc.rebuildIndex());
    QCOMPARE(dir.read("DXCC.ini"), before);
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

void TestDxcc::realTableRowsAreSound() {
    DxccAccess dxcc(shippedDataFolder());
    QVERIFY2(dxcc.problems().isEmpty(), qPrintable(dxcc.problems().join('\n')));
    const QRegularExpression zones(QStringLiteral("^CQ \\d[-, \\d]* / ITU \\d[-, \\d]*$"));
    const QRegularExpression time(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
    int rows = 0;
    int withSummerTime = 0;
    const QVector<DxccInfo> infos = shippedRows(dxcc, &rows);
    for (const DxccInfo& info : infos) {
        const QString& main = info.MainPrefix;
        QVERIFY2(info.Number > 0, qPrintable(info.Call + " is not found through its main prefix"));
        QVERIFY2(!info.Country.isEmpty() && !info.Continent.isEmpty() && info.Ranking > 0 &&
                     zones.match(info.Zones).hasMatch() && std::abs(info.Latitude) <= 90 &&
                     std::abs(info.Longitude) <= 180 && (info.Latitude != 0 || info.Longitude != 0) &&
                     std::abs(info.UtcOffset) <= 14 && !info.StdTimeText1.isEmpty() &&
                     info.StdTimeText2.contains(QLatin1String("UTC")) &&
                     info.DstStartRule.startsWith(QLatin1String("Beginn: ")) &&
                     info.DstEndRule.startsWith(QLatin1String("Ende: ")) && time.match(info.DstStartTime).hasMatch() &&
                     time.match(info.DstEndTime).hasMatch(),
                 qPrintable(main));
        const bool none = info.DstEndRule.endsWith(QLatin1String("Regelung"));
        QVERIFY2(info.DstStartRule.endsWith(QLatin1String("Regelung")) == none && (info.DstOffset > 0) == !none &&
                     (info.DstTimeText2 != info.StdTimeText2) == !none,
                 qPrintable(main));
        withSummerTime += none ? 0 : 1;
    }
    QCOMPARE(infos.size(), rows - 1);
    QVERIFY2(rows >= 330 && rows <= 345, qPrintable(QString::number(rows)));
    QVERIFY2(withSummerTime >= 80, qPrintable(QString::number(withSummerTime)));
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
    int rows = 0;
    int compared = 0;
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (const DxccInfo& info : shippedRows(dxcc, &rows)) {
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
        QVERIFY2(startRule.instant == start, qPrintable(what + ": " + startRule.instant.toString(Qt::ISODate) +
                                                        " != " + start.toString(Qt::ISODate)));
        QVERIFY2(endRule.instant == end,
                 qPrintable(what + ": " + endRule.instant.toString(Qt::ISODate) + " != " + end.toString(Qt::ISODate)));
        ++compared;
    }
    QVERIFY2(compared >= 80, qPrintable(QString::number(compared)));
}

void TestDxcc::realIndexIsTheRebuiltIndex() {
    TestFolder dir;
    const QString shipped = shippedDataFolder();
    QVERIFY(QFile::copy(shipped + QStringLiteral("/DXCC.csv"), dir.file("DXCC.csv")));
    DxccAccess dxcc(dir.path());
    const DxccIndexResult result = dxcc.rebuildIndex();
    QVERIFY2(result.skipped.isEmpty(), qPrintable(result.skipped.join('\n')));
    QFile original(shipped + QStringLiteral("/DXCC.ini"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QVERIFY(dir.read("DXCC.ini") == original.readAll());
    QVERIFY(result.keys > 10000);
}

QTEST_GUILESS_MAIN(TestDxcc)
#include "test_dxcc.moc"
