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
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

const QString kLog = QStringLiteral("test.log");
const QStringList kLines = {
    "1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;R01;Udo;Bonn;JO30LR;10W;erste#13#10zweite;;",
    "2;02.02.2005;11:00:00;70cm;SSB;DK2XY;57;58;;;;;50W;;;",
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
    template <typename T = QWidget> T* control(const QString& name) const { return findControl<T>(*page, qPrintable(name)); }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }
    void save() const { QTest::mouseClick(control<QPushButton>("eOkBtn"), Qt::LeftButton); }
};

QByteArray logBytes(const QStringList& lines) { return crlf(QStringList{QsoRecord::headerLine()} + lines); }

// Clicks a button, or types over what a field holds.
void type(QWidget* w, const QString& keys) {
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->click();
    if (auto* box = qobject_cast<QComboBox*>(w))
        w = box->lineEdit();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, keys);
}

bool isRed(const QLabel* caption) { return caption->palette().color(QPalette::WindowText) == QColor(Qt::red); }

} // namespace

class TestEditPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveChangesExactlyThatLine_data();
    void saveChangesExactlyThatLine();
    void commentLineBreaksSurvive();
    void shortFieldTurnsCaptionRed();
    void emptyRowEmptiesEverything();
    void contactNotLoaded_data();
    void contactNotLoaded();
    void changedWhileEditingIsNotOverwritten();
    void failedWriteKeepsFileAndTarget();
};

void TestEditPage::saveChangesExactlyThatLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("was"); // in record 2 as the file holds it
    QTest::addColumn<QString>("now");
    QTest::newRow("call in capitals") << "eCallEdit" << "dl1abc/p" << ";DK2XY;" << ";DL1ABC/P;";
    QTest::newRow("power takes digits and comma") << "eTxPwrEdit" << "0x,5 " << ";50W;" << ";0,5W;";
    QTest::newRow("band typed freely") << "eBandComboBox" << "6m" << ";70cm;" << ";6m;";
    QTest::newRow("separator typed into QTH") << "eQthEdit" << "Bonn;Beuel" << "58;;;;" << "58;;;BonnBeuel;";
    QTest::newRow("QSL in ticked today") << "eQslInPickerCheck" << "" << "50W;;;" << "50W;;;06.12.2026";
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
}

void TestEditPage::commentLineBreaksSurvive() {
    Fixture f;
    f.page->EditierenTSShow(1);
    auto* memo = f.control<QPlainTextEdit>("eCommentsMemo");
    QCOMPARE(memo->toPlainText(), QString("erste\nzweite"));
    f.save(); // unchanged, the file stays byte for byte
    QCOMPARE(f.log(), logBytes(kLines));
    // The editor has no OK button: closed with Esc, what was typed is kept.
    bool closedByEsc = false;
    QTimer::singleShot(0, f.textForm.get(), [&] {
        f.textForm->memo()->moveCursor(QTextCursor::End);
        QTest::keyClick(f.textForm->memo(), Qt::Key_Return);
        QTest::keyClicks(f.textForm->memo(), "dritte");
        QTest::keyClick(f.textForm->memo(), Qt::Key_Escape);
        closedByEsc = !f.textForm->isVisible();
        if (!closedByEsc)
            f.textForm->reject();
    });
    QTest::mouseClick(f.control<QPushButton>("eCommentsBtn"), Qt::LeftButton);
    QVERIFY(closedByEsc);
    QCOMPARE(memo->toPlainText(), QString("erste\nzweite\ndritte"));
    QCOMPARE(f.log(), logBytes(kLines)); // only the save button writes
    f.save();
    QCOMPARE(f.log(), logBytes({QString(kLines[0]).replace("zweite", "zweite#13#10dritte"), kLines[1], kLines[2]}));
}

// Which field is too short is test_editrules'; here the caption shows it and typing clears it.
void TestEditPage::shortFieldTurnsCaptionRed() {
    Fixture f({"1;01.02.2005;10:00:00;2m;FM;DL1ABC;59;59;;;;JO31;10W"});
    f.page->EditierenTSShow(1);
    QVERIFY(isRed(f.control<QLabel>("eLocatorCaption")));
    QVERIFY(!isRed(f.control<QLabel>("eCallCaption")));
    QTest::keyClicks(f.control("eLocatorEdit"), "ab");
    QVERIFY(!isRed(f.control<QLabel>("eLocatorCaption")));
}

// The empty row after a contact must not leave that contact's values to be saved.
void TestEditPage::emptyRowEmptiesEverything() {
    Fixture f;
    f.page->EditierenTSShow(3);
    f.page->EditierenTSShow(0);
    QCOMPARE(f.text("eCallEdit") + f.text("eNameEdit") + f.control<QComboBox>("eBandComboBox")->currentText(), QString());
    QVERIFY(!f.control<CheckedDateEdit>("eQslOutPicker")->isChecked() && !f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes(kLines));
}

// A contact changed or removed after the list was read, or unreadable (which field
// is test_editrules'), is not loaded: nothing of it can be written over the file.
void TestEditPage::contactNotLoaded_data() {
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("fileNow"); // when the contact is opened
    QTest::addColumn<QStringList>("message");
    const QStringList unreadable = {kLines[0], "7;01.02.2005;10:61;2m;FM;DL1ABC"};
    const QStringList changed = {kLines[0], QString(kLines[1]).replace(";;;;50W", ";Eva;;;50W"), kLines[2]};
    QTest::newRow("changed outside") << kLines << changed << QStringList{kLog, "außerhalb"};
    QTest::newRow("removed outside") << kLines << QStringList{kLines[0]} << QStringList{kLog, "außerhalb"};
    QTest::newRow("time unreadable") << unreadable << unreadable << QStringList{kLog, "Kontakt 2", "\"UTC\"", "\"10:61\""};
}

void TestEditPage::contactNotLoaded() {
    QFETCH(QStringList, listed);
    QFETCH(QStringList, fileNow);
    QFETCH(QStringList, message);
    Fixture f(listed);
    QSignalSpy outside(f.page.get(), &EditPage::logChangedOutside);
    if (fileNow != listed)
        f.dir.writeLog(kLog, fileNow); // another program, after the list was read
    f.page->EditierenTSShow(2);
    QCOMPARE(outside.size(), fileNow == listed ? 0 : 1);
    QVERIFY2(f.dialogs.oneErrorWith(message), qPrintable(f.dialogs.errors.join(u'\n')));
    QCOMPARE(f.text("eCallEdit"), QString());
    QVERIFY(!f.control<QPushButton>("eOkBtn")->isEnabled());
    f.page->eOkBtnClick();
    QCOMPARE(f.log(), logBytes(fileNow));
}

// A contact moved by a line inserted meanwhile is not written over.
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
    QVERIFY2(f.dialogs.oneErrorWith({"nichts gespeichert"}), qPrintable(f.dialogs.errors.join(u'\n')));
    QCOMPARE(f.text("eNameEdit"), QString("Hans")); // what was typed can still be copied
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
    QVERIFY2(f.dialogs.oneErrorWith({kLog}), qPrintable(f.dialogs.errors.join(u'\n')));
    QCOMPARE(saved.size(), 0);
    QCOMPARE(f.page->returnTarget(), ReturnTarget::Search);
    QCOMPARE(f.text("eNameEdit"), QString("Hans"));

    // The cause gone, the same button saves; the rest of the file is written as it
    // is now, so another contact changed meanwhile is kept. The next contact returns to the list.
    const QString third = QString(kLines[2]).replace(";John;;", ";John;London;");
    f.dir.writeLog(kLog, {kLines[0], kLines[1], third});
    f.save();
    QCOMPARE(f.log(), logBytes({kLines[0], QString(kLines[1]).replace("58;;;", "58;;Hans;"), third}));
    QCOMPARE(saved[0], (QVariantList{2, QVariant::fromValue(ReturnTarget::Search)}));
    QCOMPARE(f.page->returnTarget(), ReturnTarget::List);
}

VESK_TEST_MAIN(TestEditPage)
#include "test_editpage.moc"
