#include "cli/BatchCommands.h"
#include "logstore/LogFile.h"
#include "logstore/QsoRecord.h"
#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

namespace {

struct Ran {
    int status = -1;
    QString out;
    QString err;
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
    void parseCommandOptions_data();
    void parseCommandOptions();
    void normalizeInPlace();
    void converterCommands_data();
    void converterCommands();
    void importNotesGoToErrorStream();
    void binaryExitStatus_data();
    void binaryExitStatus();
    void referenceCommands_data();
    void referenceCommands();
    void dokImportMergesNames();
    void searchCommand_data();
    void searchCommand();
};

void TestBatchCommands::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("usageError");
    QTest::newRow("nothing") << QStringList{} << true << false;
    QTest::newRow("folder without value") << QStringList{"--folder"} << false << true;
    QTest::newRow("screenshot") << QStringList{"--screenshot", "a.png"} << true << false;
    QTest::newRow("normalize") << QStringList{"normalize", "a.log"} << false << false;
    QTest::newRow("normalize without log") << QStringList{"normalize"} << false << true;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << false << true;
    QTest::newRow("unknown option") << QStringList{"--frob"} << false << true;
    QTest::newRow("export")
        << QStringList{"export", "--format", "adif", "--output", "x.adi", "a.log", "b.log"} << false << false;
    QTest::newRow("export without format") << QStringList{"export", "--output", "x.adi", "a.log"} << false << true;
    QTest::newRow("export with start line")
        << QStringList{"export", "--format", "txt", "--output", "x", "--start-line", "2", "a.log"} << false
        << true;
    QTest::newRow("import adif") << QStringList{"import", "--format", "adif", "in.adi", "t.log"} << false << false;
    QTest::newRow("import, start line 0")
        << QStringList{"import", "--format", "html", "--start-line", "0", "in.htm", "t.log"} << false << true;
    QTest::newRow("import without target") << QStringList{"import", "--format", "adif", "in.adi"} << false << true;
    QTest::newRow("import of txt") << QStringList{"import", "--format", "txt", "in.txt", "t.log"} << false << true;
    QTest::newRow("join") << QStringList{"join", "t.log", "a.log"} << false << false;
    QTest::newRow("join without source") << QStringList{"join", "t.log"} << false << true;
}

void TestBatchCommands::parse() {
    QFETCH(QStringList, args);
    QFETCH(bool, window);
    QFETCH(bool, usageError);
    const CommandLine line = CommandLine::parse(args);
    QCOMPARE(line.startsWindow(), window);
    QCOMPARE(!line.usageError.isEmpty(), usageError);
}

void TestBatchCommands::parseCommandOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<QStringList>("operands");
    QTest::newRow("options after the logs")
        << QStringList{"export", "a.log", "--output=x.htm", "b.log", "--format=html"} << "html" << "x.htm" << 0
        << QStringList{"a.log", "b.log"};
    QTest::newRow("start line") << QStringList{"import", "--start-line", "3", "--format", "html", "in.htm", "t.log"}
                                << "html" << "" << 3 << QStringList{"in.htm", "t.log"};
    QTest::newRow("file named like an option")
        << QStringList{"import", "--format", "adif", "--", "--in.adi", "t.log"} << "adif" << "" << 0
        << QStringList{"--in.adi", "t.log"};
    QTest::newRow("join keeps dashes") << QStringList{"join", "t.log", "--a.log"} << "" << "" << 0
                                       << QStringList{"t.log", "--a.log"};
}

void TestBatchCommands::parseCommandOptions() {
    QFETCH(QStringList, args);
    QFETCH(QString, format);
    QFETCH(QString, output);
    QFETCH(int, startLine);
    QFETCH(QStringList, operands);
    const CommandLine line = CommandLine::parse(args);
    QVERIFY2(line.usageError.isEmpty(), qPrintable(line.usageError));
    QCOMPARE(line.command, args.first());
    QCOMPARE(line.format, format);
    QCOMPARE(line.output, output);
    QCOMPARE(line.startLine, startLine);
    QCOMPARE(line.operands, operands);
}

void TestBatchCommands::normalizeInPlace() {
    TestFolder dir;
    dir.writeLog("a.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    dir.write("bad.log", crlf({QsoRecord::headerLine(), ";;;;;;;;;;;;;;;;;;"}));
    const auto [status, outText, errText] =
        run({"normalize", dir.file("a.log"), dir.file("bad.log"), dir.file("none.log")});
    QCOMPARE(status, 1);
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;"}));
    QCOMPARE(outText.count(u'\n'), 1);
    QVERIFY(outText.contains(QStringLiteral("a.log")));
    QVERIFY(errText.contains(QStringLiteral("bad.log")));
    QVERIFY(errText.contains(QStringLiteral("Zeile 2")));
    QVERIFY(errText.contains(QStringLiteral("none.log")));
}

void TestBatchCommands::converterCommands_data() {
    // Arguments name files of the test folder; "%d/" stands for its path.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("file");   // a file to look at afterwards
    QTest::addColumn<QString>("starts"); // how it starts, or "log:N" for a log of N contacts
    QTest::addColumn<QString>("stdoutHas");
    QTest::newRow("export adif") << QStringList{"export",   "--format", "adif",    "--output",
                                                "%d/x.adi", "%d/a.log", "%d/b.log"}
                                 << 0 << "x.adi"
                                 << "This log was created with Vesk LogConverter"
                                 << "3 Kontakte aus 2 Logs";
    QTest::newRow("export html") << QStringList{"export",   "--format", "html",
                                                "--output", "%d/x.htm", "%d/a.log"}
                                 << 0 << "x.htm"
                                 << "<html>\r\n<head>"
                                 << "2 Kontakte";
    QTest::newRow("export txt") << QStringList{"export",   "--format", "txt",
                                               "--output", "%d/x.txt", "%d/b.log"}
                                << 0 << "x.txt"
                                << "# Date "
                                << "1 Kontakte";
    QTest::newRow("export of a missing log")
        << QStringList{"export", "--format", "adif", "--output", "%d/x.adi", "%d/none.log"} << 1 << "x.adi"
        << ""
        << "";
    QTest::newRow("import adif") << QStringList{"import", "--format", "adif", "%d/in.adi", "%d/new.log"} << 0
                                 << "new.log"
                                 << "log:2"
                                 << "2 Kontakte aus";
    QTest::newRow("import html skips the heading row")
        << QStringList{"import", "--format", "html", "%d/in.htm", "%d/new.log"} << 0 << "new.log"
        << "log:2"
        << "1 übersprungen (leere Zeilen)";
    QTest::newRow("import html from line 1")
        << QStringList{"import", "--format", "html", "--start-line", "1", "%d/in.htm", "%d/new.log"} << 0
        << "new.log"
        << "log:3"
        << "3 Kontakte";
    QTest::newRow("import of a file without table")
        << QStringList{"import", "--format", "html", "%d/in.adi", "%d/a.log"} << 1 << "a.log"
        << "log:2"
        << "";
    QTest::newRow("join") << QStringList{"join", "%d/new.log", "%d/a.log", "%d/b.log"} << 0 << "new.log"
                          << "log:3"
                          << "das Log hat jetzt 3 Kontakte";
    QTest::newRow("join, missing source")
        << QStringList{"join", "%d/a.log", "%d/b.log", "%d/none.log"} << 1 << "a.log"
        << "log:2"
        << "";
    QTest::newRow("repair")
        << QStringList{"repair", "%d/b.log"} << 0 << "b.log"
        << "#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;Locator;TX Pwr;Comments;QSL out;QSL "
           "in\r\n1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;\r\n"
        << "1 Kontakte normalisiert";
}

void TestBatchCommands::converterCommands() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, file);
    QFETCH(QString, starts);
    QFETCH(QString, stdoutHas);
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;",
                           "2;01.02.2003;12:01:00;2m;FM;DK2XY;59;59;;;;;10W;;;"});
    dir.writeLog("b.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    dir.write("in.adi", "<EOH><QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:3>SSB<CALL:4>K1AB<EOR>"
                        "<QSO_DATE:8>20040312<TIME_ON:4>1846<BAND:3>20m<MODE:3>SSB<CALL:4>K2AB<EOR>");
    dir.write("in.htm", "<table><tr><th>Call</th><th>Date</th></tr><tr><td>K1AB</td><td>01.02.2003</td></tr>"
                        "<tr><td></td><td></td></tr><tr><td>K2AB</td><td>02.02.2003</td></tr></table>");
    const QByteArray before = dir.read(file);
    for (QString& a : args)
        a.replace(QStringLiteral("%d/"), dir.path() + u'/');
    const auto [result, outText, errText] = run(args);
    QCOMPARE(result, status);
    QVERIFY2(outText.contains(stdoutHas), qPrintable(outText));
    if (status != 0) {
        QVERIFY(!errText.isEmpty());
        QCOMPARE(dir.read(file), before); // a failed command changes nothing
        return;
    }
    QVERIFY2(errText.isEmpty(), qPrintable(errText));
    if (starts.startsWith(QStringLiteral("log:"))) {
        LogFile log(dir.file(file));
        log.OpenForRead();
        QsoRecord r;
        int n = 0;
        while (log.ReadNext(r))
            QCOMPARE(r[QsoRecord::Number], QString::number(++n));
        QCOMPARE(n, starts.mid(4).toInt());
    } else {
        QVERIFY2(dir.read(file).startsWith(starts.toLatin1()), dir.read(file).left(200).constData());
    }
}

void TestBatchCommands::importNotesGoToErrorStream() {
    TestFolder dir;
    QByteArray adif = "<EOH>";
    for (int i = 0; i < 25; ++i) // each record with a name whose length is missing
        adif += "<QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:3>SSB<CALL:4>K1AB<NAME>Otto <EOR>\r\n";
    dir.write("in.adi", adif);
    const auto [status, outText, errText] = run({"import", "--format", "adif", dir.file("in.adi"), dir.file("t.log")});
    QCOMPARE(status, 0);
    QVERIFY(outText.contains(QStringLiteral("25 Kontakte")));
    QCOMPARE(errText.count(QStringLiteral("Hinweis: ")), 21); // twenty notes and how many more there are
    QVERIFY(errText.contains(QStringLiteral("Datensatz 20, Zeile 20: <NAME> hat keine gültige Länge")));
    QVERIFY(errText.contains(QStringLiteral("und 5 weitere")));
}

void TestBatchCommands::binaryExitStatus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stdoutHas");
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Vesk 0.8d";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "join ZIEL.log QUELLE.log...";
    QTest::newRow("wrong usage") << QStringList{"frobnicate"} << 2 << "";
    QTest::newRow("missing log") << QStringList{"normalize", "/nonexistent/x.log"} << 1 << "";
}

void TestBatchCommands::binaryExitStatus() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stdoutHas);
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    if (!QFileInfo::exists(vesk))
        QSKIP("the vesk program is not built beside the tests");
    QProcess p;
    p.start(vesk, args);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), status);
    QVERIFY(QString::fromLocal8Bit(p.readAllStandardOutput()).contains(stdoutHas));
    if (status != 0)
        QVERIFY(!p.readAllStandardError().isEmpty());
}

void TestBatchCommands::referenceCommands_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("outputHas");
    QTest::newRow("dxcc in summer")
        << QStringList{"dxcc", "dl1abc", "--utc", "2026-07-01T12:00"} << 0
        << QStringList{"Call: DL1ABC", "Country: Fed. Rep. of Germany", "Ortszeit: 2026-07-01 14:00",
                       "Sommerzeit: ja"};
    QTest::newRow("dxcc in winter") << QStringList{"dxcc", "DL1ABC", "--utc=2026-01-15T23:30"} << 0
                                    << QStringList{"Ortszeit: 2026-01-16 00:30", "Sommerzeit: nein"};
    // A southern summer: in force in January, not in July.
    QTest::newRow("dxcc unknown") << QStringList{"dxcc", "Q"} << 1 << QStringList{};
    QTest::newRow("dxcc bad time") << QStringList{"dxcc", "DL1ABC", "--utc", "morgen"} << 2 << QStringList{};
    QTest::newRow("locator") << QStringList{"locator", "JN58TD", "JM58TD"} << 0 << QStringList{"180 °"};
    QTest::newRow("locator to a place") << QStringList{"locator", "JN58TD", "--lat", "52,5", "--lon", "13.4"} << 0
                                        << QStringList{"500 km"};
    QTest::newRow("impossible locator") << QStringList{"locator", "JN58TZ", "JN58TD"} << 1 << QStringList{};
    QTest::newRow("sun") << QStringList{"sun", "52.5", "13.4", "--date", "2026-06-21"} << 0
                         << QStringList{"Sonnenaufgang: 02:43 UTC", "Sonnenuntergang: 19:33 UTC"};
    QTest::newRow("polar day") << QStringList{"sun", "70", "20", "--date", "2026-06-21"} << 0
                               << QStringList{"nicht unter"};
    QTest::newRow("polar night") << QStringList{"sun", "70", "20", "--date", "2026-12-21"} << 0
                                 << QStringList{"nicht auf"};
    QTest::newRow("sun bad latitude") << QStringList{"sun", "95", "13"} << 2 << QStringList{};
    QTest::newRow("dok") << QStringList{"dok", "b01"} << 0
                         << QStringList{"B01", "Ortsverband OV B01", "Distrikt Franken"};
    QTest::newRow("dxcc-index") << QStringList{"dxcc-index"} << 0 << QStringList{"DXCC.ini erstellt"};
}

void TestBatchCommands::referenceCommands() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, outputHas);
    TestFolder dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini", "DOK.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    const QByteArray index = dir.read("DXCC.ini");
    const auto [result, outText, errText] = run(QStringList{"--folder", dir.path()} + args);
    QVERIFY2(result == status, qPrintable(QStringLiteral("%1\n%2\n%3").arg(result).arg(outText, errText)));
    for (const QString& has : outputHas)
        QVERIFY2(outText.contains(has), qPrintable(outText));
    if (status != 0)
        QVERIFY(!errText.isEmpty());
    // The index rebuilt from the shipped table is the shipped index.
    QCOMPARE(dir.read("DXCC.ini"), index);
}

void TestBatchCommands::dokImportMergesNames() {
    TestFolder dir;
    dir.installDataFile("DOK.ini");
    dir.write("clubs.txt", "DOK;Name\r\nB01;Ortsverband Musterstadt\r\nkaputt\r\n");
    const Ran imported = run({"--folder", dir.path(), "dok-import", dir.file("clubs.txt")});
    QCOMPARE(imported.status, 0);
    QVERIFY2(imported.err.contains(QStringLiteral("Zeile 3")), qPrintable(imported.err)); // the bad line
    const Ran shown = run({"--folder", dir.path(), "dok", "B01"});
    QCOMPARE(shown.status, 0);
    QVERIFY2(shown.out.contains("Ortsverband Ortsverband Musterstadt"), qPrintable(shown.out));
}

void TestBatchCommands::searchCommand_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("numbers"); // of the lines written, in order
    QTest::newRow("call contains, any case") << QStringList{"Call", "enthält", "dl"} << 0 << QStringList{"1", "2"};
    QTest::newRow("english and short operators")
        << QStringList{"band", "is", "20m", "QSL In", "gt", "01.01.2004"} << 0 << QStringList{"3"};
    QTest::newRow("ordering on a field without order compares #")
        << QStringList{"Band", "lt", "3"} << 0 << QStringList{"1", "2"};
    QTest::newRow("DXCC") << QStringList{"DXCC", "ist", "fed. rep. of germany"} << 0 << QStringList{"1", "2"};
    QTest::newRow("nothing found") << QStringList{"Call", "ist", "Q0Q"} << 0 << QStringList{};
    QTest::newRow("unknown field") << QStringList{"Rufzeichen", "ist", "X"} << 2 << QStringList{};
    QTest::newRow("unknown operator") << QStringList{"Call", "gleich", "X"} << 2 << QStringList{};
    QTest::newRow("incomplete condition") << QStringList{"Call", "ist"} << 2 << QStringList{};
    QTest::newRow("six conditions") << (QStringList() << QStringList{"Call", "ist", "X"} << QStringList{"Call", "ist", "X"}
                                                      << QStringList{"Call", "ist", "X"} << QStringList{"Call", "ist", "X"}
                                                      << QStringList{"Call", "ist", "X"} << QStringList{"Call", "ist", "X"})
                                    << 2 << QStringList{};
}

void TestBatchCommands::searchCommand() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, numbers);
    TestFolder dir;
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.writeLog("2026.log", {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;Zeile 1#13#10Zeile 2;;",
                              "2;01.12.2026;10:05:00;80m;CW;dl2bb;599;599;;;;;50W;;;",
                              "3;02.12.2026;11:00:00;20m;SSB;F5ABC;59;59;;;;;100W;;;15.03.2004"});
    const auto [result, outText, errText] = run(QStringList{"--folder", dir.path(), "search", dir.file("2026.log")} + args);
    QVERIFY2(result == status, qPrintable(QStringLiteral("%1\n%2\n%3").arg(result).arg(outText, errText)));
    if (status != 0) {
        QVERIFY(!errText.isEmpty());
        return;
    }
    QStringList found;
    const QStringList lines = outText.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        found << line.section(u';', 0, 0);
    QCOMPARE(found, numbers);
    // Written as the log holds them: a line break stays "#13#10".
    if (numbers.contains("1"))
        QVERIFY2(lines[0].endsWith(";5W;Zeile 1#13#10Zeile 2;;"), qPrintable(lines[0]));
    QVERIFY2(errText.contains(QStringLiteral("%1 Kontakte gefunden").arg(numbers.size())), qPrintable(errText));
}

QTEST_GUILESS_MAIN(TestBatchCommands)
#include "test_batchcommands.moc"
