#pragma once

#include "platform/AudioOut.h"

#include <QString>

// The Linux PC speaker: the input device of the kernel module "pcspkr" (or
// any other that takes EV_SND/SND_TONE events), found through sysfs.
class PcSpeaker {
public:
    explicit PcSpeaker(const QString& sysInput = QStringLiteral("/sys/class/input"),
                       const QString& devInput = QStringLiteral("/dev/input"));
    ~PcSpeaker(); // silences the speaker and closes it
    PcSpeaker(const PcSpeaker&) = delete;
    PcSpeaker& operator=(const PcSpeaker&) = delete;

    // Finds and opens the device; empty when it can sound, else what is
    // missing (the module, the device node, the permission to write it).
    QString open();
    // Sounds the steps on their own clock, so that short sleeps that wake
    // late do not add up. Empty when all went well.
    QString sound(const QVector<AudioOut::SpeakerStep>& steps);

private:
    bool tone(int frequency);

    QString m_sysInput;
    QString m_devInput;
    QString m_node;
    int m_fd = -1;
};
