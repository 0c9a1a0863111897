#include "MorseDecoder.h"
#include "TestFolder.h"
#include "cw/CwSampleStream.h"
#include "cw/CwSending.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome vesk(const QStringList& arguments) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vesk"), arguments);
    Outcome o;
    if (!p.waitForFinished(60000))
        return o;
    o.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.out = QString::fromUtf8(p.readAllStandardOutput());
    o.err = QString::fromUtf8(p.readAllStandardError());
    return o;
}

// What a listener hears of a text: case, umlauts and the percent sign as
// they are sent, written out here by hand.
QString heard(const QString& text) {
    QString t = text.toLower();
    t.replace(QStringLiteral("ä"), QStringLiteral("ae"));
    t.replace(QStringLiteral("ö"), QStringLiteral("oe"));
    t.replace(QStringLiteral("ü"), QStringLiteral("ue"));
    t.replace(QStringLiteral("%"), QStringLiteral("0/0"));
    return t;
}

} // namespace

Q_DECLARE_METATYPE(CwParameters)

class TestCwCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomTextsDecodeBack();
    void fileHoldsTheSoundCardStream_data();
    void fileHoldsTheSoundCardStream();
    void usageErrors_data();
    void usageErrors();
    void refusedSettingsWriteNothing();
    void unwritableTarget();
};

void TestCwCommand::randomTextsDecodeBack() {
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,:?'-/()\"=+äöü%");
    TestFolder dir;
    for (int round = 0; round < 12; ++round) {
        QString text;
        const int words = random.bounded(1, 5);
        for (int w = 0; w < words; ++w) {
            if (w > 0)
                text += QString(random.bounded(1, 3), u' ');
            for (int c = random.bounded(1, 7); c > 0; --c)
                text += letters[random.bounded(letters.size())];
        }
        // The unit comes from the sound alone: one character of more than
        // one element gives the decoder a gap of one unit.
        text += QStringLiteral("r");
        const int speed = random.bounded(25, 251);
        const int frequency = random.bounded(300, 2001);
        const int volume = random.bounded(8, 128);
        const QString wav = dir.file(QStringLiteral("r%1.wav").arg(round));
        const Outcome o = vesk({"--folder", dir.path(), "cw", "--wpm", QString::number(speed), "--frq",
                                QString::number(frequency), "--volume", QString::number(volume), "--wav", wav, "--", text});
        const QString what = QStringLiteral("seed %1: \"%2\" at %3 WpM, %4 Hz, volume %5")
                                 .arg(QString::number(seed), text, QString::number(speed), QString::number(frequency),
                                      QString::number(volume));
        QVERIFY2(o.status == 0, qPrintable(what + u'\n' + o.err));
        QString error;
        const QByteArray samples = wavSamples(dir.read(QFileInfo(wav).fileName()), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const DecodedMorse decoded = decodeMorse(samples);
        QVERIFY2(decoded.text == heard(text), qPrintable(what + QStringLiteral(" decoded as \"") + decoded.text + u'"'));
        // A dot is one unit: 6000 div speed ms, within the decoder's slack.
        const double unit = 11.025 * (6000 / speed);
        QVERIFY2(std::abs(decoded.unitSamples - unit) < 0.05 * unit + 20, qPrintable(what));
    }
}

void TestCwCommand::fileHoldsTheSoundCardStream_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<CwParameters>("expected");
    QTest::newRow("options") << QByteArray() << QStringList{"--wpm", "90", "--frq", "650", "--volume", "127"}
                             << CwParameters{90, 650, QStringLiteral("CQ DE DL1ABC"), 127, false};
    // A PC speaker chosen in the settings does not apply to a file.
    QTest::newRow("settings") << QByteArray("[CW]\r\nFrq=600\r\nWpM=150\r\nVolume=50\r\nPcSpeaker=1\r\n")
                              << QStringList{} << CwParameters{150, 600, QStringLiteral("CQ DE DL1ABC"), 50, false};
}

void TestCwCommand::fileHoldsTheSoundCardStream() {
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, options);
    QFETCH(CwParameters, expected);
    TestFolder dir;
    if (!ini.isEmpty())
        dir.write("Vesk.ini", ini);
    const Outcome o =
        vesk(QStringList{"--folder", dir.path(), "cw"} + options + QStringList{"--wav", dir.file("cq.wav"), expected.text});
    QVERIFY2(o.status == 0, qPrintable(o.err));
    const QByteArray file = dir.read("cq.wav");
    const QByteArray samples = CwSending::soundCardStream(expected, {})->readAll();
    QCOMPARE(file.size(), 46 + samples.size());
    QCOMPARE(file.mid(46), samples);
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 4), quint32(file.size() - 8));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 42), quint32(samples.size()));
    int rate = 0;
    QCOMPARE(wavSamples(file, nullptr, &rate).size(), samples.size());
    QCOMPARE(rate, 11025);
    QVERIFY2(o.out.contains(QString::number(samples.size())), qPrintable(o.out));
}

void TestCwCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no text") << QStringList{"cw", "--wpm", "60"} << "cw braucht einen Text.";
    QTest::newRow("speed 0") << QStringList{"cw", "--wpm", "0", "e"} << "--wpm \"0\" ist nicht erlaubt";
    QTest::newRow("speed no number") << QStringList{"cw", "--wpm", "fast", "e"} << "--wpm \"fast\" ist nicht erlaubt";
    QTest::newRow("volume 128") << QStringList{"cw", "--volume", "128", "e"} << "--volume \"128\" ist nicht erlaubt (0-127)";
    QTest::newRow("pitch 6616") << QStringList{"cw", "--frq", "6616", "e"} << "--frq \"6616\" ist nicht erlaubt (<= 6615)";
    QTest::newRow("unknown option") << QStringList{"cw", "--speed", "5", "e"} << "Unbekannte Option \"--speed\" für cw.";
}

void TestCwCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    TestFolder dir;
    const Outcome o = vesk(QStringList{"--folder", dir.path()} + arguments + QStringList{"--wav", dir.file("u.wav")});
    QCOMPARE(o.status, 2);
    QVERIFY2(o.err.contains(message), qPrintable(o.err));
    QVERIFY(!QFileInfo::exists(dir.file("u.wav")));
}

// Values a hand-edited file holds that no sending can use: nothing is
// written, an older file stays as it was.
void TestCwCommand::refusedSettingsWriteNothing() {
    TestFolder dir;
    dir.write("old.wav", "older");
    for (const QByteArray& cw : {QByteArray("WpM=0"), QByteArray("Volume=300"), QByteArray("Frq=9000")}) {
        dir.write("Vesk.ini", "[CW]\r\n" + cw + "\r\n");
        const Outcome o = vesk({"--folder", dir.path(), "cw", "--wav", dir.file("old.wav"), "e"});
        QCOMPARE(o.status, 1);
        QVERIFY2(o.err.contains(QString::fromLatin1(cw.mid(cw.indexOf('=') + 1))), qPrintable(o.err));
        QCOMPARE(dir.read("old.wav"), QByteArray("older"));
    }
}

void TestCwCommand::unwritableTarget() {
    TestFolder dir;
    const QString target = dir.file("missing/folder/x.wav");
    const Outcome o = vesk({"--folder", dir.path(), "cw", "--wav", target, "e"});
    QCOMPARE(o.status, 1);
    QVERIFY2(o.err.contains(QDir::toNativeSeparators(target)) || o.err.contains(dir.file("missing")), qPrintable(o.err));
    QVERIFY(!QFileInfo::exists(target));
}

QTEST_GUILESS_MAIN(TestCwCommand)
#include "test_cwcommand.moc"
