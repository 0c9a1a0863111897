#include "cli/BatchCommands.h"
#include "logstore/QsoRecord.h"
#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

namespace {

struct Ran {
    int status = -1;
    QString out, err;
};

Ran run(const QStringList& args) {
    FakeClock clock;
    Ran r;
    QTextStream out(&r.out), err(&r.err);
    r.status = BatchCommands::run(CommandLine::parse(args), clock, out, err);
    return r;
}

} // namespace

class TestBatchCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void normalizeInPlace();
    void commands_data();
    void commands();
    void binaryExitStatus();
    void dokImportMergesNames();
    void contest();
};

// "window" for the window, "usage" for a usage error, else what a command
// was read as: format|output|start line|operands.
void TestBatchCommands::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("read");
    const QString usage = QStringLiteral("usage");
    QTest::newRow("nothing") << QStringList{} << "window";
    QTest::newRow("screenshot") << QStringList{"--screenshot", "a.png"} << "window";
    QTest::newRow("folder without value") << QStringList{"--folder"} << usage;
    QTest::newRow("normalize without log") << QStringList{"normalize"} << usage;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << usage;
    QTest::newRow("unknown option") << QStringList{"--frob"} << usage;
    QTest::newRow("export without format") << QStringList{"export", "--output", "x.adi", "a.log"} << usage;
    QTest::newRow("export with start line")
        << QStringList{"export", "--format", "txt", "--output", "x", "--start-line", "2", "a.log"} << usage;
    QTest::newRow("import, start line 0")
        << QStringList{"import", "--format", "html", "--start-line", "0", "in.htm", "t.log"} << usage;
    QTest::newRow("import without target") << QStringList{"import", "--format", "adif", "in.adi"} << usage;
    QTest::newRow("import of txt") << QStringList{"import", "--format", "txt", "in.txt", "t.log"} << usage;
    QTest::newRow("join without source") << QStringList{"join", "t.log"} << usage;
    QTest::newRow("options after the logs")
        << QStringList{"export", "a.log", "--output=x.htm", "b.log", "--format=html"} << "html|x.htm|0|a.log,b.log";
    QTest::newRow("start line") << QStringList{"import", "--start-line", "3", "--format", "html", "in.htm", "t.log"}
                                << "html||3|in.htm,t.log";
    QTest::newRow("file named like an option")
        << QStringList{"import", "--format", "adif", "--", "--in.adi", "t.log"} << "adif||0|--in.adi,t.log";
    QTest::newRow("join keeps dashes") << QStringList{"join", "t.log", "--a.log"} << "||0|t.log,--a.log";
}

void TestBatchCommands::parse() {
    QFETCH(QStringList, args);
    QFETCH(QString, read);
    const CommandLine line = CommandLine::parse(args);
    QCOMPARE(line.startsWindow(), read == u"window");
    QCOMPARE(!line.usageError.isEmpty(), read == u"usage");
    if (read.contains(u'|'))
        QCOMPARE(QStringLiteral("%1|%2|%3|%4").arg(line.format, line.output).arg(line.startLine).arg(line.operands.join(u',')),
                 read);
}

void TestBatchCommands::normalizeInPlace() {
    TestFolder dir;
    dir.writeLog("a.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    dir.write("bad.log", crlf({QsoRecord::headerLine(), ";;;;;;;;;;;;;;;;;;"}));
    const Ran ran = run({"normalize", dir.file("a.log"), dir.file("bad.log"), dir.file("none.log")});
    QCOMPARE(ran.status, 1);
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;"}));
    QVERIFY2(ran.out.count(u'\n') == 1 && ran.out.contains(QStringLiteral("a.log")), qPrintable(ran.out));
    QVERIFY2(ran.err.contains(QStringLiteral("bad.log\", Zeile 2")) && ran.err.contains(QStringLiteral("none.log")),
             qPrintable(ran.err));
}

// One run per command and per kind of refusal; the rules are those of the
// converter, reference and search tests. "%d/" stands for the test folder;
// output starting "2>" is looked for in the error stream. A refused command
// leaves the file as it was.
void TestBatchCommands::commands_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("outputHas");
    QTest::addColumn<QString>("file");   // a file to look at afterwards
    QTest::addColumn<QString>("starts"); // how it starts, or "log:N" for a log numbered 1 to N
    QTest::newRow("export adif") << QStringList{"export", "--format", "adif", "--output", "%d/x.adi", "%d/a.log", "%d/b.log"}
                                 << 0 << QStringList{"3 Kontakte aus 2 Logs"} << "x.adi" << "Erstellt mit Vesk LogConverter\r\n<ADIF_VER:5>";
    QTest::newRow("export html") << QStringList{"export", "--format", "html", "--output", "%d/x.htm", "%d/a.log"} << 0
                                 << QStringList{"2 Kontakte"} << "x.htm" << "<html>\r\n<head>";
    QTest::newRow("export txt") << QStringList{"export", "--format", "txt", "--output", "%d/x.txt", "%d/b.log"} << 0
                                << QStringList{"1 Kontakte"} << "x.txt" << "# Date ";
    QTest::newRow("import adif, notes to the error stream") << QStringList{"import", "--format", "adif", "%d/in.adi", "%d/new.log"}
        << 0 << QStringList{"25 Kontakte aus", "2>Datensatz 20, Zeile 20: <NAME> hat keine gültige Länge", "2>und 5 weitere"}
        << "new.log" << "log:25";
    QTest::newRow("import html skips the heading row")
        << QStringList{"import", "--format", "html", "%d/in.htm", "%d/new.log"} << 0
        << QStringList{"1 übersprungen (leere Zeilen)"} << "new.log" << "log:2";
    QTest::newRow("import html from line 1")
        << QStringList{"import", "--format", "html", "--start-line", "1", "%d/in.htm", "%d/new.log"} << 0
        << QStringList{"3 Kontakte"} << "new.log" << "log:3";
    QTest::newRow("import of a file without table")
        << QStringList{"import", "--format", "html", "%d/in.adi", "%d/a.log"} << 1 << QStringList{} << "a.log" << "";
    QTest::newRow("join") << QStringList{"join", "%d/new.log", "%d/a.log", "%d/b.log"} << 0
                          << QStringList{"das Log hat jetzt 3 Kontakte"} << "new.log" << "log:3";
    QTest::newRow("join, missing source")
        << QStringList{"join", "%d/a.log", "%d/b.log", "%d/none.log"} << 1 << QStringList{} << "a.log" << "";
    QTest::newRow("repair") << QStringList{"repair", "%d/b.log"} << 0 << QStringList{"1 Kontakte normalisiert"} << "b.log"
                            << "log:1";
    QTest::newRow("dxcc in summer") << QStringList{"dxcc", "dl1abc", "--utc", "2026-07-01T12:00"} << 0
                                    << QStringList{"Call: DL1ABC", "Country: Fed. Rep. of Germany",
                                                   "Ortszeit: 2026-07-01 14:00", "Sommerzeit: ja"} << "" << "";
    QTest::newRow("dxcc unknown") << QStringList{"dxcc", "Q"} << 1 << QStringList{} << "" << "";
    QTest::newRow("dxcc bad time") << QStringList{"dxcc", "DL1ABC", "--utc", "morgen"} << 2 << QStringList{} << "" << "";
    QTest::newRow("locator") << QStringList{"locator", "JN58TD", "JM58TD"} << 0 << QStringList{"180 °"} << "" << "";
    QTest::newRow("locator to a place") << QStringList{"locator", "JN58TD", "--lat", "52,5", "--lon", "13.4"} << 0
                                        << QStringList{"500 km"} << "" << "";
    QTest::newRow("sun") << QStringList{"sun", "52.5", "13.4", "--date", "2026-06-21"} << 0
                         << QStringList{"Sonnenaufgang: 02:43 UTC", "Sonnenuntergang: 19:33 UTC"} << "" << "";
    QTest::newRow("polar day") << QStringList{"sun", "70", "20", "--date", "2026-06-21"} << 0 << QStringList{"nicht unter"} << "" << "";
    QTest::newRow("dok") << QStringList{"dok", "b01"} << 0 << QStringList{"B01", "Ortsverband OV B01", "Distrikt Franken"} << "" << "";
    QTest::newRow("dxcc-index") << QStringList{"dxcc-index"} << 0 << QStringList{"DXCC.ini erstellt"} << "" << "";
    // Field and operator names in either language and case; written as the
    // log holds the contacts (a line break stays "#13#10").
    const QStringList search = {"search", "%d/2026.log"};
    QTest::newRow("search, German") << search + QStringList{"Call", "enthält", "dl"} << 0
        << QStringList{"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;Zeile 1#13#10Zeile 2;;\n2;01.12.2026",
                       "2>2 Kontakte gefunden"} << "" << "";
    QTest::newRow("search, English and short operators")
        << search + QStringList{"band", "is", "20m", "QSL In", "gt", "01.01.2004"} << 0
        << QStringList{"3;02.12.2026;11:00:00;20m;SSB;F5ABC;59;59;;;;;100W;;;15.03.2004\n", "2>1 Kontakte gefunden"} << "" << "";
    QTest::newRow("search, unknown field") << search + QStringList{"Rufzeichen", "ist", "X"} << 2 << QStringList{} << "" << "";
    QTest::newRow("search, unknown operator") << search + QStringList{"Call", "gleich", "X"} << 2 << QStringList{} << "" << "";
    QTest::newRow("search, incomplete condition") << search + QStringList{"Call", "ist"} << 2 << QStringList{} << "" << "";
    // The evaluations on a.log (2m twice), b.log (2M) and 2026.log (DL1AA with
    // a card and no locator): the result line, then what the page shows.
    QTest::newRow("eval counts") << QStringList{"eval", "counts", "%d/b.log"} << 0
                                 << QStringList{"Mode / Band;2M;Summe\nfm;1/0/0;1/0/0\nSumme;1/0/0;1/0/0\n"} << "" << "";
    QTest::newRow("eval dxcc") << QStringList{"eval", "dxcc", "%d/a.log", "--last", "1"} << 0
                               << QStringList{"Ergebnis: 1 DXCC", "\nFed. Rep. of Germany;1\n", "\nFrance;0\n"} << "" << "";
    QTest::newRow("eval dok, filter field named") << QStringList{"eval", "dok", "%d/a.log", "--from", "31.02.2003"} << 1
                                                  << QStringList{"2>31.02.2003"} << "" << "";
    QTest::newRow("eval locator") << QStringList{"eval", "locator", "%d/loc.log", "--own", "JN58TD", "--html", "%d/l.htm"}
                                  << 0 << QStringList{"\nJN57;w\nJO31;c\n\nc..\n...\n...\n..o\n..w\n"}
                                  << "l.htm" << "<!doctype html";
    QTest::newRow("eval html only for locator") << QStringList{"eval", "dok", "%d/a.log", "--html", "%d/x.htm"} << 2
                                                << QStringList{} << "" << "";
    QTest::newRow("qsl, first contact per band") << QStringList{"qsl", "%d/a.log", "--first-qso", "--band"} << 0
        << QStringList{"#;Call;Date;UTC;Band;Mode;RST TX;Comments;QSL out\n1;DL1ABC;", "2;DK2XY", "2>2 QSL-Karten"} << ""
        << "";
    QStringList six = search;
    for (int i = 0; i < 6; ++i)
        six << "Call" << "ist" << "X";
    QTest::newRow("search, six conditions") << six << 2 << QStringList{} << "" << "";
}

void TestBatchCommands::commands() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, outputHas);
    QFETCH(QString, file);
    QFETCH(QString, starts);
    TestFolder dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini", "DOK.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;",
                           "2;01.02.2003;12:01:00;2m;FM;DK2XY;59;59;;;;;10W;;;"});
    dir.writeLog("b.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    dir.writeLog("2026.log", {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;Zeile 1#13#10Zeile 2;;",
                              "2;01.12.2026;10:05:00;80m;CW;dl2bb;599;599;;;;;50W;;;",
                              "3;02.12.2026;11:00:00;20m;SSB;F5ABC;59;59;;;;;100W;;;15.03.2004"});
    dir.writeLog("loc.log", {"1;01.02.2003;12:00:00;2m;FM;A;59;59;;;;JN57AA;10W;;;", "2;01.02.2003;12:00:00;2m;FM;B;59;59;;;;JO31AA;10W;;;03.03.2003"});
    QByteArray adif = "<EOH>";
    for (int i = 0; i < 25; ++i) // each record with a name whose length is missing
        adif += "<QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:3>SSB<CALL:4>K1AB<NAME>Otto <EOR>\r\n";
    dir.write("in.adi", adif);
    dir.write("in.htm", "<table><tr><th>Call</th><th>Date</th></tr><tr><td>K1AB</td><td>01.02.2003</td></tr>"
                        "<tr><td></td><td></td></tr><tr><td>K2AB</td><td>02.02.2003</td></tr></table>");
    const QByteArray index = dir.read("DXCC.ini"), before = dir.read(file);
    for (QString& a : args)
        a.replace(QStringLiteral("%d/"), dir.path() + u'/');
    const Ran ran = run(QStringList{"--folder", dir.path()} + args);
    QVERIFY2(ran.status == status && (status == 0 || !ran.err.isEmpty()), qPrintable(ran.out + ran.err));
    for (const QString& has : outputHas)
        QVERIFY2(has.startsWith(u"2>") ? ran.err.contains(has.mid(2)) : ran.out.contains(has), qPrintable(ran.out + ran.err));
    QCOMPARE(dir.read("DXCC.ini"), index); // the index rebuilt from the shipped table is the shipped index
    if (status != 0) {
        QCOMPARE(dir.read(file), before);
    } else if (starts.startsWith(QStringLiteral("log:"))) {
        const QList<QByteArray> lines = dir.read(file).split('\n'); // header first, an empty piece last
        QCOMPARE(lines.size() - 2, starts.mid(4).toInt());
        for (int n = 1; n < lines.size() - 1; ++n)
            QVERIFY2(lines[n].startsWith(QByteArray::number(n) + ';'), lines[n].constData());
    } else if (!file.isEmpty()) {
        QVERIFY2(dir.read(file).startsWith(starts.toLatin1()), dir.read(file).left(200).constData());
    }
}

// The program passes the status and the streams on.
void TestBatchCommands::binaryExitStatus() {
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    if (!QFileInfo::exists(vesk))
        QSKIP("the vesk program is not built beside the tests");
    for (const auto& [arg, status] : {std::pair{"--version", 0}, std::pair{"frobnicate", 2}}) {
        QProcess p;
        p.start(vesk, {QString::fromLatin1(arg)});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), status);
        QCOMPARE(p.readAllStandardOutput().startsWith("Vesk 0.8d"), status == 0);
        QCOMPARE(p.readAllStandardError().isEmpty(), status == 0);
    }
    // A message at start (the settings cannot be read) used to keep the
    // screenshot waiting for a click for ever.
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir("Vesk.ini"));
    QProcess p;
    p.start(vesk, {"--folder", dir.path(), "--screenshot", dir.file("a.png")});
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(QFileInfo(dir.file("a.png")).size() > 0);
    QVERIFY(p.readAllStandardError().contains("Vesk.ini"));
}

void TestBatchCommands::dokImportMergesNames() {
    TestFolder dir;
    dir.installDataFile("DOK.ini");
    dir.write("clubs.txt", "DOK;Name\r\nB01;Ortsverband Musterstadt\r\nkaputt\r\n");
    const Ran imported = run({"--folder", dir.path(), "dok-import", dir.file("clubs.txt")});
    QVERIFY2(imported.status == 0 && imported.err.contains(QStringLiteral("Zeile 3")), qPrintable(imported.err));
    const Ran shown = run({"--folder", dir.path(), "dok", "B01"});
    QVERIFY2(shown.status == 0 && shown.out.contains("Ortsverband Ortsverband Musterstadt"), qPrintable(shown.out));
}

// vesk contest: the totals, the result table as CSV, a failing run and
// wrong usage. The own locator comes from Vesk.ini unless --own is given.
void TestBatchCommands::contest() {
    TestFolder dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    dir.write("Vesk.ini", "[Allgemein]\r\nEigenerLocator=JO62QM\r\n");
    dir.write("vhf.tst", "fCall|fDistance|PKT|\r\n\"1\"|1|MLT|\r\n");
    dir.write("bad.tst", "fCall|fCall|PKT|\r\n");
    dir.writeLog("v.log", {"1;01.06.2026;12:00:00;2m;FM;DL2BBB;59;59;;Jürgen;;JO50VX;10W;;;",
                           "2;01.06.2026;12:05:00;2m;FM;OK1XYZ;59;59;;;;JO72AA;10W;;;"});
    const QString d = dir.path() + u'/';
    Ran r = run({"--folder", dir.path(), "contest", d + "vhf.tst", d + "v.log", "--csv", d + "r.csv", "--xlsx", d + "r.xlsx"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("Punkte: 275\nMultis: 1\nEndpunktzahl: 275\n"));
    const QByteArray csv = dir.read("r.csv");
    QVERIFY2(csv.startsWith("fNumber;fDate;fUtc;fBand;fMode;fCall;") &&
                 csv.contains("\r\n1;01.06.2026;12:00:00;2m;FM;DL2BBB;59;59;;J\xFCrgen;;JO50VX;;203;3;DL;EU;203;1\r\n"),
             csv.constData());
    QVERIFY(dir.read("r.xlsx").startsWith("PK"));
    r = run({"--folder", dir.path(), "contest", d + "vhf.tst", d + "v.log", "--own", "JO50VX"});
    QCOMPARE(r.out, QStringLiteral("Punkte: 194\nMultis: 1\nEndpunktzahl: 194\n")); // the own square 0 km, JO72AA 194 km
    r = run({"--folder", dir.path(), "contest", d + "bad.tst", d + "v.log", "--csv", d + "r.csv"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("'DL2BBB' ist kein gültiger Integerwert\nErgebniszeile 1 (QSO #1), Regel 1, Spalte WERT\n"));
    QCOMPARE(dir.read("r.csv"), csv); // a failed run writes nothing
    QCOMPARE(run({"contest", d + "vhf.tst"}).status, 2);
    QCOMPARE(run({"contest", d + "vhf.tst", d + "v.log", "--html", "x"}).status, 2);
    QCOMPARE(run({"--folder", dir.path(), "contest", d + "none.tst", d + "v.log"}).status, 1);
    QVERIFY(BatchCommands::helpText().contains(QStringLiteral("contest REGELN.tst LOG [--own LOCATOR] [--csv DATEI] [--xlsx DATEI]")));
}

QTEST_GUILESS_MAIN(TestBatchCommands)
#include "test_batchcommands.moc"
