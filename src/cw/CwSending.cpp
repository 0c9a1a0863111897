#include "cw/CwSending.h"

#include "cw/CwSampleStream.h"
#include "cw/CwTiming.h"
#include "cw/MorseCode.h"
#include "cw/ToneBuffer.h"
#include "platform/AudioOut.h"
#include "platform/ProgramTexts.h"

QString CwParameters::refusal() const {
    if (speed <= 0)
        return msgText(Msg::CwSpeedInvalid).arg(speed);
    if (volume < 0 || volume > 127)
        return msgText(Msg::CwVolumeInvalid).arg(volume);
    return {};
}

namespace CwSending {

QString textOf(const QsoRecord& record, const CwFieldSelection& selection) {
    QString text;
    for (int field = 1; field <= QsoRecord::FieldCount; ++field) {
        // A line break of Comments is sent as CR LF is: as two blanks.
        if (selection[static_cast<std::size_t>(field - 1)])
            text += u' ' + QString(record[field]).replace(u'\n', QStringLiteral("\r\n"));
    }
    return text;
}

std::unique_ptr<CwSampleStream> soundCardStream(const CwParameters& p, const std::function<void(const CwNotice&)>& notify) {
    const int u = CwTiming::unit(p.speed);
    // Built once per sending, not per element, so that making the tone
    // takes no time between the elements.
    QByteArray images[2];
    const int lengths[2] = {u, 3 * u};
    for (int i = 0; i < 2; ++i) {
        images[i] = ToneBuffer::image(p.frequency, lengths[i], p.volume);
        if (images[i].isEmpty() && notify)
            notify({CwNotice::Kind::Error,
                    msgText(Msg::CwFrequencyTooHigh).arg(ToneBuffer::SampleRate).arg(p.frequency)});
    }
    return std::make_unique<CwSampleStream>(CwTiming::elements(MorseCode::prepare(p.text), u), images[0], images[1]);
}

namespace {

QVector<AudioOut::SpeakerStep> speakerSteps(const CwParameters& p) {
    QVector<AudioOut::SpeakerStep> steps;
    for (const CwElement& e : CwTiming::elements(MorseCode::prepare(p.text), CwTiming::unit(p.speed)))
        steps.append({e.kind == CwElement::Kind::Pause ? 0 : p.frequency, e.ms});
    return steps;
}

} // namespace

void run(const CwParameters& p, AudioOut& audio, const std::function<void(const CwNotice&)>& notify,
         const std::function<void(CwSampleStream*)>& started) {
    if (!p.refusal().isEmpty())
        return;
    if (p.pcSpeaker) {
        const QString problem = audio.speakerProblem();
        if (problem.isEmpty()) {
            const QString failure = audio.beep(speakerSteps(p));
            if (!failure.isEmpty() && notify)
                notify({CwNotice::Kind::Error, failure});
            return;
        }
        if (notify)
            notify({CwNotice::Kind::SpeakerMissing, problem});
    }
    const std::unique_ptr<CwSampleStream> stream = soundCardStream(p, notify);
    if (started)
        started(stream.get());
    const QString failure = audio.play(*stream, ToneBuffer::SampleRate);
    if (started)
        started(nullptr);
    if (!failure.isEmpty() && notify)
        notify({CwNotice::Kind::Error, failure});
}

} // namespace CwSending
