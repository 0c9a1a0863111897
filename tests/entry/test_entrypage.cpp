#include "entry/ui/FunctionButtonStrip.h"
#include "entry/ui/DoppeltForm.h"
#include "entry/ui/EntryPage.h"
#include "entry/ui/LogGridView.h"
#include "platform/ui/ElidingLabel.h"
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
#include <QtTest>

namespace {

// The mask runs on local time plus nothing, so the fake clock's 06.12.2026
// 18:30:15 is what it shows.
struct Mask : ProgramOnLog {
    explicit Mask(const QStringList& records, const QByteArray& settings = {})
        : ProgramOnLog(records, "UtcDiffAuto=0\r\nUtcDiff=0\r\n" + settings) {}
};

const QByteArray kAllHidden = "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n";

QWidget* focused() { return QApplication::focusWidget(); }
QString focusName() { return focused() ? focused()->objectName() : QStringLiteral("(none)"); }

void type(const QString& text) { QTest::keyClicks(focused(), text); }
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(focused(), key, mods); }

bool markedRed(QLineEdit* edit) { return edit->palette().color(QPalette::Base) == QColor(0xFF, 0x60, 0x60); }

// Types each text into the focused field and confirms it with Return.
void enter(const QStringList& texts) {
    for (const QString& t : texts) {
        type(t);
        press(Qt::Key_Return);
    }
}

// Runs trigger and answers the duplicate warning with key if it comes up.
// Returns whether it came up.
bool answerWarning(Qt::Key key, void (*trigger)()) {
    bool appeared = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* form = qobject_cast<DoppeltForm*>(QApplication::activeModalWidget())) {
            appeared = true;
            poll.stop();
            QTest::keyClick(form, key);
        }
    });
    poll.start(5);
    trigger();
    QTest::qWait(20);
    return appeared;
}

} // namespace

class TestEntryPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullContactWithEveryField();
    void dateEditorTakesDigitsAtOnce();
    void editorClosesWithThePage();
    void nothingLooksEditableWithoutALog();
    void narrowButtonKeepsItsKey();
    void popupListsShowEveryItem_data();
    void popupListsShowEveryItem();
    void popupsOfferTheLogsFreeTexts_data();
    void popupsOfferTheLogsFreeTexts();
    void hiddenFieldsAndShortCall();
    void maskKeepsItsShape();
    void escapeThenNumberCarriesOn();
    void appendTextCountsUp();
    void toggleGroupOnOneKey();
    void powerEditorKeys();
    void duplicateWarning_data();
    void duplicateWarning();
    void ctrlLJumpsWithoutCheck();
    void referenceLabels();
    void editFromLowerListReturnsToEntry();
    void ctrlClickOnTitlesFitsColumns();
};

void TestEntryPage::fullContactWithEveryField() {
    Mask run({});
    auto& [dir, p] = run;
    enter({"dl1abc"});
    QCOMPARE(focusName(), QStringLiteral("RstTxEdit"));
    // The contact keeps the time at which the call was confirmed.
    p.clock.now = p.clock.now.addSecs(60);
    QTest::qWait(600);
    enter({"599", "579", "b01", "jo62qm", "Berlin", "hans"});
    QCOMPARE(focusName(), QStringLiteral("CommentsMemo"));
    type("erste");
    press(Qt::Key_Return, Qt::ControlModifier);
    enter({"zweite"});
    QCOMPARE(focused()->parentWidget()->objectName(), QStringLiteral("QslOutPicker"));
    press(Qt::Key_Space); // ticks the box: card sent today
    press(Qt::Key_Return);
    QCOMPARE(focused()->parentWidget()->objectName(), QStringLiteral("QslInPicker"));
    press(Qt::Key_Return);

    QCOMPARE(dir.logLines(), QStringList{"1;06.12.2026;18:30:15;70cm;SSB;DL1ABC;599;579;B01;Hans;Berlin;JO62QM;100W;"
                                       "erste#13#10zweite;06.12.2026;"});
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("2"));
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QVERIFY(p.find<QLineEdit>("CallEdit")->text().isEmpty());
    QVERIFY(p.find<QPlainTextEdit>("CommentsMemo")->toPlainText().isEmpty());
    QCOMPARE(p.find<QLabel>("UtcLabel")->text(), QStringLiteral("18:31:15")); // the clock runs again
    auto* lower = p.find<LogGridView>("Liste2StringGrid");
    QCOMPARE(lower->model()->index(0, QsoRecord::Comments - 1).data().toString(), QStringLiteral("erste zweite"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

// Return steps over hidden fields; a call shorter than two characters stops the save.
void TestEntryPage::hiddenFieldsAndShortCall() {
    Mask run({}, kAllHidden);
    auto& [dir, p] = run;
    for (const char* name : {"DokEdit", "LocatorEdit", "QthEdit", "NameEdit", "CommentsMemo", "QslInPicker"})
        QVERIFY2(!p.find<QWidget>(name)->isVisible(), name);
    const QByteArray before = dir.read("2026.log");
    enter({"a"}); // stepping does not check ...
    QCOMPARE(focusName(), QStringLiteral("RstTxEdit"));
    QVERIFY(markedRed(p.find<QLineEdit>("CallEdit"))); // ... leaving does
    enter({"59", "59"});
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QCOMPARE(dir.read("2026.log"), before);
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("1"));
    // Entering the field takes the mark away; a valid call then saves.
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    enter({"b", "", ""});
    QCOMPARE(dir.logLines(), QStringList{"1;06.12.2026;18:30:15;70cm;SSB;AB;59;59;;;;;100W;;;"});
}

void TestEntryPage::maskKeepsItsShape() {
    Mask run({}, "[ShowAtStartUp]\r\ne=0\r\n[Buttons]\r\nBF7=h\r\n");
    auto& [dir, p] = run;
    QWidget* page = p.find<QWidget>("EingabePanel");
    auto left = [&](const char* name) { return p.find<QWidget>(name)->mapTo(page, QPoint(0, 0)).x(); };
    auto right = [&](const char* name) { return left(name) + p.find<QWidget>(name)->width(); };
    auto top = [&](QWidget* w) { return w->mapTo(p.w.window(), QPoint(0, 0)).y(); };
    // DOK hidden at start leaves no hole: Locator follows RST RX as RST TX follows Call.
    QCOMPARE(left("LocatorEdit") - right("RstRxEdit"), left("RstTxEdit") - right("CallEdit"));

    QWidget* comments = p.find<QWidget>("CommentsMemo");
    QWidget* list = p.find<QWidget>("Liste2StringGrid");
    const int commentsTop = top(comments), listTop = top(list), qthLeft = left("QthEdit");
    press(Qt::Key_F7);
    QTest::qWait(10);
    QVERIFY(!p.find<QWidget>("QthEdit")->isVisible());
    QCOMPARE(left("NameEdit"), qthLeft); // Name closes up ...
    QCOMPARE(top(comments), commentsTop); // ... and nothing else moves
    QCOMPARE(top(list), listTop);
    press(Qt::Key_F7);
    QTest::qWait(10);
    QCOMPARE(left("QthEdit"), qthLeft);
    QCOMPARE(top(list), listTop);

    // Long information texts shorten instead of pushing the callbook link.
    auto* callbook = p.find<QLabel>("CallbookLabel");
    const QRect linkAt = callbook->geometry();
    const QString longName = QStringLiteral("Demokratische Volksrepublik Korea ").repeated(6);
    auto* dxcc = p.find<ElidingLabel>("DxccValueLabel");
    dxcc->setText(longName);
    p.find<QLabel>("OvValueLabel")->setText(longName);
    QTest::qWait(10);
    QCOMPARE(callbook->geometry(), linkAt);
    QVERIFY(dxcc->shownText().endsWith(u'…'));
    QCOMPARE(dxcc->text(), longName);
    QCOMPARE(dxcc->toolTip(), longName);
    dxcc->setText(QStringLiteral("Japan"));
    QTest::qWait(10);
    QCOMPARE(dxcc->shownText(), QStringLiteral("Japan"));
    QVERIFY(dxcc->toolTip() != longName);
}

void TestEntryPage::escapeThenNumberCarriesOn() {
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("%1;01.12.2026;10:00:00;20m;RTTY;DL%1AA;599;599;;;;;5W;;;").arg(i);
    Mask run(eleven, kAllHidden);
    auto& [dir, p] = run;
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("12"));
    // Escape empties call and reports but keeps band, mode, power and number.
    enter({"dl3cc"});
    type("599");
    press(Qt::Key_Escape);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->currentIndex().row(), 10);
    QCOMPARE(dir.logLines().size(), 11);
    enter({"ok1xyz", "599", "599"});
    QCOMPARE(dir.logLines().size(), 12);
    QCOMPARE(dir.logLines().last(), QStringLiteral("12;06.12.2026;18:30:15;20m;RTTY;OK1XYZ;599;599;;;;;5W;;;"));
    QCOMPARE(p.find<QLabel>("NumberLabel")->text(), QStringLiteral("13"));
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->model()->rowCount(), 12);
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->model()->index(11, 5).data().toString(), QStringLiteral("OK1XYZ"));
}

void TestEntryPage::appendTextCountsUp() {
    Mask run({}, kAllHidden + "[ErgRstTx]\r\nText=001\r\nNummer=1\r\n");
    auto& [dir, p] = run;
    enter({"dl1abc", "59", "59", "dk2xy", "59", "59", "on4zz", "59 003", "59"}); // the last typed by hand
    const QStringList lines = dir.logLines();
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[0].contains(";DL1ABC;59 001;59;"), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(";DK2XY;59 002;59;"), qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(";ON4ZZ;59 003;59;"), qPrintable(lines[2]));
    QCOMPARE(p.find<QLineEdit>("ErgRstTxTextEdit")->text(), QStringLiteral("004"));
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    QCOMPARE(stored.readString("ErgRstTx", "Text"), QStringLiteral("004"));
    QCOMPARE(p.find<QPlainTextEdit>("UserMemo")->toPlainText().split('\n').value(3), QStringLiteral("TX# 004"));
    // Escape in RST TX leaves it empty, not holding " 004" for the next contact.
    enter({"dl5xx"});
    type("5");
    press(Qt::Key_Escape);
    auto* rstTx = p.find<QLineEdit>("RstTxEdit");
    QCOMPARE(rstTx->text(), QString());
    // Entering a field puts the caret behind its text, nothing selected.
    rstTx->setText("57");
    press(Qt::Key_Return);
    QVERIFY(focused() == rstTx && !rstTx->hasSelectedText() && rstTx->cursorPosition() == 2);

    // A text that is no number cannot count up.
    auto* counts = p.find<QCheckBox>("ErgRstTxNummerCheckBox");
    p.find<QLineEdit>("ErgRstTxTextEdit")->setText("DOK B01");
    QVERIFY(!counts->isChecked());
    counts->click();
    QVERIFY(!counts->isChecked());
    QCOMPARE(p.dialogs.errors, QStringList{p.session.texts()[LanguageTexts::AutoNumberNeedsNumber]});
}

void TestEntryPage::dateEditorTakesDigitsAtOnce() {
    Mask run({"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;;;;;5W;;;"});
    auto& [dir, p] = run;
    auto* label = p.find<QLabel>("DateLabel");
    const QDate shown = QDate::fromString(label->text(), "dd.MM.yyyy");
    QVERIFY2(shown.isValid(), qPrintable(label->text()));
    const int day = shown.day() == 3 ? 4 : 3;
    QTest::mouseDClick(label, Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("DatePicker"));
    type(QStringLiteral("0%1").arg(day));
    press(Qt::Key_Return);
    QCOMPARE(label->text(), shown.addDays(day - shown.day()).toString("dd.MM.yyyy"));
}

void TestEntryPage::editorClosesWithThePage() {
    Mask run({"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;;;;;5W;;;"});
    auto& [dir, p] = run;
    auto* bands = p.find<QListWidget>("BandListBox");
    QTest::mouseDClick(p.find<QLabel>("BandLabel"), Qt::LeftButton);
    QVERIFY(bands->isVisible());
    bands->setCurrentRow(1);
    p.w.showPage(Page::List);
    p.w.showPage(Page::Entry);
    QVERIFY(!bands->isVisible());
    QCOMPARE(p.find<QLabel>("BandLabel")->text(), QStringLiteral("20m")); // not taken
}

void TestEntryPage::nothingLooksEditableWithoutALog() {
    TestFolder dir;
    dir.installLanguageFiles();
    StartedProgram p(dir);
    QVERIFY(!p.session.hasLog());
    // The colours the mask gives its fields and links are those of a page in
    // use; a disabled one shows the style's grey.
    const QPalette plain;
    for (const char* name : {"CallEdit", "RstTxEdit", "RstRxEdit"}) {
        auto* edit = p.find<QLineEdit>(name);
        QVERIFY2(!edit->isEnabled(), name);
        QCOMPARE(edit->palette().color(QPalette::Disabled, QPalette::Base), plain.color(QPalette::Disabled, QPalette::Base));
    }
    auto* link = p.find<QLabel>("CallbookLabel");
    QVERIFY(!link->isEnabled());
    QCOMPARE(link->palette().color(QPalette::Disabled, QPalette::WindowText),
             plain.color(QPalette::Disabled, QPalette::WindowText));
    QCOMPARE(link->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::blue));
}

void TestEntryPage::narrowButtonKeepsItsKey() {
    Mask run({}, "[Buttons]\r\nBF6=ijk\r\nBF7=c\r\n");
    auto& [dir, p] = run;
    p.w.resize(900, p.w.height());
    QApplication::processEvents();
    auto* six = p.find<FunctionButton>("B6");
    QVERIFY2(six->caption().count(u',') == 2, qPrintable(six->caption()));
    QVERIFY2(six->text().startsWith("F6:") && six->text() != six->caption() && six->text().endsWith(QChar(0x2026)),
             qPrintable(six->text()));
    QVERIFY(six->fontMetrics().horizontalAdvance(six->text()) <= six->contentsRect().width());
    QVERIFY2(six->toolTip().startsWith(six->caption() + u'\n'), qPrintable(six->toolTip()));
    // A caption that fits is shown whole, with the hint alone as tooltip.
    auto* seven = p.find<FunctionButton>("B7");
    QCOMPARE(seven->text(), seven->caption());
    QVERIFY(!seven->toolTip().startsWith(seven->caption()));
}

void TestEntryPage::popupListsShowEveryItem_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("list");
    QTest::newRow("band") << "BandLabel" << "BandListBox";
    QTest::newRow("mode") << "ModeLabel" << "ModeListBox";
}

void TestEntryPage::popupListsShowEveryItem() {
    QFETCH(QString, label);
    QFETCH(QString, list);
    Mask run({});
    auto& [dir, p] = run;
    auto* box = p.find<QListWidget>(qPrintable(list));
    // A font that differs from the one at start (a desktop theme applied
    // late, a larger font for the screen): the list is measured as shown.
    QFont larger = box->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.6);
    box->setFont(larger);
    QTest::mouseDClick(p.find<QLabel>(qPrintable(label)), Qt::LeftButton);
    QVERIFY(box->isVisible());
    QCOMPARE(box->item(box->count() - 1)->text(), QStringLiteral("..."));
    const QRect room = box->viewport()->rect();
    for (int row = 0; row < box->count(); ++row) {
        const QRect item = box->visualItemRect(box->item(row));
        QVERIFY2(room.contains(item), qPrintable(box->item(row)->text()));
        QVERIFY2(box->fontMetrics().horizontalAdvance(box->item(row)->text()) <= room.width(),
                 qPrintable(box->item(row)->text()));
    }
}

void TestEntryPage::popupsOfferTheLogsFreeTexts_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("band") << "BandLabel" << "BandListBox" << QStringList{"60m", "4m"};
    QTest::newRow("mode") << "ModeLabel" << "ModeListBox" << QStringList{"FT8", "FT4"};
}

// Most used first; texts of the fixed lists ("20m", "cw" in any case) are not repeated.
void TestEntryPage::popupsOfferTheLogsFreeTexts() {
    QFETCH(QString, label);
    QFETCH(QString, list);
    QFETCH(QStringList, offered);
    Mask run({"1;05.12.2026;10:00:00;4m;FT4;DL1AB;599;599;;;;;5W;;;",
              "2;05.12.2026;10:05:00;60m;FT8;DL2AB;599;599;;;;;5W;;;",
              "3;05.12.2026;10:10:00;60m;FT8;DL3AB;599;599;;;;;5W;;;",
              "4;05.12.2026;10:15:00;20m;cw;DL4AB;599;599;;;;;5W;;;"});
    auto& [dir, p] = run;
    auto* box = p.find<QListWidget>(qPrintable(list));
    const int fixed = box->count();
    QTest::mouseDClick(p.find<QLabel>(qPrintable(label)), Qt::LeftButton);
    QCOMPARE(box->item(fixed - 1)->text(), QStringLiteral("..."));
    QStringList below;
    for (int row = fixed; row < box->count(); ++row)
        below << box->item(row)->text();
    QCOMPARE(below, offered);
    box->setCurrentRow(fixed); // the most used free text, taken without a question
    press(Qt::Key_Return);
    QCOMPARE(p.find<QLabel>(qPrintable(label))->text(), offered[0]);
    QVERIFY(p.dialogs.prompts.isEmpty());
    // Opened again, the list is the same and marks what is shown.
    QTest::mouseDClick(p.find<QLabel>(qPrintable(label)), Qt::LeftButton);
    QCOMPARE(box->count(), fixed + offered.size());
    QCOMPARE(box->currentRow(), fixed);
}

void TestEntryPage::toggleGroupOnOneKey() {
    Mask run({}, "[Buttons]\r\nBF3=ei\r\nBF5=c\r\n");
    auto& [dir, p] = run;
    QCOMPARE(p.find<QComboBox>("NameComboBox")->currentIndex(), 3);
    press(Qt::Key_F3);
    QVERIFY(!p.find<QLineEdit>("DokEdit")->isVisible() && !p.find<QLineEdit>("NameEdit")->isVisible());
    enter({"dl1abc", "", ""}); // Return now steps past the hidden DOK
    QCOMPARE(focusName(), QStringLiteral("LocatorEdit"));
    press(Qt::Key_F3);
    QVERIFY(p.find<QLineEdit>("DokEdit")->isVisible() && p.find<QLineEdit>("NameEdit")->isVisible());

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

void TestEntryPage::powerEditorKeys() {
    Mask run({}, "[Buttons]\r\nBF7=g\r\n");
    auto& [dir, p] = run;
    type("a"); // a call too short, but the editor key skips the check
    press(Qt::Key_F7);
    auto* power = p.find<QLineEdit>("TxPwrEdit");
    QCOMPARE(focused(), power);
    QCOMPARE(power->text(), QStringLiteral("100W"));
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    type("18"); // replaces the selected text
    QStringList seen;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
        press(key);
        seen << power->text();
    }
    QCOMPARE(seen, (QStringList{"20W", "30W", "20W", "18W"}));
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

void TestEntryPage::duplicateWarning_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("warns");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("callAfter");
    // The log: DL1AB on 20m CW yesterday; the mask shows 2m FM today. The rows show
    // the mask hands band and date to the check (its rules are test_duplicatecheck's).
    QTest::newRow("1 carry on") << QByteArray("000") << int(Qt::Key_1) << true << "RstTxEdit" << "DL1AB";
    QTest::newRow("2 discard") << QByteArray("000") << int(Qt::Key_2) << true << "CallEdit" << "";
    QTest::newRow("3 correct") << QByteArray("000") << int(Qt::Key_3) << true << "CallEdit" << "DL1AB";
    QTest::newRow("other band") << QByteArray("100") << int(Qt::Key_2) << false << "RstTxEdit" << "DL1AB";
    QTest::newRow("other day") << QByteArray("001") << int(Qt::Key_2) << false << "RstTxEdit" << "DL1AB";
}

void TestEntryPage::duplicateWarning() {
    QFETCH(QByteArray, options);
    QFETCH(int, key);
    QFETCH(bool, warns);
    QFETCH(QString, focus);
    QFETCH(QString, callAfter);
    Mask run({"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;B01;Hans;;;5W;;;", "2;06.12.2026;10:00:00;2m;FM;DK2XY;59;59;;;;;5W;;;"},
             "[Doppel-Check]\r\nOptions=" + options + "\r\n");
    auto& p = run.p;
    type("dl1ab");
    QCOMPARE(answerWarning(Qt::Key(key), [] { press(Qt::Key_Return); }), warns);
    QCOMPARE(p.find<QLineEdit>("CallEdit")->text(), callAfter);
    // The window's own focus: the offscreen platform does not hand the
    // activation back after a dialog as a desktop does.
    QCOMPARE(p.w.focusWidget()->objectName(), focus);
    if (warns) { // the window showed the earlier contact
        auto* table = p.find<DoppeltForm>("DoppeltForm")->findChild<QTableWidget*>("ValueListEditor");
        QCOMPARE(table->item(8, 1)->text(), QStringLiteral("B01"));
    }
}

void TestEntryPage::ctrlLJumpsWithoutCheck() {
    Mask run({"1;05.12.2026;10:00:00;20m;CW;DL1AB;599;599;;;;;5W;;;"});
    auto& [dir, p] = run;
    type("d");
    // Into the lower list: no red mark, no warning for a half-typed call.
    QVERIFY(!answerWarning(Qt::Key_1, [] { press(Qt::Key_L, Qt::ControlModifier); }));
    QCOMPARE(focusName(), QStringLiteral("Liste2StringGrid"));
    QVERIFY(!markedRed(p.find<QLineEdit>("CallEdit")));
    press(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    type("l1ab");
    QCOMPARE(p.find<QLineEdit>("CallEdit")->text(), QStringLiteral("DL1AB"));
    QVERIFY(!answerWarning(Qt::Key_1, [] { press(Qt::Key_L, Qt::ControlModifier); }));
    QCOMPARE(focusName(), QStringLiteral("Liste2StringGrid"));

    // A quick chord: Ctrl is let go before L. It still counts, and only once.
    QWidget* list = focused();
    QTest::keyPress(list, Qt::Key_Control);
    QTest::keyPress(list, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
    QTest::keyRelease(focused(), Qt::Key_Control, Qt::ControlModifier);
    QTest::keyRelease(focused(), Qt::Key_L);
    QCOMPARE(focusName(), QStringLiteral("CallEdit"));
}

void TestEntryPage::referenceLabels() {
    TestFolder dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini", "DOK.ini"})
        dir.installDataFile(QString::fromLatin1(name));
    dir.prepareProgram({}, "EigenerLocator=JN58TD\r\n");
    StartedProgram p(dir);
    RecordingDesktop desktop;
    p.session.setDesktop(desktop);
    type("dl1abc");
    QCOMPARE(p.find<QLabel>("DxccValueLabel")->text(), QStringLiteral("Fed. Rep. of Germany  ([Strg]+[D]XCC)"));

    p.find<QLineEdit>("DokEdit")->setFocus();
    type("b01");
    QCOMPARE(p.find<QLabel>("OvValueLabel")->text(), QStringLiteral("OV B01"));
    QTest::mouseClick(p.find<QLabel>("DistriktValueLabel"), Qt::LeftButton);
    QCOMPARE(desktop.opened.size(), 1);
    QVERIFY2(desktop.opened[0].startsWith("http"), qPrintable(desktop.opened[0]));

    // An impossible locator is reported once and empties bearing and distance.
    p.find<QLineEdit>("LocatorEdit")->setFocus();
    type("jm58td");
    QCOMPARE(p.find<QLabel>("BearingValueLabel")->text(), QStringLiteral("180 °"));
    QVERIFY(p.find<QLabel>("DistanceValueLabel")->text().endsWith(" km"));
    press(Qt::Key_Backspace);
    type("z");
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors[0].startsWith(p.session.texts()[LanguageTexts::ImpossibleLocator] + " (JN58TD / JM58TZ)"),
             qPrintable(p.dialogs.errors[0]));
    QVERIFY(p.find<QLabel>("BearingValueLabel")->text().isEmpty() && p.find<QLabel>("DistanceValueLabel")->text().isEmpty());
}

void TestEntryPage::editFromLowerListReturnsToEntry() {
    const QStringList lines = {"1;01.12.2026;10:00:00;40m;CW;DL1AA;599;599;;Hans;;;5W;;;",
                               "2;01.12.2026;10:05:00;80m;CW;DL2BB;599;599;;Udo;;;50W;;;"};
    Mask run(lines);
    auto& [dir, p] = run;
    auto* pages = p.find<QTabWidget>("PageControl");
    auto* lower = p.find<LogGridView>("Liste2StringGrid");
    lower->setFocus();
    lower->setCurrentIndex(lower->model()->index(1, 0));
    QTest::keyClick(lower, Qt::Key_Return);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    auto* name = p.find<QLineEdit>("eNameEdit");
    QCOMPARE(name->text(), QStringLiteral("Udo"));
    name->selectAll();
    QTest::keyClicks(name, "Otto");
    QTest::mouseClick(p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("EingabeTS"));
    QCOMPARE(dir.logLines(), (QStringList{lines[0], QString(lines[1]).replace(";Udo;", ";Otto;")}));
    QCOMPARE(p.find<LogGridView>("ListeStringGrid")->currentIndex().row(), 1);
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestEntryPage::ctrlClickOnTitlesFitsColumns() {
    Mask run({"1;01.12.2026;10:00:00;40m;CW;VERYLONGCALLSIGN/P;599;599;;;;;5W;;;"});
    auto& [dir, p] = run;
    p.find<QTabWidget>("PageControl")->setCurrentIndex(1);
    auto* list = p.find<LogGridView>("ListeStringGrid");
    QTest::qWait(20);
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
