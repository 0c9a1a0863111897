#include "app/ui/StatusBarArea.h"
#include "settings/StatusBarTemplate.h"
#include "StartedProgram.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

StatusBarValues sample() {
    StatusBarValues v;
    v.date = QDate(2026, 12, 7);
    v.time = QTime(9, 5, 3);
    v.ticks = 987654;
    v.logOpen = true;
    v.contacts = 12;
    v.lastCall = QStringLiteral("DL1ABC");
    v.logFile = QStringLiteral("2026.log");
    v.referenceContacts = 3;
    v.referenceLogs = {QStringLiteral("/logs/a.log"), QString(), QStringLiteral("LOG_FILE"), QStringLiteral("VESK_VERSION")};
    return v;
}

} // namespace

class TestStatusBar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fill_data();
    void fill();
    void helpLines();
    void barInTheWindow();
};

void TestStatusBar::fill_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("logOpen");
    QTest::addColumn<bool>("referenceList");
    QTest::addColumn<QString>("shown");
    QTest::newRow("count and last call") << "QSOs: QSO_COUNT, letzter: LAST_CALL" << true << false
                                         << "QSOs: 12, letzter: DL1ABC";
    QTest::newRow("any letter case") << "time Time TIME" << true << false << "09:05 09:05 09:05";
    QTest::newRow("dates and ticks") << "SHORT_DATE | LONG_DATE | TICK_COUNT" << true << false
                                     << "07.12.26 | Montag, 7. Dezember 2026 | 987654";
    QTest::newRow("log variables stay without a log") << "LOG_FILE QSO_COUNT LAST_CALL LIST_STATE" << false << false
                                                       << "LOG_FILE QSO_COUNT LAST_CALL LIST_STATE";
    QTest::newRow("lower list") << "LIST_STATE REF_COUNT" << true << false << "Log 0";
    QTest::newRow("reference list") << "LIST_STATE REF_COUNT" << true << true << "Ref-Logs 3";
    // REF_LOG_3 holds the name of a variable replaced before it: it stays.
    QTest::newRow("reference logs") << "[REF_LOG_1][REF_LOG_2][REF_LOG_3]" << true << false
                                    << "[/logs/a.log][][LOG_FILE]";
    QTest::newRow("a value holding a later name is replaced again") << "REF_LOG_4" << true << false << "0.8d";
    QTest::newRow("versions") << "RAC_VERSION VESK_VERSION CALLBOOKACCESS_VERSION LOGFILEACCESS_VERSION LOGCONVERTER_VERSION"
                              << false << false << "0 0.8d 1.0 1.2 1.0";
}

void TestStatusBar::fill() {
    QFETCH(QString, text);
    QFETCH(bool, logOpen);
    QFETCH(bool, referenceList);
    StatusBarValues v = sample();
    v.logOpen = logOpen;
    v.referenceListShown = referenceList;
    QFETCH(QString, shown);
    QCOMPARE(StatusBarTemplate::fill(text, v, QLocale(QLocale::German, QLocale::Germany)), shown);
}

void TestStatusBar::helpLines() {
    const QStringList lines = StatusBarTemplate::helpLines();
    QCOMPARE(lines.mid(0, 4), (QStringList{"Variablen:", "(werden nur ca. alle 5 Sekunden aktualisiert)", "",
                                          "LONG_DATE    Datum in ausführlicher Schreibweise"}));
    const qsizetype refCount = lines.indexOf("REF_COUNT    Anzahl der QSOs, die in den Refernz-Logs");
    QVERIFY(refCount > 0);
    QCOMPARE(lines[refCount + 1], "             gefunden wurden (steht nur zur Verfügung,");
    QCOMPARE(lines[refCount + 2], "             wenn LIST_STATE = \"Referenz-Liste\")");
    QCOMPARE(lines[refCount + 7], "RAC_VERSION  Version des verwendeten Callbooks");
    QCOMPARE(lines[refCount + 8], "");
    QCOMPARE(lines.mid(refCount + 9, 2), (QStringList{"VESK_VERSION", "             Version von Vesk"}));
    QCOMPARE(lines.last(), "             Version des eingebauten LogConverters");
}

void TestStatusBar::barInTheWindow() {
    QStringList log;
    for (int i = 1; i <= 12; ++i)
        log << QStringLiteral("%1;01.02.2003;12:00:00;2m;FM;DL%1AB;59;59;;;;;10W;;;").arg(i);
    ProgramOnLog run{log, "[StatusBar]\r\nText=QSOs: QSO_COUNT, letzter: LAST_CALL\r\n"};
    StartedProgram& p = run.p;
    StatusBarArea& bar = p.w.statusBarArea();
    auto* timer = p.w.findChild<QTimer*>("StatusBarTimer");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 5000);
    QVERIFY(bar.shownText().isEmpty()); // the first text comes with the first tick
    bar.StatusBarTimerTimer();
    QCOMPARE(bar.shownText(), "QSOs: 12, letzter: DL12AB");

    // A double click on TIME in the help puts it at the caret.
    auto* edit = p.find<QLineEdit>("StatusBarEdit");
    auto* help = p.find<QPlainTextEdit>("StatusBarMemo");
    p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("OptionenTS"));
    p.find<QTabWidget>("OptionenPageControl")->setCurrentWidget(p.find<QWidget>("StatusBarTS"));
    edit->setText("Zeit: ");
    edit->setCursorPosition(6);
    QTextCursor time = help->document()->find("TIME ", 0, QTextDocument::FindCaseSensitively);
    QVERIFY(!time.isNull());
    time.setPosition(time.selectionStart() + 1);
    const QPoint at = help->cursorRect(time).center();
    QTest::mouseDClick(help->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(edit->text(), "Zeit: TIME");
    QCOMPARE(edit->cursorPosition(), 10);
    QVERIFY(run.dir.read("Vesk.ini").contains("Text=Zeit: TIME"));
    bar.StatusBarTimerTimer();
    QCOMPARE(bar.shownText(), "Zeit: 18:30");

    // Emptied: the timer stops, the last text stays.
    edit->clear();
    QVERIFY(!timer->isActive());
    QCOMPARE(bar.shownText(), "Zeit: 18:30");
}

QTEST_MAIN(TestStatusBar)
#include "test_statusbar.moc"
