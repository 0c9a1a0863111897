#include "RigDaemon.h"
#include "StartedProgram.h"
#include "entry/EntryMask.h"
#include "links/RigPoller.h"
#include "links/ui/RigLink.h"
#include "links/ui/RigOptions.h"
#include "platform/ProgramTexts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr int kWait = 10000;

// F5 opens the band list, F6 the mode list; the mask runs on the fake clock.
const QByteArray kMask = "UtcDiffAuto=0\r\nUtcDiff=0\r\n[Buttons]\r\nBF5=c\r\nBF6=d\r\n";

QWidget* focused() { return QApplication::focusWidget(); }
void press(Qt::Key key) { QTest::keyClick(focused(), key); }
void enter(const QStringList& texts) {
    for (const QString& t : texts) {
        QTest::keyClicks(focused(), t);
        press(Qt::Key_Return);
    }
}

// The program with the rig link pointed at port.
struct RigProgram {
    RigProgram(quint16 port, const QByteArray& more = {})
        : run({}, kMask + "[Rig]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(port) + "\r\n" + more) {}
    StartedProgram& p() { return run.p; }
    QToolButton* button() { return p().find<QToolButton>("HrdDdeSpeedButton"); }
    QAction* menu() { return p().find<QAction>("HrdDdeMenu"); }
    RigLink& link() { return *p().w.findChild<RigLink*>(); }
    EntryMask& mask() { return p().w.entryMask(); }
    QString band() { return p().find<QLabel>("BandLabel")->text(); }
    QString mode() { return p().find<QLabel>("ModeLabel")->text(); }
    QString comments() { return p().find<QPlainTextEdit>("CommentsMemo")->toPlainText(); }
    // Every message box shown, errors and notices.
    QStringList told() { return p().dialogs.errors + p().dialogs.infos; }
    bool shownAs(bool on) { return button()->isChecked() == on && menu()->isChecked() == on && link().connected() == on; }
    bool connect() {
        menu()->trigger();
        return QTest::qWaitFor([&] { return shownAs(true); }, kWait);
    }
    // Chooses row of the band (F5) or mode (F6) list as the operator does.
    void choose(Qt::Key key, const char* list, int row) {
        p().find<QLineEdit>("CallEdit")->setFocus();
        press(key);
        p().find<QListWidget>(list)->setCurrentRow(row);
        press(key);
    }
    ProgramOnLog run;
};

} // namespace

class TestRigPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsBeforeConnecting();
    void frequencySetsBand_data();
    void frequencySetsBand();
    void commentsLineKeepsTheRemark();
    void hiddenCommentsStayAlone();
    void choosingBandTunesTheRig_data();
    void choosingBandTunesTheRig();
    void choosingModeSwitchesTheRig();
    void buttonDisconnects();
    void daemonKilledWhileConnected();
    void nothingAnswers_data();
    void nothingAnswers();
    void optionsTest_data();
    void optionsTest();
    void optionsRefuseBadPort();
    void contactLoggedWithRigFrequency();
};

void TestRigPage::controlsBeforeConnecting() {
    RigProgram run(closedPort());
    QVERIFY(run.menu()->isEnabled());
    QVERIFY(run.menu()->isCheckable() && !run.menu()->isChecked());
    QVERIFY(run.button()->isCheckable() && !run.button()->isChecked());
    QVERIFY(run.button()->isVisible());
}

void TestRigPage::frequencySetsBand_data() {
    QTest::addColumn<QString>("hertz");
    QTest::addColumn<QString>("band");
    // The rig starts on 7074000 (40m); each row tunes it further.
    QTest::newRow("above 40m leaves the band") << "7250000" << "40m";
    QTest::newRow("24 GHz") << "24048000000" << "1,2cm";
}

void TestRigPage::frequencySetsBand() {
    QFETCH(QString, hertz);
    QFETCH(QString, band);
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "7074000");
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("40m"); }, kWait));
    rig.set("F", hertz);
    QVERIFY(QTest::qWaitFor([&] { return run.comments() == QStringLiteral("f = %1Hz").arg(hertz); }, kWait));
    QCOMPARE(run.band(), band);
}

// What the operator typed stays below the frequency line, in the memo and
// in the contact.
void TestRigPage::commentsLineKeepsTheRemark() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "3500000");
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("80m"); }, kWait));
    run.p().find<QPlainTextEdit>("CommentsMemo")->setPlainText(QStringLiteral("Gruss an Hans"));
    rig.set("F", "7074000");
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("40m"); }, kWait));
    QCOMPARE(run.comments(), QStringLiteral("f = 7074000Hz\nGruss an Hans"));
    QCOMPARE(run.mask().field(QsoRecord::Comments), run.comments());
}

void TestRigPage::hiddenCommentsStayAlone() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "3500000");
    RigProgram run(rig.port(), "[ShowAtStartUp]\r\nj=0\r\n");
    QVERIFY(!run.mask().isShown(MaskItem::Comments));
    QVERIFY(run.connect());
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("80m"); }, kWait));
    QVERIFY(run.comments().isEmpty());
}

void TestRigPage::choosingBandTunesTheRig_data() {
    QTest::addColumn<QString>("rigMode"); // before the choice
    QTest::addColumn<int>("row");         // of the band list
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("mode");
    QTest::newRow("20m with SSB") << "LSB" << 7 << "14000000" << "USB";
    QTest::newRow("15m with CW") << "CW" << 5 << "21000000" << "CW";
}

void TestRigPage::choosingBandTunesTheRig() {
    QFETCH(QString, rigMode);
    QFETCH(int, row);
    QFETCH(QString, frequency);
    QFETCH(QString, mode);
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "7074000");
    rig.setMode(rigMode);
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("40m"); }, kWait));
    run.choose(Qt::Key_F5, "BandListBox", row);
    QVERIFY(QTest::qWaitFor([&] { return run.comments() == QStringLiteral("f = %1Hz").arg(frequency); }, kWait));
    QCOMPARE(rig.frequency(), frequency);
    QCOMPARE(rig.mode(), mode);
    QCOMPARE(run.band(), run.p().find<QListWidget>("BandListBox")->item(row)->text());
}

void TestRigPage::choosingModeSwitchesTheRig() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "14200000");
    rig.setMode("CW");
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    QVERIFY(QTest::qWaitFor([&] { return run.mode() == QStringLiteral("CW"); }, kWait));
    run.choose(Qt::Key_F6, "ModeListBox", 1); // SSB
    QVERIFY(QTest::qWaitFor([&] { return rig.mode() == QStringLiteral("USB"); }, kWait));
    // Once the link read the new mode back, the rig stands still.
    QVERIFY(QTest::qWaitFor([&] { return run.link().poller().mode() == QStringLiteral("USB"); }, kWait));
    // PSK is the mask's own: the rig stays on USB, the label on PSK.
    run.choose(Qt::Key_F6, "ModeListBox", 7);
    QCOMPARE(run.mode(), QStringLiteral("PSK"));
    QTest::qWait(3 * RigPoller::DefaultInterval);
    QCOMPARE(rig.mode(), QStringLiteral("USB"));
    QCOMPARE(run.mode(), QStringLiteral("PSK"));
    QVERIFY(run.told().isEmpty());
}

void TestRigPage::buttonDisconnects() {
    RigDaemon rig;
    QVERIFY(rig.running());
    RigProgram run(rig.port());
    QTest::mouseClick(run.button(), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return run.shownAs(true); }, kWait));
    QTest::mouseClick(run.button(), Qt::LeftButton);
    QVERIFY(run.shownAs(false));
    // Disconnected: the rig's changes no longer reach the mask.
    rig.set("F", "14074000");
    QTest::qWait(3 * RigPoller::DefaultInterval);
    QVERIFY(run.band() != QStringLiteral("20m"));
    // Nor does a band chosen in the mask reach the rig.
    run.choose(Qt::Key_F5, "BandListBox", 10); // 80m
    QTest::qWait(3 * RigPoller::DefaultInterval);
    QCOMPARE(run.band(), QStringLiteral("80m"));
    QVERIFY(rig.frequency() != QStringLiteral("3500000"));
    QVERIFY(run.told().isEmpty());
}

void TestRigPage::daemonKilledWhileConnected() {
    RigDaemon rig;
    QVERIFY(rig.running());
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    rig.kill();
    QVERIFY(QTest::qWaitFor([&] { return run.shownAs(false) && !run.told().isEmpty(); }, kWait));
    QTest::qWait(4 * RigPoller::DefaultInterval);
    const QStringList messages = run.told();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(msgText(Msg::RigLinkEnded).section(u'\n', 0, 0)), qPrintable(messages[0]));
    QVERIFY(messages[0].contains(QStringLiteral("127.0.0.1:%1").arg(rig.port())));
}

void TestRigPage::nothingAnswers_data() {
    QTest::addColumn<bool>("silent");
    QTest::newRow("connection refused") << false;
    QTest::newRow("accepts, never answers") << true;
}

void TestRigPage::nothingAnswers() {
    QFETCH(bool, silent);
    SilentServer server;
    const quint16 port = silent ? server.port() : closedPort();
    RigProgram run(port);
    run.link().poller().setTimeout(500);
    run.menu()->trigger();
    QVERIFY(QTest::qWaitFor([&] { return !run.told().isEmpty(); }, kWait));
    QVERIFY(run.shownAs(false));
    const QStringList messages = run.told();
    QCOMPARE(messages.size(), 1);
    const QString reason = silent ? msgText(Msg::RigNoAnswer).arg(500) : msgText(Msg::RigRefused);
    QCOMPARE(messages[0], run.p().session.texts()[89] + u'\n' +
                              msgText(Msg::RigWhere).arg(QStringLiteral("127.0.0.1")).arg(port).arg(reason));
}

void TestRigPage::optionsTest_data() {
    QTest::addColumn<bool>("daemon");
    QTest::newRow("rigctld answers") << true;
    QTest::newRow("nothing listens") << false;
}

void TestRigPage::optionsTest() {
    QFETCH(bool, daemon);
    std::optional<RigDaemon> rig;
    if (daemon) {
        rig.emplace();
        QVERIFY(rig->running());
        rig->set("F", "7074000");
        rig->setMode("USB");
    }
    const quint16 port = daemon ? rig->port() : closedPort();
    // Stored elsewhere; the test asks where the boxes point.
    RigProgram run(port == 4532 ? 4533 : 4532);
    run.p().w.showPage(Page::Options);
    auto* portEdit = run.p().find<QLineEdit>("RigPortEdit");
    portEdit->setText(QString::number(port));
    QSignalSpy finished(&run.link().options(), &RigOptions::testFinished);
    QTest::mouseClick(run.p().find<QPushButton>("RigTestBtn"), Qt::LeftButton);
    QVERIFY(finished.wait(kWait));
    const QString shown = run.p().find<QLabel>("RigTestLabel")->text();
    QCOMPARE(finished.at(0).at(0).toString(), shown);
    if (daemon)
        QCOMPARE(shown, msgText(Msg::RigTestAnswered).arg("127.0.0.1").arg(port).arg("Hamlib Dummy", "7074000", "USB"));
    else
        QCOMPARE(shown, msgText(Msg::RigTestNoAnswer)
                            .arg(msgText(Msg::RigWhere).arg("127.0.0.1").arg(port).arg(msgText(Msg::RigRefused))));
    // The port typed was stored with the test.
    QVERIFY(run.told().isEmpty());
    QVERIFY(run.run.dir.read("Vesk.ini").contains("Port=" + QByteArray::number(port)));
}

void TestRigPage::optionsRefuseBadPort() {
    RigProgram run(4600);
    run.p().w.showPage(Page::Options);
    auto* portEdit = run.p().find<QLineEdit>("RigPortEdit");
    QCOMPARE(portEdit->text(), QStringLiteral("4600"));
    portEdit->setText(QStringLiteral("70000"));
    run.link().options().storePort();
    QCOMPARE(run.told(), QStringList{msgText(Msg::RigPortInvalid).arg("70000")});
    QCOMPARE(portEdit->text(), QStringLiteral("4600"));
    QVERIFY(run.run.dir.read("Vesk.ini").contains("Port=4600"));
}

// The whole way: connected from the menu, the rig tuned by rigctl, a
// contact typed: the log holds the band and the frequency line.
void TestRigPage::contactLoggedWithRigFrequency() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set("F", "14074000");
    RigProgram run(rig.port());
    QVERIFY(run.connect());
    rig.set("F", "7074000");
    rig.setMode("LSB");
    QVERIFY(QTest::qWaitFor([&] { return run.band() == QStringLiteral("40m") && run.mode() == QStringLiteral("SSB"); },
                            kWait));
    run.p().find<QLineEdit>("CallEdit")->setFocus();
    enter({"dl1abc", "59", "57", "", "jo62qm", "Berlin", "hans"});
    QCOMPARE(focused()->objectName(), QStringLiteral("CommentsMemo"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    const QStringList lines = run.run.dir.logLines();
    QCOMPARE(lines.size(), 1);
    const QStringList fields = lines[0].split(u';');
    QCOMPARE(fields.value(3), QStringLiteral("40m"));
    QCOMPARE(fields.value(4), QStringLiteral("SSB"));
    QCOMPARE(fields.value(5), QStringLiteral("DL1ABC"));
    QCOMPARE(fields.value(13).section(QStringLiteral("#13#10"), 0, 0), QStringLiteral("f = 7074000Hz"));
}

QTEST_MAIN(TestRigPage)
#include "test_rigpage.moc"
