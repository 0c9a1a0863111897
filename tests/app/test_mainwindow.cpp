#include "converter/ui/LogConverterForm.h"
#include "entry/ui/LogGridView.h"
#include "logstore/QsoRecord.h"
#include "settings/Settings.h"
#include "StartedProgram.h"

#include <QMenu>
#include <QMenuBar>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

namespace {
QMenu* logFileMenu(MainWindow& w) { return findControl<QMenu>(w, "LogFileMenu"); }

QStringList logMenuCaptions(MainWindow& w) {
    QStringList out;
    for (QAction* a : logFileMenu(w)->actions())
        if (!a->isSeparator())
            out << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    return out;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedLogSwitchCreateAndLose();
    void startsWithoutLog_data();
    void startsWithoutLog();
    void noMenuEntryGreyed();
};

// The stored log with its settings, switching, creating (refused for an existing
// name), the converter's new logs, and a log gone since the menu was filled.
void TestMainWindow::storedLogSwitchCreateAndLose() {
    TestFolder dir;
    dir.installLanguageFiles();
    dir.writeLog("a.log", {"1;;;;;A1A"});
    dir.writeLog("b.log", {"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;", "2;02.02.2005;11:00:00;70cm;SSB;DK2XY"});
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=b.log\r\nUserMemo=a#13#10b\r\n"
                          "[Positionen]\r\nListeStringGrid.ColWidths[5]=120\r\n");
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        MainWindow w(session);
        auto* grid = findControl<LogGridView>(w, "ListeStringGrid");
        auto* memo = findControl<QPlainTextEdit>(w, "UserMemo");
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->columnWidth(5), 120); // stored: it wins
        // The others are fitted to their titles and texts at the first show.
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (c == 5)
                continue;
            const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY2(grid->columnWidth(c) >= grid->horizontalHeader()->sectionSizeHint(c), qPrintable(title));
            for (int r = 0; r < 2; ++r)
                QVERIFY2(grid->fontMetrics().horizontalAdvance(grid->model()->index(r, c).data().toString()) <
                             grid->columnWidth(c),
                         qPrintable(title));
        }
        QCOMPARE(findControl<LogGridView>(w, "Liste2StringGrid")->columnWidths(), grid->columnWidths());
        QCOMPARE(memo->toPlainText(), QStringLiteral("a\nb"));
        QVERIFY(findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QCOMPARE(logMenuCaptions(w), (QStringList{"a.log", "b.log *", session.texts()[LanguageTexts::NewLogEntry]}));
        QCOMPARE(logFileMenu(w)->title(), session.texts()[LanguageTexts::LogMenuCaption] + "b.log");
        grid->setColumnWidth(2, 77);
        memo->setPlainText("x\ny");

        logFileMenu(w)->actions().at(0)->trigger();
        QCOMPARE(grid->model()->rowCount(), 1); // a.log

        // "Test" becomes Test.log holding exactly the header line.
        dialogs.inputAnswers = {QStringLiteral("Test")};
        w.NewLogFileMenuClick();
        QCOMPARE(dir.read("Test.log"), crlf({QsoRecord::headerLine()}));
        // 'Test.LOG' keeps its case and gets the extension; a folder part is dropped.
        dialogs.inputAnswers = {QStringLiteral("/tmp/elsewhere/Test.LOG")};
        w.NewLogFileMenuClick();
        QVERIFY(QFile::exists(dir.file("Test.LOG.log")));
        // An existing name is refused and nothing changes; Cancel does nothing either.
        const QByteArray before = dir.read("a.log");
        dialogs.inputAnswers = {QStringLiteral("a")};
        w.NewLogFileMenuClick();
        w.NewLogFileMenuClick();
        QCOMPARE(dialogs.errors, QStringList{"\"a.log" + session.texts()[LanguageTexts::LogExists] +
                                              QDir::toNativeSeparators(dir.file("a.log")) + "\"!"});
        QCOMPARE(dir.read("a.log"), before);
        QCOMPARE(session.currentLogName(), QStringLiteral("Test.LOG.log"));
        // A log the converter creates shows up in the log-file menu at once.
        w.findChild<QAction*>("LogConverterMenu")->trigger();
        QVERIFY(w.logConverterForm()->isVisible());
        dir.writeLog("c.log", {});
        Q_EMIT w.logConverterForm()->logsChanged({dir.file("c.log")});
        QVERIFY(logMenuCaptions(w).contains("c.log"));
        w.logConverterForm()->close();
        w.close(); // stores the settings

        // A log deleted outside since the menu was filled is reported and leaves no log open.
        QAction* b = logFileMenu(w)->actions().at(1);
        QVERIFY(QFile::remove(dir.file("b.log")));
        b->trigger();
        QCOMPARE(dialogs.errors.last(), "\"b.log" + session.texts()[LanguageTexts::LogVanished]);
        QVERIFY(!findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QVERIFY(!logMenuCaptions(w).contains("b.log"));
    }
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE((QStringList{s.readString("Allgemein", "LastLogFileName"), s.readString("Allgemein", "UserMemo"),
                          QString::number(s.readInteger("Positionen", "ListeStringGrid.ColWidths[2]", 0)),
                          QString::number(s.readInteger("Positionen", "ListeStringGrid.ColWidths[5]", 0))}),
             (QStringList{"Test.LOG.log", "x#13#10y", "77", "120"}));
}

// A fresh start writes only the keys stored at the end; a stored log that is
// gone is named once and its name left as it was.
void TestMainWindow::startsWithoutLog_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("generalKeys");
    QTest::newRow("fresh") << QByteArray() << QString() << QStringList{"UserMemo"};
    QTest::newRow("stored log gone") << QByteArray("[Allgemein]\r\nLastLogFileName=gone.log\r\n") << "gone.log"
                                     << QStringList{"LastLogFileName", "UserMemo"};
    // Named by its length and first characters, and kept as it stands.
    QTest::newRow("stored name no file name")
        << "[Allgemein]\r\nLastLogFileName=" + QByteArray(300000, 'x') + ".log\r\n"
        << "Allgemein/LastLogFileName: kein Dateiname (300004 Zeichen, beginnt mit \"" + QString(40, u'x') + "...\")"
        << QStringList{"LastLogFileName", "UserMemo"};
}

void TestMainWindow::startsWithoutLog() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, info);
    QFETCH(QStringList, generalKeys);
    TestFolder dir;
    dir.installLanguageFiles();
    if (!ini.isEmpty())
        dir.write("Vesk.ini", ini);
    FakeClock clock;
    ScriptedDialogs dialogs;
    {
        Session session(dir.path(), clock, dialogs);
        MainWindow w(session);
        QVERIFY(!findControl<QTabWidget>(w, "PageControl")->isEnabled());
        QCOMPARE(logMenuCaptions(w), QStringList{session.texts()[LanguageTexts::NewLogEntry]});
    }
    QCOMPARE(dialogs.infos.size() + dialogs.errors.size(), info.isEmpty() ? 0 : 1);
    QVERIFY2(dialogs.infos.join(u'|').contains(info), qPrintable(dialogs.infos.join(u'|')));
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QStringList sections = s.sections();
    sections.sort();
    QCOMPARE(sections, (QStringList{"Allgemein", "Clock", "Positionen"}));
    QCOMPARE(s.keys("Clock"), (QStringList{"Format", "Left", "Top"})); // the pattern shown, the window's place
    QCOMPARE(s.keys("Allgemein"), generalKeys);
    QCOMPARE(s.keys("Positionen").size(), 4 + 16);
    const QByteArray stored = ini.isEmpty() ? QByteArray() : ini.mid(ini.indexOf('=') + 1).chopped(2);
    QCOMPARE(s.readString("Allgemein", "LastLogFileName"), QString::fromLatin1(stored));
}

// Every subsystem has taken over its menu entries: none is left greyed but
// the undo of a deletion, while there is none to undo.
void TestMainWindow::noMenuEntryGreyed() {
    TestFolder dir;
    dir.prepareProgram({"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;10W;;;"});
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    MainWindow w(session);
    QStringList greyed;
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isVisible() && !a->isEnabled() && a->objectName() != "UndoDeleteMenu")
                greyed << a->objectName() + " (" + a->text() + ")";
    QVERIFY2(greyed.isEmpty(), qPrintable(greyed.join(", ")));
}

VESK_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
