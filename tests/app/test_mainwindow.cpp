#include "converter/ui/LogConverterForm.h"
#include "entry/ui/LogGridView.h"
#include "logstore/QsoRecord.h"
#include "settings/Settings.h"
#include "StartedProgram.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

namespace {
QMenu* logFileMenu(MainWindow& w) { return findControl<QMenu>(w, "LogFileMenu"); }

QStringList logMenuCaptions(MainWindow& w) {
    QStringList out;
    for (QAction* a : logFileMenu(w)->actions()) {
        if (!a->isSeparator())
            out << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    }
    return out;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithStoredLog();
    void freshStartWritesOnlyEndKeys();
    void missingStoredLogLeavesTabsDisabled();
    void switchCreateAndLoseLogs();
    void converterOpensFromToolsAndListsNewLogs();
};

void TestMainWindow::startsWithStoredLog() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("2004.log", {"1;01.02.2004;10:00:00;20m;CW;OLD1;599;599;;;;;5W;;;"});
    dir.writeLog("2005.log", {"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;10W;erste#13#10zweite;;",
                              "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;;;50W;;;"});
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2005.log\r\nUserMemo=a#13#10b\r\n"
                          "[Positionen]\r\nListeStringGrid.ColWidths[5]=120\r\n");
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        MainWindow w(session);
        auto* grid = findControl<LogGridView>(w, "ListeStringGrid");
        auto* lower = findControl<LogGridView>(w, "Liste2StringGrid");
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(lower->model()->rowCount(), 2);
        QCOMPARE(grid->model()->index(0, 5).data().toString(), QStringLiteral("DL1ABC"));
        QCOMPARE(grid->model()->index(0, 13).data().toString(), QStringLiteral("erste zweite"));
        QCOMPARE(grid->columnWidth(5), 120);
        QCOMPARE(grid->columnWidth(4), 64);
        QCOMPARE(findControl<QLabel>(w, "NumberLabel")->text(), QStringLiteral("3"));
        QCOMPARE(findControl<QPlainTextEdit>(w, "UserMemo")->toPlainText(), QStringLiteral("a\nb"));
        QVERIFY(findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QCOMPARE(logMenuCaptions(w),
                 (QStringList{"2004.log", "2005.log *", session.texts()[LanguageTexts::NewLogEntry]}));
        QCOMPARE(logFileMenu(w)->title(), session.texts()[LanguageTexts::LogMenuCaption] + "2005.log");

        grid->setColumnWidth(2, 77);
        findControl<QPlainTextEdit>(w, "UserMemo")->setPlainText("x\ny");
        w.close();
    }
    QVERIFY(dialogs.errors.isEmpty());
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.readString("Allgemein", "LastLogFileName"), QStringLiteral("2005.log"));
    QCOMPARE(s.readString("Allgemein", "UserMemo"), QStringLiteral("x#13#10y"));
    QCOMPARE(s.readInteger("Positionen", "ListeStringGrid.ColWidths[2]", 0), 77);
    QCOMPARE(s.readInteger("Positionen", "ListeStringGrid.ColWidths[5]", 0), 120);
    QVERIFY(s.contains("Positionen", "MainForm.Width"));
}

void TestMainWindow::freshStartWritesOnlyEndKeys() {
    TestFolder dir;
    dir.installLanguageFiles();
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        MainWindow w(session);
        QVERIFY(!findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QCOMPARE(logMenuCaptions(w), QStringList{session.texts()[LanguageTexts::NewLogEntry]});
    }
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.sections(), (QStringList{"Allgemein", "Positionen"}));
    QCOMPARE(s.keys("Allgemein"), QStringList{"UserMemo"});
    QCOMPARE(s.keys("Positionen").size(), 4 + 16);
    QVERIFY(dialogs.errors.isEmpty() && dialogs.infos.isEmpty());
}

void TestMainWindow::missingStoredLogLeavesTabsDisabled() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=gone.log\r\n");
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        MainWindow w(session);
        QVERIFY(!findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QCOMPARE(dialogs.infos.size(), 1);
        QVERIFY(dialogs.infos[0].contains(QStringLiteral("gone.log")));
    }
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.readString("Allgemein", "LastLogFileName"), QStringLiteral("gone.log")); // left as it was
}

void TestMainWindow::switchCreateAndLoseLogs() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("a.log", {"1;;;;;A1A"});
    dir.writeLog("b.log", {"1;;;;;B1B", "2;;;;;B2B"});
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    StartedProgram p(dir, false);
    auto& [clock, dialogs, session, w] = p;
    auto* grid = findControl<LogGridView>(w, "ListeStringGrid");
    QCOMPARE(grid->model()->rowCount(), 1);

    QAction* b = logFileMenu(w)->actions().at(1);
    QCOMPARE(b->text(), QStringLiteral("b.log"));
    b->trigger();
    QCOMPARE(session.currentLogName(), QStringLiteral("b.log"));
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(logMenuCaptions(w).at(1), QStringLiteral("b.log *"));

    // "Test" becomes Test.log holding exactly the header line.
    dialogs.inputAnswers = {QStringLiteral("Test")};
    w.NewLogFileMenuClick();
    QCOMPARE(dir.read("Test.log"), crlf({QsoRecord::headerLine()}));
    QCOMPARE(session.currentLogName(), QStringLiteral("Test.log"));
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 5).data().toString(), QString());
    QCOMPARE(findControl<QLabel>(w, "NumberLabel")->text(), QStringLiteral("1"));
    QCOMPARE(logMenuCaptions(w).at(2), QStringLiteral("Test.log *"));

    // 'Test.LOG' keeps its case and gets the extension; a folder part is dropped.
    dialogs.inputAnswers = {QStringLiteral("/tmp/elsewhere/Test.LOG")};
    w.NewLogFileMenuClick();
    QVERIFY(QFile::exists(dir.file("Test.LOG.log")));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/elsewhere/Test.LOG.log")));

    // An existing name is refused and nothing changes.
    const QByteArray before = dir.read("a.log");
    dialogs.inputAnswers = {QStringLiteral("a")};
    w.NewLogFileMenuClick();
    QCOMPARE(dialogs.errors.size(), 1);
    QCOMPARE(dialogs.errors[0], "\"a.log" + session.texts()[LanguageTexts::LogExists] +
                                    QDir::toNativeSeparators(dir.file("a.log")) + "\"!");
    QCOMPARE(dir.read("a.log"), before);
    QCOMPARE(session.currentLogName(), QStringLiteral("Test.LOG.log"));

    // Cancel does nothing.
    w.NewLogFileMenuClick();
    QCOMPARE(session.currentLogName(), QStringLiteral("Test.LOG.log"));

    // A log deleted outside since the menu was filled is reported and leaves no log open.
    b = logFileMenu(w)->actions().at(1); // the menu was filled anew
    QCOMPARE(b->text(), QStringLiteral("b.log"));
    QVERIFY(QFile::remove(dir.file("b.log")));
    b->trigger();
    QCOMPARE(dialogs.errors.last(), "\"b.log" + session.texts()[LanguageTexts::LogVanished]);
    QVERIFY(!session.hasLog());
    QVERIFY(!findControl<QTabWidget>(w, "PageControl")->isEnabled());
    QVERIFY(!logMenuCaptions(w).contains("b.log"));
}

void TestMainWindow::converterOpensFromToolsAndListsNewLogs() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("a.log", {"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;"});
    StartedProgram p(dir, false);
    auto& [clock, dialogs, session, w] = p;
    QAction* item = w.findChild<QAction*>("LogConverterMenu");
    QVERIFY(item && item->isEnabled());
    item->trigger();
    QVERIFY(w.logConverterForm()->isVisible());
    // A log the wizard creates shows up in the log-file menu at once.
    dir.writeLog("b.log", {});
    Q_EMIT w.logConverterForm()->logsChanged({dir.file("b.log")});
    QCOMPARE(logMenuCaptions(w), (QStringList{"a.log", "b.log", session.texts()[LanguageTexts::NewLogEntry]}));
    w.logConverterForm()->close();
}

VESK_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
