#include "converter/LogConverter.h"
#include "logstore/LogFile.h"
#include "SampleLog.h"
#include "TestFolder.h"

#include <QtTest>

class TestConvertRoundTrip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void progressReachesTheEnd();
    void join();
    void joinRefused();
    void repair();

private:
    FakeClock m_clock;
    TestFolder m_dir;
    QList<QsoRecord> m_sample;
};

// The round trips compare against the sample itself, which holds only if the
// sample is already in normalised form; and it must hold the hard cases.
void TestConvertRoundTrip::initTestCase() {
    m_sample = SampleLog::make(10000, 4711);
    SampleLog::write(m_dir.file("sample.log"), m_sample);
    QVERIFY(QFile::copy(m_dir.file("sample.log"), m_dir.file("normalized.log")));
    LogFile(m_dir.file("normalized.log")).Normalize(m_clock.localNow());
    QCOMPARE(m_dir.read("normalized.log"), m_dir.read("sample.log"));
    const QString text = QString::fromLatin1(m_dir.read("sample.log"));
    for (const char* piece : {"#13#10", "01.01.1901", "\xFC", "\xF6", "<", "&"})
        QVERIFY2(text.count(QString::fromLatin1(piece)) > 100, piece);
}

void TestConvertRoundTrip::roundTrip_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("ADIF") << "adif";
    QTest::newRow("HTML") << "html";
}

// Everything of a normalised log survives both formats but for two things.
// ADIF writes COMMENT as one line, each line break one blank, as the field
// requires. A browser does not show blanks and line breaks at the ends of a
// field, so the HTML import trims every cell. (A log field cannot hold ";",
// so no "&amp;" can stand in one.) The sample gets contacts at these edges.
void TestConvertRoundTrip::roundTrip() {
    QFETCH(QString, format);
    TestFolder dir;
    QList<QsoRecord> sample = m_sample;
    for (const char* edge : {"; x ;a  b;;10W; y ;;", ";;;;10W;a#13#10;;", ";<td>;;;10W;&nbsp &amp <EOR>;;"}) {
        sample << QsoRecord();
        QVERIFY(QsoRecord::decodeLine(QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;DL1ABC;59;59;")
                                          .arg(sample.size()) + QString::fromUtf8(edge), sample.last()));
    }
    SampleLog::write(dir.file("sample.log"), sample);
    LogConverter converter(m_clock);
    if (format == u"adif") {
        converter.ExportAdif({dir.file("sample.log")}, dir.file("x.adi"));
        converter.ImportAdif(dir.file("x.adi"), dir.file("new.log"));
    } else {
        converter.ExportHtml({dir.file("sample.log")}, dir.file("x.htm"));
        converter.ImportStringGrid(converter.LoadHtml(dir.file("x.htm")), 2, dir.file("new.log"));
    }
    const QList<QsoRecord> back = SampleLog::read(dir.file("new.log"));
    QCOMPARE(back.size(), sample.size());
    for (int i = 0; i < back.size(); ++i) {
        QsoRecord expected = sample[i];
        for (int field = 1; field <= QsoRecord::FieldCount && format == u"html"; ++field)
            expected[field] = expected[field].trimmed();
        if (format == u"adif")
            expected[QsoRecord::Comments] = QsoRecord::lineBreaksAsBlanks(expected[QsoRecord::Comments]);
        QCOMPARE(back[i].encodeLine(), expected.encodeLine());
    }
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
    for (qsizetype i = 0; i < calls.size(); ++i)
        QVERIFY(calls[i].first <= calls[i].second && (i == 0 || i == exportCalls || calls[i].first >= calls[i - 1].first));
    QCOMPARE(calls[exportCalls - 1].first, calls[exportCalls - 1].second);
    QCOMPARE(calls.last().first, calls.last().second);
}

// Into a new log and after the records of an existing one: numbers run on,
// the sources are normalised on the way and stay as they were.
void TestConvertRoundTrip::join() {
    TestFolder dir;
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;", "2;01.01.2004;10:01:00;2m;FM;A2A;;;;;;;1W;;;"});
    dir.writeLog("b.log", {"1;010105;1000;2M;fm;b1b;;;;;;;5;;;"});
    dir.writeLog("t.log", {"9;01.01.2003;10:00:00;2m;FM;T1T;;;;;;;1W;;;"});
    const QByteArray b = dir.read("b.log");
    for (const char* target : {"c.log", "t.log"}) {
        const bool existing = QFileInfo::exists(dir.file(target));
        const ConverterResult result =
            LogConverter(m_clock).Verbinden({dir.file("a.log"), dir.file("b.log")}, dir.file(target));
        QVERIFY(result.written == 3 && result.total == 3 + existing);
        QStringList lines = existing ? QStringList{"01.01.2003;10:00:00;2m;FM;T1T;;;;;;;1W;;;"} : QStringList{};
        lines << "01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;" << "01.01.2004;10:01:00;2m;FM;A2A;;;;;;;1W;;;"
              << "01.01.2005;10:00:00;2m;FM;B1B;;;;;;;5W;;;";
        for (int i = 0; i < lines.size(); ++i)
            lines[i].prepend(QString::number(i + 1) + u';');
        QCOMPARE(SampleLog::lines(dir.file(target)), lines);
    }
    QCOMPARE(dir.read("b.log"), b);
}

// A target among the sources (by any spelling) and a source that cannot be
// read stop the join; no log changes.
void TestConvertRoundTrip::joinRefused() {
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    dir.writeLog("a.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;"});
    dir.writeLog("b.log", {"1;01.01.2005;10:00:00;2m;FM;B1B;;;;;;;1W;;;"});
    dir.writeLog("bad.log", {"1;01.01.2004;10:00:00;2m;FM;A1A;;;;;;;1W;;;", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"});
    QVERIFY(QFile::link(dir.file("b.log"), dir.file("link.log")));
    const QByteArray a = dir.read("a.log"), b = dir.read("b.log");
    const QStringList sources = {dir.file("a.log"), dir.file("b.log")};
    for (const char* target : {"b.log", "./sub/../b.log", "link.log"}) {
        QVERIFY(!LogConverter::joinConflict(sources, dir.file(target)).isEmpty());
        const QString error = errorOf([&] { LogConverter(m_clock).Verbinden(sources, dir.file(target)); });
        QVERIFY2(error.contains(QStringLiteral("ist auch eine der Quellen")), qPrintable(error));
        QVERIFY(dir.read("a.log") == a && dir.read("b.log") == b);
    }
    QVERIFY(LogConverter::joinConflict(sources, dir.file("c.log")).isEmpty());
    for (const QString& source : {QStringLiteral("bad.log"), QStringLiteral("none.log")}) {
        const QString error = errorOf(
            [&] { LogConverter(m_clock).Verbinden({dir.file("b.log"), dir.file(source)}, dir.file("a.log")); });
        QVERIFY2(error.contains(source), qPrintable(error));
        QCOMPARE(dir.read("a.log"), a);
    }
}

void TestConvertRoundTrip::repair() {
    TestFolder dir;
    dir.writeLog("a.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;", "7;01.02.2003;12:35:00;2m;FM;Y;;;;;;;1W;;;"});
    dir.writeLog("b.log", {"3;01.02.2003;12:34:00;2m;FM;Z;;;;;;;5mW;;;", "4;01.02.2003;12:35:00;2m;FM;Z;;;;;;;1.5KW;;;"});
    dir.writeLog("c.log", {"3;01.02.2003;12:34:00;2m;FM;Z;;;;;;;1W;;;;x"});
    const QByteArray c = dir.read("c.log");
    LogConverter converter(m_clock);
    QCOMPARE(converter.Repair({dir.file("a.log"), dir.file("b.log")}), (QList<int>{2, 2}));
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;",
                                      "2;01.02.2003;12:35:00;2m;FM;Y;;;;;;;1W;;;"}));
    QCOMPARE(dir.read("b.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;Z;;;;;;;0,005W;;;",
                                      "2;01.02.2003;12:35:00;2m;FM;Z;;;;;;;1500W;;;"}));
    const QString error = errorOf([&] { converter.Repair({dir.file("c.log")}); }); // a line no contact can be
    QVERIFY2(error.contains(QStringLiteral("c.log\", Zeile 2")), qPrintable(error));
    QCOMPARE(dir.read("c.log"), c);
}

QTEST_GUILESS_MAIN(TestConvertRoundTrip)
#include "test_convertroundtrip.moc"
