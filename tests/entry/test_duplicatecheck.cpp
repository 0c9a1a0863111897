#include "app/ui/LanguageApplier.h"
#include "session/Session.h"
#include "entry/ui/DoppeltForm.h"
#include "entry/DuplicateCheck.h"
#include "entry/ui/DuplicateCheckOptions.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "settings/LanguageFile.h"
#include "settings/Settings.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

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

void pressOnFocus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* target = QApplication::focusWidget())
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// ask() with the operator acting once the window is up with the first button
// focused; otherwise it is closed with -1, so that a fault fails instead of hanging.
int ask(DoppeltForm& form, const QStringList& fields, const std::function<void()>& act) {
    QTimer::singleShot(0, &form, [&] {
        if (QTest::qWaitForWindowActive(&form) && QApplication::focusWidget() == form.findChild<QWidget*>("Button1"))
            act();
    });
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &form, [&] { form.done(-1); });
    guard.start(3000);
    return form.ask(fields);
}

} // namespace

class TestDuplicateCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findFirst_data();
    void findFirst();
    void optionsText();
    void optionsPageStoresOnlyClicks();
    void warningListsEarlierContact();
};

void TestDuplicateCheck::findFirst_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("mask"); // call, band, mode
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("expected");
    const QString today = QStringLiteral("06.12.2026");
    const QStringList one{contact(1, "05.12.2026", "20m", "CW", "DL1ABC")};
    auto log = [&](const QString& call, const QString& band = "20m") { return QStringList{contact(1, today, band, "FM", call)}; };
    QTest::newRow("call only: other band and day") << one << "DL1ABC 2m FM" << today << "000" << 0;
    QTest::newRow("band in its case") << log("DL1ABC", "2M") << "DL1ABC 2m FM" << today << "100" << -1;
    // Every row but the fourth fails one option; the mode is compared in any case.
    QTest::newRow("all options: first full match")
        << QStringList{one[0], contact(2, today, "20m", "SSB", "DL1ABC"), contact(3, today, "40m", "CW", "DL1ABC"),
                       contact(4, today, "20m", "cw", "DL1ABC"), contact(5, today, "20m", "CW", "DL1ABC")}
        << "DL1ABC 20m CW" << today << "111" << 3;
    QTest::newRow("empty call, empty cell") << log("") << " 20m FM" << today << "000" << -1;
    QTest::newRow("prefix of a logged call") << one << "DL1AB 20m CW" << today << "000" << -1;
    QTest::newRow("umlauts upper-cased") << log("Ä1ö") << "ä1Ö 20m FM" << today << "000" << 0;
    QTest::newRow("sharp s grows to SS") << log("Aß1X") << "ASS1X 20m FM" << today << "000" << 0;
    QTest::newRow("short record without band") << QStringList{"1;06.12.2026;12:00:00"} << " 20m FM" << today << "100" << -1;
}

void TestDuplicateCheck::findFirst() {
    QFETCH(QStringList, log);
    QFETCH(QString, mask);
    QFETCH(QString, date);
    QFETCH(QString, options);
    QFETCH(int, expected);
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, log, model);
    QCOMPARE(model.recordCount(), log.size());
    const QStringList m = mask.split(u' ');
    QCOMPARE(DuplicateCheck::findFirst(model, m[0], m[1], m[2], date, DuplicateCheck::optionsFromText(options)), expected);
}

void TestDuplicateCheck::optionsText() {
    for (int options = 0; options < 8; ++options)
        QCOMPARE(DuplicateCheck::optionsFromText(DuplicateCheck::optionsToText(options)), options);
    QCOMPARE(DuplicateCheck::optionsToText(DuplicateCheck::Band | DuplicateCheck::Date), QStringLiteral("101"));
    // Hand-edited settings: short, too long, a blank that must not shift the rest.
    QCOMPARE(DuplicateCheck::optionsFromText("1"), int(DuplicateCheck::Band));
    QCOMPARE(DuplicateCheck::optionsFromText("0101"), int(DuplicateCheck::Mode));
    QCOMPARE(DuplicateCheck::optionsFromText(" 11"), DuplicateCheck::Mode | DuplicateCheck::Date);
}

// Reading the settings into the boxes writes nothing, nor does a click before
// the window is ready; a click afterwards stores the options beside the other
// keys; the call box cannot be unticked; a failed write is reported.
void TestDuplicateCheck::optionsPageStoresOnlyClicks() {
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
    Settings onDisk(dir.file("Vesk.ini"));
    QVERIFY(onDisk.load());
    QCOMPARE(onDisk.readString("Doppel-Check", "Options"), QStringLiteral("101"));
    QCOMPARE(onDisk.readString("Allgemein", "LastLogFileName"), QStringLiteral("2026.log"));
    QCOMPARE(changed.last().first().toInt(), DuplicateCheck::Band | DuplicateCheck::Date);

    const QByteArray before = dir.read("Vesk.ini");
    box("dcCallCheckBox")->click();
    QVERIFY(box("dcCallCheckBox")->isChecked());
    QCOMPARE(dialogs.infos + dialogs.errors, QStringList{session.texts()[LanguageTexts::CallAlwaysCompared]});
    QCOMPARE(dir.read("Vesk.ini"), before);

    // A folder where the file should go: the error names the file, the choice stays.
    QVERIFY(QFile::remove(dir.file("Vesk.ini")) && QDir(dir.path()).mkpath("Vesk.ini/blocked"));
    box("dcDateCheckBox")->click();
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors.last().contains("Vesk.ini"), qPrintable(dialogs.errors.last()));
    QCOMPARE(page.options(), int(DuplicateCheck::Band));
    QCOMPARE(session.settings().readString("Doppel-Check", "Options"), QStringLiteral("100"));
}

void TestDuplicateCheck::warningListsEarlierContact() {
    TestFolder dir;
    LogTableModel model;
    loadLog(dir, {"7;06.12.2026;18:30:00;2m;FM;DL1ABC;59;57;B01;Hans;Berlin;JO62QM;5W;erste#13#10zweite;J;N",
                  "8;07.12.2026;10:00:00;20m;CW;OK1XYZ;599;599"},
            model);
    DoppeltForm form;
    auto* table = form.findChild<QTableWidget*>("ValueListEditor");
    int scrollRange = -1;
    QSize shownSize;
    // Keys reach the window while the table has the focus; only 1, 2 and 3 answer.
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 0), [&] {
                 scrollRange = table->verticalScrollBar()->maximum();
                 shownSize = form.size();
                 table->setFocus();
                 pressOnFocus(Qt::Key_4);
                 pressOnFocus(Qt::Key_A);
                 pressOnFocus(Qt::Key_2, Qt::ControlModifier);
                 pressOnFocus(Qt::Key_3);
             }),
             3);
    QCOMPARE(scrollRange, 0); // every row at once, in a window of fixed size
    QCOMPARE(form.maximumSize(), shownSize);
    QCOMPARE(tableColumn(table, 0), DoppeltForm::fieldKeys());
    // Comments on one line, as the list grid shows it.
    QCOMPARE(tableColumn(table, 1), (QStringList{"7", "06.12.2026", "18:30:00", "2m", "FM", "DL1ABC", "59", "57",
                                                 "B01", "Hans", "Berlin", "JO62QM", "5W", "erste zweite", "J", "N"}));

    // The second warning must not show what the first one left behind.
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 1), [] { pressOnFocus(Qt::Key_2, Qt::KeypadModifier); }), 2);
    const QStringList values = tableColumn(table, 1);
    QCOMPARE(values.mid(5, 4), (QStringList{"OK1XYZ", "599", "599", ""}));
    QCOMPARE(values.mid(13), (QStringList{"", "", ""}));

    // A language file rewrites the rows, keys and empty values; the next
    // warning still fills every value.
    QStringList lines = LanguageFile::builtInGerman();
    lines[134] = QStringLiteral("Nr=\nDatum=\nZeit=old");
    const QStringList unapplied = LanguageApplier({&form}).apply(lines);
    QVERIFY2(!unapplied.join(u'\n').contains("DoppeltForm"), qPrintable(unapplied.join(u'\n')));
    QCOMPARE(ask(form, DuplicateCheck::gridCells(model, 0), [] { pressOnFocus(Qt::Key_Escape); }), 1);
    QCOMPARE(tableColumn(table, 0).mid(0, 3), (QStringList{"Nr", "Datum", "Zeit"}));
    QCOMPARE(tableColumn(table, 1), DuplicateCheck::gridCells(model, 0));
    QVERIFY(!(table->item(2, 1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(ask(form, DoppeltForm::fieldKeys(), [&] { form.close(); }), 1); // closed by the window manager
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TestDuplicateCheck)
#include "test_duplicatecheck.moc"
