#include "platform/ProgramTexts.h"
#include "TestFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

static QString shipped(const QString& name) { return qEnvironmentVariable("VESK_SOURCE_DIR") + "/data/" + name; }

static QSet<QString> placeholders(const QString& text) {
    static const QRegularExpression arg(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

class TestProgramTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { ProgramTexts::useBuiltInGerman(); }
    void shippedSupplementsHaveEveryKeyAndNoOther();
    void loading_data();
    void loading();
};

// Both generated files carry every text with the same placeholders, nothing
// the program does not know, and the built-in copy is the shipped German file.
void TestProgramTexts::shippedSupplementsHaveEveryKeyAndNoOther() {
    QString error;
    const QHash<QString, QString> de = ProgramTexts::read(shipped("deutsch.msg"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QHash<QString, QString> en = ProgramTexts::read(shipped("english.msg"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(ProgramTexts::builtInGerman(), de);
    for (int i = 0; i < ProgramTexts::Count; ++i) {
        const QString key = QString::fromLatin1(ProgramTexts::key(static_cast<Msg>(i)));
        QCOMPARE(ProgramTexts::idOf(key), std::optional<Msg>(static_cast<Msg>(i)));
        QVERIFY2(!de.value(key).isEmpty(), qPrintable("deutsch.msg lacks " + key));
        QVERIFY2(!en.value(key).isEmpty(), qPrintable("english.msg lacks " + key));
        QVERIFY2(placeholders(de[key]) == placeholders(en[key]), qPrintable("placeholders differ: " + key));
    }
    for (const QHash<QString, QString>* file : {&de, &en})
        for (const QString& key : file->keys())
            QVERIFY2(ProgramTexts::idOf(key), qPrintable("unknown key " + key));
    QVERIFY(!ProgramTexts::idOf(QStringLiteral("logtoomanyseparators"))); // keys are exact
}

void TestProgramTexts::loading_data() {
    QTest::addColumn<QByteArray>("supplement"); // empty: no file at all
    QTest::addColumn<QString>("notWritable");   // expected text of FileNotWritable
    QTest::addColumn<QString>("writeError");    // expected text of WriteErrorIn
    QTest::addColumn<QString>("problem");       // where the returned error points ("" = no error)
    const QString germanNotWritable = QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2");
    const QString germanWriteError = QStringLiteral("Schreibfehler in \"%1\": %2");
    QTest::newRow("own texts, one key missing")
        << QByteArray("FileNotWritable=Gr\xfc\xdf \x80 %1#13#10%2 = ok\r\nUnknownKey=x\r\n\r\n")
        << QString::fromUtf8("Grüß € %1\n%2 = ok") << germanWriteError << "";
    QTest::newRow("bare line ends") << QByteArray("WriteErrorIn=w\nFileNotWritable=n") << "n" << "w" << "";
    QTest::newRow("no file") << QByteArray() << germanNotWritable << germanWriteError << "";
    QTest::newRow("line without key; w before it is dropped too")
        << QByteArray("WriteErrorIn=w\r\n\r\nnur Text\r\n") << germanNotWritable << germanWriteError << "\", Zeile 3:";
}

// The language file's name has a dot of its own: only ".lng" is replaced.
void TestProgramTexts::loading() {
    QCOMPARE(ProgramTexts::supplementPath("/p/mein"), QStringLiteral("/p/mein.msg")); // a name without suffix
    QFETCH(QByteArray, supplement);
    QFETCH(QString, notWritable);
    QFETCH(QString, writeError);
    QFETCH(QString, problem);
    TestFolder dir;
    dir.write("mein.texte.lng", "x\r\n");
    // Whatever applied before must not survive a failed or partial load.
    dir.write("vorher.msg", "FileNotWritable=vorher\r\nWriteErrorIn=vorher\r\n");
    QVERIFY(ProgramTexts::loadFor(dir.file("vorher.lng")).isEmpty());
    QCOMPARE(msgText(Msg::WriteErrorIn), QStringLiteral("vorher"));
    if (!supplement.isEmpty())
        dir.write("mein.texte.msg", supplement);
    const QString error = ProgramTexts::loadFor(dir.file("mein.texte.lng"));
    QCOMPARE(msgText(Msg::FileNotWritable), notWritable);
    QCOMPARE(msgText(Msg::WriteErrorIn), writeError);
    const QString where = QDir::toNativeSeparators(dir.file("mein.texte.msg"));
    QVERIFY2(problem.isEmpty() ? error.isEmpty()
                               : error.startsWith("Die Ergänzung der Sprachdatei \"" + where + problem),
             qPrintable(error));
}

QTEST_GUILESS_MAIN(TestProgramTexts)
#include "test_programtexts.moc"
