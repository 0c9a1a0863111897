#include "app/ui/LanguageApplier.h"
#include "session/Session.h"
#include "entry/ui/DoppeltForm.h"
#include "entry/DuplicateCheck.h"
#include "entry/ui/DuplicateCheckOptions.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// A log line with the fields the check looks at.
QString contact(int number, const QString& date, const QString& band, const QString& mode, const QString& call) {
    return QStringLiteral("%1;%2;12:00:00;%3;%4;%5;59;59;;;;;10W;;;").arg(number).arg(date, band, mode, call);
}

void loadLog(const TestFolder& dir, const QStringList& lines, LogTableModel& model) {
    dir.writeLog(QStringLiteral("test.log"), lines);
    LogFile log(dir.file(QStringLiteral("test.log")));
    model.load(log);
}

QStringList tableColumn(const QTableWidget* table, int column) {
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << (table->item(r, column) ? table->item(r, column)->text() : QStringLiteral("<none>"));
    return out;
}

struct AskRun {
    int result = 0;
    QString focusAtStart;
    bool wasVisible = false;
    bool stuck = false;
};

// Runs ask() and lets the operator act once the window is up. A window the
// action fails to close is closed after a while, so that a fault fails the
// test instead of hanging it.
AskRun runAsk(DoppeltForm& form, const QStringList& fields, const std::function<void(DoppeltForm&)>& act) {
    AskRun run;
    QTimer::singleShot(0, &form, [&] {
        run.wasVisible = form.isVisible();
        if (!QTest::qWaitForWindowActive(&form))
            return;
        if (QWidget* w = QApplication::focusWidget())
            run.focusAtStart = w->objectName();
        act(form);
    });
    QTimer::singleShot(5000, &form, [&] {
        if (form.isVisible()) {
            run.stuck = true;
            form.done(0);
        }
    });
    run.result = form.ask(fields);
    return run;
}

// The options page in a fresh program folder, with the settings file given.
struct DuplicateOptionsFixture {
    explicit DuplicateOptionsFixture(const QByteArray& ini = {}) {
        if (!ini.isEmpty())
            dir.write(QStringLiteral("Vesk.ini"), ini);
        session.loadSettings();
    }
    QCheckBox* box(const char* name) const { return page.findChild<QCheckBox*>(name); }
    // As after start: the user can click.
    void showReady() {
        session.setFormReady(true);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
    }

    TestFolder dir;
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session{dir.path(), clock, dialogs};
    DuplicateCheckOptions page{session};
};

void pressOnFocus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (target)
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

} // namespace

class TestDuplicateCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findFirst_data();
    void findFirst();
    void optionsFromText_data();
    void optionsFromText();
    void optionsTextRoundTrip();

    void applySettingsWritesNothing_data();
    void applySettingsWritesNothing();
    void clicksBeforeFormReadyStoreNothing();
    void clicksStoreOptionsInFile();
    void failedWriteIsReportedAndKeepsChoice();
    void callBoxStaysTicked();

    void warningAnswers_data();
    void warningAnswers();
    void warningListsEarlierContact();
    void warningShowsAllRowsAtOnce();
};

void TestDuplicateCheck::findFirst_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("expected");

    const QString today = QStringLiteral("06.12.2026");
    const QString yesterday = QStringLiteral("05.12.2026");
    const QStringList one{contact(1, yesterday, "20m", "CW", "DL1ABC")};

    QTest::newRow("call only: other band and day") << one << "DL1ABC" << "2m" << "FM" << today << "000" << 0;
    QTest::newRow("band option: other band") << one << "DL1ABC" << "2m" << "CW" << yesterday << "100" << -1;
    QTest::newRow("band option: same band further down")
        << QStringList{contact(1, yesterday, "20m", "CW", "DL1ABC"), contact(2, yesterday, "2m", "CW", "DL1ABC")}
        << "DL1ABC" << "2m" << "CW" << today << "100" << 1;
    QTest::newRow("stored in lower case")
        << QStringList{contact(1, today, "20m", "CW", "dl1Abc")} << "DL1ABC" << "20m" << "CW" << today << "000" << 0;
    QTest::newRow("mode option: ssb in log, SSB in mask")
        << QStringList{contact(1, today, "20m", "ssb", "DL1ABC")} << "DL1ABC" << "20m" << "SSB" << today << "010"
        << 0;
    QTest::newRow("mode option: other mode") << one << "DL1ABC" << "20m" << "SSB" << yesterday << "010" << -1;
    QTest::newRow("band option: 2M in log, 2m in mask")
        << QStringList{contact(1, today, "2M", "FM", "DL1ABC")} << "DL1ABC" << "2m" << "FM" << today << "100" << -1;
    QTest::newRow("date option: logged today")
        << QStringList{contact(1, yesterday, "20m", "CW", "DL1ABC"), contact(2, today, "20m", "CW", "DL1ABC")}
        << "DL1ABC" << "20m" << "CW" << today << "001" << 1;
    QTest::newRow("date compared as text") << one << "DL1ABC" << "20m" << "CW" << "5.12.2026" << "001" << -1;
    QTest::newRow("all options: first full match")
        << QStringList{contact(1, yesterday, "20m", "CW", "DL1ABC"), contact(2, today, "20m", "SSB", "DL1ABC"),
                       contact(3, today, "40m", "CW", "DL1ABC"), contact(4, today, "20m", "cw", "DL1ABC"),
                       contact(5, today, "20m", "CW", "DL1ABC")}
        << "DL1ABC" << "20m" << "CW" << today << "111" << 3;
    QTest::newRow("oldest of several")
        << QStringList{contact(1, today, "20m", "CW", "OK1XYZ"), contact(2, today, "40m", "CW", "DL1ABC"),
                       contact(3, today, "20m", "CW", "DL1ABC")}
        << "DL1ABC" << "20m" << "CW" << today << "000" << 1;
    QTest::newRow("empty call never matches an empty cell")
        << QStringList{contact(1, today, "20m", "CW", "")} << "" << "20m" << "CW" << today << "000" << -1;
    QTest::newRow("prefix of a logged call") << one << "DL1AB" << "20m" << "CW" << today << "000" << -1;
    QTest::newRow("umlauts upper-cased on both sides")
        << QStringList{contact(1, today, "20m", "CW", "Ä1ö")} << "ä1Ö" << "20m" << "CW" << today << "000" << 0;
    QTest::newRow("sharp s grows to SS")
        << QStringList{contact(1, today, "20m", "CW", "Aß1X")} << "ASS1X" << "20m" << "CW" << today << "000" << 0;
    QTest::newRow("short record without band")
        << QStringList{"1;06.12.2026;12:00:00"} << "" << "20m" << "CW" << today << "100" << -1;
}

void TestDuplicateCheck::findFirst() {
    QFETCH(QStringList, log);
    QFETCH(QString, call);
    QFETCH(QString, band);
    QFETCH(QString, mode);
    QFETCH(QString, date);
    QFETCH(QString, options);
    QFETCH(int, expected);
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, log, model);
    QCOMPARE(model.recordCount(), log.size());
    QCOMPARE(DuplicateCheck::findFirst(model, call, band, mode, date, DuplicateCheck::optionsFromText(options)),
             expected);
}

void TestDuplicateCheck::optionsFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("default") << "000" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("band only given") << "1" << int(DuplicateCheck::Band);
    QTest::newRow("fourth character ignored") << "0101" << int(DuplicateCheck::Mode);
    QTest::newRow("unreadable middle") << "1x1" << (DuplicateCheck::Band | DuplicateCheck::Date);
    QTest::newRow("leading blank shifts nothing") << " 11" << (DuplicateCheck::Mode | DuplicateCheck::Date);
}

void TestDuplicateCheck::optionsFromText() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(DuplicateCheck::optionsFromText(text), expected);
}

void TestDuplicateCheck::optionsTextRoundTrip() {
    QStringList texts;
    for (int options = 0; options < 8; ++options) {
        const QString text = DuplicateCheck::optionsToText(options);
        QCOMPARE(DuplicateCheck::optionsFromText(text), options);
        texts << text;
    }
    QCOMPARE(texts, (QStringList{"000", "100", "010", "110", "001", "101", "011", "111"}));
}

void TestDuplicateCheck::applySettingsWritesNothing_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("boxes"); // band, mode, date ticked

    QTest::newRow("no settings file") << QByteArray() << "000";
    QTest::newRow("no key") << QByteArray("[Doppel-Check]\r\n") << "000";
    QTest::newRow("band and date") << QByteArray("[Doppel-Check]\r\nOptions=101\r\n") << "101";
    QTest::newRow("short and bad") << QByteArray("[Doppel-Check]\r\nOptions=x1\r\n") << "010";
}

void TestDuplicateCheck::applySettingsWritesNothing() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, boxes);
    DuplicateOptionsFixture p(ini);
    QSignalSpy changed(&p.page, &DuplicateCheckOptions::optionsChanged);
    p.page.applySettings();

    QString ticked;
    for (const char* name : {"dcBandCheckBox", "dcModeCheckBox", "dcDateCheckBox"})
        ticked += p.box(name)->isChecked() ? u'1' : u'0';
    QCOMPARE(ticked, boxes);
    QCOMPARE(p.page.options(), DuplicateCheck::optionsFromText(boxes));
    QCOMPARE(changed.size(), 1);
    QVERIFY(p.box("dcCallCheckBox")->isChecked());
    QCOMPARE(p.dir.read("Vesk.ini"), ini);
    QCOMPARE(p.session.settings().contains("Doppel-Check", "Options"), ini.contains("Options"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestDuplicateCheck::clicksBeforeFormReadyStoreNothing() {
    DuplicateOptionsFixture p;
    p.page.applySettings();
    p.box("dcModeCheckBox")->click();
    QCOMPARE(p.page.options(), 0);
    QVERIFY(!QFile::exists(p.dir.file("Vesk.ini")));
    QVERIFY(!p.session.settings().contains("Doppel-Check", "Options"));
}

void TestDuplicateCheck::clicksStoreOptionsInFile() {
    DuplicateOptionsFixture p("[Allgemein]\r\nLastLogFileName=2026.log\r\n[Doppel-Check]\r\nOptions=010\r\n");
    p.page.applySettings();
    p.showReady();
    QSignalSpy changed(&p.page, &DuplicateCheckOptions::optionsChanged);

    const auto stored = [&] {
        Settings onDisk(p.dir.file("Vesk.ini"));
        return onDisk.load() ? onDisk.readString("Doppel-Check", "Options") : QStringLiteral("<unreadable>");
    };
    QTest::mouseClick(p.box("dcBandCheckBox"), Qt::LeftButton);
    QCOMPARE(stored(), QStringLiteral("110"));
    p.box("dcDateCheckBox")->click();
    QCOMPARE(stored(), QStringLiteral("111"));
    p.box("dcModeCheckBox")->click();
    QCOMPARE(stored(), QStringLiteral("101"));
    QCOMPARE(p.page.options(), DuplicateCheck::Band | DuplicateCheck::Date);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.last().first().toInt(), DuplicateCheck::Band | DuplicateCheck::Date);

    Settings onDisk(p.dir.file("Vesk.ini"));
    QVERIFY(onDisk.load());
    QCOMPARE(onDisk.readString("Allgemein", "LastLogFileName"), QStringLiteral("2026.log"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestDuplicateCheck::failedWriteIsReportedAndKeepsChoice() {
    DuplicateOptionsFixture p;
    p.page.applySettings();
    p.showReady();
    // A folder where the file should go cannot be replaced by it.
    QVERIFY(QDir(p.dir.path()).mkpath("Vesk.ini/blocked"));

    p.box("dcDateCheckBox")->click();
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors.first().contains("Vesk.ini"), qPrintable(p.dialogs.errors.first()));
    QCOMPARE(p.page.options(), int(DuplicateCheck::Date));
    QCOMPARE(p.session.settings().readString("Doppel-Check", "Options"), QStringLiteral("001"));
}

void TestDuplicateCheck::callBoxStaysTicked() {
    DuplicateOptionsFixture p;
    p.page.applySettings();
    p.showReady();
    QCheckBox* call = p.box("dcCallCheckBox");
    QTest::mouseClick(call, Qt::LeftButton);
    QVERIFY(call->isChecked());
    QCOMPARE(p.dialogs.infos.size() + p.dialogs.errors.size(), 1);
    const QString shown = p.dialogs.infos.isEmpty() ? p.dialogs.errors.first() : p.dialogs.infos.first();
    QCOMPARE(shown, p.session.texts()[LanguageTexts::CallAlwaysCompared]);
    QVERIFY(!shown.isEmpty());
    QCOMPARE(p.page.options(), 0);
    QVERIFY(!QFile::exists(p.dir.file("Vesk.ini")));
}

void TestDuplicateCheck::warningAnswers_data() {
    using Act = std::function<void(DoppeltForm&)>;
    QTest::addColumn<Act>("act");
    QTest::addColumn<int>("expected");

    QTest::newRow("key 1") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_1); }) << 1;
    QTest::newRow("key 3") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_3); }) << 3;
    QTest::newRow("key 2 on the keypad")
        << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_2, Qt::KeypadModifier); }) << 2;
    QTest::newRow("key 3 while the table has the focus") << Act([](DoppeltForm& f) {
        f.findChild<QTableWidget*>("ValueListEditor")->setFocus();
        pressOnFocus(Qt::Key_3);
    }) << 3;
    QTest::newRow("Return on the first button") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_Return); }) << 1;
    QTest::newRow("Tab to the second button, Return") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_Tab);
        pressOnFocus(Qt::Key_Return);
    }) << 2;
    QTest::newRow("click the second button")
        << Act([](DoppeltForm& f) { QTest::mouseClick(f.findChild<QPushButton*>("Button2"), Qt::LeftButton); })
        << 2;
    QTest::newRow("Escape") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_Escape); }) << 1;
    QTest::newRow("closed by the window manager") << Act([](DoppeltForm& f) { f.close(); }) << 1;
    QTest::newRow("other keys do not close") << Act([](DoppeltForm&) { pressOnFocus(Qt::Key_4);
        pressOnFocus(Qt::Key_A);
        pressOnFocus(Qt::Key_2, Qt::ControlModifier);
        pressOnFocus(Qt::Key_3);
    }) << 3;
}

void TestDuplicateCheck::warningAnswers() {
    using Act = std::function<void(DoppeltForm&)>;
    QFETCH(Act, act);
    QFETCH(int, expected);
    DoppeltForm form;
    const AskRun run = runAsk(form, DoppeltForm::fieldKeys(), act);
    QVERIFY(!run.stuck);
    QVERIFY(run.wasVisible);
    QCOMPARE(run.focusAtStart, QStringLiteral("Button1"));
    QCOMPARE(run.result, expected);
    QVERIFY(!form.isVisible());
}

void TestDuplicateCheck::warningListsEarlierContact() {
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, {"7;06.12.2026;18:30:00;2m;FM;DL1ABC;59;57;B01;Hans;Berlin;JO62QM;5W;erste#13#10zweite;J;N",
                  "8;07.12.2026;10:00:00;20m;CW;OK1XYZ;599;599"},
            model);
    DoppeltForm form;
    auto* table = form.findChild<QTableWidget*>("ValueListEditor");
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Feld"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Wert"));

    AskRun run = runAsk(form, DuplicateCheck::gridCells(model, 0), [](DoppeltForm&) { pressOnFocus(Qt::Key_1); });
    QVERIFY(!run.stuck);
    QCOMPARE(tableColumn(table, 0), DoppeltForm::fieldKeys());
    // Comments on one line, as the list grid shows it.
    QCOMPARE(tableColumn(table, 1),
             (QStringList{"7", "06.12.2026", "18:30:00", "2m", "FM", "DL1ABC", "59", "57", "B01", "Hans", "Berlin",
                          "JO62QM", "5W", "erste zweite", "J", "N"}));

    // The second warning must not show what the first one left behind.
    run = runAsk(form, DuplicateCheck::gridCells(model, 1), [](DoppeltForm&) { pressOnFocus(Qt::Key_1); });
    QVERIFY(!run.stuck);
    QCOMPARE(run.focusAtStart, QStringLiteral("Button1"));
    const QStringList values = tableColumn(table, 1);
    QCOMPARE(values[5], QStringLiteral("OK1XYZ"));
    QCOMPARE(values[8], QString());
    QCOMPARE(values[13], QString());
    QCOMPARE(values[15], QString());

    // A language file rewrites the rows, keys and empty values; the next
    // warning still fills every value.
    QStringList lines = LanguageFile::builtInGerman();
    lines[134] = QStringLiteral("Nr=\nDatum=\nZeit=old");
    const QStringList unapplied = LanguageApplier({&form}).apply(lines);
    QVERIFY2(!unapplied.join(u'\n').contains("DoppeltForm"), qPrintable(unapplied.join(u'\n')));
    QCOMPARE(table->rowCount(), 3);
    run = runAsk(form, DuplicateCheck::gridCells(model, 0), [](DoppeltForm&) { pressOnFocus(Qt::Key_1); });
    QVERIFY(!run.stuck);
    QCOMPARE(tableColumn(table, 0).mid(0, 3), (QStringList{"Nr", "Datum", "Zeit"}));
    QCOMPARE(tableColumn(table, 1), DuplicateCheck::gridCells(model, 0));
    QVERIFY(!(table->item(2, 1)->flags() & Qt::ItemIsEditable));
}

void TestDuplicateCheck::warningShowsAllRowsAtOnce() {
    DoppeltForm form;
    // No close button: the warning must be answered.
    QVERIFY(!(form.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    const QString longComment(60, u'x');
    QStringList fields = DoppeltForm::fieldKeys();
    fields[13] = longComment;
    QSize shownSize;
    int scrollRange = -1;
    int keyColumnNeeds = 0;
    int keyColumnHas = 0;
    const AskRun run = runAsk(form, fields, [&](DoppeltForm& f) {
        shownSize = f.size();
        auto* table = f.findChild<QTableWidget*>("ValueListEditor");
        scrollRange = table->verticalScrollBar()->maximum();
        keyColumnHas = table->columnWidth(0);
        for (int r = 0; r < table->rowCount(); ++r)
            keyColumnNeeds = qMax(keyColumnNeeds, table->fontMetrics().horizontalAdvance(table->item(r, 0)->text()));
        pressOnFocus(Qt::Key_1);
    });
    QVERIFY(!run.stuck);
    QCOMPARE(scrollRange, 0);
    QVERIFY2(keyColumnHas > keyColumnNeeds, qPrintable(QStringLiteral("%1 <= %2").arg(keyColumnHas).arg(keyColumnNeeds)));
    QCOMPARE(form.minimumSize(), shownSize);
    QCOMPARE(form.maximumSize(), shownSize);
}

QTEST_MAIN(TestDuplicateCheck)
#include "test_duplicatecheck.moc"
