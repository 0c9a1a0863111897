#include "converter/LogConverter.h"
#include "logstore/DateText.h"
#include "SampleLog.h"
#include "TestFolder.h"
#include <QDirIterator>
#include <QRandomGenerator>
#include <QtTest>

// A short random-mutation fuzz test of the two imports, seeded so that every run tries the same
// inputs. Inputs grow from the files in corpus/: each mutation flips, inserts, deletes, repeats or
// cuts bytes, with insertions drawn from the pieces the parsers look for.
namespace {

// VESK_FUZZ_MUTATIONS=N runs longer, for a search beyond the quick test.
const int kMutations = qMax(qEnvironmentVariableIntValue("VESK_FUZZ_MUTATIONS"), 300);

QList<QByteArray> corpus(const QString& suffix) {
    QList<QByteArray> inputs;
    for (QDirIterator it(QFINDTESTDATA("corpus"), {"*." + suffix}, QDir::Files); it.hasNext();) {
        QFile file(it.next());
        inputs << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return inputs;
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& rng) {
    static const QList<QByteArray> pieces = {
        "<", ">", ":", "<EOR>", "<eoh>", "<CALL:", "<QSO_DATE:8>", "99", "0", "999999999", "\r\n", "\n", "&", "&#",
        "&#x", ";", "&nbsp;", "<td>", "</td>", "<tr>", "<th ", "<table>", "</table>", "<br>", "<!--", "\xFC", "\xC3",
        "\xEF\xBB\xBF", QByteArray(1, '\0')};
    const int operations = 1 + int(rng.bounded(4u));
    for (int i = 0; i < operations; ++i) {
        const qsizetype size = bytes.size();
        const qsizetype at = size > 0 ? qsizetype(rng.bounded(quint32(size))) : 0;
        const quint32 operation = rng.bounded(5u);
        if (operation == 0 && size > 0)
            bytes[at] = char(rng.bounded(256u));
        else if (operation == 1)
            bytes.insert(at, pieces[int(rng.bounded(quint32(pieces.size())))]);
        else if (operation == 2)
            bytes.remove(at, qsizetype(rng.bounded(16u)));
        else if (operation == 3)
            bytes.insert(at, bytes.mid(at, qsizetype(rng.bounded(64u))));
        else if (operation == 4)
            bytes.truncate(at);
    }
    return bytes;
}

} // namespace

class TestConverterFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imports_data();
    void imports();

private:
    FakeClock m_clock;
};

void TestConverterFuzz::imports_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("ADIF") << "adi";
    QTest::newRow("HTML") << "htm";
}

// Each input is imported into a valid log after the record in it, or refused with a message naming
// it and the log as it was. The seeds must import, or the mutations start from nothing.
void TestConverterFuzz::imports() {
    QFETCH(QString, suffix);
    const QList<QByteArray> seeds = corpus(suffix);
    QVERIFY(seeds.size() >= 2);
    QRandomGenerator rng(4242);
    TestFolder dir;
    LogConverter converter(m_clock);
    const QString input = dir.file("in." + suffix), log = dir.file("t.log");
    int failures = 0;
    for (int i = 0; i < kMutations; ++i) {
        const bool seed = i < seeds.size();
        dir.write("in." + suffix, seed ? seeds[i] : mutate(seeds[i % seeds.size()], rng));
        dir.writeLog("t.log", {"1;01.02.2003;12:34:00;2m;FM;A1A;;;;;;;1W;;;"});
        const QByteArray before = dir.read("t.log");
        ConverterResult result;
        const QString error = errorOf([&] {
            result = suffix == u"adi" ? converter.ImportAdif(input, log)
                                      : converter.ImportStringGrid(converter.LoadHtml(input), 2, log);
        });
        if (!error.isEmpty()) {
            QVERIFY2(!seed && error.contains(input) && dir.read("t.log") == before, qPrintable(error));
            ++failures;
            continue;
        }
        const QList<QsoRecord> records = SampleLog::read(log);
        QVERIFY(records.size() == result.written + 1 && records[0][QsoRecord::Call] == u"A1A" && (!seed || result.written));
        for (int n = 0; n < records.size(); ++n) {
            const QsoRecord& r = records[n];
            QVERIFY2(r[QsoRecord::Number] == QString::number(n + 1) &&
                         DateText::parseDate(r[QsoRecord::Date], 2026).has_value() &&
                         DateText::parseTime(r[QsoRecord::Utc]).has_value() && r[QsoRecord::TxPwr].endsWith(u'W'),
                     qPrintable(r.encodeLine()));
        }
        for (const QString& note : std::as_const(result.notes))
            QVERIFY2(note.startsWith(u'"' + input + u'"'), qPrintable(note));
    }
    QVERIFY(failures < kMutations / 2); // the mutations must not mostly be refused outright
}

QTEST_GUILESS_MAIN(TestConverterFuzz)
#include "test_converterfuzz.moc"
