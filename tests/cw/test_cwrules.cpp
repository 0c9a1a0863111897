#include "MorseDecoder.h"
#include "RecordingAudio.h"
#include "cw/CwSampleStream.h"
#include "cw/CwSending.h"
#include "cw/CwThread.h"
#include "cw/CwTiming.h"
#include "cw/MorseCode.h"
#include "cw/ToneBuffer.h"
#include "platform/PcSpeaker.h"
#include "platform/ProgramTexts.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// Steps written the short way: "D80" dot, "A240" dash, "P240" pause.
QString shortForm(const QVector<CwElement>& elements) {
    QStringList parts;
    for (const CwElement& e : elements) {
        const char kind = e.kind == CwElement::Kind::Dot ? 'D' : e.kind == CwElement::Kind::Dash ? 'A' : 'P';
        parts << QLatin1Char(kind) + QString::number(e.ms);
    }
    return parts.join(u' ');
}

QString stepsOf(const QString& text, int speed) {
    return shortForm(CwTiming::elements(MorseCode::prepare(text), CwTiming::unit(speed)));
}

QByteArray streamOf(const CwParameters& p, QStringList* notices = nullptr) {
    return CwSending::soundCardStream(p, [&](const CwNotice& n) { *notices << n.text; })->readAll();
}

quint32 le32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

} // namespace

class TestCwRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data();
    void steps();
    void prepare_data();
    void prepare();
    void silentCharacters();
    void dotImageOfSpeed75();
    void volumeLimits_data();
    void volumeLimits();
    void highestPitch();
    void streamIsTheElementsInOrder();
    void streamReadInPiecesIsTheSame();
    void refusal_data();
    void refusal();
    void menuText();
    void pcSpeakerSteps();
    void speakerDiscovery();
    void workerReportsOnItsCreatorsThread();
};

void TestCwRules::steps_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("PARIS at 75") << "PARIS" << 75
                                 << "D80 P80 A240 P80 A240 P80 D80 P240 "    // p
                                    "D80 P80 A240 P240 "                     // a
                                    "D80 P80 A240 P80 D80 P240 "             // r
                                    "D80 P80 D80 P240 "                      // i
                                    "D80 P80 D80 P80 D80";                   // s
    QTest::newRow("e blank e") << "e e" << 75 << "D80 P240 P560 P240 D80";
    QTest::newRow("upper-case umlaut is silent") << "Ärger" << 75
                                                 << "P240 D80 P80 A240 P80 D80 P240 A240 P80 A240 P80 D80 P240 "
                                                    "D80 P240 D80 P80 A240 P80 D80";
    QTest::newRow("error sign") << QString(QChar(1)) << 75 << "D80 P80 D80 P80 D80 P80 D80 P80 D80 P80 D80 P80 D80 P80 D80";
    QTest::newRow("asterisk is x") << "*" << 60 << "A300 P100 D100 P100 D100 P100 A300";
    QTest::newRow("silent character keeps its pause") << "e!" << 75 << "D80 P240";
    QTest::newRow("trailing blank, unit rounded down") << "t " << 7 << "A2571 P2571 P5999";
    QTest::newRow("speed above 6000: no time") << "ee" << 6001 << "D0 P0 D0";
    QTest::newRow("empty text") << "" << 75 << "";
}

void TestCwRules::steps() {
    QFETCH(QString, text);
    QFETCH(int, speed);
    QFETCH(QString, expected);
    QCOMPARE(stepsOf(text, speed), expected);
}

void TestCwRules::prepare_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prepared");
    QTest::newRow("ärger") << "ärger" << "aerger";
    QTest::newRow("percent") << "50%" << "500/0";
    QTest::newRow("per mille") << QStringLiteral("3‰") << "30/00";
    QTest::newRow("CR LF") << "CQ\r\nDE" << "cq  de";
    QTest::newRow("lone line ends stay") << "a\rb\nc" << "a\rb\nc";
    QTest::newRow("upper case beyond Z stays") << "ÄÖÜß" << "ÄÖÜß";
}

void TestCwRules::prepare() {
    QFETCH(QString, text);
    QFETCH(QString, prepared);
    QCOMPARE(MorseCode::prepare(text), prepared);
}

void TestCwRules::silentCharacters() {
    for (QChar c : QStringLiteral(" !#$&;<>@[\\]^_`{|}~ÄÖÜßX\t\x02"))
        QVERIFY2(MorseCode::codeOf(c).isEmpty(), qPrintable(QString(c)));
}

void TestCwRules::dotImageOfSpeed75() {
    const QByteArray image = ToneBuffer::image(800, CwTiming::unit(75), 12);
    QCOMPARE(image.size(), 46 + 882);
    // The header byte by byte: RIFF 920, fmt block of 18, PCM mono 11025 Hz
    // 8 bit, no extra bytes, data 882.
    const QByteArray header = QByteArray::fromHex("52494646" "98030000" "57415645" "666d7420" "12000000" "0100" "0100"
                                                  "112b0000" "112b0000" "0100" "0800" "0000" "64617461" "72030000");
    QCOMPARE(image.left(46).toHex(), header.toHex());
    QCOMPARE(static_cast<quint8>(image[46]), quint8(127)); // phase 0
    QCOMPARE(le32(ToneBuffer::image(800, 240, 12), 42), 2646u); // the dash
}

void TestCwRules::volumeLimits_data() {
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::newRow("0: silence of the right length") << 0 << 127 << 127;
    QTest::newRow("127: the full byte range but 255") << 127 << 0 << 254;
}

void TestCwRules::volumeLimits() {
    QFETCH(int, volume);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    const QByteArray samples = ToneBuffer::samplesOf(ToneBuffer::image(1000, 200, volume));
    QCOMPARE(samples.size(), 2205);
    int lo = 255;
    int hi = 0;
    for (char s : samples) {
        lo = std::min(lo, int(static_cast<quint8>(s)));
        hi = std::max(hi, int(static_cast<quint8>(s)));
    }
    // Within the range, and (nearly) reaching its ends.
    QVERIFY2(lo >= lowest && hi <= highest && lo <= lowest + 1 && hi >= highest - 1, qPrintable(QStringLiteral("%1..%2").arg(lo).arg(hi)));
}

void TestCwRules::highestPitch() {
    QStringList notices;
    const QByteArray ok = streamOf({75, 6615, QStringLiteral("e"), 12, false}, &notices);
    QVERIFY(notices.isEmpty() && ok.size() == 882 && ok.count(char(127)) < ok.size());

    // One message per tone image; the text passes with its pauses only.
    const QByteArray silent = streamOf({75, 6616, QStringLiteral("ee"), 12, false}, &notices);
    QCOMPARE(notices, QStringList(2, QStringLiteral("Sample rate of 11025 is too Low to play a tone of 6616Hz")));
    QCOMPARE(silent, QByteArray(2646, char(127)));
}

void TestCwRules::streamIsTheElementsInOrder() {
    const QByteArray stream = streamOf({75, 800, QStringLiteral("e e"), 12, false});
    const QByteArray dot = ToneBuffer::samplesOf(ToneBuffer::image(800, 80, 12));
    QCOMPARE(stream, dot + QByteArray(2646 + 6174 + 2646, char(127)) + dot);
}

void TestCwRules::streamReadInPiecesIsTheSame() {
    const CwParameters p{120, 700, QStringLiteral("CQ CQ DE DL1ABC/P 73 %"), 90, false};
    const QByteArray whole = streamOf(p);
    auto stream = CwSending::soundCardStream(p, {});
    QCOMPARE(stream->sampleCount(), whole.size());
    QByteArray pieces;
    for (int i = 0; !stream->atEnd(); ++i)
        pieces += stream->read(i % 2 ? 7 : 4096);
    QCOMPARE(pieces, whole);
    QCOMPARE(decodeMorse(whole).text, QStringLiteral("cq cq de dl1abc/p 73 0/0"));
    auto cut = CwSending::soundCardStream(p, {});
    cut->read(1000);
    cut->cut(); // the program closes
    QVERIFY(cut->atEnd() && cut->read(10).isEmpty());
}

void TestCwRules::refusal_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("volume");
    QTest::addColumn<QString>("message");
    QTest::newRow("speed 0") << 0 << 12 << "Die Geschwindigkeit 0 WpM ist ungültig";
    QTest::newRow("speed below 0") << -75 << 12 << "Die Geschwindigkeit -75 WpM ist ungültig";
    QTest::newRow("volume 128") << 75 << 128 << "Die Lautstärke 128 liegt nicht zwischen 0 und 127";
    QTest::newRow("volume -1") << 75 << -1 << "Die Lautstärke -1 liegt nicht zwischen 0 und 127";
    QTest::newRow("speed 1, volume 0") << 1 << 0 << "";
    QTest::newRow("volume 127") << 6000 << 127 << "";
}

void TestCwRules::refusal() {
    QFETCH(int, speed);
    QFETCH(int, volume);
    QFETCH(QString, message);
    const CwParameters p{speed, 800, QStringLiteral("e"), volume, false};
    QVERIFY2(message.isEmpty() ? p.refusal().isEmpty() : p.refusal().contains(message), qPrintable(p.refusal()));
    // Refused values never reach the sound, even when a sending is started.
    RecordingAudio audio;
    CwSending::run(p, audio, {});
    QCOMPARE(audio.played().size(), message.isEmpty() ? 1 : 0);
}

void TestCwRules::menuText() {
    QsoRecord r;
    r[QsoRecord::Call] = QStringLiteral("DL1ABC");
    r[QsoRecord::Name] = QStringLiteral("Hans");
    r[QsoRecord::Comments] = QStringLiteral("a\nb");
    CwFieldSelection selection{};
    selection[QsoRecord::Call - 1] = true;
    selection[QsoRecord::Name - 1] = true;
    QCOMPARE(CwSending::textOf(r, selection), QStringLiteral(" DL1ABC Hans"));
    // The leading blank: a word gap and the pause after it before the call.
    const QByteArray stream = streamOf({75, 800, CwSending::textOf(r, selection), 12, false});
    const qint64 gap = ToneBuffer::sampleCount(560) + ToneBuffer::sampleCount(240);
    QCOMPARE(stream.left(gap), QByteArray(gap, char(127)));
    QCOMPARE(stream.mid(gap, 2646), ToneBuffer::samplesOf(ToneBuffer::image(800, 240, 12))); // d: dash first
    selection = {};
    selection[QsoRecord::Comments - 1] = true;
    QCOMPARE(MorseCode::prepare(CwSending::textOf(r, selection)), QStringLiteral(" a  b"));
}

void TestCwRules::pcSpeakerSteps() {
    RecordingAudio audio;
    QStringList notices;
    CwSending::run({75, 900, QStringLiteral("e e"), 12, true}, audio, [&](const CwNotice& n) { notices << n.text; });
    QVERIFY(notices.isEmpty());
    QVERIFY(audio.played().isEmpty());
    const QVector<AudioOut::SpeakerStep> expected = {{900, 80}, {0, 240}, {0, 560}, {0, 240}, {900, 80}};
    QCOMPARE(audio.beeped(), QVector<QVector<AudioOut::SpeakerStep>>{expected});
    // Without a speaker: what is missing, then the sound card.
    audio.problem = QStringLiteral("kein Lautsprecher");
    QVector<CwNotice> missing;
    CwSending::run({75, 800, QStringLiteral("k"), 12, true}, audio, [&](const CwNotice& n) { missing << n; });
    QVERIFY(missing.size() == 1 && missing[0].kind == CwNotice::Kind::SpeakerMissing && missing[0].text == audio.problem);
    QCOMPARE(audio.beeped().size(), 1);
    QCOMPARE(decodeMorse(audio.played().value(0)).text, QStringLiteral("k"));
    QCOMPARE(audio.sampleRate(), 11025);
}

void TestCwRules::speakerDiscovery() {
    QTemporaryDir sys;
    QTemporaryDir dev;
    QCOMPARE(PcSpeaker(sys.path(), dev.path()).open(), msgText(Msg::CwSpeakerModuleMissing));
    auto writeCaps = [&](const char* event, const char* mask) {
        QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("%1/device/capabilities").arg(QLatin1String(event))));
        QFile f(sys.filePath(QStringLiteral("%1/device/capabilities/snd").arg(QLatin1String(event))));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mask);
    };
    writeCaps("event2", "2\n"); // a bell only is no speaker
    QCOMPARE(PcSpeaker(sys.path(), dev.path()).open(), msgText(Msg::CwSpeakerModuleMissing));
    // Known to the kernel, but its device file is missing: the file is named.
    writeCaps("event5", "6\n");
    const QString problem = PcSpeaker(sys.path(), dev.path()).open();
    QVERIFY2(problem.contains(dev.filePath(QStringLiteral("event5"))), qPrintable(problem));
}

void TestCwRules::workerReportsOnItsCreatorsThread() {
    RecordingAudio audio;
    QStringList events;
    QThread* const creator = QThread::currentThread();
    auto* worker = new CwThread({75, 7000, QStringLiteral("e"), 12, false}, audio);
    QPointer<CwThread> alive = worker;
    const auto event = [&](const char* what) { events << (QThread::currentThread() == creator ? what : "elsewhere"); };
    worker->setOnNotice([&](const CwNotice&) { event("notice"); });
    worker->setOnTerminate([&] { event("ended"); });
    QTRY_VERIFY(alive.isNull()); // it deletes itself
    QCOMPARE(events, QStringList({"notice", "notice", "ended"}));
    QCOMPARE(audio.played().size(), 1);

    // A sending that ends at once still calls back.
    bool ended = false;
    auto* refused = new CwThread({0, 800, QStringLiteral("e"), 12, false}, audio);
    refused->setOnTerminate([&] { ended = true; });
    QTRY_VERIFY(ended);
}

QTEST_GUILESS_MAIN(TestCwRules)
#include "test_cwrules.moc"
