#include "SampleLog.h"
#include "TestFolder.h"
#include "converter/AdifFormat.h"
#include "converter/LogConverter.h"
#include "logstore/IoError.h"

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
// the header; a record counts when each of the five fields stands in it by
// its exact name with a length above zero.
int completeRecordsIn(const QByteArray& bytes) {
    const auto ci = QRegularExpression::CaseInsensitiveOption;
    const QString text = QString::fromLatin1(bytes);
    const QRegularExpressionMatch header = QRegularExpression(QStringLiteral("<eoh>"), ci).match(text);
    int complete = 0;
    for (const QString& chunk : text.mid(header.hasMatch() ? header.capturedEnd() : 0)
                                    .split(QRegularExpression(QStringLiteral("<eor>"), ci))) {
        bool all = true;
        for (const char* name : {"QSO_DATE", "TIME_ON", "BAND", "MODE", "CALL"})
            all = all && chunk.contains(QRegularExpression(
                             QStringLiteral("<%1:0*[1-9][0-9]*(:[a-z])?>").arg(QLatin1String(name)), ci));
        complete += all ? 1 : 0;
    }
    return complete;
}

// The message of the IoError a call throws; empty when it throws none.
template <typename F> QString errorOf(F call) {
    try {
        call();
    } catch (const IoError& e) {
        return e.message();
    }
    return {};
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
    void refused_data();
    void refused();
    void brokenLengths_data();
    void brokenLengths();
    void realFiles_data();
    void realFiles();
    void realFileValues();

private:
    FakeClock m_clock;
};

// Field values and their escapes are the round trip's (test_convertroundtrip);
// these rows hold the byte layout other programs read.
void TestAdif::exportRecord_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("adif");
    const QByteArray first = "<QSO_DATE:8>20040312<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST\r\n";
    const QByteArray noQsl = "<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n";
    const QString l = QStringLiteral("1;%1;%2;20m;SSB;Q0TEST;%3");
    const QByteArray e = "<RST_SENT:0><RST_RCVD:0>";
    QTest::newRow("every optional field") << l.arg("12.03.2004", "18:45:00", "59;57;b36;Hans;Bonn;JO30AB;5W;Gut;;")
                                          << first +
                                                 "<RST_SENT:2>59<RST_RCVD:2>57<DOK:3>b36<NAME:4>Hans<QTH:4>Bonn\r\n"
                                                 "<GRIDSQUARE:6>JO30AB<TX_PWR:1>5<COMMENT:3>Gut\r\n" +
                                                 noQsl;
    QTest::newRow("unreadable date and time: the clock's") << l.arg("32.13.2004", "25:00:00", ";;;;;;;;;")
        << "<QSO_DATE:8>20261206<TIME_ON:6>183015<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST\r\n" + e + "\r\n\r\n" + noQsl;
    QTest::newRow("QSL dates") << l.arg("12.03.2004", "18:45:00", ";;;;;;;;01.01.1901;05.06.2004") << first + e +
                                      "\r\n\r\n<QSLSDATE:8>19010101<QSL_SENT:1>Y"
                                      "<QSLRDATE:8>20040605<QSL_RCVD:1>Y<EOR>\r\n";
    QTest::newRow("umlaut counts one character") << l.arg("12.03.2004", "18:45:00", ";;;Jürgen;Köln;;;;;")
                                                 << first + e + "<NAME:6>J\xFCrgen<QTH:4>K\xF6ln\r\n\r\n" + noQsl;
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
    dir.writeLog("a.log",
                 {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;", "2;02.01.2004;10:00:00;2m;FM;A2A;;;;;;;1W;;;"});
    LogConverter converter(m_clock);
    QCOMPARE(converter.ExportAdif({dir.file("b.log"), dir.file("a.log")}, dir.file("out.adi")).written, 3);
    const QByteArray bytes = dir.read("out.adi");
    QVERIFY(bytes.startsWith("This log was created with Vesk LogConverter - " + LogConverter::webAddress().toLatin1() +
                             "<EOH>\r\n\r\n<QSO_DATE:8>20050101"));
    QVERIFY(bytes.indexOf("B1B") < bytes.indexOf("A1A") && bytes.indexOf("A1A") < bytes.indexOf("A2A"));
    QVERIFY(!bytes.contains("\r\n\r\n<QSO_DATE:8>20040101")); // records follow without an empty line
}

void TestAdif::exportKeepsTargetOnMissingLog() {
    TestFolder dir;
    dir.writeLog("a.log", {kLine});
    dir.write("out.adi", "old content");
    LogConverter converter(m_clock);
    const QString error = errorOf([&] {
        converter.ExportAdif({dir.file("a.log"), dir.file("missing.log")}, dir.file("out.adi"));
    });
    QVERIFY2(error.contains(QStringLiteral("missing.log")), qPrintable(error));
    QCOMPARE(dir.read("out.adi"), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestAdif::import_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QStringList>("lines");
    const QByteArray h = "header text\r\n<PROGRAMID:4>test<EOH>\r\n";
    const QByteArray r = kRecord;
    // The record line of kRecord with the given fields after the call.
    auto line = [](const char* rest) {
        return QStringList{"1;12.03.2004;18:45:00;20m;SSB;Q0TEST;" + QString::fromUtf8(rest)};
    };
    QTest::newRow("plain") << h + r + "<EOR>\r\n" << QStringList{kLine};
    QTest::newRow("lower-case names, seconds kept")
        << h + "<qso_date:8>20040312<time_on:6>184512<band:3>20m<mode:3>ssb<call:6>q0test<eor>"
        << QStringList{"1;12.03.2004;18:45:12;20m;SSB;Q0TEST;;;;;;;1W;;;"};
    QTest::newRow("blank before the next tag is not part of the value")
        << h + "<QSO_DATE:8>20040312 <TIME_ON:6>184500 <CALL:6>q0test <BAND:3>20M <MODE:3>SSB <EOR>"
        << QStringList{kLine};
    QTest::newRow("value holding '<' by its length")
        << h + r + "<COMMENT:17>a < b <c> & <d:e><EOR>" << line(";;;;;;1W;a < b <c> & <d:e>;;");
    QTest::newRow("value holding a whole data specifier, the next field right after")
        << h + r + "<COMMENT:10>a<CALL:3>x\r\n<EOR>" << line(";;;;;;1W;a<CALL:3>x;;");
    // When text follows, the length is taken for wrong: a file whose line
    // ends changed after the lengths were counted looks like this.
    QTest::newRow("value holding a whole data specifier, text after it")
        << h + r + "<COMMENT:11>a<EOR><b:1>c<EOR>" << line(";;;;;;1W;a;;");
    QTest::newRow("undated QSL") << h + r + "<QSL_SENT:1>Y<QSL_RCVD:1>y<EOR>" << line(";;;;;;1W;;01.01.1901;");
    QTest::newRow("QSL date after QSL_SENT replaces the undated mark")
        << h + r + "<QSL_SENT:1>Y<QSLSDATE:8>20040401<QSL_RCVD:1>Y<QSLRDATE:8>20040501<EOR>"
        << line(";;;;;;1W;;01.04.2004;01.05.2004");
    QTest::newRow("longer names are other fields") << h + r +
               "<QSO_DATE_OFF:8>20050101<BAND_RX:3>40m<GRIDSQUARE_EXT:2>AB<COMMENT_INTL:1>x<NAME_INTL:1>y"
               "<MY_GRIDSQUARE:6>JO30AA<TIME_OFF:6>235959<CALLSIGN:4>XXXX<EOR>" << QStringList{kLine};
    QTest::newRow("data type indicator")
        << h + "<QSO_DATE:8:D>20040312<TIME_ON:6:T>184500<BAND:3>20m<MODE:3>SSB<CALL:6:S>Q0TEST<EOR>"
        << QStringList{kLine};
    QTest::newRow("several records on a line, text between them")
        << h + r + "<EOR> between <CALL:3>ab1 <QSO_DATE:8>20040313<TIME_ON:4>0102<BAND:2>2m<MODE:2>FM<EOR> // end"
        << QStringList{kLine, "2;13.03.2004;01:02:00;2m;FM;AB1;;;;;;;1W;;;"};
    QTest::newRow("no header") << r + "<EOR>\r\n" << QStringList{kLine};
    QTest::newRow("complete last record without <EOR>") << h + r + "\r\n" << QStringList{kLine};
    QTest::newRow("incomplete last record without <EOR>") << h + r + "<EOR><CALL:3>AB1<BAND:2>2m" << QStringList{kLine};
    QTest::newRow("record without mode uses no number")
        << h + "<QSO_DATE:8>20040311<TIME_ON:6>184500<BAND:3>20m<CALL:3>AB1<EOR>" + r + "<EOR>" << QStringList{kLine};
    QTest::newRow("unreadable date goes to Comments")
        << h + "<QSO_DATE:8>2004xx12<TIME_ON:6>184500<BAND:3>20m<MODE:3>SSB<CALL:6>Q0TEST<EOR>"
        << QStringList{"1;06.12.2026;18:45:00;20m;SSB;Q0TEST;;;;;;;1W; / 12.xx.2004;;"};
    QTest::newRow("comment with a line break") << h + r + "<COMMENT:4>a\r\nb<EOR>" << line(";;;;;;1W;a#13#10b;;");
    QTest::newRow("semicolon dropped as the log requires") << h + r + "<NAME:3>a;b<EOR>" << line(";;;ab;;;1W;;;");
    QTest::newRow("UTF-8 with byte order mark, length counted in characters")
        << "\xEF\xBB\xBF" + h + r + "<NAME:6>J\xC3\xBCrgen\r\n<QTH:4>K\xC3\xB6ln\r\n<EOR>"
        << line(";;;Jürgen;Köln;;1W;;;");
    QTest::newRow("two headers of joined files")
        << h + r + "<EOR>\r\n" + h + r + "<EOR>" << QStringList{kLine, kLine.mid(1).prepend(u'2')};
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : QString::fromLatin1(h + r) + QStringLiteral("<NAME:6>Jürgen<EOR>"))
        utf16 += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    QTest::newRow("UTF-16") << utf16 << line(";;;Jürgen;;;1W;;;");
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
    QVERIFY(dir.read("t.log").startsWith(QsoRecord::headerLine().toLatin1() + "\r\n"));
}

void TestAdif::importNotes_data() {
    QTest::addColumn<QByteArray>("adif");
    QTest::addColumn<QStringList>("noteHas"); // one entry per expected note
    const QByteArray h = "x<EOH>\r\n";
    QTest::newRow("unknown fields are no note") << h + kRecord + "<UNKNOWN>x<APP_X:99>y<EOR>" << QStringList{};
    QTest::newRow("no length") << h + kRecord + "\r\n\r\n<NAME>Otto<EOR>"
                               << QStringList{"Datensatz 1, Zeile 4: <NAME> hat keine gültige Länge"};
    QTest::newRow("past the end") << h + kRecord + "<NAME:30>Otto"
                                  << QStringList{"<NAME:30> reicht über das Dateiende hinaus",
                                                 "ohne <EOR>; er ist vollständig"};
    QTest::newRow("into the next") << h + kRecord + "<EOR>" + kRecord + "<NAME:9>Otto<EOR>"
                                   << QStringList{"Datensatz 2, Zeile 2: <NAME:9> reicht in die nächste Angabe"};
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
    dir.writeLog("t.log", {"7;010203;1234;2M;fm;a1a;;;;;;;100;;;", "8;01.02.2003;12:35:00;2m;FM;B1B;;;;;;;1W;;;"});
    dir.write("in.adi", "<EOH>" + kRecord + "<EOR>" + kRecord + "<EOR>");
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
    QCOMPARE(result.written, 2);
    QCOMPARE(result.total, 4);
    QCOMPARE(SampleLog::lines(dir.file("t.log")),
             (QStringList{"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;100W;;;",
                          "2;01.02.2003;12:35:00;2m;FM;B1B;;;;;;;1W;;;", "3" + kLine.mid(1), "4" + kLine.mid(1)}));
}

// A refused import names the file and the place, and no log is touched.
void TestAdif::refused_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("logLast"); // the last line of the existing log
    QTest::addColumn<QStringList>("messageHas");
    const QString good = QStringLiteral("1;01.02.2003;12:34:00;2m;FM;B1B;;;;;;;1W;;;");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919) % 256);
    const QStringList nothing = {"in.adi", "nichts importiert"};
    QTest::newRow("binary") << binary << good << nothing + QStringList{"keine Textdatei"};
    QTest::newRow("empty") << QByteArray() << good << nothing + QStringList{"ist leer"};
    QTest::newRow("plain text") << QByteArray("Dear OM, tnx.\r\n") << good << nothing + QStringList{"keine ADIF-Datei"};
    QTest::newRow("last number of the log not whole") << "<EOH>" + kRecord + "<EOR>"
                                                      << "x" + good.mid(1) << QStringList{"t.log\", Zeile 3", "\"x\""};
    // "1.5k" becomes "1.5KW", which Normalize cannot read under German number rules.
    QTest::newRow("unrepairable power") << "<EOH>\r\n" + kRecord + "<EOR>\r\n" + kRecord + "<TX_PWR:4>1.5k<EOR>\r\n"
                                        << good << QStringList{"in.adi\", Datensatz 2, Zeile 3", "1.5KW"};
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

// Broken lengths cost at most the field, never the contacts after it.
void TestAdif::brokenLengths_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("imported");
    QTest::newRow("swallowing the rest") << "<EOH>" + kRecord + "<NAME:999999999>Otto<EOR>" + kRecord + "<EOR>" << 2;
    QTest::newRow("in the header") << "<PROGRAMID:500>x<EOH>" + kRecord + "<EOR>" << 1;
    QTest::newRow("negative") << "<EOH>" + kRecord + "<NAME:-3>Otto<EOR>" << 1;
    QTest::newRow("unclosed specifier") << "<EOH>" + kRecord + "<EOR><CALL:3" << 1;
}

void TestAdif::brokenLengths() {
    QFETCH(QByteArray, input);
    QFETCH(int, imported);
    TestFolder dir;
    dir.write("in.adi", input);
    LogConverter converter(m_clock);
    QCOMPARE(converter.ImportAdif(dir.file("in.adi"), dir.file("t.log")).written, imported);
    QCOMPARE(SampleLog::read(dir.file("t.log")).size(), imported);
}

void TestAdif::realFiles_data() {
    QTest::addColumn<QString>("file");
    for (const char* name : {"ADIF_316_test_QSOs_2025_08_27.adi", "Log4OM.adi", "N3FJP-AClogAdif.adi", "lotwreport.adi",
                             "skcc-logger.adi"})
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
    QCOMPARE(converter.ImportAdif(file, dir.file("t.log")).written, expected);
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
}

QTEST_GUILESS_MAIN(TestAdif)
#include "test_adif.moc"
