#include "MorseDecoder.h"
#include "cw/CwThread.h"
#include "platform/AudioOut.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The real sound path once from end to end: a PulseAudio server of its own
// with a null sink, its monitor recorded by parec while Vesk plays through
// Qt Multimedia, and the recording decoded back to the text.
class TestCwPlayback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void workerIsHeard();
    void batchCommandIsHeard();
    void noAudioServerIsOneMessage();

private:
    QProcessEnvironment serverEnvironment() const;
    QString run(const QString& program, const QStringList& arguments, int* status);
    void startRecording(QProcess& parec, const QString& file);
    QString stopRecording(QProcess& parec, const QString& file);

    QTemporaryDir m_runtime{QStringLiteral("/tmp/vesk-pa-XXXXXX")};
    QString m_pulseaudio;
    QString m_parec;
    QString m_pactl;
    bool m_started = false;
};

namespace {
const QString kSink = QStringLiteral("vesk_cw");
}

QProcessEnvironment TestCwPlayback::serverEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("HOME"), m_runtime.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_runtime.filePath(QStringLiteral("pulse/native")));
    env.remove(QStringLiteral("PULSE_SINK"));
    return env;
}

QString TestCwPlayback::run(const QString& program, const QStringList& arguments, int* status) {
    QProcess p;
    p.setProcessEnvironment(serverEnvironment());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        *status = -1;
        return QStringLiteral("did not finish: ") + p.errorString();
    }
    *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

void TestCwPlayback::initTestCase() {
    QVERIFY2(m_runtime.isValid(), "no private runtime folder");
    m_pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    m_parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    m_pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (m_pulseaudio.isEmpty() || m_parec.isEmpty() || m_pactl.isEmpty())
        QFAIL("pulseaudio, parec or pactl is missing: tools/install-deps.sh installs pulseaudio and pulseaudio-utils");
    int status = 0;
    // The sink takes the stream as Vesk sends it, so that nothing is
    // resampled between the program and the recording.
    const QString output = run(m_pulseaudio,
                               {"--daemonize=yes", "--exit-idle-time=-1", "-n",
                                "--load=module-null-sink sink_name=" + kSink + " rate=11025 format=u8 channels=1",
                                "--load=module-native-protocol-unix"},
                               &status);
    if (status != 0)
        QFAIL(qPrintable("the PulseAudio server did not start (exit status " + QString::number(status) + "): " + output));
    m_started = true;
    QString info = run(m_pactl, {"info"}, &status);
    for (int i = 0; i < 100 && status != 0; ++i) {
        QTest::qWait(100);
        info = run(m_pactl, {"info"}, &status);
    }
    if (status != 0)
        QFAIL(qPrintable("the PulseAudio server started but does not answer: " + info));
    QVERIFY2(info.contains("Default Sink: " + kSink), qPrintable(info));
    // Qt Multimedia in this process talks to that server only.
    const QProcessEnvironment env = serverEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "PULSE_SERVER"})
        qputenv(name, env.value(QLatin1String(name)).toLocal8Bit());
}

void TestCwPlayback::cleanupTestCase() {
    if (!m_started)
        return;
    int status = 0;
    const QString output = run(m_pulseaudio, {"--kill"}, &status);
    if (status != 0)
        qWarning("pulseaudio --kill: %s", qPrintable(output));
}

void TestCwPlayback::startRecording(QProcess& parec, const QString& file) {
    parec.setProcessEnvironment(serverEnvironment());
    parec.setProcessChannelMode(QProcess::MergedChannels);
    // A short latency keeps the null sink from rendering far ahead, which
    // would cost the recording the start of a new stream.
    parec.start(m_parec, {"--latency-msec=20", "-d", kSink + ".monitor", "--format=u8", "--rate=11025", "--channels=1",
                          "--file-format=wav", file});
    QVERIFY2(parec.waitForStarted(), qPrintable(parec.errorString()));
    int status = 0;
    for (int i = 0; i < 100 && run(m_pactl, {"list", "short", "source-outputs"}, &status).trimmed().isEmpty(); ++i)
        QTest::qWait(50);
    QTest::qWait(300);
    QVERIFY2(parec.state() == QProcess::Running, qPrintable(QString::fromLocal8Bit(parec.readAll())));
}

QString TestCwPlayback::stopRecording(QProcess& parec, const QString& file) {
    QTest::qWait(300);
    parec.terminate();
    if (!parec.waitForFinished(10000))
        parec.kill();
    QFile f(file);
    QString error = QStringLiteral("no recording");
    const QByteArray samples = f.open(QIODevice::ReadOnly) ? wavSamples(f.readAll(), &error) : QByteArray();
    return samples.isEmpty() ? u'(' + error + u')' : decodeMorse(samples).text;
}

void TestCwPlayback::workerIsHeard() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("worker.wav"));
    QProcess parec;
    startRecording(parec, file);
    SystemAudioOut audio;
    QStringList notices;
    // Two sendings one after the other, each on a thread of its own: the
    // second finds the audio connection the first one's thread opened.
    for (const QString& text : {QStringLiteral("CQ"), QStringLiteral("DE DL1ABC")}) {
        bool ended = false;
        auto* worker = new CwThread({120, 700, text, 60, false}, audio);
        worker->setOnNotice([&](const CwNotice& n) { notices << n.text; });
        worker->setOnTerminate([&] { ended = true; });
        QTRY_VERIFY_WITH_TIMEOUT(ended, 60000);
    }
    QVERIFY2(notices.isEmpty(), qPrintable(notices.join(u'\n')));
    // The pause between the two sendings is whatever it was.
    QCOMPARE(stopRecording(parec, file).simplified(), QStringLiteral("cq de dl1abc"));
}

void TestCwPlayback::batchCommandIsHeard() {
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    QVERIFY2(QFileInfo::exists(vesk), "the vesk program must be built beside the tests");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("batch.wav"));
    QProcess parec;
    startRecording(parec, file);
    int status = 0;
    const QString output =
        run(vesk, {"--folder", dir.path(), "cw", "--wpm", "200", "--frq", "1200", "--volume", "100", "73 es gl"}, &status);
    QVERIFY2(status == 0, qPrintable(output));
    QCOMPARE(stopRecording(parec, file), QStringLiteral("73 es gl"));
}

void TestCwPlayback::noAudioServerIsOneMessage() {
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    QTemporaryDir empty;
    QFile config(empty.filePath(QStringLiteral("client.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("autospawn = no\n"); // the client must not start a server of its own
    config.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), empty.path());
    env.insert(QStringLiteral("HOME"), empty.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + empty.filePath(QStringLiteral("none")));
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), config.fileName());
    p.setProcessEnvironment(env);
    p.start(vesk, {"--folder", empty.path(), "cw", "e"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("CW-Ausgabe: Es gibt kein Audio-Ausgabegerät")), qPrintable(err));
    QCOMPARE(err.count(QStringLiteral("CW-Ausgabe")), 1);
}

QTEST_GUILESS_MAIN(TestCwPlayback)
#include "test_cwplayback.moc"
