#include "app/ui/LanguageApplier.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTargets.h"
#include "StartedProgram.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

QStringList linesWith(std::initializer_list<std::pair<int, QString>> texts) {
    QStringList lines(LanguageTargets::LineCount, QString());
    for (const auto& [line, text] : texts)
        lines[line - 1] = text;
    return lines;
}

template <typename T> T* named(QObject& root, const char* name) { return findControl<T>(root, name); }

QString tabCaption(MainWindow& w, const char* page) {
    QWidget* p = named<QWidget>(w, page);
    auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget()->parentWidget());
    return tabs->tabText(tabs->indexOf(p));
}

QString lastLogMenuEntry(MainWindow& w) { return named<QMenu>(w, "LogFileMenu")->actions().last()->text(); }

QString pendingListPath() { return qEnvironmentVariable("VESK_SOURCE_DIR") + "/tests/app/language-targets-pending.txt"; }

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void appliesEveryKind();
    void reportsWhatItCannotApply();
    void unresolvedTargetsOnlyShrink();
    void switchesToEnglishAndBack();
    void otherFileLoadsWhileDeutschStaysMarked();
    void missingFileFallsBackToBuiltInGerman();
};

// The kinds of control the real windows do not show through the other tests:
// menus, actions, tabs and operator lists are checked on the main window in
// switchesToEnglishAndBack and test_searchpage, the warning's rows in
// test_duplicatecheck.
void TestLanguage::appliesEveryKind() {
    QWidget main;
    main.setObjectName("MainForm");
    auto* group = new QGroupBox(&main);
    group->setObjectName("GroupBox1");
    auto* memo = new QPlainTextEdit(group);
    memo->setObjectName("Memo1");
    auto* ops = new QComboBox(&main);
    ops->setObjectName("sOperatorComboBox1");
    ops->addItems({"ist", "ist nicht", "enthält"});
    ops->setCurrentIndex(2);
    auto* defaults = new QTableWidget(2, 2, &main);
    defaults->setObjectName("PreValueListEditor");
    defaults->setItem(0, 1, new QTableWidgetItem("59"));
    auto* counts = new QTabBar(&main);
    counts->setObjectName("AnzahlQsosTabControl");
    counts->addTab("a");
    counts->addTab("b");
    auto* button = new QPushButton(&main);
    button->setObjectName("HrdDdeSpeedButton");
    QDialog editor(&main); // a window owned by the main window is looked up by its own name
    editor.setObjectName("TextForm");
    QStringList lines = linesWith({{20, "Box"}, {22, "Zeile 1\nZeile 2"}, {24, "is\nis not\ncontains"},
                                   {100, "Band=20m\nMode=CW\nTX Pwr=100W"}, {137, "Text editor"}, {346, "Rig link"},
                                   {359, "all\nsent"}});
    LanguageApplier(QList<QWidget*>{&main, &editor}).apply(lines);
    QCOMPARE(group->title(), QStringLiteral("Box"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
    QCOMPARE(ops->currentIndex(), 2); // the choice survives the new words
    // Keys follow the language; the stored default stays, new rows take theirs.
    QCOMPARE(defaults->rowCount(), 3);
    QCOMPARE(defaults->item(0, 0)->text(), QStringLiteral("Band"));
    QCOMPARE(defaults->item(0, 1)->text(), QStringLiteral("59"));
    QCOMPARE(defaults->item(2, 1)->text(), QStringLiteral("100W"));
    QCOMPARE(counts->tabText(1), QStringLiteral("sent"));
    QCOMPARE(button->toolTip(), QStringLiteral("Rig link"));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Text editor"));
}

void TestLanguage::reportsWhatItCannotApply() {
    QWidget main;
    main.setObjectName("MainForm");
    auto* wrong = new QLabel(&main);
    wrong->setObjectName("sOperatorComboBox1"); // a label cannot take list items
    const QStringList missing = LanguageApplier(QList<QWidget*>{&main}).apply(linesWith({}));
    QVERIFY(missing.contains(QStringLiteral("line 24: MainForm/sOperatorComboBox1 (a QLabel does not take this kind of text)")));
    QVERIFY(missing.contains(QStringLiteral("line 1: MainForm/Datei1 (no such control)")));
    QVERIFY(missing.contains(QStringLiteral("line 131: DoppeltForm/Label1 (no such window)")));
    QVERIFY(missing.contains(QStringLiteral("line 210: LogConverterForm/PageTitle1 (no such window)")));
    // The messages always find their place.
    QVERIFY(!missing.join('\n').contains("language text"));
}

void TestLanguage::unresolvedTargetsOnlyShrink() {
    TestFolder dir;
    dir.installLanguageFiles();
    StartedProgram program(dir, false);
    auto& [clock, dialogs, session, w] = program;
    const QStringList unresolved = w.unresolvedLanguageTargets();
    qInfo().noquote() << unresolved.size() << "language targets wait for their windows:\n" + unresolved.join('\n');

    QFile f(pendingListPath());
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(pendingListPath()));
    QStringList pending;
    for (const QByteArray& l : f.readAll().split('\n')) {
        if (!l.trimmed().isEmpty() && !l.startsWith('#'))
            pending << QString::fromUtf8(l.trimmed());
    }
    for (const QString& u : unresolved)
        QVERIFY2(pending.contains(u), qPrintable("newly unresolved: " + u));
    // A target that resolves now leaves the list for good.
    for (const QString& p : pending)
        QVERIFY2(unresolved.contains(p), qPrintable("resolves now, remove it from the pending list: " + p));
}

void TestLanguage::switchesToEnglishAndBack() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("2026.log", {});
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n");
    const QStringList de = LanguageFile::read(dir.file("deutsch.lng"));
    const QStringList en = LanguageFile::read(dir.file("english.lng"));
    // Menu, tab, the log menu's caption and its last entry, and a program text.
    // Every tab and menu entry is worded in both languages.
    auto noEmptyCaption = [](MainWindow& w) {
        for (QTabWidget* tabs : w.findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i)
                QVERIFY2(!tabs->tabText(i).isEmpty(), qPrintable(tabs->widget(i)->objectName()));
        for (QMenu* m : w.findChildren<QMenu*>())
            for (QAction* a : m->actions())
                QVERIFY2(a->isSeparator() || !a->text().isEmpty(), qPrintable(a->objectName()));
        for (QAction* a : w.menuBar()->actions()) QVERIFY2(!a->text().isEmpty(), qPrintable(a->objectName()));
    };
    auto shown = [](MainWindow& w, Session& session) {
        return QStringList{named<QAction>(w, "Datei1")->text(), tabCaption(w, "QslTS"),
                           named<QMenu>(w, "LogFileMenu")->title(), lastLogMenuEntry(w),
                           session.texts()[LanguageTexts::NewLogEntry], named<QMenu>(w, "LanguageMenu")->title()};
    };
    {
        StartedProgram program(dir, false);
        auto& [clock, dialogs, session, w] = program;
        named<QAction>(w, "EnglishMenu")->trigger();
        QVERIFY(!named<QAction>(w, "DeutschMenu")->isChecked());
        QCOMPARE(shown(w, session), (QStringList{en[0], en[91], en[151] + "2026.log", en[150], en[150], "English"}));
        noEmptyCaption(w);
        named<QAction>(w, "DeutschMenu")->trigger();
        QCOMPARE(shown(w, session), (QStringList{de[0], de[91], de[151] + "2026.log", de[150], de[150], "Deutsch"}));
        noEmptyCaption(w);
        named<QAction>(w, "EnglishMenu")->trigger();
        w.close();
    }
    // The choice is stored and applied at the next start.
    StartedProgram program(dir, false);
    auto& [clock, dialogs, session, w] = program;
    QVERIFY(named<QAction>(w, "EnglishMenu")->isChecked());
    QCOMPARE(shown(w, session), (QStringList{en[0], en[91], en[151] + "2026.log", en[150], en[150], "English"}));
    QVERIFY(dialogs.errors.isEmpty());
}

// Another language file is used although "Deutsch" stays marked; one that
// ends early leaves the rest of the captions empty.
void TestLanguage::otherFileLoadsWhileDeutschStaysMarked() {
    TestFolder dir;
    dir.installLanguageFiles();
    QByteArray own;
    for (int n = 1; n <= 300; ++n)
        own += "mein " + QByteArray::number(n) + "\r\n";
    dir.write("mein.lng", own);
    dir.write("Vesk.ini", "[Language]\r\nLanguage=mein.lng\r\n");
    StartedProgram program(dir, false);
    auto& [clock, dialogs, session, w] = program;
    QVERIFY(named<QAction>(w, "DeutschMenu")->isChecked());
    QCOMPARE(named<QMenu>(w, "LanguageMenu")->title(), QStringLiteral("Deutsch"));
    QCOMPARE(named<QAction>(w, "Datei1")->text(), QStringLiteral("mein 1"));
    QCOMPARE(tabCaption(w, "PleTS"), QStringLiteral("mein 276"));
    QCOMPARE(lastLogMenuEntry(w), QStringLiteral("mein 151"));
    QCOMPARE(session.languageLine(210), QStringLiteral("mein 210"));
    QCOMPARE(session.texts()[98], QString()); // line 364
    QVERIFY(dialogs.errors.isEmpty());
}

void TestLanguage::missingFileFallsBackToBuiltInGerman() {
    TestFolder dir;
    dir.write("Vesk.ini", "[Language]\r\nLanguage=english.lng\r\n");
    StartedProgram program(dir, false);
    auto& [clock, dialogs, session, w] = program;
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors[0].contains(QDir::toNativeSeparators(dir.file("english.lng"))), qPrintable(dialogs.errors[0]));
    const QStringList de = LanguageFile::builtInGerman();
    QCOMPARE(named<QAction>(w, "Datei1")->text(), de[0]);
    QCOMPARE(tabCaption(w, "OptionenTS"), de[13]);
    QCOMPARE(lastLogMenuEntry(w), QStringLiteral("Neues Log anlegen ..."));
    QCOMPARE(session.texts()[LanguageTexts::NewLogPrompt], QStringLiteral("Name des neuen Logs:"));
}

VESK_TEST_MAIN(TestLanguage)
#include "test_language.moc"
