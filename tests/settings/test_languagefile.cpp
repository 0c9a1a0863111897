#include "logstore/IoError.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTargets.h"
#include "settings/LanguageTexts.h"
#include "TestFolder.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QString sourceDir() { return qEnvironmentVariable("VESK_SOURCE_DIR"); }

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString shipped(const QString& name) { return sourceDir() + QStringLiteral("/data/") + name; }

// The LanguageTexts indexes the program's code reads: the named constants of
// LanguageTexts and any texts()[n] with a literal index.
QMap<int, QString> indexesUsedInCode() {
    const QString header = QString::fromUtf8(fileBytes(sourceDir() + "/src/settings/LanguageTexts.h"));
    QMap<QString, int> named;
    static const QRegularExpression enumEntry(QStringLiteral(R"((\w+)\s*=\s*(\d+)\s*,)"));
    for (auto it = enumEntry.globalMatch(header); it.hasNext();) {
        const auto m = it.next();
        named.insert(m.captured(1), m.captured(2).toInt());
    }
    QMap<int, QString> used;
    static const QRegularExpression byName(QStringLiteral(R"(LanguageTexts::(\w+))"));
    static const QRegularExpression byNumber(QStringLiteral(R"(texts\(\)\[(\d+)\])"));
    QDirIterator files(sourceDir() + "/src", {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.endsWith("/LanguageTexts.h"))
            continue;
        const QString code = QString::fromUtf8(fileBytes(path));
        for (auto it = byName.globalMatch(code); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (named.contains(name))
                used.insert(named[name], QFileInfo(path).fileName() + ": " + name);
        }
        for (auto it = byNumber.globalMatch(code); it.hasNext();)
            used.insert(it.next().captured(1).toInt(), QFileInfo(path).fileName());
    }
    return used;
}

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tableHasEveryLineOnce();
    void readsLinesByPosition();
    void shortFileLeavesTheRestEmpty();
    void missingFileNamesIt();
    void fillTextsTakesTheMessageLines();
    void shippedFilesHaveEveryLine_data();
    void shippedFilesHaveEveryLine();
    void usedTextsAreWorded();
    void listLinesKeepTheirShapeInEnglish();
    void builtInGermanIsTheShippedFile();
};

void TestLanguageFile::tableHasEveryLineOnce() {
    const auto& all = LanguageTargets::all();
    QCOMPARE(int(all.size()), LanguageTargets::LineCount);
    QSet<QString> seen;
    int messages = 0;
    for (int i = 0; i < int(all.size()); ++i) {
        const auto& t = all[std::size_t(i)];
        QCOMPARE(t.line, i + 1);
        if (t.kind == LanguageTargets::Kind::Message) {
            QCOMPARE(t.messageIndex, messages++);
            continue;
        }
        QVERIFY2(!t.window.isEmpty(), qPrintable(t.describe()));
        const QString key = t.window + '/' + t.control + '/' + QString::number(int(t.kind));
        QVERIFY2(!seen.contains(key), qPrintable("twice: " + t.describe()));
        seen.insert(key);
    }
    QCOMPARE(messages, LanguageTexts::Count);
    // Controls that share a name live in different windows.
    QCOMPARE(LanguageTargets::lineOf("DoppeltForm", "Label1"), 131);
    QCOMPARE(LanguageTargets::lineOf("LogConverterForm", "Label1"), 268);
    QCOMPARE(LanguageTargets::lineOf("MapForm", "Label1"), 328);
    QCOMPARE(LanguageTargets::lineOf("MainForm", "Label17"), 357);
    QCOMPARE(LanguageTargets::lineOf("MapForm", "Label17"), 333);
    QCOMPARE(LanguageTargets::lineOf("MainForm", "NoSuchThing"), 0);
}

void TestLanguageFile::readsLinesByPosition() {
    TestFolder dir;
    // Windows-1252 umlauts, an empty line kept in its place, a memo line with
    // a line break, a line saved with a bare LF and no line end at the end.
    dir.write("x.lng", "&Datei\r\n\r\nZeile 1#13#10Zeile 2\r\nGro\xdf" "felder\nletzte");
    const QStringList lines = LanguageFile::read(dir.file("x.lng"));
    QCOMPARE(lines.size(), LanguageTargets::LineCount);
    QCOMPARE(lines[0], QStringLiteral("&Datei"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("Zeile 1\nZeile 2"));
    QCOMPARE(lines[3], QStringLiteral("Großfelder"));
    QCOMPARE(lines[4], QStringLiteral("letzte"));
    QCOMPARE(lines[5], QString());
}

void TestLanguageFile::shortFileLeavesTheRestEmpty() {
    TestFolder dir;
    QByteArray tooLong;
    for (int i = 1; i <= 400; ++i)
        tooLong += QByteArray::number(i) + "\r\n";
    dir.write("long.lng", tooLong);
    const QStringList full = LanguageFile::read(dir.file("long.lng"));
    QCOMPARE(full.size(), LanguageTargets::LineCount);
    QCOMPARE(full.last(), QStringLiteral("373"));

    dir.write("short.lng", "a\r\nb\r\n");
    const QStringList lines = LanguageFile::read(dir.file("short.lng"));
    QCOMPARE(lines.size(), LanguageTargets::LineCount);
    QCOMPARE(lines[1], QStringLiteral("b"));
    QVERIFY(std::all_of(lines.begin() + 2, lines.end(), [](const QString& s) { return s.isEmpty(); }));
    dir.write("empty.lng", "");
    QCOMPARE(LanguageFile::read(dir.file("empty.lng")), QStringList(LanguageTargets::LineCount, QString()));
}

void TestLanguageFile::missingFileNamesIt() {
    TestFolder dir;
    try {
        LanguageFile::read(dir.file("klingonisch.lng"));
        QFAIL("no error for a missing file");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains("klingonisch.lng"), qPrintable(e.message()));
    }
}

void TestLanguageFile::fillTextsTakesTheMessageLines() {
    QStringList lines;
    for (int n = 1; n <= LanguageTargets::LineCount; ++n)
        lines << QString::number(n);
    LanguageTexts texts;
    LanguageFile::fillTexts(lines, texts);
    QCOMPARE(texts[0], QStringLiteral("143"));
    QCOMPARE(texts[LanguageTexts::NewLogEntry], QStringLiteral("151"));
    QCOMPARE(texts[67], QStringLiteral("273")); // after the block of captions between them
    QCOMPARE(texts[98], QStringLiteral("364"));
    // No caption line is ever read as a message, and each message's line is
    // the one the table gives it.
    for (int i = 0; i < LanguageTexts::Count; ++i) {
        QCOMPARE(LanguageTargets::at(texts[i].toInt()).kind, LanguageTargets::Kind::Message);
        QCOMPARE(LanguageTargets::lineOfMessage(i), texts[i].toInt());
    }
    QCOMPARE(LanguageTargets::lineOfMessage(LanguageTexts::Count), 0);
    QCOMPARE(LanguageTargets::lineOfMessage(-1), 0);
    // A list too short for the messages empties them rather than failing.
    LanguageFile::fillTexts(QStringList{"only"}, texts);
    QCOMPARE(texts[0], QString());
}

void TestLanguageFile::shippedFilesHaveEveryLine_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("deutsch") << "deutsch.lng";
    QTest::newRow("english") << "english.lng";
}

void TestLanguageFile::shippedFilesHaveEveryLine() {
    QFETCH(QString, name);
    const QByteArray bytes = fileBytes(shipped(name));
    QVERIFY2(!bytes.isEmpty(), qPrintable(shipped(name)));
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
    QCOMPARE(lines.size(), LanguageTargets::LineCount);
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].endsWith('\r') || i == lines.size() - 1, qPrintable(QStringLiteral("line %1 lacks CR").arg(i + 1)));
        // UTF-8 text saved by mistake shows as "Ã" pairs in Windows-1252.
        QVERIFY2(!lines[i].contains("\xc3"), qPrintable(QStringLiteral("line %1 looks like UTF-8").arg(i + 1)));
    }
}

void TestLanguageFile::usedTextsAreWorded() {
    const QMap<int, QString> used = indexesUsedInCode();
    QVERIFY(used.contains(LanguageTexts::NewLogEntry));
    for (const QString& name : {QStringLiteral("deutsch.lng"), QStringLiteral("english.lng")}) {
        LanguageTexts texts;
        LanguageFile::fillTexts(LanguageFile::read(shipped(name)), texts);
        for (auto it = used.begin(); it != used.end(); ++it) {
            QVERIFY2(!texts[it.key()].trimmed().isEmpty(),
                     qPrintable(QStringLiteral("%1: text %2 (%3) is empty").arg(name).arg(it.key()).arg(it.value())));
        }
    }
}

void TestLanguageFile::listLinesKeepTheirShapeInEnglish() {
    const QStringList de = LanguageFile::read(shipped("deutsch.lng"));
    const QStringList en = LanguageFile::read(shipped("english.lng"));
    int differing = 0;
    int worded = 0;
    for (const auto& t : LanguageTargets::all()) {
        const QString& g = de[t.line - 1];
        const QString& e = en[t.line - 1];
        QVERIFY2(g.isEmpty() == e.isEmpty(), qPrintable(t.describe() + ": worded in one file only"));
        // Lists are read by position, so both languages need the same number of entries.
        using K = LanguageTargets::Kind;
        if (t.kind == K::Items || t.kind == K::Rows || t.kind == K::Tabs)
            QVERIFY2(g.count('\n') == e.count('\n'), qPrintable(t.describe() + ": entries differ"));
        if (t.kind == K::Rows) {
            for (const QString& row : e.split('\n'))
                QVERIFY2(row.contains('='), qPrintable(t.describe() + ": row without '=': " + row));
        }
        if (!g.isEmpty()) {
            ++worded;
            differing += g != e;
        }
    }
    // Names like "QSL", "DXCC" or "Call" stay; most texts are translated.
    QVERIFY2(differing * 10 >= worded * 8, qPrintable(QStringLiteral("%1 of %2 lines translated").arg(differing).arg(worded)));
}

void TestLanguageFile::builtInGermanIsTheShippedFile() {
    QCOMPARE(LanguageFile::builtInGerman(), LanguageFile::read(shipped("deutsch.lng")));
    QCOMPARE(LanguageTexts()[LanguageTexts::NewLogEntry], QStringLiteral("Neues Log anlegen ..."));
}

QTEST_MAIN(TestLanguageFile)
#include "test_languagefile.moc"
