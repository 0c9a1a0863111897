#include "platform/AudioOut.h"

#include "platform/PcSpeaker.h"
#include "platform/ProgramTexts.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <cstring>

AudioOut::~AudioOut() = default;

namespace {

// The samples framed by a little silence. The lead-in lets the audio server
// start the stream before the first tone; the tail is still in the server's
// buffer when the sink reports that it has taken everything, so stopping
// the sink then cuts silence rather than the last element.
class FramedSamples : public QIODevice {
public:
    FramedSamples(QIODevice& inner, qint64 leadIn, qint64 tail) : m_inner(inner), m_leadIn(leadIn), m_tail(tail) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_leadIn == 0 && m_inner.atEnd() && m_tail == 0; }
    qint64 bytesAvailable() const override {
        return m_leadIn + m_inner.bytesAvailable() + m_tail + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        qint64 done = silence(m_leadIn, data, maxSize);
        if (done < maxSize && m_leadIn == 0 && !m_inner.atEnd()) {
            const qint64 got = m_inner.read(data + done, maxSize - done);
            if (got > 0)
                done += got;
        }
        if (done < maxSize && m_leadIn == 0 && m_inner.atEnd())
            done += silence(m_tail, data + done, maxSize - done);
        return done == 0 && atEnd() ? -1 : done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static qint64 silence(qint64& left, char* data, qint64 maxSize) {
        const qint64 take = std::min(left, maxSize);
        std::memset(data, 127, static_cast<size_t>(take));
        left -= take;
        return take;
    }

    QIODevice& m_inner;
    qint64 m_leadIn;
    qint64 m_tail;
};

QString deviceName(const QAudioDevice& device) {
    return device.description().isEmpty() ? QString::fromUtf8(device.id()) : device.description();
}

} // namespace

QString SystemAudioOut::play(QIODevice& pcm, int sampleRate) {
    if (pcm.atEnd())
        return {}; // nothing to hear: no device is opened for it
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return msgText(Msg::CwNoAudioDevice);
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    if (!device.isFormatSupported(format))
        return msgText(Msg::CwAudioFormatUnsupported).arg(deviceName(device));

    FramedSamples samples(pcm, sampleRate / 10, sampleRate * 4 / 10);
    QAudioSink sink(device, format);
    QEventLoop loop;
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
        // Idle while samples are left is a passing underrun: the sink pulls again.
        if (state == QAudio::StoppedState || (state == QAudio::IdleState && samples.atEnd()))
            loop.quit();
    });
    // An audio server that stops taking samples must not keep the sending
    // (and with it the controls) forever.
    bool stalled = false;
    qint64 lastProcessed = -1;
    int stillFor = 0;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &loop, [&] {
        const qint64 processed = sink.processedUSecs();
        stillFor = processed == lastProcessed ? stillFor + 1 : 0;
        lastProcessed = processed;
        if (stillFor >= 10) {
            stalled = true;
            loop.quit();
        }
    });
    sink.start(&samples);
    if (sink.state() != QAudio::StoppedState) {
        watchdog.start(500);
        loop.exec();
    }
    const QAudio::Error error = sink.error();
    const bool ended = samples.atEnd();
    sink.stop();
    if (stalled)
        return msgText(Msg::CwAudioStalled).arg(deviceName(device));
    if (error == QAudio::OpenError)
        return msgText(Msg::CwAudioOpenFailed).arg(deviceName(device));
    if (!ended || (error != QAudio::NoError && error != QAudio::UnderrunError))
        return msgText(Msg::CwAudioFailed).arg(deviceName(device));
    return {};
}

QString SystemAudioOut::speakerProblem() {
    PcSpeaker speaker;
    return speaker.open();
}

QString SystemAudioOut::beep(const QVector<SpeakerStep>& steps) {
    PcSpeaker speaker;
    const QString problem = speaker.open();
    return problem.isEmpty() ? speaker.sound(steps) : problem;
}
