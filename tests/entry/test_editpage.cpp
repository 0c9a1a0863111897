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
#include <QComboBox>
#include <QDateEdit>
#include <QKeySequence>
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

// Types into a control: characters as keys, "<Key>" as that key ("<Backspace>",
// "<Ctrl+A>") and "<Click>" as a click on a button.
void type(QWidget* w, const QString& keys) {
    if (auto* box = qobject_cast<QComboBox*>(w))
        w = box->lineEdit();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype end = keys[i] == u'<' ? keys.indexOf(u'>', i) : i;
        const QString token = keys.mid(i + 1, end - i - 1);
        if (end == i)
            QTest::keyClicks(w, QString(keys[i]));
        else if (token == QStringLiteral("Click"))
            qobject_cast<QAbstractButton*>(w)->click();
        else
            QTest::keyClick(w, QKeySequence::fromString(token)[0].key(), QKeySequence::fromString(token)[0].keyboardModifiers());
        i = end;
    }
}

bool isRed(const QLabel* caption) { return caption->palette().color(QPalette::WindowText) == QColor(Qt::red); }

} // namespace

class TestEditPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveChangesExactlyThatLine_data();
    void saveChangesExactlyThatLine();
    void commentLineBreaksSurvive();
    void shortFieldsTurnCaptionsRed();
    void emptyRowEmptiesEverything();
    void unreadableTimeIsReported();
    void changedBeforeOpening_data();
    void changedBeforeOpening();
    void changedWhileEditingIsNotOverwritten();
    void changeOfAnotherContactIsKept();
    void failedWriteKeepsFileAndTarget();
};

void TestEditPage::saveChangesExactlyThatLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("was"); // in record 2 as the file holds it
    QTest::addColumn<QString>("now");
    QTest::newRow("call in capitals") << "eCallEdit" << "<Ctrl+A>dl1abc/p" << ";DK2XY;" << ";DL1ABC/P;";
    QTest::newRow("call edited in the middle") << "eCallEdit" << "<Ctrl+A>dl1x<Left><Backspace>y" << ";DK2XY;" << ";DLYX;";
    QTest::newRow("power takes digits and comma") << "eTxPwrEdit" << "<Ctrl+A>0x,5 " << ";50W;" << ";0,5W;";
    QTest::newRow("power backspace") << "eTxPwrEdit" << "<Ctrl+A>100<Backspace>" << ";50W;" << ";10W;";
    QTest::newRow("power home and delete") << "eTxPwrEdit" << "<Ctrl+A>100<Home><Del>" << ";50W;" << ";00W;";
    QTest::newRow("power unit comes back") << "eTxPwrEdit" << "<Ctrl+A>5<End><Backspace>" << ";50W;" << ";5W;";
    QTest::newRow("band typed freely") << "eBandComboBox" << "<Ctrl+A>6m" << ";70cm;" << ";6m;";
    QTest::newRow("name keeps its case") << "eNameEdit" << "hans" << "58;;;" << "58;;hans;";
    QTest::newRow("separator typed into QTH") << "eQthEdit" << "Bonn;Beuel" << "58;;;;" << "58;;;BonnBeuel;";
    QTest::newRow("QSL in ticked today") << "eQslInPickerCheck" << "<Click>" << "50W;;;" << "50W;;;06.12.2026";
}

void TestEditPage::saveChangesExactlyThatLine() {
    QFETCH(QString, control);
    QFETCH(QString, keys);
    QFETCH(QString, was);
    QFETCH(QString, now);
    Fixture f;
    QSignalSpy saved(f.page.get(), &EditPage::saved);
    f.page->EditierenTSShow(2);
    type(f.control(control), keys);
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], QString(kLines[1]).replace(was, now), kLines[2]}));
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
    QCOMPARE(f.log(), logBytes({QString(kLines[0]).replace("zweite", "zweite#13#10dritte"), kLines[1], kLines[2]}));
}

// Which field is too short is test_editrules'; here the captions show it.
void TestEditPage::shortFieldsTurnCaptionsRed() {
    Fixture f({"1;01.02.2005;10:00:00;2;F;D;5;5;;;;JO31;W"});
    f.page->EditierenTSShow(1);
    QStringList seen;
    for (QLabel* caption : f.page->findChildren<QLabel*>()) {
        if (caption->objectName().endsWith("Caption") && isRed(caption))
            seen << caption->objectName();
    }
    seen.sort();
    QCOMPARE(seen, (QStringList{"eBandCaption", "eCallCaption", "eLocatorCaption", "eModeCaption", "eRstRxCaption",
                                "eRstTxCaption", "eTxPwrCaption"}));
    type(f.control("eLocatorEdit"), "ab"); // typing the missing characters takes the warning away
    QVERIFY(!isRed(f.control<QLabel>("eLocatorCaption")));
}

void TestEditPage::emptyRowEmptiesEverything() {
    Fixture f;
    f.page->EditierenTSShow(3);
    QVERIFY(f.control<CheckedDateEdit>("eQslOutPicker")->isChecked());
    f.page->EditierenTSShow(0);
    QCOMPARE(f.control<QLabel>("eNumberLabel")->text(), QString());
    QCOMPARE(f.control<QDateEdit>("eDatePicker")->date(), QDate(1899, 12, 30));
    QCOMPARE(f.control<QTimeEdit>("eUtcPicker")->time(), QTime(0, 0));
    for (const char* name : {"eCallEdit", "eRstTxEdit", "eRstRxEdit", "eNameEdit", "eLocatorEdit", "eTxPwrEdit"})
        QVERIFY2(f.text(name).isEmpty(), name);
    QCOMPARE(f.control<QComboBox>("eBandComboBox")->currentText() + f.control<QPlainTextEdit>("eCommentsMemo")->toPlainText(), QString());
    for (const char* name : {"eQslOutPicker", "eQslInPicker"}) {
        QVERIFY2(!f.control<CheckedDateEdit>(name)->isChecked(), name);
        QCOMPARE(f.control<CheckedDateEdit>(name)->date(), f.clock.now.date());
    }
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes(kLines));
}

// Which field is unreadable is test_editrules'; here the message and that
// half a contact is not written over the whole one.
void TestEditPage::unreadableTimeIsReported() {
    const QString line = "7;01.02.2005;10:61;2m;FM;DL1ABC";
    Fixture f({kLines[0], line});
    f.page->EditierenTSShow(2);
    QCOMPARE(f.dialogs.errors.size(), 1);
    const QString& message = f.dialogs.errors[0];
    for (const QString& part : {kLog, QStringLiteral("Kontakt 2"), QStringLiteral("\"UTC\""), QStringLiteral("\"10:61\"")})
        QVERIFY2(message.contains(part), qPrintable(message + " lacks " + part));
    QCOMPARE(f.control<QDateEdit>("eDatePicker")->date(), QDate(2005, 2, 1)); // loaded up to the time
    QCOMPARE(f.text("eCallEdit"), QString());
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes({kLines[0], line}));
}

void TestEditPage::changedBeforeOpening_data() {
    QTest::addColumn<QStringList>("fileNow");
    QTest::newRow("contact changed") << QStringList{kLines[0], QString(kLines[1]).replace(";;;;50W", ";Eva;;;50W"), kLines[2]};
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
    const QString changedThird = QString(kLines[2]).replace(";John;;", ";John;London;");
    f.dir.writeLog(kLog, {kLines[0], kLines[1], changedThird});
    type(f.control("eNameEdit"), "Hans");
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], QString(kLines[1]).replace("58;;;", "58;;Hans;"), changedThird}));
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

    // The cause gone, the same button saves; the next contact returns to the list.
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], QString(kLines[1]).replace("58;;;", "58;;Hans;"), kLines[2]}));
    QCOMPARE(saved[0], (QVariantList{2, QVariant::fromValue(ReturnTarget::Search)}));
    QCOMPARE(f.page->returnTarget(), ReturnTarget::List);
    // Saving writes dates and times in their full form.
    f.page->EditierenTSShow(3);
    f.save();
    QCOMPARE(saved.size(), 2);
    QCOMPARE(saved[1], (QVariantList{3, QVariant::fromValue(ReturnTarget::List)}));
    QCOMPARE(f.log(), logBytes({kLines[0], QString(kLines[1]).replace("58;;;", "58;;Hans;"),
                                "3;03.02.2005;09:05:00;20m;CW;G3ABC;599;579;;John;;IO91WM;100W;;03.02.2005;"}));
}

VESK_TEST_MAIN(TestEditPage)
#include "test_editpage.moc"
