#include "evaluations/AwardEvaluations.h"
#include "evaluations/EvaluationFilter.h"
#include "evaluations/LocatorEvaluation.h"
#include "evaluations/QsoCounts.h"
#include "logstore/LogFile.h"
#include "logstore/PackedRecord.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageTexts.h"
#include "TestFolder.h"

#include <QtTest>

Q_DECLARE_METATYPE(EvaluationFilter::Dates)

namespace {
// "number|date|utc|band|mode|call|dok|locator|qsl out|qsl in"; missing trailing parts are empty.
QString line(const QString& spec) {
    QStringList f = spec.split(u'|');
    while (f.size() < 10)
        f << QString();
    return QStringList{f[0], f[1], f[2], f[3], f[4], f[5], "59", "59", f[6], "", "", f[7], "", "", f[8], f[9]}.join(u';');
}
// Contacts numbered from 1 on 01.06.2020 12:00, 2m FM, given as "call|dok|locator|qsl out|qsl in".
QStringList simpleLog(const QStringList& specs) {
    QStringList lines;
    for (int i = 0; i < specs.size(); ++i)
        lines << line(QStringLiteral("%1|01.06.2020|12:00:00|2m|FM|").arg(i + 1) + specs[i]);
    return lines;
}
EvaluationFilter defaultFilter(EvaluationFilter::Dates dates) {
    return *EvaluationFilter::make({}, dates, 2026, nullptr);
}
const LanguageTexts& german() {
    static const LanguageTexts t = LanguageTexts::builtInGerman();
    return t;
}
char stateChar(SquareColour c) { return "..wco"[static_cast<int>(c) + 1]; }
// Rows north first, each cell as its square and one state character.
QStringList tableRows(const LocatorResult& r) {
    QStringList rows;
    for (int row = 0; row < r.rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < r.columns(); ++column) {
            const SquareCell c = r.cell(column, row);
            cells << c.text + QChar(stateChar(c.colour));
        }
        rows << cells.join(u' ');
    }
    return rows;
}
QString listText(const LocatorResult& r) {
    QStringList cells;
    for (const SquareCell& c : r.squares)
        cells << c.text + QChar(stateChar(c.colour));
    return cells.join(u' ');
}
} // namespace

class TestEvaluations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filter_data();
    void filter();
    void delimitedText();
    void unreadableInputNamesTheField_data();
    void unreadableInputNamesTheField();
    void locator_data();
    void locator();
    void invalidSquaresGiveOneMessage();
    void locatorStops();
    void htmlFile();
    void dok_data();
    void dok();
    void dxcc();
    void counts();
    void pie_data();
    void pie();
};

void TestEvaluations::filter_data() {
    QTest::addColumn<QStringList>("inputs"); // bands, modes, start, stop, first, last; empty: default
    QTest::addColumn<EvaluationFilter::Dates>("dates");
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("verdict");
    using F = EvaluationFilter;
    const int pass = int(F::Verdict::Pass), skip = int(F::Verdict::Skip), bad = int(F::Verdict::Unreadable);
    const QString base = QStringLiteral("|05.03.2020|23:00:00|70cm|FM|DL1ABC");
    QTest::newRow("defaults take contact 12345") << QStringList{} << F::Dates::WithTime << "12345" + base << pass;
    QTest::newRow("defaults end at 999999") << QStringList{} << F::Dates::WithTime << "1000000" + base << skip;
    QTest::newRow("band case and blanks ignored")
        << QStringList{"2m, 70CM", "fm"} << F::Dates::WithTime << "1|05.03.2020|23:00:00| 70cm |FM|X" << pass;
    QTest::newRow("band not listed") << QStringList{"2m,6m"} << F::Dates::WithTime << "1" + base << skip;
    QTest::newRow("star among bands") << QStringList{"2m *"} << F::Dates::WithTime << "1" + base << pass;
    QTest::newRow("stop date alone keeps the day")
        << QStringList{"", "", "", "05.03.2020"} << F::Dates::WithTime << "1" + base << pass;
    QTest::newRow("stop time counts with UTC")
        << QStringList{"", "", "", "05.03.2020 22:59:59"} << F::Dates::WithTime << "1" + base << skip;
    QTest::newRow("date alone ignores UTC")
        << QStringList{"", "", "", "05.03.2020 22:59:59"} << F::Dates::DateOnly << "1" + base << pass;
    QTest::newRow("contact number unreadable") << QStringList{} << F::Dates::DateOnly << "1a" + base << bad;
    QTest::newRow("contact UTC unreadable") << QStringList{} << F::Dates::WithTime
                                            << "1|05.03.2020|25:00:00|2m|FM|X" << bad;
    QTest::newRow("UTC not needed by date alone") << QStringList{} << F::Dates::DateOnly
                                                  << "1|05.03.2020|25:00:00|2m|FM|X" << pass;
    QTest::newRow("outside the numbers, date not read")
        << QStringList{"", "", "", "", "2"} << F::Dates::WithTime << "1|kein Datum||2m|FM|X" << skip;
}

void TestEvaluations::filter() {
    QFETCH(QStringList, inputs);
    QFETCH(EvaluationFilter::Dates, dates);
    QFETCH(QString, record);
    QFETCH(int, verdict);
    EvaluationInputs in;
    QString* fields[] = {&in.bands, &in.modes, &in.start, &in.stop, &in.firstNumber, &in.lastNumber};
    for (int i = 0; i < inputs.size(); ++i) {
        if (!inputs[i].isEmpty())
            *fields[i] = inputs[i];
    }
    QString error;
    const auto filter = EvaluationFilter::make(in, dates, 2026, &error);
    QVERIFY2(filter, qPrintable(error));
    PackedRecord r;
    QVERIFY(PackedRecord::fromLine(line(record), r));
    QCOMPARE(int(filter->test(r, 7, &error)), verdict);
    QCOMPARE(error.isEmpty(), verdict != int(EvaluationFilter::Verdict::Unreadable));
}

void TestEvaluations::delimitedText() {
    QVERIFY(InDelimitedText("2m, 70CM", " 70cm ", u','));
    QVERIFY(InDelimitedText("2m 6m", "6M", u','));
    QVERIFY(InDelimitedText("x,*", "", u','));
    QVERIFY(!InDelimitedText("2m,,6m", "", u','));
    QVERIFY(!InDelimitedText("2m;70cm", "70cm", u','));
}

void TestEvaluations::unreadableInputNamesTheField_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("first number") << 4 << "l" << msgText(Msg::EvalFirstNumber);
    QTest::newRow("last number") << 5 << "10.000" << msgText(Msg::EvalLastNumber);
    QTest::newRow("start date") << 2 << "31.02.2020" << msgText(Msg::EvalStartDate);
    QTest::newRow("stop time") << 3 << "01.01.2020 24:00:00" << msgText(Msg::EvalStopDate);
}

void TestEvaluations::unreadableInputNamesTheField() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, name);
    EvaluationInputs in;
    QString* fields[] = {&in.bands, &in.modes, &in.start, &in.stop, &in.firstNumber, &in.lastNumber};
    *fields[field] = text;
    QString error;
    QVERIFY(!EvaluationFilter::make(in, EvaluationFilter::Dates::WithTime, 2026, &error));
    QVERIFY2(error.startsWith(name + QStringLiteral(": \"") + text + u'"'), qPrintable(error));
}

void TestEvaluations::locator_data() {
    QTest::addColumn<QStringList>("log"); // call|dok|locator|qsl out|qsl in
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("resultLine");
    QTest::newRow("no locator at all") << QStringList{"DL1A", "DL2B|B01"} << "JN58TD" << "." << QStringList{"."}
                                       << "Ergebnis: 0 Großfelder gearbeitet, davon 0 bestätigt.";
    QTest::newRow("red once any contact has a card")
        << QStringList{"A||JO31AA||01.07.2020", "B||JO31BB", "C||JO31"} << "JO31" << "JO31c"
        << QStringList{"JO31o"} << "Ergebnis: 1 Großfelder gearbeitet, davon 1 bestätigt.";
    // JN58 is X 95, Y 121; JN57 lies one row south, JN49 one column west and one row north.
    QTest::newRow("own square on top") << QStringList{"A||JN57AA"} << "JN58TD" << "JN57w"
                                       << QStringList{"JN58o", "JN57w"}
                                       << "Ergebnis: 1 Großfelder gearbeitet, davon 0 bestätigt.";
    QTest::newRow("north-west widens left and up")
        << QStringList{"A||JN57AA", "B||JN49XX|01.01.2021|02.02.2021"} << "JN58TD" << "JN57w JN49c"
        << QStringList{"JN49c JN59.", "JN48. JN58o", "JN47. JN57w"}
        << "Ergebnis: 2 Großfelder gearbeitet, davon 1 bestätigt.";
    QTest::newRow("own square worked stays blue") << QStringList{"A||JN58AA|x|x"} << "JN58TD" << "JN58c"
                                                  << QStringList{"JN58o"}
                                                  << "Ergebnis: 1 Großfelder gearbeitet, davon 1 bestätigt.";
    QTest::newRow("letter case: two entries, one cell")
        << QStringList{"A||jn57", "B||JN57|x|x"} << "JN58TD" << "jn57w JN57c" << QStringList{"JN58o", "JN57c"}
        << "Ergebnis: 2 Großfelder gearbeitet, davon 1 bestätigt.";
    QTest::newRow("invalid squares listed, not placed")
        << QStringList{"A||JN5", "B||JNX7", "C||JN57", "D||@N58", "E||\u00D6N58"} << "JN58TD"
        << "JN5w JNX7w JN57w @N58w \u00D6N58w"
        << QStringList{"JN58o", "JN57w"} << "Ergebnis: 5 Großfelder gearbeitet, davon 0 bestätigt.";
    QTest::newRow("south-east widens right and down")
        << QStringList{"A||JN67"} << "JN58TD" << "JN67w" << QStringList{"JN58o JN68.", "JN57. JN67w"}
        << "Ergebnis: 1 Großfelder gearbeitet, davon 0 bestätigt.";
}

void TestEvaluations::locator() {
    QFETCH(QStringList, log);
    QFETCH(QString, own);
    QFETCH(QString, list);
    QFETCH(QStringList, table);
    QFETCH(QString, resultLine);
    TestFolder dir;
    dir.writeLog("a.log", simpleLog(log));
    LogFile file(dir.file("a.log"));
    const LocatorResult r =
        runLocatorEvaluation(file, defaultFilter(EvaluationFilter::Dates::WithTime), own, german());
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(listText(r), list);
    QCOMPARE(tableRows(r), table);
    QCOMPARE(r.resultLine(german()), resultLine);
}

void TestEvaluations::invalidSquaresGiveOneMessage() {
    QStringList log;
    for (int i = 1; i <= 55; ++i)
        log << QStringLiteral("A||Q%1").arg(i);
    log << "B||JN57";
    TestFolder dir;
    dir.writeLog("a.log", simpleLog(log));
    LogFile file(dir.file("a.log"));
    const LocatorResult r =
        runLocatorEvaluation(file, defaultFilter(EvaluationFilter::Dates::WithTime), "JN58TD", german());
    QCOMPARE(r.squares.size(), 56);
    QCOMPARE(r.invalidSquares.size(), 55);
    const QStringList message = r.invalidSquaresMessage().split(u'\n');
    QCOMPARE(message.size(), 51);
    QCOMPARE(message.first(), "QSO #1: Der Locator \"Q1\" ist kein gültiges Großfeld und fehlt in der Tabelle.");
    QVERIFY(message[49].startsWith("QSO #50: Der Locator \"Q50\""));
    QCOMPARE(message.last(), "... und 5 weitere.");
    QCOMPARE(tableRows(r), (QStringList{"JN58o", "JN57w"}));
}

void TestEvaluations::locatorStops() {
    TestFolder dir;
    dir.writeLog("a.log", simpleLog({"A||JN57"}) << line("zwei|01.06.2020|12:00:00|2m|FM|B||JN56"));
    LogFile file(dir.file("a.log"));
    const auto filter = defaultFilter(EvaluationFilter::Dates::WithTime);
    LocatorResult r = runLocatorEvaluation(file, filter, "JN58TD", german());
    QVERIFY2(r.error.contains("\"zwei\""), qPrintable(r.error));
    QVERIFY(r.squares.isEmpty());
    QCOMPARE(r.rows(), 0);

    dir.writeLog("a.log", simpleLog({"A||JN57"}));
    for (const QString& own : {QStringLiteral("J58TD"), QStringLiteral("1N58TD")}) {
        r = runLocatorEvaluation(file, filter, own, german());
        QCOMPARE(r.error, "Der eigene Locator \"" + own + "\" ist kein gültiges Großfeld! Bitte in den Optionen prüfen.");
        QCOMPARE(r.columns(), 0);
    }
}

void TestEvaluations::htmlFile() {
    TestFolder dir;
    dir.writeLog("a.log", simpleLog({"A||JN49AB||01.02.2020", "B||JN57"}));
    LogFile file(dir.file("a.log"));
    const LocatorResult r =
        runLocatorEvaluation(file, defaultFilter(EvaluationFilter::Dates::WithTime), "JN58TD", german());
    QFile expectedFile(QFINDTESTDATA("data/locator-save.htm"));
    QVERIFY(expectedFile.open(QIODevice::ReadOnly));
    const QByteArray expected = expectedFile.readAll();
    const QByteArray saved = locatorHtmlFile(r, "DL1ABC", german(), {});
    QCOMPARE(saved.split('\n'), expected.split('\n'));

    // Printing changes the body line alone; one view leaves out the other and the gap.
    const QStringList printed = locatorHtmlLines(r, "DL1ABC", german(), {false, true, true});
    QCOMPARE(printed[13], "<body onLoad=\"window.print();\">");
    QStringList lines = QString::fromLatin1(expected).split("\r\n");
    lines.removeLast();
    lines[13] = printed[13];
    lines.remove(14, 9); // the list table and "<p>&nbsp;</p>"
    QCOMPARE(printed, lines);
}

void TestEvaluations::dok_data() {
    QTest::addColumn<QStringList>("log"); // call|dok|locator|qsl out|qsl in
    QTest::addColumn<QString>("bands");
    QTest::addColumn<QStringList>("worked");
    QTest::addColumn<QStringList>("confirmed");
    QTest::newRow("worked, then with a card") << QStringList{"A|B01", "B|B01|||x"} << "*" << QStringList{}
                                              << QStringList{"B01"};
    QTest::newRow("card first, worked again") << QStringList{"A|B01|||x", "B|B01"} << "*" << QStringList{}
                                              << QStringList{"B01"};
    QTest::newRow("case makes two DOKs, sorted")
        << QStringList{"A|Z99", "B|b01", "C|B01|||x", "D|C02", "E|"} << "*" << QStringList{"b01", "C02", "Z99"}
        << QStringList{"B01"};
    QTest::newRow("band filter") << QStringList{"A|B01"} << "70cm" << QStringList{} << QStringList{};
}

void TestEvaluations::dok() {
    QFETCH(QStringList, log);
    QFETCH(QString, bands);
    QFETCH(QStringList, worked);
    QFETCH(QStringList, confirmed);
    TestFolder dir;
    dir.writeLog("a.log", simpleLog(log));
    LogFile file(dir.file("a.log"));
    EvaluationInputs in;
    in.bands = bands;
    const DokResult r = runDokEvaluation(file, *EvaluationFilter::make(in, EvaluationFilter::Dates::DateOnly, 2026, nullptr));
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.worked, worked);
    QCOMPARE(r.confirmed, confirmed);
    QCOMPARE(r.resultLine(german()), QStringLiteral("Ergebnis: %1 DOKs gearbeitet, davon %2 bestätigt.")
                                         .arg(worked.size() + confirmed.size())
                                         .arg(confirmed.size()));
}

void TestEvaluations::dxcc() {
    TestFolder dir;
    dir.installDataFile("DXCC.csv");
    dir.installDataFile("DXCC.ini");
    dir.writeLog("a.log", simpleLog({"DL1ABC", "K1", "DK2XY|||x|x", "F5ABC", "DL1ABC", "?X?"}));
    DxccAccess access(dir.path());
    LogFile file(dir.file("a.log"));
    const auto filter = defaultFilter(EvaluationFilter::Dates::DateOnly);
    DxccResult r = runDxccEvaluation(file, filter, access, german());
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    const QVector<DxccState> worked = {{"Fed. Rep. of Germany", 2}, {"France", 1}};
    QCOMPARE(r.worked, worked);
    QCOMPARE(r.resultLine(german()), "Ergebnis: 2 DXCC-Gebiete gearbeitet, davon 1 bestätigt.");
    QCOMPARE(r.shortCallsMessage(), "Das Call \"K1\" in QSO #2 ist zu kurz (weniger als 3 Zeichen) und wird nicht gezählt.");
    QCOMPARE(r.all.size(), 340); // the distinct names of the shipped table
    QVERIFY(r.all.contains(worked[0]) && r.all.contains(worked[1]));
    QVERIFY(r.all.contains(DxccState{"Spratly Islands", 0}));
    QVERIFY(std::is_sorted(r.all.cbegin(), r.all.cend(), [](const DxccState& a, const DxccState& b) {
        return a.country.compare(b.country, Qt::CaseInsensitive) < 0;
    }));

    QFile::remove(dir.file("DXCC.csv"));
    r = runDxccEvaluation(file, filter, access, german());
    QVERIFY(r.worked.isEmpty() && r.all.isEmpty());
    QVERIFY2(r.error.contains("DXCC.csv"), qPrintable(r.error));
}

void TestEvaluations::counts() {
    TestFolder dir;
    dir.writeLog("empty.log", {});
    LogFile empty(dir.file("empty.log"));
    const QsoCounts none = QsoCounts::count(empty);
    QCOMPARE(none.table(QsoCounts::View::Overview, german()),
             (QVector<QStringList>{{"Mode / Band", "Summe"}, {"Summe", "0/0/0"}}));
    QCOMPARE(none.cellText(QsoCounts::View::OverviewPercent, 0, 0), "-/-/-");

    dir.writeLog("a.log", {line("1|01.01.2020|10:00:00|2m|FM|A|||x"), line("2|01.01.2020|10:00:00|2M|FM|B|||x|x"),
                           line("3|01.01.2020|10:00:00|2m|CW|C"), line("4|01.01.2020|10:00:00|2m|FM|D|||x"),
                           line("5|01.01.2020|10:00:00|2m|FM|E")});
    LogFile file(dir.file("a.log"));
    const QsoCounts c = QsoCounts::count(file);
    QCOMPARE(c.table(QsoCounts::View::Overview, german()),
             (QVector<QStringList>{{"Mode / Band", "2m", "2M", "Summe"},
                                   {"FM", "3/2/0", "1/1/1", "4/3/1"},
                                   {"CW", "1/0/0", "0/0/0", "1/0/0"},
                                   {"Summe", "4/2/0", "1/1/1", "5/3/1"}}));
    // 2 of 3 sent is 66.7 %, 1 of 3 received 33.3 %; 1 of 4 sent on 2m is 25 %.
    QCOMPARE(c.cellText(QsoCounts::View::OverviewPercent, 2, 0), "75/25/33");
    QCOMPARE(c.cellText(QsoCounts::View::OverviewPercent, 0, 0), "67/0/0");
    QCOMPARE(c.cellText(QsoCounts::View::OverviewPercent, 1, 1), "-/-/-");
    QCOMPARE(c.cellText(QsoCounts::View::Received, 2, 2), "1");
    QCOMPARE(QsoCounts::infoTextIndex(QsoCounts::View::Sent), 95);
}

void TestEvaluations::pie_data() {
    QTest::addColumn<int>("share");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("span"); // degrees
    QTest::newRow("a quarter") << 25 << 45 << int(PieSector::Sector) << QPoint(95, 50) << 90;
    QTest::newRow("half, inner circle") << 50 << 40 << int(PieSector::Sector) << QPoint(50, 90) << 180;
    QTest::newRow("three quarters") << 75 << 45 << int(PieSector::Sector) << QPoint(5, 50) << 270;
    QTest::newRow("one percent") << 1 << 45 << int(PieSector::Sector) << QPoint(53, 5) << 4;
    QTest::newRow("below one") << 0 << 45 << int(PieSector::None) << QPoint() << 0;
    QTest::newRow("all") << 100 << 45 << int(PieSector::Full) << QPoint() << 360;
}

void TestEvaluations::pie() {
    QFETCH(int, share);
    QFETCH(int, radius);
    QFETCH(int, kind);
    QFETCH(QPoint, start);
    QFETCH(int, span);
    const PieSector p = pieSector(share, radius);
    QCOMPARE(int(p.kind), kind);
    QCOMPARE(p.start, start);
    QCOMPARE(qRound(p.spanAngle16 / 16.0), span);

    if (share != 25)
        return;
    // Yellow from 12 to 3 o'clock only, red elsewhere, green nowhere.
    const QImage image = paintQsoPie(25, 0, QColor(255, 255, 225));
    QCOMPARE(image.size(), QSize(100, 100));
    const QRgb yellow = qRgb(255, 255, 0), red = qRgb(255, 0, 0);
    QCOMPARE(image.pixel(70, 20), yellow);
    QCOMPARE(image.pixel(54, 10), yellow);
    QCOMPARE(image.pixel(90, 46), yellow);
    QCOMPARE(image.pixel(46, 10), red);
    QCOMPARE(image.pixel(90, 54), red);
    QCOMPARE(image.pixel(30, 70), red);
    QCOMPARE(image.pixel(2, 2), qRgb(255, 255, 225));
    const QImage both = paintQsoPie(100, 50, Qt::white);
    QCOMPARE(both.pixel(70, 30), qRgb(0, 128, 0));
    QCOMPARE(both.pixel(30, 30), yellow);
}

QTEST_GUILESS_MAIN(TestEvaluations)
#include "test_evaluations.moc"
