#include "converter/LogConverter.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "SampleLog.h"
#include "TestFolder.h"

#include <QtTest>

namespace {

constexpr int kContacts = 10000;

QString exportAndImport(const QString& format, LogConverter& converter, const TestFolder& dir,
                        const QString& log, const QString& target) {
    if (format == u"adif") {
        converter.ExportAdif({log}, dir.file("x.adi"));
        converter.ImportAdif(dir.file("x.adi"), target);
    } else {
        converter.ExportHtml({log}, dir.file("x.htm"));
        converter.ImportStringGrid(converter.LoadHtml(dir.file("x.htm")), 2, target);
    }
    return target;
}

} // namespace

class TestConvertRoundTrip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sampleIsWhatNormalizeKeeps();
    void roundTrip_data();
    void roundTrip();
    void whatCannotSurvive_data();
    void whatCannotSurvive();
    void progressReachesTheEnd();
    void joinIntoNewLog();
    void joinAfterTargetRecords();
    void joinRefusesTargetAmongSources_data();
    void joinRefusesTargetAmongSources();
    void joinStopsOnBadSource();
    void repair();

private:
    FakeClock m_clock;
    TestFolder m_dir;
    QList<QsoRecord> m_sample;
};

void TestConvertRoundTrip::initTestCase() {
    m_sample = SampleLog::make(kContacts, 4711);
    SampleLog::write(m_dir.file("sample.log"), m_sample);
}

void TestConvertRoundTrip::sampleIsWhatNormalizeKeeps() {
    // The round trips compare against the sample itself, which holds only
    // if the sample is already in normalised form.
    QVERIFY(QFile::copy(m_dir.file("sample.log"), m_dir.file("normalized.log")));
    LogFile(m_dir.file("normalized.log")).Normalize(m_clock.localNow());
    QCOMPARE(m_dir.read("normalized.log"), m_dir.read("sample.log"));
    int breaks = 0, undated = 0, umlauts = 0, markup = 0, empty = 0;
    for (const QsoRecord& r : std::as_const(m_sample)) {
        breaks += r[QsoRecord::Comments].contains(u'\n');
        undated += r[QsoRecord::QslOut] == u"01.01.1901" || r[QsoRecord::QslIn] == u"01.01.1901";
        umlauts += r[QsoRecord::Name].contains(u'ü') || r[QsoRecord::Qth].contains(u'ö');
        markup += r[QsoRecord::Comments].contains(u'<') || r[QsoRecord::Comments].contains(u'&');
        empty += r[QsoRecord::Dok].isEmpty() && r[QsoRecord::Name].isEmpty();
    }
    QVERIFY(breaks > 100 && undated > 100 && umlauts > 100 && markup > 100 && empty > 100);
}

void TestConvertRoundTrip::roundTrip_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("ADIF") << "adif";
    QTest::newRow("HTML") << "html";
}

void TestConvertRoundTrip::roundTrip() {
    QFETCH(QString, format);
    TestFolder dir;
    LogConverter converter(m_clock);
    const QString target =
        exportAndImport(format, converter, dir, m_dir.file("sample.log"), dir.file("new.log"));
    const QList<QsoRecord> back = SampleLog::read(target);
    QCOMPARE(back.size(), m_sample.size());
    for (int i = 0; i < back.size(); ++i) {
        QsoRecord expected = m_sample[i];
        if (format == u"adif") // ADIF comments are one line
            expected[QsoRecord::Comments] = QsoRecord::lineBreaksAsBlanks(expected[QsoRecord::Comments]);
        QCOMPARE(back[i].encodeLine(), expected.encodeLine());
    }
}

// Which field values cannot come back, and why:
// - ADIF: a line break in Comments. The export writes COMMENT as one line,
//   each line break replaced by one blank, as the single-line ADIF field
//   requires.
// - HTML: blanks, line breaks and control characters at the start or end of
//   any field. A browser does not show them, so the import trims every cell.
// (A log field cannot hold ";", so no "&amp;" can stand in one.) Everything
// else of a normalised log survives both; the rows that survive show the
// neighbouring cases.
void TestConvertRoundTrip::whatCannotSurvive_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("back");
    const QString base = QStringLiteral("1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;;%1;;;10W;%2;;");
    QTest::newRow("ADIF: comment line break") << "adif" << base.arg("", "a#13#10b") << base.arg("", "a b");
    QTest::newRow("ADIF: blanks at the ends survive") << "adif" << base.arg(" x ", " y ") << base.arg(" x ", " y ");
    QTest::newRow("ADIF: markup survives")
        << "adif" << base.arg("<CALL:3>", "&amp <EOR") << base.arg("<CALL:3>", "&amp <EOR");
    QTest::newRow("HTML: blanks at the ends") << "html" << base.arg(" x ", " y ") << base.arg("x", "y");
    QTest::newRow("HTML: comment ending in a line break") << "html" << base.arg("", "a#13#10") << base.arg("", "a");
    QTest::newRow("HTML: inner line breaks survive")
        << "html" << base.arg("", "a#13#10#13#10b") << base.arg("", "a#13#10#13#10b");
    QTest::newRow("HTML: markup survives")
        << "html" << base.arg("<td>", "&nbsp &amp \"q\"") << base.arg("<td>", "&nbsp &amp \"q\"");
    QTest::newRow("HTML: inner blanks survive") << "html" << base.arg("a  b", "") << base.arg("a  b", "");
}

void TestConvertRoundTrip::whatCannotSurvive() {
    QFETCH(QString, format);
    QFETCH(QString, line);
    QFETCH(QString, back);
    TestFolder dir;
    dir.writeLog("a.log", {line});
    LogConverter converter(m_clock);
    const QList<QsoRecord> records =
        SampleLog::read(exportAndImport(format, converter, dir, dir.file("a.log"), dir.file("b.log")));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().encodeLine(), back);
}

void TestConvertRoundTrip::progressReachesTheEnd() {
    TestFolder dir;
    LogConverter converter(m_clock);
    QList<QPair<qint64, qint64>> calls;
    converter.setProgress([&](qint64 done, qint64 total) { calls.append({done, total}); });
    converter.ExportAdif({m_dir.file("sample.log")}, dir.file("x.adi"));
    const qsizetype exportCalls = calls.size();
    converter.ImportAdif(dir.file("x.adi"), dir.file("new.log"));
    QVERIFY(exportCalls > 2 && calls.size() > exportCalls + 2);
    for (qsizetype i = 0; i < calls.size(); ++i) {
        QVERIFY(calls[i].first <= calls[i].second);
        if (i > 0 && i != exportCalls)
            QVERIFY(calls[i].first >= calls[i - 1].first);
    }
    QCOMPARE(calls[exportCalls - 1].first, calls[exportCalls - 1].second);
    QCOMPARE(calls.last().first, calls.last().second);
}

void TestConvertRoundTrip::joinIntoNewLog() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;",
                           "2;01.01.2004;10:01:00;2m;FM;A2A;;;;;;;1W;;;",
                           "3;01.01.2004;10:02:00;2m;FM;A3A;;;;;;;1W;;;"});
    dir.writeLog("b.log",
                 {"1;010105;1000;2M;fm;b1b;;;;;;;5;;;", "2;01.01.2005;10:01:00;2m;FM;B2B;;;;;;;1W;;;"});
    const QByteArray a = dir.read("a.log");
    const ConverterResult result =
        LogConverter(m_clock).Verbinden({dir.file("a.log"), dir.file("b.log")}, dir.file("c.log"));
    QCOMPARE(result.written, 5);
    QCOMPARE(result.total, 5);
    QStringList calls;
    QStringList numbers;
    for (const QsoRecord& r : SampleLog::read(dir.file("c.log"))) {
        calls << r[QsoRecord::Call];
        numbers << r[QsoRecord::Number];
    }
    QCOMPARE(calls, (QStringList{"A1A", "A2A", "A3A", "B1B", "B2B"}));
    QCOMPARE(numbers, (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(SampleLog::read(dir.file("c.log"))[3].encodeLine(),
             QStringLiteral("4;01.01.2005;10:00:00;2m;FM;B1B;;;;;;;5W;;;"));
    QCOMPARE(dir.read("a.log"), a); // sources stay as they were
}

void TestConvertRoundTrip::joinAfterTargetRecords() {
    TestFolder dir;
    dir.writeLog("t.log", {"9;01.01.2003;10:00:00;2m;FM;T1T;;;;;;;1W;;;"});
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;"});
    const ConverterResult result =
        LogConverter(m_clock).Verbinden({dir.file("a.log"), dir.file("a.log")}, dir.file("t.log"));
    QCOMPARE(result.written, 2);
    QCOMPARE(dir.read("t.log"), crlf({QsoRecord::headerLine(), "1;01.01.2003;10:00:00;2m;FM;T1T;;;;;;;1W;;;",
                                      "2;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;",
                                      "3;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;"}));
}

void TestConvertRoundTrip::joinRefusesTargetAmongSources_data() {
    QTest::addColumn<QString>("target"); // relative to the folder
    QTest::newRow("same name") << "b.log";
    QTest::newRow("other spelling") << "./sub/../b.log";
    QTest::newRow("link to a source") << "link.log";
}

void TestConvertRoundTrip::joinRefusesTargetAmongSources() {
    QFETCH(QString, target);
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.writeLog("b.log", {"1;01.01.2005;10:00:00;2m;FM;B1B;;;;;;;1W;;;"});
    QVERIFY(QFile::link(dir.file("b.log"), dir.file("link.log")));
    const QByteArray a = dir.read("a.log");
    const QByteArray b = dir.read("b.log");
    const QStringList sources = {dir.file("a.log"), dir.file("b.log")};
    QVERIFY(!LogConverter::joinConflict(sources, dir.file(target)).isEmpty());
    try {
        LogConverter(m_clock).Verbinden(sources, dir.file(target));
        QFAIL("joining a log onto itself must be refused");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("ist auch eine der Quellen")), qPrintable(e.message()));
    }
    QCOMPARE(dir.read("a.log"), a);
    QCOMPARE(dir.read("b.log"), b);
    QVERIFY(LogConverter::joinConflict(sources, dir.file("c.log")).isEmpty());
}

void TestConvertRoundTrip::joinStopsOnBadSource() {
    TestFolder dir;
    dir.writeLog("t.log", {"1;01.01.2003;10:00:00;2m;FM;T1T;;;;;;;1W;;;"});
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.writeLog("bad.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;",
                             "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"});
    const QByteArray before = dir.read("t.log");
    for (const QString& missing : {QStringLiteral("bad.log"), QStringLiteral("none.log")}) {
        try {
            LogConverter(m_clock).Verbinden({dir.file("a.log"), dir.file(missing)}, dir.file("t.log"));
            QFAIL("a source that cannot be read must stop the join");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(missing), qPrintable(e.message()));
        }
        QCOMPARE(dir.read("t.log"), before);
    }
}

void TestConvertRoundTrip::repair() {
    TestFolder dir;
    dir.writeLog("a.log",
                 {"7;010203;1234;2M;fm;x;;;;;;;100;;;", "7;01.02.2003;12:35:00;2m;FM;Y;;;;;;;1W;;;"});
    dir.writeLog("b.log", {"3;01.02.2003;12:34:00;2m;FM;Z;;;;;;;5mW;;;"});
    dir.writeLog("c.log", {"3;01.02.2003;12:34:00;2m;FM;Z;;;;;;;1.5KW;;;"});
    const QByteArray c = dir.read("c.log");
    LogConverter converter(m_clock);
    QCOMPARE(converter.Repair({dir.file("a.log"), dir.file("b.log")}), (QList<int>{2, 1}));
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;",
                                      "2;01.02.2003;12:35:00;2m;FM;Y;;;;;;;1W;;;"}));
    QCOMPARE(dir.read("b.log"),
             crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;Z;;;;;;;0,005W;;;"}));
    try {
        converter.Repair({dir.file("c.log")});
        QFAIL("an unreadable kilowatt number must stop the repair");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("c.log\", Zeile 2")), qPrintable(e.message()));
    }
    QCOMPARE(dir.read("c.log"), c);
}

QTEST_GUILESS_MAIN(TestConvertRoundTrip)
#include "test_convertroundtrip.moc"
