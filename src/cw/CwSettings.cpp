#include "cw/CwSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("CW");
const QString kFrq = QStringLiteral("Frq");
const QString kWpm = QStringLiteral("WpM");
const QString kVolume = QStringLiteral("Volume");
const QString kPcSpeaker = QStringLiteral("PcSpeaker");
QString fieldKey(int index) { return QStringLiteral("Feld%1").arg(index + 1); }
} // namespace

namespace CwSettings {

int frequency(const Settings& s) { return s.readInteger(kSection, kFrq, DefaultFrequency); }
int speed(const Settings& s) { return s.readInteger(kSection, kWpm, DefaultSpeed); }
int volume(const Settings& s) { return s.readInteger(kSection, kVolume, DefaultVolume); }
bool pcSpeaker(const Settings& s) { return s.readBool(kSection, kPcSpeaker, false); }

CwFieldSelection fields(const Settings& s) {
    CwFieldSelection selection{};
    for (int i = 0; i < QsoRecord::FieldCount; ++i)
        selection[static_cast<std::size_t>(i)] = s.readBool(kSection, fieldKey(i), false);
    return selection;
}

void setFrequency(Settings& s, int hz) { s.writeInteger(kSection, kFrq, hz); }
void setSpeed(Settings& s, int wpm) { s.writeInteger(kSection, kWpm, wpm); }
void setVolume(Settings& s, int volume) { s.writeInteger(kSection, kVolume, volume); }
void setPcSpeaker(Settings& s, bool on) { s.writeBool(kSection, kPcSpeaker, on); }

void setFields(Settings& s, const CwFieldSelection& fields) {
    for (int i = 0; i < QsoRecord::FieldCount; ++i)
        s.writeBool(kSection, fieldKey(i), fields[static_cast<std::size_t>(i)]);
}

CwParameters parameters(const Settings& s, const QString& text) {
    return {speed(s), frequency(s), text, volume(s), pcSpeaker(s)};
}

} // namespace CwSettings
