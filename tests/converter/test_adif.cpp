#include "SampleLog.h"
#include "TestFolder.h"
#include "converter/LogConverter.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

const QByteArray kRecord = "<QSO_DATE:8>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST";
const QString kLine = QStringLiteral("1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;1W;;;");

// The records an independent reading finds complete: split at <EOR> after
// the header; a record counts when each of the five fields stands in it by
// its exact name with a length above zero.
int completeRecordsIn(const QByteArray& bytes) {
    const auto ci = QRegularExpression::CaseInsensitiveOption;
    const QString text = QString::fromLatin1(bytes);
    const qsizetype header = text.indexOf(QStringLiteral("<eoh>"), 0, Qt::CaseInsensitive);
    int complete = 0;
    for (const QString& chunk : text.mid(header < 0 ? 0 : header + 5).split(QRegularExpression("<eor>", ci))) {
        bool all = true;
        for (const char* name : {"QSO_DATE", "TIME_ON", "BAND", "MODE", "CALL"})
            all = all && chunk.contains(QRegularExpression(QStringLiteral("<%1:0*[1-9][0-9]*(:[a-z])?>").arg(name), ci));
        complete += all ? 1 : 0;
    }
    return complete;
}

} // namespace

class TestAdif : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportFile();
    void exportKeepsTargetOnMissingLog();
    void import_data();
    void import();
    void importAppendsAfterExistingRecords();
    void refused_data();
    void refused();
    void realFiles_data();
    void realFiles();

private:
    FakeClock m_clock;
};

// Field values and their escapes are the round trip's (test_convertroundtrip);
// this holds the byte layout other programs read: header naming program and
// version, logs in the given order, records without an empty line between
// them, QSL dates and marks, numbers with a decimal point, and a log never
// normalised exported as Normalize would store it: its own date, time and
// power, and the clock's only where the text cannot be read (kept in COMMENT).
void TestAdif::exportFile() {
    TestFolder dir;
    dir.writeLog("b.log", {"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;59;57;B36;Hans;Bonn;JO30AB;0,5W;Gut;01.01.1901;05.06.2004"});
    dir.writeLog("a.log", {"1;01022003;1234;2M;fm;a1a;;;;;;;100;;;", "2;32.13.2004;12:00:00;2m;FM;B1B;;;;;;;1W;;;"});
    QCOMPARE(LogConverter(m_clock).ExportAdif({dir.file("b.log"), dir.file("a.log")}, dir.file("out.adi")).written, 3);
    QCOMPARE(dir.read("out.adi"),
             "Erstellt mit Vesk LogConverter\r\n<ADIF_VER:5>3.1.4<PROGRAMID:4>Vesk<PROGRAMVERSION:4>0.8d<CREATED_TIMESTAMP:15>" +
                 m_clock.utcNow().toString("yyyyMMdd HHmmss").toLatin1() +
                 "\r\n<EOH>\r\n\r\n<QSO_DATE:8>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST\r\n"
                 "<RST_SENT:2>59<RST_RCVD:2>57<DOK:3>B36<NAME:4>Hans<QTH:4>Bonn\r\n<GRIDSQUARE:6>JO30AB<TX_PWR:3>0.5"
                 "<COMMENT:3>Gut\r\n<QSLSDATE:8>19010101<QSL_SENT:1>Y<QSLRDATE:8>20040605<QSL_RCVD:1>Y<EOR>\r\n"
                 "<QSO_DATE:8>20030201<TIME_ON:6>123400<BAND:2>2m<MODE:2>FM<CALL:3>A1A\r\n"
                 "<RST_SENT:0><RST_RCVD:0>\r\n<TX_PWR:3>100\r\n<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n"
                 "<QSO_DATE:8>20261206<TIME_ON:6>120000<BAND:2>2m<MODE:2>FM<CALL:3>B1B\r\n"
                 "<RST_SENT:0><RST_RCVD:0>\r\n<TX_PWR:1>1<COMMENT:13> / 32.13.2004\r\n<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n");
}

void TestAdif::exportKeepsTargetOnMissingLog() {
    TestFolder dir;
    dir.writeLog("a.log", {kLine});
    dir.write("out.adi", "old content");
    LogConverter converter(m_clock);
    const QString error =
        errorOf([&] { converter.ExportAdif({dir.file("a.log"), dir.file("missing.log")}, dir.file("out.adi")); });
    QVERIFY2(error.contains(QStringLiteral("missing.log")), qPrintable(error));
    QCOMPARE(dir.read("out.adi"), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestAdif::import_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("noteHas"); // in the notes, which name the file
    const QByteArray h = "header text\r\n<PROGRAMID:4>test<EOH>\r\n";
    const QByteArray r = kRecord;
    const QStringList one = {kLine}, none;
    // The record line of kRecord with the given fields after the call.
    auto line = [](const char* rest) { return QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;" + QString::fromUtf8(rest)}; };
    QTest::newRow("plain") << h + r + "<EOR>\r\n" << one << none;
    QTest::newRow("no header") << r + "<EOR>\r\n" << one << none;
    QTest::newRow("lower-case names, seconds kept") << h + "<qso_date:8>20040312<time_on:6>184512<band:3>20m"
                                                           "<mode:3>ssb<call:6>q0test<eor>"
                                                    << QStringList{"1;12.03.2004;18:45:12;20m;SSB;Q0TEST;;;;;;;1W;;;"} << none;
    QTest::newRow("data type indicator") << h + "<QSO_DATE:8:D>20040312<TIME_ON:6:T>184500<BAND:3>20m<MODE:3>SSB"
                                                "<CALL:6:S>Q0TEST<EOR>" << one << none;
    QTest::newRow("longer names are other fields") << h + r + "<QSO_DATE_OFF:8>20050101<BAND_RX:3>40m<NAME_INTL:1>y"
                                                              "<MY_GRIDSQUARE:6>JO30AA<CALLSIGN:4>XXXX<EOR>" << one << none;
    QTest::newRow("value holding a data specifier, the next field right after")
        << h + r + "<COMMENT:10>a<CALL:3>x\r\n<EOR>" << line(";;;;;;1W;a<CALL:3>x;;") << none;
    // When text follows, the length is taken for wrong: a file whose line
    // ends changed after the lengths were counted looks like this.
    QTest::newRow("value holding a data specifier, text after it")
        << h + r + "<COMMENT:11>a<EOR><b:1>c<EOR>" << line(";;;;;;1W;a;;")
        << QStringList{"Datensatz 1, Zeile 3: <COMMENT:11> reicht in die nächste Angabe"};
    QTest::newRow("undated QSL") << h + r + "<QSL_SENT:1>Y<QSL_RCVD:1>y<EOR>" << line(";;;;;;1W;;01.01.1901;") << none;
    QTest::newRow("QSL date after QSL_SENT replaces the undated mark")
        << h + r + "<QSL_SENT:1>Y<QSLSDATE:8>20040401<QSL_RCVD:1>Y<QSLRDATE:8>20040501<EOR>"
        << line(";;;;;;1W;;01.04.2004;01.05.2004") << none;
    QTest::newRow("several records on a line, text between them")
        << h + r + "<EOR> between <CALL:3>ab1 <QSO_DATE:8>20040313<TIME_ON:4>0102<BAND:2>2m<MODE:2>FM<EOR> // end"
        << QStringList{kLine, "2;13.03.2004;01:02:00;2m;FM;AB1;;;;;;;1W;;;"} << none;
    QTest::newRow("SUBMODE is the mode, before or after MODE; a sideband is not")
        << h + "<QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:4>MFSK<SUBMODE:3>FT4<CALL:3>AB1<EOR>"
               "<QSO_DATE:8>20040312<TIME_ON:4>1846<BAND:3>20m<SUBMODE:3>js8<MODE:4>MFSK<CALL:3>AB2<EOR>"
               "<QSO_DATE:8>20040312<TIME_ON:4>1847<BAND:3>20m<SUBMODE:3>USB<MODE:3>SSB<CALL:3>AB3<EOR>"
        << QStringList{"1;12.03.2004;18:45:00;20m;FT4;AB1;;;;;;;1W;;;", "2;12.03.2004;18:46:00;20m;JS8;AB2;;;;;;;1W;;;",
                       "3;12.03.2004;18:47:00;20m;SSB;AB3;;;;;;;1W;;;"}
        << none;
    QTest::newRow("record without mode uses no number")
        << h + "<QSO_DATE:8>20040311<TIME_ON:6>184500<BAND:3>20m<CALL:3>AB1<EOR>" + r + "<EOR>" << one << none;
    QTest::newRow("unreadable date goes to Comments")
        << h + "<QSO_DATE:8>2004xx12<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST<EOR>"
        << QStringList{"1;06.12.2026;18:45:00;20m;SSB;Q0TEST;;;;;;;1W; / 12.xx.2004;;"} << none;
    QTest::newRow("comment with a line break") << h + r + "<COMMENT:4>a\r\nb<EOR>" << line(";;;;;;1W;a#13#10b;;") << none;
    QTest::newRow("semicolon dropped as the log requires") << h + r + "<NAME:3>a;b<EOR>" << line(";;;ab;;;1W;;;") << none;
    QTest::newRow("UTF-8 with byte order mark, length counted in characters")
        << "\xEF\xBB\xBF" + h + r + "<NAME:6>J\xC3\xBCrgen\r\n<QTH:4>K\xC3\xB6ln\r\n<EOR>" << line(";;;Jürgen;Köln;;1W;;;") << none;
    QTest::newRow("two headers of joined files") << h + r + "<EOR>\r\n" + h + r + "<EOR>" << one + QStringList{"2" + kLine.mid(1)} << none;
    // One value from a Windows program in a UTF-8 file costs only that value;
    // letters Windows-1252 lacks are named, not silently replaced.
    QTest::newRow("UTF-8 with one Windows-1252 value and Polish letters")
        << h + "<QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:3>SSB<CALL:6>SP3ABC<NAME:7>J\xC3\xBCrgen"
               "<QTH:7>Pozna\xC5\x84<COMMENT:5>Gr\xFC\xDF" "e<EOR>\r\n"
               "<QSO_DATE:8>20040312<TIME_ON:4>1846<BAND:3>20m<MODE:3>SSB<CALL:6>SP9XYZ<NAME:7>Micha\xC5\x82<EOR>"
        << QStringList{"1;12.03.2004;18:45:00;20m;SSB;SP3ABC;;;;Jürgen;Pozna?;;1W;Grüße;;",
                       "2;12.03.2004;18:46:00;20m;SSB;SP9XYZ;;;;Micha?;;;1W;;;"}
        << QStringList{"in.adi\": Zeichen, die Windows-1252 nicht kennt", "Felder: 2, zuerst in Datensatz 1 (SP3ABC), 2 (SP9XYZ)."};
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : QString::fromLatin1(h + r) + QStringLiteral("<NAME:6>Jürgen<EOR>"))
        utf16 += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    QTest::newRow("UTF-16") << utf16 << line(";;;Jürgen;;;1W;;;") << none;
    // Broken lengths cost at most the field, never the contacts after it.
    const QStringList otto = line(";;;Otto;;;1W;;;");
    QTest::newRow("unknown fields are no note") << h + r + "<UNKNOWN>x<APP_X:99>y<EOR>" << one << none;
    QTest::newRow("no length") << h + r + "\r\n\r\n<NAME>Otto<EOR>" << otto
                               << QStringList{"Datensatz 1, Zeile 5: <NAME> hat keine gültige Länge"};
    QTest::newRow("past the end") << h + r + "<NAME:30>Otto" << otto << QStringList{
        "<NAME:30> reicht über das Dateiende hinaus", "ohne <EOR>; er ist vollständig"};
    QTest::newRow("into the next") << h + r + "<EOR>" + r + "<NAME:9>Otto<EOR>" << one + QStringList{"2" + otto[0].mid(1)}
                                   << QStringList{"Datensatz 2, Zeile 3: <NAME:9> reicht in die nächste Angabe"};
    QTest::newRow("swallowing the rest") << h + r + "<NAME:999999999>Otto<EOR>" + r + "<EOR>"
                                         << otto + QStringList{"2" + kLine.mid(1)}
                                         << QStringList{"Datensatz 1, Zeile 3: <NAME:999999999> reicht über"};
    QTest::newRow("in the header") << "<PROGRAMID:500>x<EOH>" + r + "<EOR>" << one << none;
    // Power as other programs write it: JTDX adds the unit, a hand-kept log
    // names the rig. One record's text never stops the import.
    QTest::newRow("JTDX: TX_PWR with its unit")
        << QByteArray("JTDX ADIF Export<eoh>\n<call:6>Q0TEST <gridsquare:4>JO31 <mode:3>FT8 <rst_sent:3>-10 "
                      "<rst_rcvd:3>-07 <qso_date:8>20040312 <time_on:6>184500 <band:3>20m <freq:9>14.075000 "
                      "<station_callsign:5>DL1XX <tx_pwr:3>50W <eor>\n")
        << QStringList{"1;12.03.2004;18:45:00;20m;FT8;Q0TEST;-10;-07;;;;JO31;50W;;;"} << none;
    // The forms of power text themselves are test_logfile's (Normalize reads them).
    QTest::newRow("power as free text, then with a unit")
        << h + r + "<TX_PWR:5>KWM-2<EOR>\r\n" + r + "<TX_PWR:5>1.5kW<EOR>\r\n"
        << QStringList{line(";;;;;;1W; / KWM-2;;")[0], "2" + line(";;;;;;1500W;;;")[0].mid(1)} << none;
    QTest::newRow("unclosed specifier") << h + r + "<EOR><CALL:3" << one << none;
}

void TestAdif::import() {
    QFETCH(QByteArray, adif);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, noteHas);
    TestFolder dir;
    dir.write("in.adi", adif);
    const ConverterResult result = LogConverter(m_clock).ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(SampleLog::lines(dir.file("t.log")), lines);
    QCOMPARE(result.written, lines.size());
    QVERIFY(dir.read("t.log").startsWith(QsoRecord::headerLine().toLatin1() + "\r\n"));
    QCOMPARE(result.notes.isEmpty(), noteHas.isEmpty());
    const QString notes = result.notes.join(u'\n');
    for (const QString& part : noteHas)
        QVERIFY2(notes.contains(part) && notes.contains(QStringLiteral("in.adi\"")), qPrintable(notes));
}

void TestAdif::importAppendsAfterExistingRecords() {
    TestFolder dir;
    dir.writeLog("t.log", {"7;010203;1234;2M;fm;a1a;;;;;;;100;;;"});
    dir.write("in.adi", "<EOH>" + kRecord + "<EOR>" + kRecord + "<EOR>");
    const ConverterResult result = LogConverter(m_clock).ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QVERIFY(result.written == 2 && result.total == 3);
    QCOMPARE(SampleLog::lines(dir.file("t.log")),
             (QStringList{"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;100W;;;", "2" + kLine.mid(1), "3" + kLine.mid(1)}));
}

// A refused import names the file and the place, and no log is touched.
void TestAdif::refused_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("logLast"); // the last line of the existing log
    QTest::addColumn<QStringList>("messageHas");
    const QString good = QStringLiteral("1;01.02.2003;12:34:00;2m;FM;B1B;;;;;;;1W;;;");
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) % 256);
    const QStringList nothing = {"in.adi", "nichts importiert"};
    QTest::newRow("binary") << binary << good << nothing + QStringList{"keine Textdatei"};
    QTest::newRow("empty") << QByteArray() << good << nothing + QStringList{"ist leer"};
    QTest::newRow("plain text") << QByteArray("Dear OM, tnx.\r\n") << good << nothing + QStringList{"keine ADIF-Datei"};
    QTest::newRow("last number of the log not whole") << "<EOH>" + kRecord + "<EOR>"
                                                      << "x" + good.mid(1) << QStringList{"t.log\", Zeile 3", "\"x\""};
    QTest::newRow("a line of the log no contact can be") << "<EOH>" + kRecord + "<EOR>" << "2" + good.mid(1) + ";x"
                                                         << QStringList{"t.log\", Zeile 3", "mehr als 15 Trennzeichen"};
}

void TestAdif::refused() {
    QFETCH(QByteArray, input);
    QFETCH(QString, logLast);
    QFETCH(QStringList, messageHas);
    TestFolder dir;
    dir.write("in.adi", input);
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;", logLast});
    const QByteArray before = dir.read("t.log");
    LogConverter converter(m_clock);
    const QString error = errorOf([&] { converter.ImportAdif(dir.file("in.adi"), dir.file("t.log")); });
    for (const QString& part : messageHas)
        QVERIFY2(error.contains(part), qPrintable(error));
    QCOMPARE(dir.read("t.log"), before);
    if (logLast.startsWith(u'1')) { // the input is at fault: a new log is not even begun
        QVERIFY(!errorOf([&] { converter.ImportAdif(dir.file("in.adi"), dir.file("new.log")); }).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.file("new.log")));
    }
}

// Log4OM.adi starts with a byte order mark, a '#' comment header and a
// misspelt header field; its values are followed by blanks.
void TestAdif::realFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("firstLine");
    for (const char* name : {"ADIF_316_test_QSOs_2025_08_27.adi", "N3FJP-AClogAdif.adi", "lotwreport.adi",
                             "skcc-logger.adi"})
        QTest::newRow(name) << QFINDTESTDATA(QStringLiteral("data/") + name) << QString();
    QTest::newRow("Log4OM.adi") << QFINDTESTDATA("data/Log4OM.adi")
                                << "1;30.01.2021;15:07:39;40m;SSB;KE8LVA;55;57;;Aaron M Frazier;Wooster;EN80WS;1W;"
                                   "POTA K-8269;01.01.1901;";
}

void TestAdif::realFiles() {
    QFETCH(QString, file);
    QFETCH(QString, firstLine);
    QFile in(file);
    QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(file));
    const int expected = completeRecordsIn(in.readAll());
    QVERIFY(expected > 0);
    TestFolder dir;
    QCOMPARE(LogConverter(m_clock).ImportAdif(file, dir.file("t.log")).written, expected);
    const QStringList lines = SampleLog::lines(dir.file("t.log"));
    QCOMPARE(lines.size(), expected);
    if (!firstLine.isEmpty())
        QCOMPARE(lines.first(), firstLine);
    // Nothing of the next data specifier leaks into a value, and no call
    // keeps the blank that stands before the next tag in some files.
    const QRegularExpression specifier(QStringLiteral("<[A-Za-z_]+(:\\d+)?>"));
    for (const QString& line : lines)
        QVERIFY2(!specifier.match(line).hasMatch() && !line.section(u';', 5, 5).contains(u' '), qPrintable(line));
}

QTEST_GUILESS_MAIN(TestAdif)
#include "test_adif.moc"
