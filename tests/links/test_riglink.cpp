#include "RigDaemon.h"
#include "TestFolder.h"
#include "cli/BatchCommands.h"
#include "links/RigPoller.h"
#include "links/RigProbe.h"
#include "links/RigctldClient.h"
#include "platform/ProgramTexts.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Enough for the slowest rigctld of a loaded test machine to answer.
constexpr int kWait = 10000;

struct Ran {
    int status = -1;
    QString out;
    QString err;
};

Ran runCommand(const QStringList& args) {
    Ran r;
    FakeClock clock;
    QTextStream out(&r.out), err(&r.err);
    r.status = BatchCommands::run(CommandLine::parse(args), clock, out, err);
    return r;
}

// The poller open on the daemon, its first reports taken.
bool openOn(RigPoller& poller, quint16 port) {
    QSignalSpy opened(&poller, &RigPoller::opened);
    poller.open(QStringLiteral("127.0.0.1"), port);
    return opened.wait(kWait) || opened.count() == 1;
}

} // namespace

class TestRigLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void clientAnswersInOrder();
    void pollerReportsChangesOnly();
    void probeNamesTheRig();
    void command_data();
    void command();
    void commandWithoutDaemon();
};

void TestRigLink::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty())
        QFAIL("rigctld is missing: tools/install-deps.sh installs libhamlib-utils");
}

void TestRigLink::clientAnswersInOrder() {
    RigDaemon rig;
    QVERIFY(rig.running());
    RigctldClient client;
    QSignalSpy connected(&client, &RigctldClient::connected);
    client.open(QStringLiteral("127.0.0.1"), rig.port());
    QVERIFY(connected.wait(kWait));
    QStringList seen;
    client.request(QStringLiteral("F 7074000"), [&](const RigReply& r) { seen << QStringLiteral("set %1").arg(r.code); });
    client.request(QStringLiteral("M CWR 0"), [&](const RigReply& r) { seen << QStringLiteral("mode %1").arg(r.code); });
    client.request(QStringLiteral("f"), [&](const RigReply& r) { seen << r.value(QStringLiteral("Frequency")); });
    client.request(QStringLiteral("m"), [&](const RigReply& r) { seen << r.value(QStringLiteral("Mode")); });
    // A command rigctld does not know gets its error code, and the
    // connection carries on.
    client.request(QStringLiteral("F abc"), [&](const RigReply& r) { seen << QStringLiteral("bad %1").arg(r.ok()); });
    client.request(QStringLiteral("f"), [&](const RigReply& r) { seen << r.value(QStringLiteral("Frequency")); });
    QVERIFY(QTest::qWaitFor([&] { return client.waiting() == 0; }, kWait));
    QCOMPARE(seen, (QStringList{"set 0", "mode 0", "7074000", "CWR", "bad 0", "7074000"}));
    QVERIFY(client.isConnected());
}

void TestRigLink::pollerReportsChangesOnly() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set(QStringLiteral("F"), QStringLiteral("14074000"));
    rig.setMode(QStringLiteral("USB"));
    RigPoller poller;
    QSignalSpy hertz(&poller, &RigPoller::hertzChanged);
    QSignalSpy mode(&poller, &RigPoller::modeChanged);
    QVERIFY(openOn(poller, rig.port()));
    QVERIFY(poller.isOpen());
    QVERIFY(QTest::qWaitFor([&] { return hertz.count() == 1 && mode.count() == 1; }, kWait));
    QCOMPARE(hertz.at(0).at(0).toString(), QStringLiteral("14074000"));
    QCOMPARE(mode.at(0).at(0).toString(), QStringLiteral("USB"));
    // Several rounds of polling without a change report nothing.
    QTest::qWait(4 * RigPoller::DefaultInterval);
    QCOMPARE(hertz.count(), 1);
    QCOMPARE(mode.count(), 1);
    // A knob turned at the rig.
    rig.set(QStringLiteral("F"), QStringLiteral("7074000"));
    QVERIFY(QTest::qWaitFor([&] { return hertz.count() == 2; }, kWait));
    QCOMPARE(hertz.at(1).at(0).toString(), QStringLiteral("7074000"));
    rig.setMode(QStringLiteral("LSB"));
    QVERIFY(QTest::qWaitFor([&] { return mode.count() == 2; }, kWait));
    QCOMPARE(mode.at(1).at(0).toString(), QStringLiteral("LSB"));
    QCOMPARE(hertz.count(), 2);
}

void TestRigLink::probeNamesTheRig() {
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set(QStringLiteral("F"), QStringLiteral("10136000"));
    rig.setMode(QStringLiteral("PKTUSB"));
    RigProbe probe;
    QSignalSpy finished(&probe, &RigProbe::finished);
    probe.start(QStringLiteral("127.0.0.1"), rig.port());
    QVERIFY(finished.wait(kWait));
    QCOMPARE(finished.count(), 1);
    const RigStatus status = finished.at(0).at(0).value<RigStatus>();
    QVERIFY2(status.answered, qPrintable(status.reason));
    QCOMPARE(status.model, QStringLiteral("Hamlib Dummy"));
    QCOMPARE(status.hertzText, QStringLiteral("10136000"));
    QCOMPARE(status.mode, QStringLiteral("PKTUSB"));
    QVERIFY(status.sent.isEmpty());
}

void TestRigLink::command_data() {
    QTest::addColumn<QString>("startMode"); // the rig before the command
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QString>("frequency"); // read back from the daemon
    QTest::addColumn<QString>("mode");
    QTest::newRow("read") << "LSB" << QStringList{} << 0
                          << QStringList{"Gerät: 7074000 Hz, LSB (Hamlib Dummy)", "Vesk: Band 40m, Mode SSB"} << "7074000"
                          << "LSB";
    QTest::newRow("20m with SSB") << "LSB" << QStringList{"--band", "20m", "--mode", "SSB"} << 0
                                  << QStringList{"gesendet: F 14000000", "gesendet: M USB 0",
                                                 "Gerät: 14000000 Hz, USB (Hamlib Dummy)", "Vesk: Band 20m, Mode SSB"}
                                  << "14000000" << "USB";
    QTest::newRow("band alone keeps the mode") << "CW" << QStringList{"--band=15m"} << 0
                                               << QStringList{"gesendet: F 21000000",
                                                              "Gerät: 21000000 Hz, CW (Hamlib Dummy)",
                                                              "Vesk: Band 15m, Mode CW"}
                                               << "21000000" << "CW";
    QTest::newRow("mode SSB at 7074 kHz") << "CW" << QStringList{"--mode", "SSB"} << 0
                                          << QStringList{"gesendet: M LSB 0", "Gerät: 7074000 Hz, LSB (Hamlib Dummy)",
                                                         "Vesk: Band 40m, Mode SSB"}
                                          << "7074000" << "LSB";
    QTest::newRow("PSK is not given to the rig") << "USB" << QStringList{"--mode", "PSK"} << 1
                                                 << QStringList{"Gerät: 7074000 Hz, USB (Hamlib Dummy)",
                                                                "Vesk: Band 40m, Mode SSB"}
                                                 << "7074000" << "USB";
}

void TestRigLink::command() {
    QFETCH(QString, startMode);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QStringList, out);
    QFETCH(QString, frequency);
    QFETCH(QString, mode);
    RigDaemon rig;
    QVERIFY(rig.running());
    rig.set(QStringLiteral("F"), QStringLiteral("7074000"));
    rig.setMode(startMode);
    TestFolder dir;
    // Host and port as "Optionen / Rig" stored them.
    dir.write(QStringLiteral("Vesk.ini"), rig.settings());
    const Ran ran = runCommand(QStringList{"--folder", dir.path(), "rig"} + options);
    QCOMPARE(ran.status, status);
    QCOMPARE(ran.out.split(u'\n', Qt::SkipEmptyParts), out);
    if (status != 0)
        QVERIFY(!ran.err.isEmpty());
    QCOMPARE(rig.frequency(), frequency);
    QCOMPARE(rig.mode(), mode);
}

void TestRigLink::commandWithoutDaemon() {
    TestFolder dir;
    const quint16 port = closedPort();
    Ran ran = runCommand({"--folder", dir.path(), "rig", "--host", "127.0.0.1", "--port", QString::number(port)});
    QCOMPARE(ran.status, 1);
    QVERIFY(ran.out.isEmpty());
    QCOMPARE(ran.err.trimmed(), msgText(Msg::RigWhere).arg("127.0.0.1").arg(port).arg(msgText(Msg::RigRefused)));
    // Wrong usage is told before anything is tried.
    ran = runCommand({"--folder", dir.path(), "rig", "--port", "99999"});
    QCOMPARE(ran.status, 2);
    QVERIFY(ran.err.contains(QStringLiteral("'99999'")));
    ran = runCommand({"--folder", dir.path(), "rig", "20m"});
    QCOMPARE(ran.status, 2);
    QVERIFY(ran.err.contains(msgText(Msg::CliRigNoOperands)));
    ran = runCommand({"--help"});
    QVERIFY(ran.out.contains(QStringLiteral("rig [--host H] [--port P] --band BAND [--mode MODE]")));
}

QTEST_GUILESS_MAIN(TestRigLink)
#include "test_riglink.moc"
