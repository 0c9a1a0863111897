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
#include <QMessageBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

static QStringList linesWith(std::initializer_list<std::pair<int, QString>> texts) {
    QStringList lines(LanguageTargets::LineCount, QString());
    for (const auto& [line, text] : texts)
        lines[line - 1] = text;
    return lines;
}

static QString tabCaption(MainWindow& w, const char* page) {
    QWidget* p = findControl<QWidget>(w, page);
    auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget()->parentWidget());
    return tabs->tabText(tabs->indexOf(p));
}

static QString lastLogMenuEntry(MainWindow& w) { return findControl<QMenu>(w, "LogFileMenu")->actions().last()->text(); }

class TestLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void appliesEveryKind();
    void switchesToEnglishAndBack();
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
    auto* wrong = new QLabel(&main);
    wrong->setObjectName("sOperatorComboBox2"); // a label cannot take list items
    QDialog editor(&main); // a window owned by the main window is looked up by its own name
    editor.setObjectName("TextForm");
    QStringList lines = linesWith({{20, "Box"}, {22, "Zeile 1\nZeile 2"}, {24, "is\nis not\ncontains"},
                                   {100, "Band=20m\nMode=CW\nTX Pwr=100W"}, {137, "Text editor"}, {346, "Rig link"},
                                   {359, "all\nsent"}});
    const QStringList missing = LanguageApplier(QList<QWidget*>{&main, &editor}).apply(lines);
    QCOMPARE(ops->currentIndex(), 2); // the choice survives the new words
    QCOMPARE(defaults->rowCount(), 3); // keys follow the language; stored defaults stay, new rows take theirs
    QCOMPARE((QStringList{group->title(), memo->toPlainText(), defaults->item(0, 0)->text(),
                          defaults->item(0, 1)->text(), defaults->item(2, 1)->text(), counts->tabText(1),
                          button->toolTip(), editor.windowTitle()}),
             (QStringList{"Box", "Zeile 1\nZeile 2", "Band", "59", "100W", "sent", "Rig link", "Text editor"}));
    // What it cannot apply is named; the messages always find their place.
    QVERIFY(missing.contains("line 25: MainForm/sOperatorComboBox2 (a QLabel does not take this kind of text)"));
    QVERIFY(missing.contains(QStringLiteral("line 1: MainForm/Datei1 (no such control)")));
    QVERIFY(missing.contains(QStringLiteral("line 210: LogConverterForm/PageTitle1 (no such window)")));
    QVERIFY(!missing.join('\n').contains("language text"));
}

void TestLanguage::switchesToEnglishAndBack() {
    TestFolder dir;
    dir.prepareProgram({});
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
        return QStringList{findControl<QAction>(w, "Datei1")->text(), tabCaption(w, "QslTS"),
                           findControl<QMenu>(w, "LogFileMenu")->title(), lastLogMenuEntry(w),
                           session.texts()[LanguageTexts::NewLogEntry], findControl<QMenu>(w, "LanguageMenu")->title()};
    };
    const QStringList english = {en[0], en[91], en[151] + "2026.log", en[150], en[150], "English"};
    // Qt's own buttons follow the language too (Debian's Qt translations).
    auto cancelButton = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    };
    {
        StartedProgram program(dir, false);
        auto& [clock, dialogs, session, w] = program;
        // Targets whose windows do not exist yet are listed; one that resolves
        // now leaves the list for good.
        const QStringList unresolved = w.unresolvedLanguageTargets();
        QFile f(qEnvironmentVariable("VESK_SOURCE_DIR") + "/tests/app/language-targets-pending.txt");
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        QStringList pending;
        for (const QByteArray& l : f.readAll().split('\n'))
            if (!l.trimmed().isEmpty() && !l.startsWith('#')) pending << QString::fromUtf8(l.trimmed());
        for (const QString& u : unresolved)
            QVERIFY2(pending.contains(u), qPrintable("newly unresolved: " + u));
        for (const QString& p : pending)
            QVERIFY2(unresolved.contains(p), qPrintable("resolves now, remove it from the pending list: " + p));
        findControl<QAction>(w, "EnglishMenu")->trigger();
        QVERIFY(!findControl<QAction>(w, "DeutschMenu")->isChecked());
        QCOMPARE(shown(w, session), english);
        QCOMPARE(cancelButton(), "Cancel");
        noEmptyCaption(w);
        findControl<QAction>(w, "DeutschMenu")->trigger();
        QCOMPARE(shown(w, session), (QStringList{de[0], de[91], de[151] + "2026.log", de[150], de[150], "Deutsch"}));
        QCOMPARE(cancelButton(), "Abbrechen");
        noEmptyCaption(w);
        findControl<QAction>(w, "EnglishMenu")->trigger();
        w.close();
    }
    {
        // The choice is stored and applied at the next start.
        StartedProgram program(dir, false);
        QVERIFY(findControl<QAction>(program.w, "EnglishMenu")->isChecked());
        QCOMPARE(shown(program.w, program.session), english);
        QVERIFY(program.dialogs.errors.isEmpty());
    }
    // A missing language file is named; the built-in German (= deutsch.lng) applies.
    QVERIFY(QFile::remove(dir.file("english.lng")));
    {
        StartedProgram program(dir, false);
        const QStringList& errors = program.dialogs.errors;
        QVERIFY2(errors.size() == 1 && errors[0].contains(QDir::toNativeSeparators(dir.file("english.lng"))),
                 qPrintable(errors.join(u'\n')));
        QCOMPARE(shown(program.w, program.session).first(5),
                 (QStringList{de[0], de[91], de[151] + "2026.log", de[150], de[150]}));
    }
    // Another language file is used although "Deutsch" stays marked; one that
    // ends early leaves the rest of the captions empty.
    QByteArray own;
    for (int n = 1; n <= 300; ++n)
        own += "mein " + QByteArray::number(n) + "\r\n";
    dir.write("mein.lng", own);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\n[Language]\r\nLanguage=mein.lng\r\n");
    StartedProgram program(dir, false);
    auto& [clock, dialogs, session, w] = program;
    QVERIFY(findControl<QAction>(w, "DeutschMenu")->isChecked());
    QCOMPARE((shown(w, session) + QStringList{tabCaption(w, "PleTS"), session.languageLine(210), session.texts()[98]}),
             (QStringList{"mein 1", "mein 92", "mein 152" "2026.log", "mein 151", "mein 151", "Deutsch", "mein 276",
                          "mein 210", ""})); // texts()[98] is line 364
    QVERIFY(dialogs.errors.isEmpty());
}

VESK_TEST_MAIN(TestLanguage)
#include "test_language.moc"
