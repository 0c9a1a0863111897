#include "platform/PcSpeaker.h"

#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <thread>
#include <unistd.h>

PcSpeaker::PcSpeaker(const QString& sysInput, const QString& devInput) : m_sysInput(sysInput), m_devInput(devInput) {}

PcSpeaker::~PcSpeaker() {
    if (m_fd >= 0) {
        tone(0);
        ::close(m_fd);
    }
}

QString PcSpeaker::open() {
    // Each input device lists the sound events it takes as a hexadecimal
    // bit mask; a device that takes SND_TONE can beep.
    const QStringList events = QDir(m_sysInput).entryList({QStringLiteral("event*")}, QDir::AllEntries | QDir::System);
    for (const QString& event : events) {
        QFile caps(m_sysInput + u'/' + event + QStringLiteral("/device/capabilities/snd"));
        if (!caps.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const qulonglong mask = QString::fromLatin1(caps.readAll()).trimmed().toULongLong(&ok, 16);
        if (ok && (mask & (1ULL << SND_TONE))) {
            m_node = m_devInput + u'/' + event;
            break;
        }
    }
    if (m_node.isEmpty())
        return msgText(Msg::CwSpeakerModuleMissing);
    m_fd = ::open(QFile::encodeName(m_node).constData(), O_WRONLY | O_CLOEXEC);
    if (m_fd >= 0)
        return {};
    const int error = errno;
    if (error == EACCES || error == EPERM)
        return msgText(Msg::CwSpeakerNotWritable).arg(m_node);
    return msgText(Msg::CwSpeakerUnusable).arg(m_node, QString::fromLocal8Bit(std::strerror(error)));
}

bool PcSpeaker::tone(int frequency) {
    input_event event{};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = std::max(frequency, 0);
    return ::write(m_fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

QString PcSpeaker::sound(const QVector<AudioOut::SpeakerStep>& steps) {
    if (m_fd < 0)
        return open();
    auto due = std::chrono::steady_clock::now();
    int sounding = 0;
    for (const AudioOut::SpeakerStep& step : steps) {
        if (step.frequency != sounding) {
            if (!tone(step.frequency)) {
                const QString reason = QString::fromLocal8Bit(std::strerror(errno));
                tone(0);
                return msgText(Msg::CwSpeakerFailed).arg(m_node, reason);
            }
            sounding = step.frequency;
        }
        due += std::chrono::milliseconds(step.ms);
        std::this_thread::sleep_until(due);
    }
    tone(0);
    return {};
}
