#include "session/Session.h"
#include "entry/ui/DoppeltForm.h"
#include "entry/DuplicateCheck.h"
#include "entry/ui/DuplicateCheckOptions.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QDir>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

using DC = DuplicateCheck;
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

void pressOnFocus(int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// ask() with the operator acting once the window is up with the first button
// focused; otherwise it is closed with -1, so that a fault fails instead of hanging.
int ask(DoppeltForm& form, const QStringList& fields, const std::function<void()>& act) {
    QTimer::singleShot(0, &form, [&] {
        if (QTest::qWaitForWindowActive(&form) && QApplication::focusWidget() == form.findChild<QWidget*>("Button1"))
            act();
    });
    QTimer guard;
    guard.callOnTimeout(&form, [&] { form.done(-1); });
    guard.start(3000);
    return form.ask(fields);
}

} // namespace

class TestDuplicateCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findFirst_data();
    void findFirst();
    void optionsPageStoresOnlyClicks();
    void warningListsEarlierContact();
};

void TestDuplicateCheck::findFirst_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("mask"); // call, band, mode
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("expected");
    const QString today = QStringLiteral("06.12.2026");
    const QStringList one{contact(1, "05.12.2026", "20m", "CW", "DL1ABC")};
    auto log = [&](const QString& call, const QString& band = "20m") { return QStringList{contact(1, today, band, "FM", call)}; };
    QTest::newRow("call only: other band and day") << one << "DL1ABC 2m FM" << "000" << 0;
    QTest::newRow("band in its case") << log("DL1ABC", "2M") << "DL1ABC 2m FM" << "100" << -1;
    // Every row but the fourth fails one option; the mode is compared in any case.
    QTest::newRow("all options: first full match")
        << QStringList{one[0], contact(2, today, "20m", "SSB", "DL1ABC"), contact(3, today, "40m", "CW", "DL1ABC"),
                       contact(4, today, "20m", "cw", "DL1ABC"), contact(5, today, "20m", "CW", "DL1ABC")}
       << "DL1ABC 20m CW" << "111" << 3;
    QTest::newRow("empty call, empty cell") << log("") << " 20m FM" << "000" << -1;
    QTest::newRow("prefix of a logged call") << one << "DL1AB 20m CW" << "000" << -1;
    QTest::newRow("umlaut upper-cased, sharp s grows to SS") << log("Aß1ö") << "aSS1Ö 20m FM" << "000" << 0;
    QTest::newRow("short record without band") << QStringList{"1;06.12.2026;12:00:00"} << " 20m FM" << "100" << -1;
}

void TestDuplicateCheck::findFirst() {
    QFETCH(QStringList, log);
    QFETCH(QString, mask);
    QFETCH(QString, options);
    QFETCH(int, expected);
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, log, model);
    const QStringList m = mask.split(u' ');
    QCOMPARE(DuplicateCheck::findFirst(model, m[0], m[1], m[2], "06.12.2026", DC::optionsFromText(options)), expected);
}

// Reading the settings writes nothing, nor does a click before the window is ready; a click afterwards
// stores the options beside the other keys; the call box cannot be unticked; a failed write is reported.
void TestDuplicateCheck::optionsPageStoresOnlyClicks() {
    for (int options = 0; options < 8; ++options)
        QCOMPARE(DC::optionsFromText(DC::optionsToText(options)), options);
    // Hand-edited settings: short, too long, a blank that must not shift the rest, a letter (in the file below).
    QCOMPARE((QList<int>{DC::optionsFromText("1"), DC::optionsFromText("0101"), DC::optionsFromText(" 11")}),
             (QList<int>{DC::Band, DC::Mode, DC::Mode | DC::Date}));
    TestFolder dir;
    const QByteArray ini = "[Allgemein]\r\nLastLogFileName=2026.log\r\n[Doppel-Check]\r\nOptions=x1\r\n";
    dir.write("Vesk.ini", ini);
    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session(dir.path(), clock, dialogs);
    session.loadSettings();
    DuplicateCheckOptions page(session);
    QSignalSpy changed(&page, &DuplicateCheckOptions::optionsChanged);
    page.applySettings();
    auto box = [&](const char* name) { return page.findChild<QCheckBox*>(name); };
    QVERIFY(!box("dcBandCheckBox")->isChecked() && box("dcModeCheckBox")->isChecked());
    box("dcDateCheckBox")->click();
    QCOMPARE(dir.read("Vesk.ini"), ini);

    session.setFormReady(true);
    box("dcBandCheckBox")->click();
    box("dcModeCheckBox")->click();
    const QByteArray stored = dir.read("Vesk.ini");
    QVERIFY2(stored.contains("Options=101\r\n") && stored.contains("LastLogFileName=2026.log\r\n"), stored.constData());
    QCOMPARE(changed.last().first().toInt(), DC::Band | DC::Date);

    box("dcCallCheckBox")->click();
    QVERIFY(box("dcCallCheckBox")->isChecked());
    QCOMPARE(dialogs.infos + dialogs.errors, QStringList{session.texts()[LanguageTexts::CallAlwaysCompared]});

    // A folder where the file should go: the error names the file, the choice stays.
    QVERIFY(QFile::remove(dir.file("Vesk.ini")) && QDir(dir.path()).mkpath("Vesk.ini/blocked"));
    box("dcDateCheckBox")->click();
    QVERIFY2(dialogs.errors.size() == 1 && dialogs.errors[0].contains("Vesk.ini"), qPrintable(dialogs.errors.join('|')));
    QCOMPARE(page.options(), int(DC::Band));
}

void TestDuplicateCheck::warningListsEarlierContact() {
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, {"7;06.12.2026;18:30:00;2m;FM;DL1ABC;59;57;B01;Hans;Berlin;JO62QM;5W;erste#13#10zweite;J;N",
                  "8;07.12.2026;10:00:00;20m;CW;OK1XYZ;599;599"},
            model);
    DoppeltForm form;
    auto* table = form.findChild<QTableWidget*>("ValueListEditor");
    // Keys reach the window while the table has the focus; only 1, 2 and 3 answer.
    const auto ignoredKeys = [&] { table->setFocus(); pressOnFocus(Qt::Key_4); pressOnFocus(Qt::Key_2, Qt::ControlModifier); };
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 0), [&] { ignoredKeys(); pressOnFocus(Qt::Key_3); }), 3);
    // Comments on one line, as the list grid shows it.
    QCOMPARE(tableColumn(table, 1), (QStringList{"7", "06.12.2026", "18:30:00", "2m", "FM", "DL1ABC", "59", "57",
                                                 "B01", "Hans", "Berlin", "JO62QM", "5W", "erste zweite", "J", "N"}));

    // The second warning must not show what the first one left behind.
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 1), [] { pressOnFocus(Qt::Key_2, Qt::KeypadModifier); }), 2);
    QCOMPARE(tableColumn(table, 1).mid(8), QStringList(8));
    // Escape and the window manager's close answer "1".
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 0), [] { pressOnFocus(Qt::Key_Escape); }), 1);
    QCOMPARE(ask(form, DoppeltForm::fieldKeys(), [&] { form.close(); }), 1);
}

QTEST_MAIN(TestDuplicateCheck)
#include "test_duplicatecheck.moc"
