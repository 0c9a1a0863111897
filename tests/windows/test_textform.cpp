#include "app/ui/LanguageApplier.h"
#include "logstore/AtomicFile.h"
#include "settings/LanguageFile.h"
#include "windows/ui/TextForm.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

class TestTextForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_data();
    void load();
    void saveRoundTrip_data();
    void saveRoundTrip();
    void unreadableFileKeepsText_data();
    void unreadableFileKeepsText();
    void unwritableFileKeepsTextAndFile();
    void cancelledDialogsChangeNothing();
    void wrapToggledTwice();
    void editModallyReturnsTheEditedText();
    void languageFileReachesEveryCaption();
};

void TestTextForm::load_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                         "e\r\n\xe2\x82\xac 5\r\n")
                           << QString::fromUtf8("Grüße\n€ 5");
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xef\xbb\xbf" "a\xc3\xa4\r\n") << QString::fromUtf8("aä");
    QTest::newRow("Windows-1252") << QByteArray("Gr\xfc\xdf" "e\r\n\x80 5\r\n") << QString::fromUtf8("Grüße\n€ 5");
    // One byte that cannot start UTF-8 makes the whole file 8-bit text.
    QTest::newRow("mostly UTF-8 but one 8-bit byte")
        << QByteArray("\xc3\xa4\r\n\xe4\r\n") << QString::fromUtf8("Ã¤\nä");
    QTest::newRow("cut-off UTF-8 sequence at the end") << QByteArray("a\xc3") << QString::fromUtf8("aÃ");
    QTest::newRow("LF only, no final line end") << QByteArray("a\nb") << QString("a\nb");
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestTextForm::load() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestFolder dir;
    dir.write("in.txt", bytes);
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {dir.file("in.txt")};
    TextForm form(dialogs);
    form.memo()->setPlainText("old");
    form.findChild<QAction*>("Laden1")->trigger();
    QCOMPARE(form.memo()->toPlainText(), text);
    QVERIFY(dialogs.errors.isEmpty());
    QVERIFY(dialogs.fileAnswers.isEmpty());
}

void TestTextForm::saveRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts and euro") << QString::fromUtf8("Grüße\n€ 5")
                                      << QByteArray("Gr\xfc\xdf"
                                                    "e\r\n\x80 5\r\n");
    QTest::newRow("non-breaking space") << QString::fromUtf8("1\u00a0W") << QByteArray("1\xa0W\r\n");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestTextForm::saveRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TestFolder dir;
    dir.write("out.txt", "an older text that is longer than the new one\r\n");
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {dir.file("out.txt"), dir.file("out.txt")};
    TextForm form(dialogs);
    form.memo()->setPlainText(text);
    form.Speichern1Click();
    QCOMPARE(dir.read("out.txt"), bytes);

    form.memo()->setPlainText("other");
    form.Laden1Click();
    QCOMPARE(TextForm::plainText(form.memo()), text);
    QVERIFY(dialogs.errors.isEmpty());
}

void TestTextForm::unreadableFileKeepsText_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "gone.txt";
    QTest::newRow("a folder") << "folder";
}

void TestTextForm::unreadableFileKeepsText() {
    QFETCH(QString, name);
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {dir.file(name)};
    TextForm form(dialogs);
    form.memo()->setPlainText("keep\nme");
    form.Laden1Click();
    QCOMPARE(form.memo()->toPlainText(), QString("keep\nme"));
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors[0].contains(QDir::toNativeSeparators(dir.file(name))),
             qPrintable(dialogs.errors[0]));
    QVERIFY2(dialogs.errors[0].contains("gelesen"), qPrintable(dialogs.errors[0]));
}

void TestTextForm::unwritableFileKeepsTextAndFile() {
    TestFolder dir;
    const QByteArray old = "old\r\n";
    dir.write("old.txt", old);
    const QString nowhere = dir.file("missing-folder/new.txt");
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {nowhere, dir.file("old.txt")};
    TextForm form(dialogs);
    form.memo()->setPlainText("new text");

    form.Speichern1Click();
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors[0].contains(QDir::toNativeSeparators(nowhere)), qPrintable(dialogs.errors[0]));
    QVERIFY(!QFileInfo::exists(nowhere));

    // A rename that fails at the end (full disk, file locked) keeps the old file.
    AtomicFile::failNextCommitForTesting();
    form.Speichern1Click();
    QCOMPARE(dialogs.errors.size(), 2);
    QVERIFY2(dialogs.errors[1].contains(QDir::toNativeSeparators(dir.file("old.txt"))),
             qPrintable(dialogs.errors[1]));
    QCOMPARE(dir.read("old.txt"), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.txt"});
    QCOMPARE(form.memo()->toPlainText(), QString("new text"));
}

void TestTextForm::cancelledDialogsChangeNothing() {
    TestFolder dir;
    ScriptedDialogs dialogs; // no file answers: every dialog is cancelled
    TextForm form(dialogs);
    form.memo()->setPlainText("stays");
    form.Laden1Click();
    form.Speichern1Click();
    QCOMPARE(form.memo()->toPlainText(), QString("stays"));
    QVERIFY(dialogs.errors.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestTextForm::wrapToggledTwice() {
    ScriptedDialogs dialogs;
    TextForm form(dialogs);
    QPlainTextEdit* memo = form.memo();
    auto* item = form.findChild<QAction*>("Zeilenumbruch1");
    QVERIFY(item && item->isCheckable());
    const auto state = [&] {
        return QStringList{memo->lineWrapMode() == QPlainTextEdit::NoWrap ? "no wrap" : "wrap",
                           memo->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? "h" : "-",
                           memo->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? "v" : "-",
                           item->isChecked() ? "checked" : "unchecked"}
            .join(u' ');
    };
    QCOMPARE(state(), QString("no wrap h v unchecked"));
    form.Zeilenumbruch1Click();
    QCOMPARE(state(), QString("wrap - v checked"));
    QVERIFY(form.wordWrap());
    item->trigger(); // the menu's way
    QCOMPARE(state(), QString("no wrap h v unchecked"));
}

void TestTextForm::editModallyReturnsTheEditedText() {
    ScriptedDialogs dialogs;
    TextForm form(dialogs);
    bool wasModal = false;
    QString shown;
    QTimer::singleShot(0, &form, [&] {
        wasModal = form.isModal() && form.isVisible();
        shown = form.memo()->toPlainText();
        form.memo()->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.memo(), "c");
        QTest::keyClick(form.memo(), Qt::Key_Return);
        QTest::keyClicks(form.memo(), "d");
        form.reject(); // closing the window counts like any other way out
    });
    QCOMPARE(form.editModally("a\nb"), QString("a\nbc\nd"));
    QVERIFY(wasModal);
    QCOMPARE(shown, QString("a\nb"));

    // Unchanged text comes back as it went in.
    QTimer::singleShot(0, &form, [&] { form.accept(); });
    QCOMPARE(form.editModally(QString::fromUtf8("x\u00a0y")), QString::fromUtf8("x\u00a0y"));
}

void TestTextForm::languageFileReachesEveryCaption() {
    const QStringList lines = LanguageFile::read(QCoreApplication::applicationDirPath() + "/english.lng");
    ScriptedDialogs dialogs;
    TextForm form(dialogs);
    const QStringList unresolved = LanguageApplier(QList<QWidget*>{&form}).apply(lines);
    QVERIFY2(unresolved.filter("TextForm").isEmpty(), qPrintable(unresolved.filter("TextForm").join('\n')));
    QCOMPARE(form.windowTitle(), lines[136]);
    QCOMPARE(form.findChild<QAction*>("ext1")->text(), lines[137]);
    QCOMPARE(form.findChild<QAction*>("Format1")->text(), lines[138]);
    QCOMPARE(form.findChild<QAction*>("Laden1")->text(), lines[139]);
    QCOMPARE(form.findChild<QAction*>("Speichern1")->text(), lines[140]);
    QCOMPARE(form.findChild<QAction*>("Zeilenumbruch1")->text(), lines[141]);
    QVERIFY(lines[141] != QStringLiteral("Zeilenumbruch")); // really the English file
}

QTEST_MAIN(TestTextForm)
#include "test_textform.moc"
