#include "session/Session.h"
#include "entry/ui/CheckedDateEdit.h"
#include "entry/ui/EditPage.h"
#include "logstore/AtomicFile.h"
#include "logstore/QsoRecord.h"
#include "windows/ui/TextForm.h"
#include "FindControl.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

const QString kLog = QStringLiteral("test.log");
const QStringList kLines = {
    "1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;R01;Udo;Bonn;JO30LR;10W;erste#13#10zweite;;",
    "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;;;50W;;;",
    // written by hand: short date and time forms
    "3;3.2.05;9:05;20m;CW;G3ABC;599;579;;John;;IO91WM;100W;;3.2.2005;"};

// A program folder with a log opened and listed the way the main window does it.
struct Fixture {
    TestFolder dir;
    FakeClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<Session> session;
    std::unique_ptr<TextForm> textForm;
    std::unique_ptr<EditPage> page;

    explicit Fixture(const QStringList& lines = kLines) {
        dir.writeLog(kLog, lines);
        session = std::make_unique<Session>(dir.path(), clock, dialogs);
        session->chooseLog(kLog);
        session->reloadRows();
        textForm = std::make_unique<TextForm>(dialogs);
        page = std::make_unique<EditPage>(*session, *textForm);
    }
    QByteArray log() const { return dir.read(kLog); }
    template <typename T = QWidget> T* control(const QString& name) const {
        return findControl<T>(*page, qPrintable(name));
    }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }
    void save() const { QTest::mouseClick(control<QPushButton>("eOkBtn"), Qt::LeftButton); }
};

QByteArray logBytes(const QStringList& lines) { return crlf(QStringList{QsoRecord::headerLine()} + lines); }

// Types into a control: plain characters as keys, "<BS>", "<DEL>", "<HOME>",
// "<END>", "<LEFT>" as editing keys, "<ALL>" as Ctrl+A and "<CLICK>" as a
// click on a button.
void type(QWidget* w, const QString& keys) {
    if (auto* box = qobject_cast<QComboBox*>(w))
        w = box->lineEdit();
    static const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> special = {
        {"BS", {Qt::Key_Backspace, Qt::NoModifier}}, {"DEL", {Qt::Key_Delete, Qt::NoModifier}},
        {"HOME", {Qt::Key_Home, Qt::NoModifier}},    {"END", {Qt::Key_End, Qt::NoModifier}},
        {"LEFT", {Qt::Key_Left, Qt::NoModifier}},    {"ALL", {Qt::Key_A, Qt::ControlModifier}}};
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] != u'<') {
            QTest::keyClicks(w, QString(keys[i]));
            continue;
        }
        const qsizetype end = keys.indexOf(u'>', i);
        const QString token = keys.mid(i + 1, end - i - 1);
        i = end;
        if (token == QStringLiteral("CLICK"))
            qobject_cast<QAbstractButton*>(w)->click();
        else
            QTest::keyClick(w, special.value(token).first, special.value(token).second);
    }
}

bool isRed(const QLabel* caption) {
    return caption->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

} // namespace

class TestEditPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveChangesExactlyThatLine_data();
    void saveChangesExactlyThatLine();
    void commentLineBreaksSurvive();
    void keyFilters_data();
    void keyFilters();
    void captionColours_data();
    void captionColours();
    void qslInButtonFollowsTheTick();
    void emptyRowEmptiesEverything();
    void unreadableDateOrTime_data();
    void unreadableDateOrTime();
    void changedBeforeOpening_data();
    void changedBeforeOpening();
    void changedWhileEditingIsNotOverwritten();
    void changeOfAnotherContactIsKept();
    void failedWriteKeepsFileAndTarget();
    void returnTargetIsResetAfterSaving();
};

void TestEditPage::saveChangesExactlyThatLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("line"); // record 2 as the file holds it afterwards

    QTest::newRow("name") << "eNameEdit" << "Hans" << "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;Hans;;;50W;;;";
    QTest::newRow("call in capitals")
        << "eCallEdit" << "<ALL>dl1abc/p" << "2;02.02.2005;11:00:00;70cm;SSB;DL1ABC/P;57;58;;;;;50W;;;";
    QTest::newRow("power takes digits and comma")
        << "eTxPwrEdit" << "<ALL>0x,5" << "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;;;0,5W;;;";
    QTest::newRow("band typed freely") << "eBandComboBox" << "<ALL>6m"
                                       << "2;02.02.2005;11:00:00;6m;SSB;DK2XY;57;58;;;;;50W;;;";
    QTest::newRow("separator typed into QTH")
        << "eQthEdit" << "Bonn;Beuel" << "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;BonnBeuel;;50W;;;";
    QTest::newRow("QSL in ticked today") << "eQslInPickerCheck"
                                         << "<CLICK>"
                                         << "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;;;50W;;;06.12.2026";
}

void TestEditPage::saveChangesExactlyThatLine() {
    QFETCH(QString, control);
    QFETCH(QString, keys);
    QFETCH(QString, line);
    Fixture f;
    QSignalSpy saved(f.page.get(), &EditPage::saved);
    f.page->EditierenTSShow(2);
    QVERIFY(f.dialogs.errors.isEmpty());
    type(f.control(control), keys);
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], line, kLines[2]}));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0], (QVariantList{2, QVariant::fromValue(ReturnTarget::List)}));
    QVERIFY(f.dialogs.errors.isEmpty());
}

void TestEditPage::commentLineBreaksSurvive() {
    Fixture f;
    f.page->EditierenTSShow(1);
    auto* memo = f.control<QPlainTextEdit>("eCommentsMemo");
    QCOMPARE(memo->toPlainText(), QString("erste\nzweite"));

    // Saved unchanged, the file stays byte for byte.
    f.save();
    QCOMPARE(f.log(), logBytes(kLines));

    QString offered;
    QTimer::singleShot(0, f.textForm.get(), [&] {
        offered = f.textForm->memo()->toPlainText();
        f.textForm->memo()->moveCursor(QTextCursor::End);
        QTest::keyClick(f.textForm->memo(), Qt::Key_Return);
        QTest::keyClicks(f.textForm->memo(), "dritte");
        f.textForm->accept();
    });
    QTest::mouseClick(f.control<QPushButton>("eCommentsBtn"), Qt::LeftButton);
    QCOMPARE(offered, QString("erste\nzweite"));
    QCOMPARE(memo->toPlainText(), QString("erste\nzweite\ndritte"));
    QCOMPARE(f.log(), logBytes(kLines)); // only the save button writes
    f.save();
    QCOMPARE(f.log(),
             logBytes({"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;R01;Udo;Bonn;JO30LR;10W;"
                       "erste#13#10zweite#13#10dritte;;",
                       kLines[1], kLines[2]}));
}

void TestEditPage::keyFilters_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("call edited in the middle") << "eCallEdit" << "dl1x<LEFT><BS>y" << "DLYX";
    QTest::newRow("RST TX") << "eRstTxEdit" << "59a" << "59A";
    QTest::newRow("DOK") << "eDokEdit" << "r01" << "R01";
    QTest::newRow("locator") << "eLocatorEdit" << "jo31ab" << "JO31AB";
    QTest::newRow("name keeps its case") << "eNameEdit" << "hans" << "hans";
    QTest::newRow("power drops letters") << "eTxPwrEdit" << "a1b2,5" << "12,5W";
    QTest::newRow("power backspace") << "eTxPwrEdit" << "100<BS>" << "10W";
    QTest::newRow("power home and delete") << "eTxPwrEdit" << "100<HOME><DEL>" << "00W";
    QTest::newRow("power unit comes back") << "eTxPwrEdit" << "5<END><BS>" << "5W";
    QTest::newRow("power emptied") << "eTxPwrEdit" << "5<ALL><BS>" << "";
    QTest::newRow("power takes no blank") << "eTxPwrEdit" << "1 0" << "10W";
}

void TestEditPage::keyFilters() {
    QFETCH(QString, control);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    Fixture f;
    f.page->EditierenTSShow(0);
    type(f.control(control), keys);
    QCOMPARE(f.text(control), text);
}

void TestEditPage::captionColours_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("red");
    const QStringList all = {"eBandCaption", "eModeCaption", "eCallCaption", "eRstTxCaption", "eRstRxCaption",
                             "eTxPwrCaption"};
    QTest::newRow("empty row") << "" << all;
    QTest::newRow("complete contact") << kLines[0] << QStringList{};
    QTest::newRow("one character each") << "1;01.02.2005;10:00:00;2;F;D;5;5;;;;JO31;5W"
                                        << QStringList{"eBandCaption",  "eModeCaption",  "eCallCaption",
                                                       "eRstTxCaption", "eRstRxCaption", "eLocatorCaption"};
    QTest::newRow("power is only the unit") << "1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;W"
                                            << QStringList{"eTxPwrCaption"};
    QTest::newRow("power gets its unit") << "1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;;5" << QStringList{};
}

void TestEditPage::captionColours() {
    QFETCH(QString, line);
    QFETCH(QStringList, red);
    Fixture f(line.isEmpty() ? QStringList{} : QStringList{line});
    f.page->EditierenTSShow(line.isEmpty() ? 0 : 1);
    QVERIFY(f.dialogs.errors.isEmpty());
    QStringList seen;
    for (QLabel* caption : f.page->findChildren<QLabel*>()) {
        if (caption->objectName().endsWith("Caption") && isRed(caption))
            seen << caption->objectName();
    }
    seen.sort();
    red.sort();
    QCOMPARE(seen, red);

    // Typing the missing characters takes the warning away.
    if (red.contains("eLocatorCaption")) {
        type(f.control("eLocatorEdit"), "ab");
        QVERIFY(!isRed(f.control<QLabel>("eLocatorCaption")));
    }
}

void TestEditPage::qslInButtonFollowsTheTick() {
    Fixture f;
    auto* rename = f.control<QPushButton>("eQslInAddBtn");
    auto* show = f.control<QPushButton>("eQslInShowBtn");
    auto* tick = f.control<QCheckBox>("eQslInPickerCheck");
    f.page->EditierenTSShow(2);
    QVERIFY(rename->isHidden());
    tick->click();
    QVERIFY(!rename->isHidden());
    tick->click();
    QVERIFY(rename->isHidden());
    QVERIFY(show->isHidden()); // there are no card images to show yet
}

void TestEditPage::emptyRowEmptiesEverything() {
    Fixture f;
    f.page->EditierenTSShow(3);
    QVERIFY(f.control<CheckedDateEdit>("eQslOutPicker")->isChecked());
    f.page->EditierenTSShow(0);
    QCOMPARE(f.control<QLabel>("eNumberLabel")->text(), QString());
    QCOMPARE(f.control<QDateEdit>("eDatePicker")->date(), QDate(1899, 12, 30));
    QCOMPARE(f.control<QTimeEdit>("eUtcPicker")->time(), QTime(0, 0));
    for (const char* name :
         {"eCallEdit", "eRstTxEdit", "eRstRxEdit", "eNameEdit", "eLocatorEdit", "eTxPwrEdit"})
        QVERIFY2(f.text(name).isEmpty(), name);
    QCOMPARE(f.control<QComboBox>("eBandComboBox")->currentText(), QString());
    QCOMPARE(f.control<QPlainTextEdit>("eCommentsMemo")->toPlainText(), QString());
    for (const char* name : {"eQslOutPicker", "eQslInPicker"}) {
        QVERIFY2(!f.control<CheckedDateEdit>(name)->isChecked(), name);
        QCOMPARE(f.control<CheckedDateEdit>(name)->date(), f.clock.now.date());
    }
    QVERIFY(f.control<QPushButton>("eQslInAddBtn")->isHidden());
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes(kLines));
}

void TestEditPage::unreadableDateOrTime_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lastLoaded"); // the last control that shows the contact
    QTest::newRow("date") << "7;31.02.2005;10:00:00;2m;FM;DL1ABC" << "Date" << "31.02.2005" << "eNumberLabel";
    QTest::newRow("time") << "7;01.02.2005;10:61;2m;FM;DL1ABC" << "UTC" << "10:61" << "eDatePicker";
    QTest::newRow("QSL out") << "7;01.02.2005;10:00:00;2m;FM;DL1ABC;;;;;;;;;bald;" << "QSL Out" << "bald"
                             << "eCallEdit";
}

void TestEditPage::unreadableDateOrTime() {
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, lastLoaded);
    Fixture f({kLines[0], line});
    f.page->EditierenTSShow(2);
    QCOMPARE(f.dialogs.errors.size(), 1);
    const QString& message = f.dialogs.errors[0];
    for (const QString& part : {kLog, QStringLiteral("Kontakt 2"), '"' + field + '"', '"' + text + '"'})
        QVERIFY2(message.contains(part), qPrintable(message + " lacks " + part));

    QCOMPARE(f.control<QLabel>("eNumberLabel")->text(), QString("7"));
    const bool dateShown = lastLoaded != "eNumberLabel";
    QCOMPARE(f.control<QDateEdit>("eDatePicker")->date() == QDate(2005, 2, 1), dateShown);
    QCOMPARE(f.text("eCallEdit") == "DL1ABC", lastLoaded == "eCallEdit");

    // Half a contact must not be written over the whole one.
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes({kLines[0], line}));
}

void TestEditPage::changedBeforeOpening_data() {
    QTest::addColumn<QStringList>("fileNow");
    QTest::newRow("contact changed") << QStringList{
        kLines[0], "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;Eva;;;50W;;;", kLines[2]};
    QTest::newRow("contact inserted before") << QStringList{kLines[0], "9;;;;;NEW1", kLines[1], kLines[2]};
    QTest::newRow("contact removed") << QStringList{kLines[0]};
}

void TestEditPage::changedBeforeOpening() {
    QFETCH(QStringList, fileNow);
    Fixture f;
    QSignalSpy outside(f.page.get(), &EditPage::logChangedOutside);
    f.dir.writeLog(kLog, fileNow); // another program, after the list was read
    f.page->EditierenTSShow(2);
    QCOMPARE(outside.size(), 1);
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY2(f.dialogs.errors[0].contains(kLog) && f.dialogs.errors[0].contains("außerhalb"),
             qPrintable(f.dialogs.errors[0]));
    QCOMPARE(f.text("eCallEdit"), QString());
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes(fileNow));
}

void TestEditPage::changedWhileEditingIsNotOverwritten() {
    Fixture f;
    QSignalSpy outside(f.page.get(), &EditPage::logChangedOutside);
    QSignalSpy saved(f.page.get(), &EditPage::saved);
    f.page->EditierenTSShow(2);
    const QStringList fileNow = {"9;;;;;NEW1", kLines[0], kLines[1], kLines[2]};
    f.dir.writeLog(kLog, fileNow);
    type(f.control("eNameEdit"), "Hans");
    f.save();
    QCOMPARE(f.log(), logBytes(fileNow));
    QCOMPARE(outside.size(), 1);
    QCOMPARE(saved.size(), 0);
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY2(f.dialogs.errors[0].contains("nichts gespeichert"), qPrintable(f.dialogs.errors[0]));
    QCOMPARE(f.text("eNameEdit"), QString("Hans")); // what was typed can still be copied
}

// ReplaceRecord rewrites the rest of the file as it is now, so a change to
// another contact made meanwhile is not lost.
void TestEditPage::changeOfAnotherContactIsKept() {
    Fixture f;
    f.page->EditierenTSShow(2);
    const QString changedThird = "3;3.2.05;9:05;20m;CW;G3ABC;599;579;;John;London;IO91WM;100W;;3.2.2005;";
    f.dir.writeLog(kLog, {kLines[0], kLines[1], changedThird});
    type(f.control("eNameEdit"), "Hans");
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;Hans;;;50W;;;",
                                changedThird}));
    QVERIFY(f.dialogs.errors.isEmpty());
}

void TestEditPage::failedWriteKeepsFileAndTarget() {
    Fixture f;
    QSignalSpy saved(f.page.get(), &EditPage::saved);
    f.page->setReturnTarget(ReturnTarget::Search);
    f.page->EditierenTSShow(2);
    type(f.control("eNameEdit"), "Hans");
    AtomicFile::failNextCommitForTesting();
    f.save();
    QCOMPARE(f.log(), logBytes(kLines));
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY2(f.dialogs.errors[0].contains(kLog), qPrintable(f.dialogs.errors[0]));
    QCOMPARE(saved.size(), 0);
    QCOMPARE(f.page->returnTarget(), ReturnTarget::Search);
    QCOMPARE(f.text("eNameEdit"), QString("Hans"));

    // The cause gone, the same button saves.
    f.save();
    QCOMPARE(f.log(),
             logBytes({kLines[0], "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;Hans;;;50W;;;", kLines[2]}));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0], (QVariantList{2, QVariant::fromValue(ReturnTarget::Search)}));
}

void TestEditPage::returnTargetIsResetAfterSaving() {
    Fixture f;
    QSignalSpy saved(f.page.get(), &EditPage::saved);
    f.page->setReturnTarget(ReturnTarget::Search);
    f.page->EditierenTSShow(3);
    f.save();
    QCOMPARE(f.page->returnTarget(), ReturnTarget::List);
    f.page->EditierenTSShow(1);
    f.save();
    QCOMPARE(saved.size(), 2);
    QCOMPARE(saved[0], (QVariantList{3, QVariant::fromValue(ReturnTarget::Search)}));
    QCOMPARE(saved[1], (QVariantList{1, QVariant::fromValue(ReturnTarget::List)}));
    // Saving writes dates and times in their full form.
    QCOMPARE(f.log(),
             logBytes({kLines[0], kLines[1],
                       "3;03.02.2005;09:05:00;20m;CW;G3ABC;599;579;;John;;IO91WM;100W;;03.02.2005;"}));
}

VESK_TEST_MAIN(TestEditPage)
#include "test_editpage.moc"
