#include "converter/AdifFormat.h"
#include "converter/AdifReader.h"
#include "converter/ForeignText.h"
#include "converter/HtmlTable.h"
#include "converter/LogConverter.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "SampleLog.h"
#include "TestFolder.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QtTest>

// A short random-mutation fuzz test of the two import parsers, seeded so
// that every run tries the same inputs. Inputs grow from the files in
// corpus/: each mutation flips, inserts, deletes, repeats or cuts bytes,
// with insertions drawn from the pieces the parsers look for.
namespace {

// VESK_FUZZ_MUTATIONS=N runs longer, for a search beyond the quick test.
int mutations() {
    const int n = qEnvironmentVariableIntValue("VESK_FUZZ_MUTATIONS");
    return n > 0 ? n : 3000;
}

QList<QByteArray> corpus(const QString& suffix) {
    QList<QByteArray> inputs;
    QDirIterator it(QFINDTESTDATA("corpus"), {"*." + suffix}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        inputs << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return inputs;
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& rng) {
    static const QList<QByteArray> pieces = {
        "<",     ">",      ":",      "<EOR>",  "<eoh>",   "<CALL:",   "<QSO_DATE:8>", "99", "0", "999999999",
        "\r\n",  "\n",     "&",      "&#",     "&#x",     ";",        "&nbsp;",       "<td>", "</td>", "<tr>",
        "<th ",  "<table>", "</table>", "<br>", "<!--",    "\xFC",     "\xC3",         "\xEF\xBB\xBF",
        QByteArray(1, '\0')};
    const int operations = 1 + int(rng.bounded(4u));
    for (int i = 0; i < operations; ++i) {
        const qsizetype size = bytes.size();
        const qsizetype at = size > 0 ? qsizetype(rng.bounded(quint32(size))) : 0;
        switch (rng.bounded(5u)) {
        case 0:
            if (size > 0)
                bytes[at] = char(rng.bounded(256u));
            break;
        case 1:
            bytes.insert(at, pieces[int(rng.bounded(quint32(pieces.size())))]);
            break;
        case 2:
            bytes.remove(at, qsizetype(rng.bounded(16u)));
            break;
        case 3:
            bytes.insert(at, bytes.mid(at, qsizetype(rng.bounded(64u))));
            break;
        default:
            bytes.truncate(at);
        }
    }
    return bytes;
}

// What any log the converter writes must look like, whatever it read.
void verifyLog(const QString& path) {
    const QList<QsoRecord> records = SampleLog::read(path);
    for (int i = 0; i < records.size(); ++i) {
        const QsoRecord& r = records[i];
        QVERIFY2(r[QsoRecord::Number] == QString::number(i + 1) &&
                     DateText::parseDate(r[QsoRecord::Date], 2026).has_value() &&
                     DateText::parseTime(r[QsoRecord::Utc]).has_value() && r[QsoRecord::TxPwr].endsWith(u'W'),
                 qPrintable(r.encodeLine()));
    }
}

} // namespace

class TestConverterFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void corpusImports_data();
    void corpusImports();
    void adifReader();
    void htmlTable();
    void importsLeaveTargetWhole_data();
    void importsLeaveTargetWhole();

private:
    FakeClock m_clock;
};

void TestConverterFuzz::corpusImports_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("contacts");
    const std::pair<const char*, int> seeds[] = {{"basic.adi", 2},   {"lengths.adi", 2}, {"utf8.adi", 2},
                                                 {"oneline.adi", 3}, {"export.htm", 2},  {"foreign.htm", 3}};
    for (const auto& [file, contacts] : seeds)
        QTest::newRow(file) << QString(file) << contacts;
}

void TestConverterFuzz::corpusImports() {
    // The seeds themselves must be what they claim, or the mutations start
    // from nothing.
    QFETCH(QString, file);
    QFETCH(int, contacts);
    TestFolder dir;
    LogConverter converter(m_clock);
    const QString path = QFINDTESTDATA("corpus/" + file);
    const ConverterResult result =
        file.endsWith(u".adi") ? converter.ImportAdif(path, dir.file("t.log"))
                               : converter.ImportStringGrid(converter.LoadHtml(path), 2, dir.file("t.log"));
    QCOMPARE(result.written, contacts);
    verifyLog(dir.file("t.log"));
}

void TestConverterFuzz::adifReader() {
    const QList<QByteArray> seeds = corpus("adi");
    QVERIFY(seeds.size() >= 4);
    QRandomGenerator rng(20261206);
    for (int i = 0; i < mutations(); ++i) {
        const QByteArray input = mutate(seeds[i % seeds.size()], rng);
        AdifReader reader(input, QStringLiteral("fuzz.adi"), Adif::fieldNames());
        AdifReader::Record record;
        int expectedNumber = 1;
        qint64 lastPosition = reader.position();
        while (reader.next(record)) {
            QCOMPARE(record.number, expectedNumber++);
            QVERIFY(record.line >= 1 && reader.position() >= lastPosition && reader.position() <= input.size());
            lastPosition = reader.position();
            QsoRecord q;
            for (const AdifReader::Field& f : std::as_const(record.fields)) {
                QVERIFY(f.index >= 0 && f.index < Adif::FieldCount);
                Adif::applyField(q, f.index, f.value);
            }
            QVERIFY(expectedNumber <= input.size() + 2); // every record consumes input
        }
        for (const QString& note : reader.notes())
            QVERIFY(note.startsWith(QStringLiteral("\"fuzz.adi\", Datensatz ")));
    }
}

void TestConverterFuzz::htmlTable() {
    const QList<QByteArray> seeds = corpus("htm");
    QVERIFY(seeds.size() >= 2);
    QRandomGenerator rng(73);
    for (int i = 0; i < mutations(); ++i) {
        const QByteArray input = mutate(seeds[i % seeds.size()], rng);
        StringGrid grid;
        if (!HtmlTable::readFirstTable(ForeignText::decode(input), grid))
            continue;
        grid.assignByHeadings();
        QVERIFY(grid.rowCount() >= 2 && grid.columnCount() >= 1);
        for (int c = 0; c < grid.columnCount(); ++c) {
            QVERIFY(grid.assignment(c) >= 0 && grid.assignment(c) <= QsoRecord::FieldCount);
            for (int r = 1; r < grid.rowCount(); ++r) {
                const QString cell = grid.cell(c, r);
                QVERIFY(cell.isEmpty() || (cell.front().unicode() > 0x20 && cell.back().unicode() > 0x20));
            }
        }
    }
}

void TestConverterFuzz::importsLeaveTargetWhole_data() {
    QTest::addColumn<QString>("suffix");
    for (const char* suffix : {"adi", "htm"})
        QTest::newRow(suffix) << QString(suffix);
}

void TestConverterFuzz::importsLeaveTargetWhole() {
    // The whole import, on fewer inputs: it either succeeds with a valid log
    // or fails with a message and leaves the log byte for byte as it was.
    QFETCH(QString, suffix);
    const QList<QByteArray> seeds = corpus(suffix);
    QRandomGenerator rng(4242);
    TestFolder dir;
    LogConverter converter(m_clock);
    int failures = 0;
    for (int i = 0; i < 150; ++i) {
        dir.write("in." + suffix, mutate(seeds[i % seeds.size()], rng));
        dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
        const QByteArray before = dir.read("t.log");
        try {
            if (suffix == u"adi")
                converter.ImportAdif(dir.file("in.adi"), dir.file("t.log"));
            else
                converter.ImportStringGrid(converter.LoadHtml(dir.file("in.htm")), 2, dir.file("t.log"));
        } catch (const IoError& e) {
            ++failures;
            QVERIFY(e.message().contains(QStringLiteral("in.") + suffix));
            QCOMPARE(dir.read("t.log"), before);
            continue;
        }
        verifyLog(dir.file("t.log"));
        QCOMPARE(SampleLog::read(dir.file("t.log")).first()[QsoRecord::Call], QStringLiteral("A1A"));
    }
    QVERIFY(failures < 150); // the mutations must not all be rejected outright
}

QTEST_GUILESS_MAIN(TestConverterFuzz)
#include "test_converterfuzz.moc"
