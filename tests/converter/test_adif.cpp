#include "converter/AdifFormat.h"
#include "converter/LogConverter.h"
#include "logstore/IoError.h"
#include "SampleLog.h"
#include "TestFolder.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

const QByteArray kRecord = "<QSO_DATE:8>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST";
const QString kLine = QStringLiteral("1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;1W;;;");

QsoRecord fromLine(const QString& line) {
    QsoRecord r;
    QsoRecord::decodeLine(line, r);
    return r;
}

// The records an independent reading finds complete: split at <EOR> after
// the header, and a record counts when each of the five fields stands in it
// by its exact name with a length above zero.
int completeRecordsIn(const QByteArray& bytes) {
    const QString text = QString::fromLatin1(bytes);
    const QRegularExpression eoh(QStringLiteral("<eoh>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch header = eoh.match(text);
    const QString body = header.hasMatch() ? text.mid(header.capturedEnd()) : text;
    const QStringList chunks =
        body.split(QRegularExpression(QStringLiteral("<eor>"), QRegularExpression::CaseInsensitiveOption));
    int complete = 0;
    for (const QString& chunk : chunks) {
        bool all = true;
        for (const char* name : {"QSO_DATE", "TIME_ON", "BAND", "MODE", "CALL"}) {
            const QRegularExpression field(
                QStringLiteral("<%1:0*[1-9][0-9]*(:[a-z])?>").arg(QLatin1String(name)),
                QRegularExpression::CaseInsensitiveOption);
            all = all && field.match(chunk).hasMatch();
        }
        complete += all ? 1 : 0;
    }
    return complete;
}

QString dataFile(const char* name) {
    return QFINDTESTDATA(QStringLiteral("data/") + QLatin1String(name));
}

} // namespace

class TestAdif : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportRecord_data();
    void exportRecord();
    void exportFileHeaderAndOrder();
    void exportKeepsTargetOnMissingLog();
    void import_data();
    void import();
    void importNotes_data();
    void importNotes();
    void importAppendsAfterExistingRecords();
    void importCreatesMissingLog();
    void importHeaderOnlyFile();
    void importRefusesLastNumberNotWhole();
    void importStopsOnUnrepairablePower();
    void badInput_data();
    void badInput();
    void realFiles_data();
    void realFiles();
    void realFileValues();

private:
    FakeClock m_clock;
};

void TestAdif::exportRecord_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("adif");
    const QByteArray first = "<QSO_DATE:8>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST\r\n";
    const QByteArray noQsl = "<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n";
    QTest::newRow("only the fields always written") << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;59;57;;;;;;;;"
                                                    << first + "<RST_SENT:2>59<RST_RCVD:2>57\r\n\r\n" + noQsl;
    QTest::newRow("every optional field")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;59;57;b36;Hans;Bonn;JO30AB;5W;Gut;;"
        << first +
               "<RST_SENT:2>59<RST_RCVD:2>57<DOK:3>b36<NAME:4>Hans<QTH:4>Bonn\r\n"
               "<GRIDSQUARE:6>JO30AB<TX_PWR:1>5<COMMENT:3>Gut\r\n" +
               noQsl;
    QTest::newRow("comment lines joined by a blank")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;;a#13#10b;;"
        << first + "<RST_SENT:0><RST_RCVD:0>\r\n<COMMENT:3>a b\r\n" + noQsl;
    QTest::newRow("decimal comma power") << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;0,5W;;;"
                                         << first + "<RST_SENT:0><RST_RCVD:0>\r\n<TX_PWR:3>0,5\r\n" + noQsl;
    QTest::newRow("power without unit keeps its digits")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;100;;;"
        << first + "<RST_SENT:0><RST_RCVD:0>\r\n<TX_PWR:3>100\r\n" + noQsl;
    QTest::newRow("unreadable date and time: the clock's")
        << "1;32.13.2004;25:00:00;20m;SSB;Q0TEST;;;;;;;;;;"
        << "<QSO_DATE:8>20261206<TIME_ON:6>183015<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST\r\n"
           "<RST_SENT:0><RST_RCVD:0>\r\n\r\n" +
               noQsl;
    QTest::newRow("two-digit year") << "1;12.03.04;18:45:00;20m;SSB;Q0TEST;;;;;;;;;;"
                                    << first + "<RST_SENT:0><RST_RCVD:0>\r\n\r\n" + noQsl;
    QTest::newRow("QSL dates")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;;;01.01.1901;05.06.2004"
        << first + "<RST_SENT:0><RST_RCVD:0>\r\n\r\n"
                   "<QSLSDATE:8>19010101<QSL_SENT:1>Y<QSLRDATE:8>20040605<QSL_RCVD:1>Y<EOR>\r\n";
    QTest::newRow("umlaut counts one character")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;Jürgen;Köln;;;;;"
        << first + "<RST_SENT:0><RST_RCVD:0><NAME:6>J\xFCrgen<QTH:4>K\xF6ln\r\n\r\n" + noQsl;
    QTest::newRow("value with markup characters")
        << "1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;;<EOR> & <b>;;"
        << first + "<RST_SENT:0><RST_RCVD:0>\r\n<COMMENT:11><EOR> & <b>\r\n" + noQsl;
}

void TestAdif::exportRecord() {
    QFETCH(QString, line);
    QFETCH(QByteArray, adif);
    QByteArray out;
    Adif::appendRecord(out, fromLine(line), m_clock.localNow());
    QCOMPARE(out, adif);
}

void TestAdif::exportFileHeaderAndOrder() {
    TestFolder dir;
    dir.writeLog("b.log", {"1;01.01.2005;10:00:00;2m;FM;B1B;;;;;;;1W;;;"});
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;",
                           "2;02.01.2004;10:00:00;2m;FM;A2A;;;;;;;1W;;;"});
    LogConverter converter(m_clock);
    const ConverterResult result =
        converter.ExportAdif({dir.file("b.log"), dir.file("a.log")}, dir.file("out.adi"));
    QCOMPARE(result.written, 3);
    const QByteArray bytes = dir.read("out.adi");
    QVERIFY(bytes.startsWith("This log was created with Vesk LogConverter - " +
                             LogConverter::webAddress().toLatin1() + "<EOH>\r\n\r\n<QSO_DATE:8>20050101"));
    QCOMPARE(bytes.count("<EOR>\r\n"), 3);
    QVERIFY(bytes.indexOf("B1B") < bytes.indexOf("A1A"));
    QVERIFY(bytes.indexOf("A1A") < bytes.indexOf("A2A"));
    QVERIFY(!bytes.contains("\r\n\r\n<QSO_DATE:8>20040101")); // records follow without an empty line
}

void TestAdif::exportKeepsTargetOnMissingLog() {
    TestFolder dir;
    dir.writeLog("a.log", {kLine});
    dir.write("out.adi", "old content");
    LogConverter converter(m_clock);
    try {
        converter.ExportAdif({dir.file("a.log"), dir.file("missing.log")}, dir.file("out.adi"));
        QFAIL("a missing log must stop the export");
    } catch (const IoError& e) {
        QVERIFY(e.message().contains(QStringLiteral("missing.log")));
    }
    QCOMPARE(dir.read("out.adi"), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestAdif::import_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QStringList>("lines");
    const QByteArray h = "header text\r\n<PROGRAMID:4>test<EOH>\r\n";
    const QByteArray r = kRecord;
    const QString base = QStringLiteral("1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;;;%1;%2;%3;%4");
    auto line = [&](const QString& pwr, const QString& comments = {}, const QString& out = {},
                    const QString& in = {}) { return base.arg(pwr, comments, out, in); };
    QTest::newRow("plain") << h + r + "<EOR>\r\n" << QStringList{kLine};
    QTest::newRow("time of four digits")
        << h + "<QSO_DATE:8>20040312<TIME_ON:4>1845<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST<EOR>"
        << QStringList{kLine};
    QTest::newRow("lower-case names, seconds kept")
        << h + "<qso_date:8>20040312<time_on:6>184512<band:3>20m<mode:3>ssb<call:6>q0test<eor>"
        << QStringList{"1;12.03.2004;18:45:12;20m;SSB;Q0TEST;;;;;;;1W;;;"};
    QTest::newRow("blank before the next tag is not part of the value")
        << h + "<QSO_DATE:8>20040312 <TIME_ON:6>184500 <CALL:6>q0test <BAND:3>20M <MODE:3>SSB <EOR>"
        << QStringList{kLine};
    QTest::newRow("value holding '<' by its length")
        << h + r + "<COMMENT:17>a < b <c> & <d:e><EOR>" << QStringList{line("1W", "a < b <c> & <d:e>")};
    QTest::newRow("value holding a whole data specifier, the next field right after")
        << h + r + "<COMMENT:10>a<CALL:3>x\r\n<EOR>" << QStringList{line("1W", "a<CALL:3>x")};
    // When text follows, the length is taken for wrong: a file whose line
    // ends changed after the lengths were counted looks like this.
    QTest::newRow("value holding a whole data specifier, text after it")
        << h + r + "<COMMENT:11>a<EOR><b:1>c<EOR>" << QStringList{line("1W", "a")};
    QTest::newRow("undated QSL") << h + r + "<QSL_SENT:1>Y<QSL_RCVD:1>y<EOR>"
                                 << QStringList{line("1W", {}, "01.01.1901")};
    QTest::newRow("QSL date after QSL_SENT replaces the undated mark")
        << h + r + "<QSL_SENT:1>Y<QSLSDATE:8>20040401<QSL_RCVD:1>Y<QSLRDATE:8>20040501<EOR>"
        << QStringList{line("1W", {}, "01.04.2004", "01.05.2004")};
    QTest::newRow("QSL date before QSL_SENT stays")
        << h + r + "<QSLSDATE:8>20040401<QSL_SENT:1>Y<EOR>" << QStringList{line("1W", {}, "01.04.2004")};
    QTest::newRow("power in watts") << h + r + "<TX_PWR:2>50<EOR>" << QStringList{line("50W")};
    QTest::newRow("empty power is no power") << h + r + "<TX_PWR:0><EOR>" << QStringList{line("1W")};
    QTest::newRow("report, club, name, place, locator")
        << h + r +
               "<RST_SENT:3>599<RST_RCVD:6>59 012<DOK:3>b36<NAME:4>Hans<QTH:4>Bonn<GRIDSQUARE:6>jo30ab<EOR>"
        << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;599;59 012;B36;Hans;Bonn;JO30AB;1W;;;"};
    QTest::newRow("longer names are other fields")
        << h + r +
               "<QSO_DATE_OFF:8>20050101<BAND_RX:3>40m<GRIDSQUARE_EXT:2>AB<COMMENT_INTL:1>x<NAME_INTL:1>y"
               "<MY_GRIDSQUARE:6>JO30AA<TIME_OFF:6>235959<CALLSIGN:4>XXXX<EOR>"
        << QStringList{kLine};
    QTest::newRow("data type indicator") << h + "<QSO_DATE:8:D>20040312<TIME_ON:6:T>184500<BAND:3>20m"
                                                "<MODE:3>SSB<CALL:6:S>Q0TEST<EOR>"
                                         << QStringList{kLine};
    QTest::newRow("several records on a line, text between them")
        << h + r + "<EOR> between <CALL:3>ab1 " +
               "<QSO_DATE:8>20040313<TIME_ON:4>0102<BAND:2>2m<MODE:2>FM<EOR> // end"
        << QStringList{kLine, "2;13.03.2004;01:02:00;2m;FM;AB1;;;;;;;1W;;;"};
    QTest::newRow("no header") << r + "<EOR>\r\n" << QStringList{kLine};
    QTest::newRow("complete last record without <EOR>") << h + r + "\r\n" << QStringList{kLine};
    QTest::newRow("incomplete last record without <EOR>")
        << h + r + "<EOR>" + "<CALL:3>AB1<BAND:2>2m" << QStringList{kLine};
    QTest::newRow("record without mode uses no number")
        << h + "<QSO_DATE:8>20040311<TIME_ON:6>184500<BAND:3>20m<CALL:3>AB1<EOR>" + r + "<EOR>"
        << QStringList{kLine};
    QTest::newRow("empty date is no date") << h + "<QSO_DATE:0>" + r.mid(20) + "<EOR>" << QStringList{};
    QTest::newRow("unreadable date goes to Comments")
        << h + "<QSO_DATE:8>2004xx12<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST<EOR>"
        << QStringList{"1;06.12.2026;18:45:00;20m;SSB;Q0TEST;;;;;;;1W; / 12.xx.2004;;"};
    QTest::newRow("specifier without length: up to the next '<'")
        << h + "<CALL>Q0TEST \r\n<QSO_DATE:x>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<EOR>"
        << QStringList{kLine};
    QTest::newRow("comment with a line break")
        << h + r + "<COMMENT:4>a\r\nb<EOR>" << QStringList{line("1W", "a#13#10b")};
    QTest::newRow("line break elsewhere becomes a blank")
        << h + r + "<QTH:4>a\r\nb<EOR>" << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;;a b;;1W;;;"};
    QTest::newRow("semicolon dropped as the log requires")
        << h + r + "<NAME:3>a;b<EOR>" << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;ab;;;1W;;;"};
    QTest::newRow("8-bit umlaut") << h + r + "<NAME:6>J\xFCrgen<EOR>"
                                  << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;Jürgen;;;1W;;;"};
    QTest::newRow("UTF-8 with byte order mark")
        << "\xEF\xBB\xBF" + h + r + "<NAME:7>J\xC3\xBCrgen<EOR>"
        << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;Jürgen;;;1W;;;"};
    QTest::newRow("UTF-8 length counted in characters")
        << h + r + "<NAME:6>J\xC3\xBCrgen\r\n<QTH:4>K\xC3\xB6ln\r\n<EOR>"
        << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;Jürgen;Köln;;1W;;;"};
    QTest::newRow("two headers of joined files")
        << h + r + "<EOR>\r\n" + h + r + "<EOR>" << QStringList{kLine, kLine.mid(1).prepend(u'2')};
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : QString::fromLatin1(h + r) + QStringLiteral("<NAME:6>Jürgen<EOR>"))
        utf16 += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    QTest::newRow("UTF-16") << utf16 << QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;;;;Jürgen;;;1W;;;"};
}

void TestAdif::import() {
    QFETCH(QByteArray, adif);
    QFETCH(QStringList, lines);
    TestFolder dir;
    dir.write("in.adi", adif);
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(SampleLog::lines(dir.file("t.log")), lines);
    QCOMPARE(result.written, lines.size());
    QCOMPARE(result.total, lines.size());
    QVERIFY(dir.read("t.log").startsWith(QsoRecord::headerLine().toLatin1() + "\r\n"));
}

void TestAdif::importNotes_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QStringList>("noteHas"); // one entry per expected note
    const QByteArray h = "x<EOH>\r\n";
    QTest::newRow("none") << h + kRecord + "<UNKNOWN>x<APP_X:99>y<EOR>" << QStringList{};
    QTest::newRow("no length") << h + kRecord + "\r\n\r\n<NAME>Otto<EOR>"
                               << QStringList{"Datensatz 1, Zeile 4: <NAME> hat keine gültige Länge"};
    QTest::newRow("past the end") << h + kRecord + "<NAME:30>Otto"
                                  << QStringList{"<NAME:30> reicht über das Dateiende hinaus",
                                                 "ohne <EOR>; er ist vollständig"};
    QTest::newRow("into the next") << h + kRecord + "<EOR>" + kRecord + "<NAME:9>Otto<EOR>"
                                   << QStringList{
                                          "Datensatz 2, Zeile 2: <NAME:9> reicht in die nächste Angabe"};
}

void TestAdif::importNotes() {
    QFETCH(QByteArray, adif);
    QFETCH(QStringList, noteHas);
    TestFolder dir;
    dir.write("in.adi", adif);
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(result.notes.size(), noteHas.size());
    for (int i = 0; i < noteHas.size(); ++i) {
        QVERIFY2(result.notes[i].contains(noteHas[i]), qPrintable(result.notes[i]));
        QVERIFY(result.notes[i].contains(QStringLiteral("in.adi")));
    }
    QCOMPARE(SampleLog::read(dir.file("t.log")).last()[QsoRecord::Call], QStringLiteral("Q0TEST"));
}

void TestAdif::importAppendsAfterExistingRecords() {
    TestFolder dir;
    dir.writeLog("t.log",
                 {"7;010203;1234;2M;fm;a1a;;;;;;;100;;;", "8;01.02.2003;12:35:00;2m;FM;B1B;;;;;;;1W;;;"});
    dir.write("in.adi", "<EOH>" + kRecord + "<EOR>" + kRecord + "<EOR>");
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(result.written, 2);
    QCOMPARE(result.total, 4);
    QCOMPARE(
        SampleLog::lines(dir.file("t.log")),
        (QStringList{"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;100W;;;",
                     "2;01.02.2003;12:35:00;2m;FM;B1B;;;;;;;1W;;;", "3" + kLine.mid(1), "4" + kLine.mid(1)}));
}

void TestAdif::importCreatesMissingLog() {
    TestFolder dir;
    dir.write("in.adi", "<EOH>" + kRecord + "<EOR>");
    LogConverter converter(m_clock);
    converter.ImportAdif(dir.file("in.adi"), dir.file("new.log"));
    QCOMPARE(dir.read("new.log"), crlf({QsoRecord::headerLine(), kLine}));
}

void TestAdif::importHeaderOnlyFile() {
    TestFolder dir;
    dir.write("in.adi", "Nothing logged yet\r\n<PROGRAMID:4>test<EOH>\r\n");
    dir.writeLog("t.log", {"9;010203;1234;2m;FM;A1A;;;;;;;1W;;;"});
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(result.written, 0);
    // The log is still normalised, as after any import.
    QCOMPARE(dir.read("t.log"),
             crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"}));
}

void TestAdif::importRefusesLastNumberNotWhole() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;",
                           "x;01.02.2003;12:34:00;2m;FM;B1B;;;;;;;1W;;;"});
    const QByteArray before = dir.read("t.log");
    dir.write("in.adi", "<EOH>" + kRecord + "<EOR>");
    LogConverter converter(m_clock);
    try {
        converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
        QFAIL("the import must stop");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("t.log\", Zeile 3")), qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("\"x\"")));
    }
    QCOMPARE(dir.read("t.log"), before);
}

void TestAdif::importStopsOnUnrepairablePower() {
    // "1.5k" becomes "1.5KW", which Normalize cannot read under German
    // number rules: the import stops before the log is written.
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    const QByteArray before = dir.read("t.log");
    dir.write("in.adi", "<EOH>\r\n" + kRecord + "<EOR>\r\n" + kRecord + "<TX_PWR:4>1.5k<EOR>\r\n");
    LogConverter converter(m_clock);
    for (const QString& target : {QStringLiteral("t.log"), QStringLiteral("new.log")}) {
        try {
            converter.ImportAdif(dir.file("in.adi"), dir.file(target));
            QFAIL("the import must stop");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("in.adi\", Datensatz 2, Zeile 3")),
                     qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("1.5KW")));
        }
    }
    QCOMPARE(dir.read("t.log"), before);
    QVERIFY(!QFileInfo::exists(dir.file("new.log")));
}

void TestAdif::badInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("messageHas"); // empty: imported, see `imported`
    QTest::addColumn<int>("imported");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919) % 256);
    QTest::newRow("binary") << binary << "keine Textdatei" << 0;
    QTest::newRow("empty") << QByteArray() << "ist leer" << 0;
    QTest::newRow("plain text") << QByteArray("Dear OM, tnx for the QSO.\r\n") << "keine ADIF-Datei" << 0;
    QTest::newRow("HTML") << QByteArray("<html><body><p>73</p></body></html>") << "keine ADIF-Datei" << 0;
    QTest::newRow("broken length swallowing the rest")
        << "<EOH>" + kRecord + "<NAME:999999999>Otto<EOR>" + kRecord + "<EOR>"
        << "" << 2;
    QTest::newRow("broken length in the header") << "<PROGRAMID:500>x<EOH>" + kRecord + "<EOR>" << "" << 1;
    QTest::newRow("negative length") << "<EOH>" + kRecord + "<NAME:-3>Otto<EOR>" << "" << 1;
    QTest::newRow("unclosed specifier") << "<EOH>" + kRecord + "<EOR><CALL:3" << "" << 1;
}

void TestAdif::badInput() {
    QFETCH(QByteArray, input);
    QFETCH(QString, messageHas);
    QFETCH(int, imported);
    TestFolder dir;
    dir.write("in.adi", input);
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    const QByteArray before = dir.read("t.log");
    LogConverter converter(m_clock);
    if (!messageHas.isEmpty()) {
        try {
            converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
            QFAIL("bad input must be reported");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(messageHas), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("in.adi")));
            QVERIFY(e.message().contains(QStringLiteral("nichts importiert")));
        }
        QCOMPARE(dir.read("t.log"), before);
        return;
    }
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(result.written, imported);
    QCOMPARE(SampleLog::read(dir.file("t.log")).size(), 1 + imported);
}

void TestAdif::realFiles_data() {
    QTest::addColumn<QString>("file");
    for (const char* name : {"ADIF_316_test_QSOs_2025_08_27.adi", "Log4OM.adi", "N3FJP-AClogAdif.adi",
                             "lotwreport.adi", "skcc-logger.adi"})
        QTest::newRow(name) << dataFile(name);
}

void TestAdif::realFiles() {
    QFETCH(QString, file);
    QVERIFY2(QFileInfo::exists(file), qPrintable(file));
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const int expected = completeRecordsIn(in.readAll());
    QVERIFY(expected > 0);
    TestFolder dir;
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(file, dir.file("t.log"));
    QCOMPARE(result.written, expected);
    const QList<QsoRecord> records = SampleLog::read(dir.file("t.log"));
    QCOMPARE(records.size(), expected);
    // Nothing of the next data specifier leaks into a value, and no call
    // keeps the blank that stands before the next tag in some files.
    const QRegularExpression specifier(QStringLiteral("<[A-Za-z_]+(:\\d+)?>"));
    for (const QsoRecord& r : records) {
        QVERIFY2(!specifier.match(r.encodeLine()).hasMatch(), qPrintable(r.encodeLine()));
        QVERIFY2(!r[QsoRecord::Call].contains(u' '), qPrintable(r[QsoRecord::Call]));
    }
}

void TestAdif::realFileValues() {
    TestFolder dir;
    LogConverter converter(m_clock);
    converter.ImportAdif(dataFile("Log4OM.adi"), dir.file("log4om.log"));
    const QsoRecord first = SampleLog::read(dir.file("log4om.log")).first();
    // The file starts with a byte order mark, a '#' comment header and a
    // misspelt header field; its values are followed by blanks.
    QCOMPARE(first.encodeLine(), QStringLiteral("1;30.01.2021;15:07:39;40m;SSB;KE8LVA;55;57;;Aaron M Frazier;"
                                                "Wooster;EN80WS;1W;POTA K-8269;01.01.1901;"));

    converter.ImportAdif(dataFile("lotwreport.adi"), dir.file("lotw.log"));
    const QsoRecord lotw = SampleLog::read(dir.file("lotw.log")).first();
    QCOMPARE(lotw[QsoRecord::Call], QStringLiteral("N5ILQ"));
    QCOMPARE(lotw[QsoRecord::Band], QStringLiteral("20m"));
    QCOMPARE(lotw[QsoRecord::Date], QStringLiteral("02.06.2022"));

    // The official test file: QSO_DATE_OFF and TIME_OFF stand beside
    // QSO_DATE and TIME_ON of this contact and must not replace them.
    converter.ImportAdif(dataFile("ADIF_316_test_QSOs_2025_08_27.adi"), dir.file("316.log"));
    bool found = false;
    for (const QsoRecord& r : SampleLog::read(dir.file("316.log"))) {
        if (r[QsoRecord::Call] != u"9J2FSV")
            continue;
        found = true;
        QCOMPARE(r[QsoRecord::Date], QStringLiteral("02.05.2023"));
        QCOMPARE(r[QsoRecord::Utc], QStringLiteral("23:50:00"));
        QCOMPARE(r[QsoRecord::Band], QStringLiteral("17m"));
        QCOMPARE(r[QsoRecord::Mode], QStringLiteral("Q15"));
    }
    QVERIFY(found);
}

QTEST_GUILESS_MAIN(TestAdif)
#include "test_adif.moc"
