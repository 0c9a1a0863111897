#include "logstore/AtomicFile.h"
#include "windows/ui/TextForm.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

class TestTextForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadSaveLoad_data();
    void loadSaveLoad();
    void refusalsKeepTextAndFile();
    void unchangedTextComesBack();
};

// The text is saved as Windows-1252 with CR LF, over a longer old file.
void TestTextForm::loadSaveLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray ansi = "Gr\xfc\xdf" "e\r\n\x80 5\r\n";
    QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e\r\n\xe2\x82\xac 5\r\n") << "Grüße\n€ 5" << ansi;
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbf" "a\xc3\xa4\r\n") << "aä" << QByteArray("a\xe4\r\n");
    QTest::newRow("Windows-1252") << ansi << "Grüße\n€ 5" << ansi;
    // One byte that cannot start UTF-8 makes the whole file 8-bit text.
    QTest::newRow("mostly UTF-8 but one 8-bit byte") << QByteArray("\xc3\xa4\r\n\xe4\r\n") << "Ã¤\nä"
                                                     << QByteArray("\xc3\xa4\r\n\xe4\r\n");
    QTest::newRow("cut-off UTF-8 sequence at the end") << QByteArray("a\xc3") << "aÃ" << QByteArray("a\xc3\r\n");
    QTest::newRow("LF only, no final line end") << QByteArray("a\nb") << "a\nb" << QByteArray("a\r\nb\r\n");
    QTest::newRow("non-breaking space") << QByteArray("1\xa0W") << "1\u00a0W" << QByteArray("1\xa0W\r\n");
    QTest::newRow("empty file") << QByteArray() << "" << QByteArray();
}

void TestTextForm::loadSaveLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, saved);
    TestFolder dir;
    dir.write("in.txt", bytes);
    dir.write("out.txt", "an older text that is longer than the new one\r\n");
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {dir.file("in.txt"), dir.file("out.txt"), dir.file("out.txt")};
    TextForm form(dialogs);
    form.memo()->setPlainText("old");
    form.findChild<QAction*>("Laden1")->trigger();
    QCOMPARE(TextForm::plainText(form.memo()), text);
    form.Speichern1Click();
    QCOMPARE(dir.read("out.txt"), saved);
    form.memo()->setPlainText("other");
    form.Laden1Click();
    QCOMPARE(TextForm::plainText(form.memo()), text);
    QVERIFY(dialogs.errors.isEmpty() && dialogs.fileAnswers.isEmpty());
}

// A file that cannot be read (missing, a folder) or written (no folder, a
// rename failing at the end: full disk, file locked) is named in the error;
// the text and the old file stay. Cancelled dialogs change nothing at all.
void TestTextForm::refusalsKeepTextAndFile() {
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    dir.write("old.txt", "old\r\n");
    const QStringList names = {"gone.txt", "folder", "missing-folder/new.txt", "old.txt"};
    ScriptedDialogs dialogs;
    for (const QString& name : names)
        dialogs.fileAnswers << dir.file(name);
    TextForm form(dialogs);
    form.memo()->setPlainText("keep\nme");
    form.Laden1Click();
    form.Laden1Click();
    form.Speichern1Click();
    AtomicFile::failNextCommitForTesting();
    form.Speichern1Click();
    form.Laden1Click(); // cancelled
    form.Speichern1Click();
    QCOMPARE(dialogs.errors.size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QVERIFY2(dialogs.errors[i].contains(QDir::toNativeSeparators(dir.file(names[i]))), qPrintable(dialogs.errors[i]));
    QVERIFY2(dialogs.errors[0].contains("gelesen"), qPrintable(dialogs.errors[0]));
    QCOMPARE(form.memo()->toPlainText(), QString("keep\nme"));
    QCOMPARE(dir.read("old.txt"), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"folder", "old.txt"}));
}

// Unchanged text comes back as it went in, a non-breaking space too. That
// typed text comes back when the window is closed with Esc is test_editpage's.
void TestTextForm::unchangedTextComesBack() {
    ScriptedDialogs dialogs;
    TextForm form(dialogs);
    QTimer::singleShot(0, &form, [&] { form.accept(); });
    QCOMPARE(form.editModally("x\u00a0y"), QString("x\u00a0y"));
}

QTEST_MAIN(TestTextForm)
#include "test_textform.moc"
