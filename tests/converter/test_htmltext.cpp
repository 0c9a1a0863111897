#include "converter/LogConverter.h"
#include "SampleLog.h"
#include "TestFolder.h"
#include <QtTest>

namespace {

using Rows = QList<QStringList>;

Rows rowsOf(const StringGrid& grid) {
    Rows rows(grid.rowCount(), QStringList(grid.columnCount()));
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.columnCount(); ++c)
            rows[r][c] = grid.cell(c, r);
    return rows;
}

const QString kNone = QStringLiteral("00 - none");

} // namespace

class TestHtmlText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void htmlLayout();
    void textTable();
    void loadHtml_data();
    void loadHtml();
    void loadHtmlWithoutTable();
    void hugeRowsAndCells();
    void importAssignments();
    void importFailureLeavesLog();
    void exportOverItsLog();

private:
    FakeClock m_clock;
};

void TestHtmlText::htmlLayout() {
    TestFolder dir;
    dir.writeLog("R&D.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;Jürgen;A&B <C> \"D\";;10W;a#13#10b;;"});
    dir.writeLog("b.log", {});
    LogConverter converter(m_clock);
    converter.setCreditText(QStringLiteral("Made with Vesk")); // from the language file
    QCOMPARE(converter.ExportHtml({dir.file("R&D.log"), dir.file("b.log")}, dir.file("out.htm")).written, 1);
    QStringList lines = {"<html>", "<head>",
                         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
                         "<title>R&amp;D.log / b.log</title>", "</head>", "<h1>R&amp;D.log / b.log</h1>", "<body>",
                         "<table border=\"1\">", " <tr>"};
    for (const QString& label : QsoRecord::headerTitles())
        lines << "  <th>" + label + "</th>";
    lines << " </tr>" << " <tr>";
    for (const char* cell : {"1", "01.02.2003", "12:00:00", "2m", "FM", "DL1ABC", "59", "59", "", "Jürgen",
                             "A&amp;B &lt;C&gt; &quot;D&quot;", "", "10W", "a<br>b", "", ""})
        lines << "  <td>" + QString::fromUtf8(cell) + "</td>";
    lines << " </tr>" << "</table>"
          << "<p align=\"right\">Made with Vesk - <a href=\"" + LogConverter::webAddress() +
                 "\" target=\"_new\">" + LogConverter::webAddress().section(QStringLiteral("://"), 1) +
                 "</a></p>" << "</body>" << "</html>";
    QCOMPARE(dir.read("out.htm"), crlf(lines));
}

void TestHtmlText::textTable() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;;;;10W;abcd#13#10efgh;02.02.2003;",
                           "2;01.02.2003;12:01:00;2m;FM;DK2XY;;;;Jürgen;;;10W;ab;;"});
    LogConverter(m_clock).ExportTxtFest({dir.file("a.log")}, dir.file("out.txt"));
    // Widths: label or longest text plus one; Comments 12 for "abcd + efgh".
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
    // Logs without contacts: as wide as the labels.
    dir.writeLog("b.log", {});
    LogConverter(m_clock).ExportTxtFest({dir.file("b.log"), dir.file("b.log")}, dir.file("out.txt"));
    QCOMPARE(dir.read("out.txt"), crlf({"# Date UTC Band Mode Call RST TX RST RX DOK Name QTH Locator TX Pwr Comments "
                                        "QSL out QSL in ", QString(92, u'~'), "", expected.last().mid(113 - 92)}));
}

void TestHtmlText::loadHtml_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<Rows>("rows");
    const QByteArray head = "<html><body><p>Log</p>\r\n<table border=\"1\">\r\n";
    QTest::newRow("headings assigned, tags in any case with attributes")
        << head + "<TR class=x><th>Call</th><Th align=left>date</tH><th>Freq</th><th>QSL in</th></tr>\r\n"
                  "<tr><TD>DL1ABC</td><td>01.02.2003</td><td>14.2</td><td></td></TR></TABLE>"
        << Rows{{"06 - Call", "02 - Date", kNone, "16 - QSL in"}, {"Call", "date", "Freq", "QSL in"},
                {"DL1ABC", "01.02.2003", "14.2", ""}};
    QTest::newRow("character references; &nbsp; in any case a blank, trimmed at the ends")
        << head + "<tr><td>&NBSP;x&nbsp;y&Nbsp;</td><td>&#252;&#xFC;&amp;&lt;&gt;&quot;&auml;&unknown; &amp</td>"
        << Rows{{kNone, kNone}, {"x y", "üü&<>\"ä&unknown; &amp"}};
    QTest::newRow("inner tags dropped, <br> a line break, source line breaks blanks, cell without end tag")
        << head + "<tr><td><b>DL1ABC</b> <!-- <td> --></td><td>a<br>b<BR/>c</td><td>x\r\ny</tr><tr><td>c</table>"
        << Rows{{kNone, kNone, kNone}, {"DL1ABC", "a\nb\nc", "x y"}, {"c", "", ""}};
    QTest::newRow("only the first table, lone '<' in a cell")
        << head + "<tr><td>a < b</td></tr></table><table><tr><td>b</td><td>c</td></tr></table>"
        << Rows{{kNone}, {"a < b"}};
    QTest::newRow("<tables> and <thead> are not <table> and <th>")
        << QByteArray("<tables><table><thead><tr><th>UTC</th></tr></thead></table>") << Rows{{"03 - UTC"}, {"UTC"}};
    QTest::newRow("UTF-8") << head + "<tr><td>J\xC3\xBCrgen</td></tr></table>" << Rows{{kNone}, {"Jürgen"}};
    QTest::newRow("8-bit") << head + "<tr><td>J\xFCrgen</td></tr></table>" << Rows{{kNone}, {"Jürgen"}};
    QStringEncoder bigEndian(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom); // as some Windows programs write
    QTest::newRow("UTF-16") << QByteArray(bigEndian(u"<table><tr><td>Jürgen</td></tr></table>")) << Rows{{kNone}, {"Jürgen"}};
}

void TestHtmlText::loadHtml() {
    QFETCH(QByteArray, html);
    QFETCH(Rows, rows);
    TestFolder dir;
    dir.write("in.htm", html);
    QCOMPARE(rowsOf(LogConverter(m_clock).LoadHtml(dir.file("in.htm"))), rows);
}

void TestHtmlText::loadHtmlWithoutTable() {
    for (const QByteArray& html : {QByteArray("<p>73</p>"), QByteArray("<html><body><table border=1")}) {
        TestFolder dir;
        dir.write("in.htm", html);
        const QString error = errorOf([&] { LogConverter(m_clock).LoadHtml(dir.file("in.htm")); });
        QVERIFY2(error.contains(QStringLiteral("in.htm\" enthält keine HTML-Tabelle")), qPrintable(error));
    }
}

// One row far wider than the others, and a cell of nothing but '&': every
// cell arrives, the import takes the assigned columns of each row (a wide
// row once widened every row, and each '&' searched the rest of the text).
void TestHtmlText::hugeRowsAndCells() {
    TestFolder dir;
    constexpr int wide = 30000;
    constexpr int rows = 400;
    const QByteArray ampersands(300000, '&');
    QByteArray html = "<table><tr><th>Call</th><th>Comments</th></tr>\r\n<tr><td>W1AW</td><td>" + ampersands +
                      "&amp;</td>";
    for (int c = 2; c < wide; ++c)
        html += c + 1 == wide ? "<td>last</td>" : "<td></td>";
    html += "</tr>\r\n";
    for (int r = 0; r < rows; ++r)
        html += "<tr><td>DL" + QByteArray::number(r) + "AB</td><td>" + QByteArray::number(r) + "</td></tr>\r\n";
    dir.write("in.htm", html + "</table>");
    LogConverter converter(m_clock);
    const StringGrid grid = converter.LoadHtml(dir.file("in.htm"));
    QVERIFY(grid.columnCount() == wide && grid.rowCount() == rows + 3);
    QCOMPARE(grid.cell(1, 2), QString(ampersands.size() + 1, u'&'));
    QVERIFY(grid.cell(wide - 1, 2) == u"last" && grid.cell(wide - 1, 3).isEmpty() && grid.cell(wide, 2).isEmpty());
    QCOMPARE(grid.cell(1, rows + 2), QString::number(rows - 1));
    QCOMPARE(grid.assignedColumns(), (QList<int>{0, 1}));
    const ConverterResult result = converter.ImportStringGrid(grid, 2, dir.file("t.log"));
    QVERIFY(result.written == rows + 1 && result.total == rows + 1);
    const QStringList lines = SampleLog::lines(dir.file("t.log"));
    QVERIFY(lines[0].size() > int(ampersands.size()) && lines.last().contains(QStringLiteral(";DL399AB;")));
}

void TestHtmlText::importAssignments() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    StringGrid grid;
    const Rows cells = {{"dl1abc", "ignored", "dk2xy", "01.02.2004", "1200"}, {"", "only here", "", "", ""},
                        {"", "", "", "", ""}, {"g3abc", "", "", "02.02.2004", "1300"}};
    for (int r = 0; r < cells.size(); ++r)
        for (int c = 0; c < cells[r].size(); ++c)
            grid.setCell(c, r + 1, cells[r][c]);
    const int fields[] = {QsoRecord::Call, 0, QsoRecord::Call, QsoRecord::Date, QsoRecord::Utc}; // the later Call wins
    for (int c = 0; c < 5; ++c)
        grid.setAssignment(c, fields[c]);
    LogConverter converter(m_clock);
    const ConverterResult result = converter.ImportStringGrid(grid, 0, dir.file("t.log"));
    // Skipped: a row with text only in an unassigned column, and an empty row.
    QVERIFY(result.written == 2 && result.skipped == 2 && result.total == 3);
    QCOMPARE(converter.ImportStringGrid(grid, 9, dir.file("t.log")).written, 0); // start beyond the last row
    QCOMPARE(SampleLog::lines(dir.file("t.log")), (QStringList{"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;",
                                                               "2;01.02.2004;12:00:00;;;DK2XY;;;;;;;1W;;;",
                                                               "3;02.02.2004;13:00:00;;;;;;;;;;1W;;;"}));
}

// A power no program reads goes into Comments; only a log that cannot be
// read stops the import, and then it stays as it was.
void TestHtmlText::importFailureLeavesLog() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.write("in.htm", "<table><tr><th>Call</th><th>TX Pwr</th></tr><tr><td>DL1ABC</td><td>KWM-2</td></tr>"
                        "<tr><td>DK2XY</td><td>1.5kW</td></tr></table>");
    LogConverter converter(m_clock);
    const StringGrid grid = converter.LoadHtml(dir.file("in.htm"));
    QCOMPARE(converter.ImportStringGrid(grid, 2, dir.file("t.log")).written, 2);
    QCOMPARE(SampleLog::lines(dir.file("t.log")).mid(1),
             (QStringList{"2;06.12.2026;18:30:15;;;DL1ABC;;;;;;;1W; / KWM-2 /  / ;;",
                          "3;06.12.2026;18:30:15;;;DK2XY;;;;;;;1500W; /  / ;;"}));
    dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;;x"});
    const QByteArray before = dir.read("t.log");
    const QString error = errorOf([&] { converter.ImportStringGrid(grid, 2, dir.file("t.log")); });
    QVERIFY2(error.contains("t.log\", Zeile 2: mehr als 15 Trennzeichen"), qPrintable(error));
    QCOMPARE(dir.read("t.log"), before);
}

void TestHtmlText::exportOverItsLog() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.writeLog("b.log", {});
    LogConverter converter(m_clock);
    const QStringList logs = {dir.file("a.log"), dir.file("b.log")};
    const QString target = dir.path() + QStringLiteral("/./b.log");
    for (const QString& error : {errorOf([&] { converter.ExportAdif(logs, target); }),
                                 errorOf([&] { converter.ExportHtml(logs, target); }),
                                 errorOf([&] { converter.ExportTxtFest(logs, target); })}) {
        QVERIFY2(error.contains(QStringLiteral("ist eines der Logs")), qPrintable(error));
        QCOMPARE(dir.read("b.log"), crlf({QsoRecord::headerLine()}));
    }
}

QTEST_GUILESS_MAIN(TestHtmlText)
#include "test_htmltext.moc"
