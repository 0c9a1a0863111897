#include "logstore/IoError.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTargets.h"
#include "settings/LanguageTexts.h"
#include "TestFolder.h"
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QString kSource = qEnvironmentVariable("VESK_SOURCE_DIR");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The messages the code reads by name: the constants of LanguageTexts.
QList<int> namedTexts() {
    static const QRegularExpression enumEntry(QStringLiteral(R"(\w+\s*=\s*(\d+)\s*,)"));
    QList<int> named;
    for (const auto& m : enumEntry.globalMatch(QString::fromUtf8(bytesOf(kSource + "/src/settings/LanguageTexts.h"))))
        named << m.captured(1).toInt();
    return named;
}

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tableAndMessageLines();
    void readsLinesByPosition();
    void shippedFiles();
};

// Every line once, captions each on their own control; each message read
// from its own line, in order, no caption line ever read as one.
void TestLanguageFile::tableAndMessageLines() {
    QStringList lines; // each holding its number
    for (int n = 1; n <= LanguageTargets::LineCount; ++n)
        lines << QString::number(n);
    LanguageTexts texts;
    LanguageFile::fillTexts(lines, texts);
    QCOMPARE(texts[0], QStringLiteral("143"));
    QCOMPARE(texts[67], QStringLiteral("273")); // after the block of captions between them
    const auto& all = LanguageTargets::all();
    QCOMPARE(int(all.size()), LanguageTargets::LineCount);
    QSet<QString> seen;
    int messages = 0;
    for (int i = 0; i < int(all.size()); ++i) {
        const auto& t = all[std::size_t(i)];
        QCOMPARE(t.line, i + 1);
        if (t.kind == LanguageTargets::Kind::Message) {
            QVERIFY(t.messageIndex == messages && LanguageTargets::lineOfMessage(messages) == t.line);
            QCOMPARE(texts[messages++], QString::number(t.line));
            continue;
        }
        const QString key = t.window + '/' + t.control + '/' + QString::number(int(t.kind));
        QVERIFY2(!t.window.isEmpty() && !seen.contains(key), qPrintable("nameless or twice: " + t.describe()));
        seen.insert(key);
    }
    QCOMPARE(messages, LanguageTexts::Count);
    QVERIFY(LanguageTargets::lineOfMessage(LanguageTexts::Count) == 0 && LanguageTargets::lineOfMessage(-1) == 0);
    // A list too short for the messages empties them rather than failing.
    LanguageFile::fillTexts(QStringList{"only"}, texts);
    QCOMPARE(texts[0], QString());
}

void TestLanguageFile::readsLinesByPosition() {
    TestFolder dir;
    // Windows-1252 umlauts, an empty line kept in its place, a memo line with
    // a line break, a line saved with a bare LF and no line end at the end;
    // a short file leaves the rest empty.
    dir.write("x.lng", "&Datei\r\n\r\nZeile 1#13#10Zeile 2\r\nGro\xdf" "felder\nletzte");
    QStringList expected = {"&Datei", "", "Zeile 1\nZeile 2", "Großfelder", "letzte"};
    expected.resize(LanguageTargets::LineCount);
    QCOMPARE(LanguageFile::read(dir.file("x.lng")), expected);
    try {
        LanguageFile::read(dir.file("klingonisch.lng"));
        QFAIL("no error for a missing file");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains("klingonisch.lng"), qPrintable(e.message()));
    }
}

// Both files: every line, each ending in CR LF, in Windows-1252 (UTF-8 saved
// by mistake shows as "Ã" pairs). Every message the code names is worded; a
// caption in both files or in neither. Lists are read by position, so both
// languages need the same number of entries. The built-in German is deutsch.lng.
void TestLanguageFile::shippedFiles() {
    QStringList read[2];
    for (int i = 0; i < 2; ++i) {
        const QString path = kSource + (i == 0 ? "/data/deutsch.lng" : "/data/english.lng");
        const QByteArray bytes = bytesOf(path);
        QVERIFY2(bytes.endsWith("\r\n") && !bytes.contains("\xc3"), qPrintable(path));
        QVERIFY(bytes.count("\r\n") == LanguageTargets::LineCount && bytes.count('\n') == LanguageTargets::LineCount);
        read[i] = LanguageFile::read(path);
    }
    QCOMPARE(LanguageFile::builtInGerman(), read[0]);
    QCOMPARE(LanguageTexts()[LanguageTexts::NewLogEntry], QStringLiteral("Neues Log anlegen ..."));
    const QList<int> used = namedTexts();
    QVERIFY(used.contains(LanguageTexts::NewLogEntry));
    using K = LanguageTargets::Kind;
    for (const auto& t : LanguageTargets::all()) {
        const QString& g = read[0][t.line - 1];
        const QString& e = read[1][t.line - 1];
        QVERIFY2(g.isEmpty() == e.isEmpty(), qPrintable(t.describe() + ": worded in one file only"));
        QVERIFY2(t.kind != K::Message || !used.contains(t.messageIndex) || !g.trimmed().isEmpty(),
                 qPrintable(t.describe() + ": named, but empty"));
        if (t.kind == K::Items || t.kind == K::Rows || t.kind == K::Tabs)
            QVERIFY2(g.count('\n') == e.count('\n'), qPrintable(t.describe() + ": entries differ"));
        for (const QString& row : t.kind == K::Rows ? e.split('\n') : QStringList{})
            QVERIFY2(row.contains('='), qPrintable(t.describe() + ": row without '=': " + row));
    }
}

QTEST_MAIN(TestLanguageFile)
#include "test_languagefile.moc"
