#include "entry/ui/DoppeltForm.h"
#include "entry/ui/EditPage.h"
#include "entry/ui/EntryPage.h"
#include "entry/EntryRules.h"
#include "entry/FieldBindings.h"
#include "entry/ui/LogGridView.h"
#include "logstore/QsoRecord.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"
#include "RecordingDesktop.h"
#include "StartedProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

// A program folder with the log "2026.log" current. The mask runs on local
// time plus nothing, so the fake clock's 06.12.2026 18:30:15 is what it shows.
void prepare(const TestFolder& dir, const QStringList& records, const QByteArray& extraSettings = {}) {
    dir.installLanguageFiles();
    dir.writeLog("2026.log", records);
    dir.write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\nUtcDiffAuto=0\r\nUtcDiff=0\r\n" + extraSettings);
}

const QByteArray kAllHidden = "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n";

QStringList records(const TestFolder& dir) {
    QStringList lines = QString::fromLatin1(dir.read("2026.log")).split("\r\n");
    lines.removeFirst(); // header
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QWidget* focused() { return QApplication::focusWidget(); }
QString focusName() { return focused() ? focused()->objectName() : QStringLiteral("(none)"); }

void type(const QString& text) { QTest::keyClicks(focused(), text); }
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(focused(), key, mods); }

bool markedRed(QLineEdit* edit) { return edit->palette().color(QPalette::Base) == QColor(0xFF, 0x60, 0x60); }

// Answers the duplicate warning with a key, if it appears while the event
// loop runs for a moment. Returns whether it appeared.
bool answerWarning(Qt::Key key, const std::function<void()>& trigger) {
    // Shared with the timer callbacks, which must not outlive what they touch.
    struct Poll {
        bool appeared = false;
        bool done = false;
        int polls = 0;
    };
    auto state = std::make_shared<Poll>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [state, key, weak = std::weak_ptr<std::function<void()>>(poll)] {
        if (auto* form = qobject_cast<DoppeltForm*>(QApplication::activeModalWidget())) {
            state->appeared = true;
            state->done = true;
            QTest::keyClick(form, key);
        } else if (++state->polls < 40) {
            if (auto again = weak.lock())
                QTimer::singleShot(5, [again] { (*again)(); });
        } else {
            state->done = true;
        }
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
    trigger();
    if (!QTest::qWaitFor([state] { return state->done; }, 2000))
        qWarning("the warning window did not close");
    QTest::qWait(20);
    return state->appeared;
}

} // namespace

class TestEntryPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullContactWithEveryField();
    void hiddenFieldsAreSkipped();
    void shortCallBlocksSaving();
    void numberCarriesOn();
    void appendTextCountsUp();
    void editorItemLosesSharedKey();
    void toggleGroupOnOneKey();
    void powerSteps_data();
    void powerSteps();
    void powerEditorKeys();
    void escapeKeepsBandModePower();
    void duplicateWarning_data();
    void duplicateWarning();
    void warningAnswers_data();
    void warningAnswers();
    void ctrlLJumpsWithoutCheck();
    void referenceLabels();
    void memoWithNumberLine_data();
    void memoWithNumberLine();
    void editFromLowerListReturnsToEntry();
    void backAndForward();
    void ctrlClickOnTitlesFitsColumns();
};

void TestEntryPage::fullContactWithEveryField() {
    TestFolder dir;
    prepare(dir, {});
    StartedProgram p(dir);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    type("dl1abc");
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("RstTxEdit"));
    // The contact keeps the time at which the call was confirmed.
    p.clock.now = p.clock.now.addSecs(60);
    QTest::qWait(600);
    for (const char* text : {"599", "579", "b01", "jo62qm", "Berlin", "hans"}) {
        type(QString::fromLatin1(text));
        press(Qt::Key_Return);
    }
    QCOMPARE(focusName(), QStringLiteral("CommentsMemo"));
    type("erste");
    press(Qt::Key_Return, Qt::ControlModifier);
    type("zweite");
    press(Qt::Key_Return);
    QCOMPARE(focused()->parentWidget()->objectName(), QStringLiteral("QslOutPicker"));
    press(Qt::Key_Space); // ticks the box: card sent today
    press(Qt::Key_Return);
    QCOMPARE(focused()->parentWidget()->objectName(), QStringLiteral("QslInPicker"));
    press(Qt::Key_Return);

    QCOMPARE(records(dir), QStringList{"1;06.12.2026;18:30:15;70cm;SSB;DL1ABC;599;579;B01;Hans;Berlin;JO62QM;100W;"
                                       "erste#13#10zweite;06.12.2026;"});
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("2"));
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QVERIFY(p.find<QLineEdit>("CallEdit")->text().isEmpty());
    QVERIFY(p.find<QPlainTextEdit>("CommentsMemo")->toPlainText().isEmpty());
    // The clock runs again for the next contact.
    QCOMPARE(p.find<QLabel>("UtcLabel")->text(), QStringLiteral("18:31:15"));
    auto* lower = p.find<LogGridView>("Liste2StringGrid");
    QCOMPARE(lower->model()->rowCount(), 1);
    QCOMPARE(lower->currentIndex().row(), 0);
    QCOMPARE(lower->model()->index(0, QsoRecord::Comments - 1).data().toString(), QStringLiteral("erste zweite"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestEntryPage::hiddenFieldsAreSkipped() {
    TestFolder dir;
    prepare(dir, {}, kAllHidden);
    StartedProgram p(dir);
    for (const char* name : {"DokEdit", "LocatorEdit", "QthEdit", "NameEdit", "CommentsMemo", "QslInPicker"})
        QVERIFY2(!p.find<QWidget>(name)->isVisible(), name);
    type("dk2xy");
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("RstTxEdit"));
    type("59");
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("RstRxEdit"));
    type("57");
    press(Qt::Key_Return);
    QCOMPARE(records(dir), QStringList{"1;06.12.2026;18:30:15;70cm;SSB;DK2XY;59;57;;;;;100W;;;"});
}

void TestEntryPage::shortCallBlocksSaving() {
    TestFolder dir;
    prepare(dir, {}, kAllHidden);
    StartedProgram p(dir);
    const QByteArray before = dir.read("2026.log");
    type("a");
    press(Qt::Key_Return); // stepping does not check ...
    QCOMPARE(focusName(), QStringLiteral("RstTxEdit"));
    QVERIFY(markedRed(p.find<QLineEdit>("CallEdit"))); // ... leaving does
    type("59");
    press(Qt::Key_Return);
    type("59");
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QCOMPARE(dir.read("2026.log"), before);
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("1"));
    // Entering the field takes the mark away; a valid call then saves.
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    type("b");
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(records(dir).size(), 1);
    QVERIFY(records(dir)[0].contains(";AB;59;59;"));
}

void TestEntryPage::numberCarriesOn() {
    TestFolder dir;
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("%1;01.12.2026;10:00:00;20m;CW;DL%1AA;599;599;;;;;5W;;;").arg(i);
    prepare(dir, eleven, kAllHidden);
    StartedProgram p(dir);
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("12"));
    // Band, mode and power come from the last contact of the log.
    QCOMPARE(p.find<QLabel>("BandLabel")->text(), QStringLiteral("20m"));
    QCOMPARE(p.find<QLabel>("TxPwrLabel")->text(), QStringLiteral("5W"));
    type("ok1xyz");
    press(Qt::Key_Return);
    type("599");
    press(Qt::Key_Return);
    type("599");
    press(Qt::Key_Return);
    QCOMPARE(records(dir).size(), 12);
    QCOMPARE(records(dir).last(), QStringLiteral("12;06.12.2026;18:30:15;20m;CW;OK1XYZ;599;599;;;;;5W;;;"));
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("13"));
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->model()->rowCount(), 12);
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->model()->index(11, 5).data().toString(), QStringLiteral("OK1XYZ"));
}

void TestEntryPage::appendTextCountsUp() {
    TestFolder dir;
    prepare(dir, {}, kAllHidden + "[ErgRstTx]\r\nText=001\r\nNummer=1\r\n");
    StartedProgram p(dir);
    QCOMPARE(p.find<QLabel>("RstTxCaptionLabel")->text(), QStringLiteral("RST + 001 TX"));
    QCOMPARE(p.find<QLabel>("RstRxCaptionLabel")->text(), QStringLiteral("RST + Nr RX"));
    const QList<std::pair<QString, QString>> contacts = {
        {"dl1abc", "59"}, {"dk2xy", "59"}, {"on4zz", "59 003"}}; // the last typed by hand
    for (const auto& [call, rst] : contacts) {
        type(call);
        press(Qt::Key_Return);
        type(rst);
        press(Qt::Key_Return);
        type("59");
        press(Qt::Key_Return);
    }
    const QStringList lines = records(dir);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[0].contains(";DL1ABC;59 001;59;"), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(";DK2XY;59 002;59;"), qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(";ON4ZZ;59 003;59;"), qPrintable(lines[2]));
    QCOMPARE(p.find<QLineEdit>("ErgRstTxTextEdit")->text(), QStringLiteral("004"));
    QVERIFY(p.find<QCheckBox>("ErgRstTxNummerCheckBox")->isChecked());
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("ErgRstTx", "Text"), QStringLiteral("004"));
    QVERIFY(stored.readBool("ErgRstTx", "Nummer", false));
    QCOMPARE(p.find<QPlainTextEdit>("UserMemo")->toPlainText().split('\n').value(3), QStringLiteral("TX# 004"));

    // A text that is no number cannot count up.
    auto* text = p.find<QLineEdit>("ErgRstTxTextEdit");
    text->setText("DOK B01");
    QVERIFY(!p.find<QCheckBox>("ErgRstTxNummerCheckBox")->isChecked());
    p.find<QCheckBox>("ErgRstTxNummerCheckBox")->click();
    QVERIFY(!p.find<QCheckBox>("ErgRstTxNummerCheckBox")->isChecked());
    QCOMPARE(p.dialogs.errors, QStringList{p.session.texts()[LanguageTexts::AutoNumberNeedsNumber]});
}

void TestEntryPage::editorItemLosesSharedKey() {
    TestFolder dir;
    prepare(dir, {});
    StartedProgram p(dir, false);
    p.find<QComboBox>("DateComboBox")->setCurrentIndex(3);
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("Buttons", "BF3"), QStringLiteral("a"));
    p.find<QComboBox>("DokComboBox")->setCurrentIndex(3);
    QCOMPARE(p.find<QComboBox>("DateComboBox")->currentIndex(), 0);
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("Buttons", "BF3"), QStringLiteral("e"));
    QCOMPARE(p.find<QLabel>("B3")->text(), QStringLiteral("F3: DOK"));
}

void TestEntryPage::toggleGroupOnOneKey() {
    TestFolder dir;
    prepare(dir, {}, "[Buttons]\r\nBF3=ei\r\nBF5=c\r\n");
    StartedProgram p(dir);
    QCOMPARE(p.find<QComboBox>("DokComboBox")->currentIndex(), 3);
    QCOMPARE(p.find<QComboBox>("NameComboBox")->currentIndex(), 3);
    QCOMPARE(p.find<QLabel>("B3")->text(), QStringLiteral("F3: DOK, Name"));
    const LanguageTexts& t = p.session.texts();
    QCOMPARE(p.find<QLabel>("B3")->toolTip(), "F3: " + t[LanguageTexts::ButtonHintStart] + " 'DOK'" +
                                                   t[LanguageTexts::HintAnd] + "'Name' " + t[LanguageTexts::ButtonHintEnd]);
    press(Qt::Key_F3);
    QVERIFY(!p.find<QLineEdit>("DokEdit")->isVisible());
    QVERIFY(!p.find<QLineEdit>("NameEdit")->isVisible());
    QVERIFY(!p.find<QLabel>("OvValueLabel")->isVisible());
    // Return now steps past the hidden DOK.
    type("dl1abc");
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("LocatorEdit"));
    press(Qt::Key_F3);
    QVERIFY(p.find<QLineEdit>("DokEdit")->isVisible());
    QVERIFY(p.find<QLineEdit>("NameEdit")->isVisible());

    // A click on a button opens no second editor while another is open.
    QTest::mouseClick(p.find<QLabel>("B5"), Qt::LeftButton);
    QVERIFY(p.find<QListWidget>("BandListBox")->isVisible());
    QTest::mouseClick(p.find<QLabel>("B3"), Qt::LeftButton);
    QVERIFY(p.find<QLineEdit>("DokEdit")->isVisible());
    p.find<QListWidget>("BandListBox")->setCurrentRow(7);
    QTest::mouseClick(p.find<QLabel>("B5"), Qt::LeftButton);
    QVERIFY(!p.find<QListWidget>("BandListBox")->isVisible());
    QCOMPARE(p.find<QLabel>("BandLabel")->text(), QStringLiteral("20m"));
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
}

void TestEntryPage::powerSteps_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");
    QTest::newRow("19") << 19 << 21 << 17;
    QTest::newRow("25") << 25 << 35 << 23;
    QTest::newRow("2") << 2 << 4 << 2;
    QTest::newRow("0") << 0 << 2 << 0;
}

void TestEntryPage::powerSteps() {
    QFETCH(int, from);
    QFETCH(int, up);
    QFETCH(int, down);
    QCOMPARE(TxPowerStep::up(from), up);
    QCOMPARE(TxPowerStep::down(from), down);
}

void TestEntryPage::powerEditorKeys() {
    TestFolder dir;
    prepare(dir, {}, "[Buttons]\r\nBF7=g\r\n");
    StartedProgram p(dir);
    type("a"); // a call too short, but the editor key skips the check
    press(Qt::Key_F7);
    auto* power = p.find<QLineEdit>("TxPwrEdit");
    QVERIFY(power->isVisible());
    QCOMPARE(focused(), power);
    QCOMPARE(power->text(), QStringLiteral("100W"));
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    type("18"); // replaces the selected text
    QCOMPARE(power->text(), QStringLiteral("18W"));
    QStringList seen;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
        press(key);
        seen << power->text();
    }
    QCOMPARE(seen, (QStringList{"20W", "30W", "20W", "18W"}));
    QCOMPARE(power->cursorPosition(), 0);
    power->end(false);
    press(Qt::Key_K);
    type("x");
    QCOMPARE(power->text(), QStringLiteral("18W"));
    QCOMPARE(p.dialogs.infos, QStringList{p.session.texts()[LanguageTexts::PowerKilowatt]});
    // The focus cannot leave an open editor.
    p.find<QLineEdit>("CallEdit")->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    QCOMPARE(focused(), power);
    press(Qt::Key_F7);
    QVERIFY(!power->isVisible());
    QCOMPARE(p.find<QLabel>("TxPwrLabel")->text(), QStringLiteral("18W"));
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
}

void TestEntryPage::escapeKeepsBandModePower() {
    TestFolder dir;
    prepare(dir, {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;;;;5W;;;",
                  "2;01.12.2026;10:05:00;80m;RTTY;DL2BB;599;599;;;;;50W;;;"});
    StartedProgram p(dir);
    type("dl3cc");
    press(Qt::Key_Return);
    type("599");
    press(Qt::Key_Escape);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QVERIFY(p.find<QLineEdit>("CallEdit")->text().isEmpty());
    QVERIFY(p.find<QLineEdit>("RstTxEdit")->text().isEmpty());
    QCOMPARE(p.find<QLabel>("BandLabel")->text(), QStringLiteral("80m"));
    QCOMPARE(p.find<QLabel>("ModeLabel")->text(), QStringLiteral("RTTY"));
    QCOMPARE(p.find<QLabel>("TxPwrLabel")->text(), QStringLiteral("50W"));
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->currentIndex().row(), 1);
    QCOMPARE(records(dir).size(), 2);
}

void TestEntryPage::duplicateWarning_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("warns");
    // The log: DL1AB on 20m CW yesterday, DK2XY on 2m fm today; the mask shows 2m FM today.
    QTest::newRow("100 other band") << QByteArray("100") << "dl1ab" << false;
    QTest::newRow("010 mode in any case") << QByteArray("010") << "dk2xy" << true;
    QTest::newRow("001 yesterday") << QByteArray("001") << "dl1ab" << false;
}

void TestEntryPage::duplicateWarning() {
    QFETCH(QByteArray, options);
    QFETCH(QString, call);
    QFETCH(bool, warns);
    TestFolder dir;
    prepare(dir,
            {"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;;;;;5W;;;", "2;06.12.2026;10:00:00;2m;fm;DK2XY;59;59;;;;;5W;;;"},
            "[Doppel-Check]\r\nOptions=" + options + "\r\n[Allgemein]\r\n");
    StartedProgram p(dir);
    QCOMPARE(p.find<QLabel>("BandLabel")->text(), QStringLiteral("2m"));
    type(call);
    QCOMPARE(answerWarning(Qt::Key_1, [] { press(Qt::Key_Return); }), warns);
}

void TestEntryPage::warningAnswers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("callAfter");
    QTest::newRow("1 carry on") << int(Qt::Key_1) << "RstTxEdit" << "DL1AB";
    QTest::newRow("2 discard") << int(Qt::Key_2) << "CallEdit" << "";
    QTest::newRow("3 correct") << int(Qt::Key_3) << "CallEdit" << "DL1AB";
}

void TestEntryPage::warningAnswers() {
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(QString, callAfter);
    TestFolder dir;
    prepare(dir, {"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;B01;Hans;;;5W;;;"});
    StartedProgram p(dir);
    type("dl1ab");
    QVERIFY(answerWarning(Qt::Key(key), [] { press(Qt::Key_Return); }));
    QCOMPARE(p.find<QLineEdit>("CallEdit")->text(), callAfter);
    // The window's own focus: the offscreen platform does not hand the
    // activation back after a dialog as a desktop does.
    QCOMPARE(p.w.focusWidget()->objectName(), focus);
    // The window showed the earlier contact.
    auto* table = p.find<DoppeltForm>("DoppeltForm")->findChild<QTableWidget*>("ValueListEditor");
    QCOMPARE(table->item(8, 1)->text(), QStringLiteral("B01"));
}

void TestEntryPage::ctrlLJumpsWithoutCheck() {
    TestFolder dir;
    prepare(dir, {"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;;;;;5W;;;"});
    StartedProgram p(dir);
    type("d");
    // Into the lower list: no red mark, no duplicate warning for a call
    // that is half typed.
    QVERIFY(!answerWarning(Qt::Key_1, [] { press(Qt::Key_L, Qt::ControlModifier); }));
    QCOMPARE(focusName(), QStringLiteral("Liste2StringGrid"));
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    press(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    type("l1ab");
    QCOMPARE(p.find<QLineEdit>("CallEdit")->text(), QStringLiteral("DL1AB"));
    QVERIFY(!answerWarning(Qt::Key_1, [] { press(Qt::Key_L, Qt::ControlModifier); }));
}

void TestEntryPage::referenceLabels() {
    TestFolder dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini", "DOK.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    prepare(dir, {}, "[Allgemein]\r\nEigenerLocator=JN58TD\r\n");
    StartedProgram p(dir);
    RecordingDesktop desktop;
    p.session.setDesktop(desktop);
    type("dl1abc");
    QCOMPARE(p.find<QLabel>("DxccValueLabel")->text(), QStringLiteral("Fed. Rep. of Germany  ([Strg]+[D]XCC)"));
    p.find<QLineEdit>("CallEdit")->setText("D"); // one character finds nothing
    QVERIFY(p.find<QLabel>("DxccValueLabel")->text().isEmpty());

    auto* dok = p.find<QLineEdit>("DokEdit");
    dok->setFocus();
    type("b0");
    QVERIFY(p.find<QLabel>("OvValueLabel")->text().isEmpty());
    type("1");
    QCOMPARE(p.find<QLabel>("OvValueLabel")->text(), QStringLiteral("OV B01"));
    const QString district = p.find<QLabel>("DistriktValueLabel")->text();
    QVERIFY2(!district.isEmpty(), "no district for B01");
    QTest::mouseClick(p.find<QLabel>("DistriktValueLabel"), Qt::LeftButton);
    QCOMPARE(desktop.opened.size(), 1);
    QVERIFY2(desktop.opened[0].startsWith("http"), qPrintable(desktop.opened[0]));

    // Bearing and distance appear with the sixth character; an impossible
    // locator is reported once and leaves both empty.
    auto* locator = p.find<QLineEdit>("LocatorEdit");
    locator->setFocus();
    type("jm58t");
    QVERIFY(p.find<QLabel>("BearingValueLabel")->text().isEmpty());
    type("d");
    QCOMPARE(p.find<QLabel>("BearingValueLabel")->text(), QStringLiteral("180 °"));
    QVERIFY(p.find<QLabel>("DistanceValueLabel")->text().endsWith(" km"));
    press(Qt::Key_Backspace);
    QVERIFY(p.find<QLabel>("DistanceValueLabel")->text().isEmpty());
    type("z");
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors[0].startsWith(p.session.texts()[LanguageTexts::ImpossibleLocator] + " (JN58TD / JM58TZ)"),
             qPrintable(p.dialogs.errors[0]));
    QVERIFY(p.find<QLabel>("BearingValueLabel")->text().isEmpty());
}

void TestEntryPage::memoWithNumberLine_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty memo") << "" << "001" << "\n\n\nTX# 001";
    QTest::newRow("replaces own line") << "a\nb\nc\nTX# 001\ne" << "002" << "a\nb\nc\nTX# 002\ne";
    QTest::newRow("keeps user line") << "a\nb\nc\nmy note" << "002" << "a\nb\nc\nmy note";
    QTest::newRow("no text empties own line") << "a\nb\nc\nTX# 009" << "" << "a\nb\nc\n";
    QTest::newRow("no text keeps short memo") << "a" << "" << "a";
}

void TestEntryPage::memoWithNumberLine() {
    QFETCH(QString, memo);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(RstTxAppend::memoWithNumberLine(memo, text), expected);
}

void TestEntryPage::editFromLowerListReturnsToEntry() {
    TestFolder dir;
    prepare(dir, {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;;;",
                  "2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Udo;;;50W;;;",
                  "3;01.12.2026;10:09:00;80m;CW;DL3CC;599;599;;Eva;;;50W;;;"});
    const QByteArray before = dir.read("2026.log");
    StartedProgram p(dir);
    auto* lower = p.find<LogGridView>("Liste2StringGrid");
    lower->setFocus();
    lower->setCurrentIndex(lower->model()->index(1, 0));
    QTest::keyClick(lower, Qt::Key_Return);
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    auto* name = p.find<QLineEdit>("eNameEdit");
    QCOMPARE(name->text(), QStringLiteral("Udo"));
    name->selectAll();
    QTest::keyClicks(name, "Otto");
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("EingabeTS"));
    QByteArray expected = before;
    expected.replace(";Udo;", ";Otto;");
    QCOMPARE(dir.read("2026.log"), expected);
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->currentIndex().row(), 1);

    // Opened from the list tab, the next save returns there.
    p.find<QTabWidget>("PageControl")->setCurrentIndex(1);
    auto* list = p.find<LogGridView>("ListeStringGrid");
    const QRect cell = list->visualRect(list->model()->index(2, 5));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("DL3CC"));
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(p.find<QTabWidget>("PageControl")->currentWidget()->objectName(), QStringLiteral("ListeTS"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestEntryPage::backAndForward() {
    TestFolder dir;
    prepare(dir, {});
    StartedProgram p(dir);
    auto* back = p.find<QToolButton>("BackSpeedButton");
    auto* next = p.find<QToolButton>("NextSpeedButton");
    QVERIFY(!back->isEnabled() && !next->isEnabled());
    QTabWidget* pages = p.find<QTabWidget>("PageControl");
    pages->setCurrentIndex(1); // Liste
    pages->setCurrentIndex(3); // Suche
    back->click();
    QCOMPARE(pages->currentIndex(), 1);
    back->click();
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(next->isEnabled());
    pages->setCurrentIndex(5); // by hand: the two skipped pages are gone
    QVERIFY(!next->isEnabled());
    back->click();
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(next->isEnabled());
    next->click();
    QCOMPARE(pages->currentIndex(), 5);
}

void TestEntryPage::ctrlClickOnTitlesFitsColumns() {
    TestFolder dir;
    prepare(dir, {"1;01.12.2026;10:00:00;40m;CW;VERYLONGCALLSIGN/P;599;599;;;;;5W;;;"});
    StartedProgram p(dir);
    p.find<QTabWidget>("PageControl")->setCurrentIndex(1);
    auto* list = p.find<LogGridView>("ListeStringGrid");
    QTest::qWait(20);
    const QVector<int> before = list->columnWidths();
    // Ctrl+click on a contact changes nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(list->model()->index(0, 5)).center());
    QCOMPARE(list->columnWidths(), before);
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    const QFontMetrics metrics(list->font());
    QCOMPARE(list->columnWidth(5), metrics.horizontalAdvance("VERYLONGCALLSIGN/P") + 10);
    // The title counts too: "Comments" is wider than an empty cell.
    QCOMPARE(list->columnWidth(13), std::max(metrics.horizontalAdvance("Comments") + 10, header->minimumSectionSize()));
}

VESK_TEST_MAIN(TestEntryPage)
#include "test_entrypage.moc"
