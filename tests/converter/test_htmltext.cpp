#include "converter/LogConverter.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "SampleLog.h"
#include "TestFolder.h"

#include <QtTest>

namespace {

using Rows = QList<QStringList>;

Rows rowsOf(const StringGrid& grid) {
    Rows rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.columnCount(); ++c)
            row << grid.cell(c, r);
        rows << row;
    }
    return rows;
}

const QString kNone = QStringLiteral("00 - none");

// The message of the IoError a call throws; empty when it throws none.
template <typename F> QString errorOf(F call) {
    try {
        call();
    } catch (const IoError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestHtmlText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void htmlTitle();
    void htmlLayout();
    void htmlCreditFromLanguageFile();
    void textTable();
    void textTableOfEmptyLogs();
    void loadHtml_data();
    void loadHtml();
    void loadHtmlWithoutTable_data();
    void loadHtmlWithoutTable();
    void importHeadingRowAsRecord();
    void importStartBeyondLastRow();
    void importAssignments();
    void importFailureLeavesLog();
    void exportOverItsLog_data();
    void exportOverItsLog();

private:
    FakeClock m_clock;
};

void TestHtmlText::htmlTitle() {
    TestFolder dir;
    dir.writeLog("R&D.log", {});
    dir.writeLog("b.log", {});
    LogConverter(m_clock).ExportHtml({dir.file("R&D.log"), dir.file("b.log")}, dir.file("out.htm"));
    const QString html = Codepage::decode(dir.read("out.htm"));
    QVERIFY(html.contains(QStringLiteral("\r\n<title>R&amp;D.log / b.log</title>\r\n")));
    QVERIFY(html.contains(QStringLiteral("</head>\r\n<h1>R&amp;D.log / b.log</h1>\r\n<body>\r\n")));
}

void TestHtmlText::htmlLayout() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;Jürgen;A&B <C> \"D\";;10W;a#13#10b;;"});
    QCOMPARE(LogConverter(m_clock).ExportHtml({dir.file("a.log")}, dir.file("out.htm")).written, 1);
    QStringList lines = {"<html>", "<head>",
                         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                         "<title>a.log</title>", "</head>", "<h1>a.log</h1>", "<body>", "<table border=\"1\">",
                         " <tr>"};
    for (const QString& label : QsoRecord::headerTitles())
        lines << "  <th>" + label + "</th>";
    lines << " </tr>" << " <tr>";
    for (const char* cell : {"1", "01.02.2003", "12:00:00", "2m", "FM", "DL1ABC", "59", "59", "", "Jürgen",
                             "A&amp;B &lt;C&gt; &quot;D&quot;", "", "10W", "a<br>b", "", ""})
        lines << "  <td>" + QString::fromUtf8(cell) + "</td>";
    lines << " </tr>" << "</table>"
          << "<p align=\"right\">Erstellt mit Vesk LogConverter - <a href=\"" + LogConverter::webAddress() +
                 "\" target=\"_new\">" + LogConverter::webAddress().section(QStringLiteral("://"), 1) +
                 "</a></p>" << "</body>" << "</html>";
    QCOMPARE(dir.read("out.htm"), crlf(lines));
}

void TestHtmlText::htmlCreditFromLanguageFile() {
    TestFolder dir;
    dir.writeLog("a.log", {});
    LogConverter converter(m_clock);
    converter.setCreditText(QStringLiteral("Made with Vesk"));
    converter.ExportHtml({dir.file("a.log")}, dir.file("out.htm"));
    converter.ExportTxtFest({dir.file("a.log")}, dir.file("out.txt"));
    QVERIFY(dir.read("out.htm").contains("<p align=\"right\">Made with Vesk - <a href="));
    QVERIFY(dir.read("out.txt").endsWith(QByteArray(92 - 14, ' ') + "Made with Vesk\r\n"));
}

void TestHtmlText::textTable() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;abcd#13#10efgh;02.02.2003;",
                           "2;01.02.2003;12:01:00;2m;FM;DK2XY;;;;Jürgen;;;10W;ab;;"});
    LogConverter(m_clock).ExportTxtFest({dir.file("a.log")}, dir.file("out.txt"));
    // Widths: label or longest text plus one; Comments 12 for "abcd + efgh",
    // the QSL out column right after its one blank.
    const QStringList expected = {"# Date       UTC      Band Mode Call   RST TX RST RX DOK Name   QTH "
                                  "Locator TX Pwr Comments    QSL out    QSL in ",
                                  QString(113, u'~'),
                                  "1 01.02.2003 12:00:00 2m   FM   DL1ABC 59     59                          "
                                  "  10W    abcd + efgh 02.02.2003        ",
                                  "2 01.02.2003 12:01:00 2m   FM   DK2XY                    Jürgen           "
                                  "  10W    ab                            ",
                                  "",
                                  QString(113 - 30, u' ') + "Erstellt mit Vesk LogConverter"};
    QCOMPARE(dir.read("out.txt"), crlf(expected));
}

void TestHtmlText::textTableOfEmptyLogs() {
    TestFolder dir;
    dir.writeLog("a.log", {});
    dir.writeLog("b.log", {});
    LogConverter(m_clock).ExportTxtFest({dir.file("a.log"), dir.file("b.log")}, dir.file("out.txt"));
    const QString heading = QStringLiteral(
        "# Date UTC Band Mode Call RST TX RST RX DOK Name QTH Locator TX Pwr Comments QSL out QSL in ");
    QCOMPARE(dir.read("out.txt"), crlf({heading, QString(92, u'~'), "",
                                        QString(92 - 30, u' ') + "Erstellt mit Vesk LogConverter"}));
}

void TestHtmlText::loadHtml_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<Rows>("rows");
    const QByteArray head = "<html><body><p>Log</p>\r\n<table border=\"1\">\r\n";
    QTest::newRow("headings assigned")
        << head + "<tr><th>Call</th><th>date</th><th>Freq</th><th>QSL in</th></tr>\r\n"
                  "<tr><td>DL1ABC</td><td>01.02.2003</td><td>14.2</td><td></td></tr></table>"
        << Rows{{"06 - Call", "02 - Date", kNone, "16 - QSL in"},
                {"Call", "date", "Freq", "QSL in"},
                {"DL1ABC", "01.02.2003", "14.2", ""}};
    QTest::newRow("&nbsp; in any case is a blank, trimmed at the ends")
        << head + "<tr><td>&NBSP;x&nbsp;y&Nbsp;</td></tr></table>" << Rows{{kNone}, {"x y"}};
    QTest::newRow("character references")
        << head + "<tr><td>&#252;&#xFC;&amp;&lt;&gt;&quot;&auml;&unknown; &amp</td></tr></table>"
        << Rows{{kNone}, {"üü&<>\"ä&unknown; &amp"}};
    QTest::newRow("cell without its end tag ends at the next cell")
        << head + "<tr><td>a<td>b</td></tr><tr><td>c</tr></table>"
        << Rows{{kNone, kNone}, {"a", "b"}, {"c", ""}};
    QTest::newRow("tags in any case, with attributes")
        << head + "<TR class=x><TD align=\"right\">5</TD><Th>DOK</tH></TR></TABLE>"
        << Rows{{kNone, "09 - DOK"}, {"5", "DOK"}};
    QTest::newRow("inner tags dropped, <br> a line break, source line breaks blanks")
        << head + "<tr><td><b>DL1ABC</b> <!-- <td> --></td><td>a<br>b<BR/>c</td><td>x\r\ny</td></tr></table>"
        << Rows{{kNone, kNone, kNone}, {"DL1ABC", "a\nb\nc", "x y"}};
    QTest::newRow("cell before the first row")
        << head + "<td>a</td><tr><td>b</td></table>" << Rows{{kNone}, {"a"}, {"b"}};
    QTest::newRow("only the first table")
        << head + "<tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr></table>"
        << Rows{{kNone}, {"a"}};
    QTest::newRow("lone '<' in a cell")
        << head + "<tr><td>a < b</td></tr></table>" << Rows{{kNone}, {"a < b"}};
    QTest::newRow("<tables> and <thead> are not <table> and <th>")
        << QByteArray("<tables><table><thead><tr><th>UTC</th></tr></thead></table>")
        << Rows{{"03 - UTC"}, {"UTC"}};
    QTest::newRow("UTF-8") << head + "<tr><td>J\xC3\xBCrgen</td></tr></table>" << Rows{{kNone}, {"Jürgen"}};
    QTest::newRow("8-bit") << head + "<tr><td>J\xFCrgen</td></tr></table>" << Rows{{kNone}, {"Jürgen"}};
    QByteArray utf16("\xFE\xFF"); // big-endian, as some Windows programs write
    for (const QChar c : QStringLiteral("<table><tr><td>Jürgen</td></tr></table>"))
        utf16 += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
    QTest::newRow("UTF-16") << utf16 << Rows{{kNone}, {"Jürgen"}};
}

void TestHtmlText::loadHtml() {
    QFETCH(QByteArray, html);
    QFETCH(Rows, rows);
    TestFolder dir;
    dir.write("in.htm", html);
    QCOMPARE(rowsOf(LogConverter(m_clock).LoadHtml(dir.file("in.htm"))), rows);
}

void TestHtmlText::loadHtmlWithoutTable_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no table") << QByteArray("<html><body><p>73</p></body></html>");
    QTest::newRow("start tag not closed") << QByteArray("<html><body><table border=1");
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary += char((i * 131) % 256);
    QTest::newRow("binary") << binary;
}

void TestHtmlText::loadHtmlWithoutTable() {
    QFETCH(QByteArray, html);
    TestFolder dir;
    dir.write("in.htm", html);
    const QString error = errorOf([&] { LogConverter(m_clock).LoadHtml(dir.file("in.htm")); });
    QVERIFY2(error.contains(QStringLiteral("in.htm\" enthält keine HTML-Tabelle")), qPrintable(error));
}

void TestHtmlText::importHeadingRowAsRecord() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;"});
    LogConverter converter(m_clock);
    converter.ExportHtml({dir.file("a.log")}, dir.file("a.htm"));
    const StringGrid grid = converter.LoadHtml(dir.file("a.htm"));
    for (int c = 0; c < grid.columnCount(); ++c)
        QCOMPARE(grid.assignment(c), c + 1);
    const ConverterResult result = converter.ImportStringGrid(grid, 1, dir.file("t.log"));
    QCOMPARE(result.written, 2);
    // Normalize replaces what it cannot read and keeps the rejected texts;
    // the six characters of "QSL in" get the dots of a "ddmmyy" date first.
    QCOMPARE(SampleLog::lines(dir.file("t.log")),
             (QStringList{"1;06.12.2026;18:30:15;band;MODE;CALL;RST TX;RST RX;DOK;Name;QTH;LOCATOR;1W;"
                          "Comments / TX Pwr / Date / QSL out / QS.L .in / UTC;;",
                          "2;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;"}));
}

void TestHtmlText::importStartBeyondLastRow() {
    TestFolder dir;
    dir.writeLog("t.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    StringGrid grid;
    grid.setCell(0, 1, QStringLiteral("DL1ABC"));
    grid.setAssignment(0, QsoRecord::Call);
    QCOMPARE(LogConverter(m_clock).ImportStringGrid(grid, 5, dir.file("t.log")).written, 0);
    QCOMPARE(SampleLog::lines(dir.file("t.log")), QStringList{"1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;"});
}

void TestHtmlText::importAssignments() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    StringGrid grid;
    const Rows cells = {{"dl1abc", "ignored", "dk2xy", "01.02.2004", "1200"},
                        {"", "only here", "", "", ""},
                        {"", "", "", "", ""},
                        {"g3abc", "", "", "02.02.2004", "1300"}};
    for (int r = 0; r < cells.size(); ++r) {
        for (int c = 0; c < cells[r].size(); ++c)
            grid.setCell(c, r + 1, cells[r][c]);
    }
    grid.setAssignment(0, QsoRecord::Call);
    grid.setAssignment(1, 0);
    grid.setAssignment(2, QsoRecord::Call); // the later column wins
    grid.setAssignment(3, QsoRecord::Date);
    grid.setAssignment(4, QsoRecord::Utc);
    const ConverterResult result = LogConverter(m_clock).ImportStringGrid(grid, 0, dir.file("t.log"));
    // Skipped: a row with text only in an unassigned column, and an empty row.
    QVERIFY(result.written == 2 && result.skipped == 2 && result.total == 3);
    QCOMPARE(SampleLog::lines(dir.file("t.log")), (QStringList{"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;",
                                                               "2;01.02.2004;12:00:00;;;DK2XY;;;;;;;1W;;;",
                                                               "3;02.02.2004;13:00:00;;;;;;;;;;1W;;;"}));
}

void TestHtmlText::importFailureLeavesLog() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    const QByteArray before = dir.read("t.log");
    dir.write("in.htm", "<table><tr><th>Call</th><th>TX Pwr</th></tr><tr><td>DL1ABC</td><td></td></tr>"
                        "<tr><td>DK2XY</td><td>1.5kW</td></tr></table>");
    LogConverter converter(m_clock);
    const QString error = errorOf(
        [&] { converter.ImportStringGrid(converter.LoadHtml(dir.file("in.htm")), 2, dir.file("t.log")); });
    QVERIFY2(error.contains(QStringLiteral("in.htm\", Tabellenzeile 3: TX Pwr \"1.5KW\"")) &&
                 error.contains(QStringLiteral("t.log\" ist unverändert")),
             qPrintable(error));
    QCOMPARE(dir.read("t.log"), before);
}

void TestHtmlText::exportOverItsLog_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("ADIF") << "adif";
    QTest::newRow("HTML") << "html";
    QTest::newRow("text") << "txt";
}

void TestHtmlText::exportOverItsLog() {
    QFETCH(QString, format);
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.writeLog("b.log", {});
    const QByteArray before = dir.read("b.log");
    LogConverter converter(m_clock);
    const QStringList logs = {dir.file("a.log"), dir.file("b.log")};
    const QString target = dir.path() + QStringLiteral("/./b.log");
    const QString error = errorOf([&] {
        if (format == u"adif")
            converter.ExportAdif(logs, target);
        else if (format == u"html")
            converter.ExportHtml(logs, target);
        else
            converter.ExportTxtFest(logs, target);
    });
    QVERIFY2(error.contains(QStringLiteral("ist eines der Logs")), qPrintable(error));
    QCOMPARE(dir.read("b.log"), before);
}

QTEST_GUILESS_MAIN(TestHtmlText)
#include "test_htmltext.moc"
