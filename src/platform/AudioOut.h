#pragma once

#include <QString>
#include <QVector>

class QIODevice;

// The sound the program makes: 8-bit PCM through the sound card, tones of
// the PC speaker. Both calls block until the sound has ended and may be
// made from a worker thread. Tests record what would be played.
class AudioOut {
public:
    // One tone of the PC speaker (frequency 0: silent) and how long it lasts.
    struct SpeakerStep {
        int frequency = 0;
        int ms = 0;
        bool operator==(const SpeakerStep&) const = default;
    };

    virtual ~AudioOut();

    // Plays 8-bit unsigned mono samples at sampleRate read from pcm until its
    // end and returns once they have been heard. Empty when all went well,
    // else what went wrong, for the user.
    virtual QString play(QIODevice& pcm, int sampleRate) = 0;
    // Why the PC speaker cannot sound (no device, no permission), or empty.
    virtual QString speakerProblem() = 0;
    // Sounds the steps one after the other, each exactly as long as given.
    // Empty when all went well, else what went wrong.
    virtual QString beep(const QVector<SpeakerStep>& steps) = 0;
};

// The sound card through Qt Multimedia (the system's default output) and
// the Linux PC-speaker input device.
class SystemAudioOut : public AudioOut {
public:
    QString play(QIODevice& pcm, int sampleRate) override;
    QString speakerProblem() override;
    QString beep(const QVector<SpeakerStep>& steps) override;
};
