#pragma once

#include "logstore/QsoRecord.h"

#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <memory>

class AudioOut;
class CwSampleStream;

// What one sending is made of; the worker gets a copy.
struct CwParameters {
    int speed = 75;      // "WpM": time unit 6000 div speed ms
    int frequency = 800; // Hz
    QString text;
    int volume = 12;     // amplitude in sample steps, 0 to 127
    bool pcSpeaker = false;

    // Why these values cannot be sent (a speed of 0 or below, a volume
    // outside 0 to 127), naming the value; empty when they can.
    QString refusal() const;
};

// What a sending tells the user on the way.
struct CwNotice {
    enum class Kind {
        Error,         // a tone cannot be made, the sound card failed
        SpeakerMissing // the PC speaker cannot sound; the sound card is used
    };
    Kind kind = Kind::Error;
    QString text;
};

// Which fields of a contact the menu "CW-Ausgabe" sends ("Feld1" to "Feld16").
using CwFieldSelection = std::array<bool, QsoRecord::FieldCount>;

namespace CwSending {

// The text the menu sends for a contact: for every selected field, in record
// order, a blank and the field. It therefore starts with a blank.
QString textOf(const QsoRecord& record, const CwFieldSelection& selection);

// The stream the sound card plays for p (built from the two tone images of
// p's pitch and volume). notify gets the message for each image that cannot
// be made because the pitch is too high.
std::unique_ptr<CwSampleStream> soundCardStream(const CwParameters& p, const std::function<void(const CwNotice&)>& notify);

// One sending from start to end, through the PC speaker or the sound card:
// what the worker thread runs. Values refused by CwParameters::refusal()
// send nothing. notify is called on the calling thread. started gets the
// sound-card stream while it plays (and nullptr after), so that the program
// can cut it short when it closes.
void run(const CwParameters& p, AudioOut& audio, const std::function<void(const CwNotice&)>& notify,
         const std::function<void(CwSampleStream*)>& started = {});

} // namespace CwSending
