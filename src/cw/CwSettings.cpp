#include "cw/CwSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("CW");
QString fieldKey(int index) { return QStringLiteral("Feld%1").arg(index + 1); }
} // namespace

namespace CwSettings {

int frequency(const Settings& s) { return s.readInteger(kSection, QStringLiteral("Frq"), DefaultFrequency); }
int speed(const Settings& s) { return s.readInteger(kSection, QStringLiteral("WpM"), DefaultSpeed); }
int volume(const Settings& s) { return s.readInteger(kSection, QStringLiteral("Volume"), DefaultVolume); }
bool pcSpeaker(const Settings& s) { return s.readBool(kSection, QStringLiteral("PcSpeaker"), false); }

CwFieldSelection fields(const Settings& s) {
    CwFieldSelection selection{};
    for (int i = 0; i < QsoRecord::FieldCount; ++i)
        selection[static_cast<std::size_t>(i)] = s.readBool(kSection, fieldKey(i), false);
    return selection;
}

void setFrequency(Settings& s, int hz) { s.writeInteger(kSection, QStringLiteral("Frq"), hz); }
void setSpeed(Settings& s, int wpm) { s.writeInteger(kSection, QStringLiteral("WpM"), wpm); }
void setVolume(Settings& s, int volume) { s.writeInteger(kSection, QStringLiteral("Volume"), volume); }
void setPcSpeaker(Settings& s, bool on) { s.writeBool(kSection, QStringLiteral("PcSpeaker"), on); }

void setFields(Settings& s, const CwFieldSelection& fields) {
    for (int i = 0; i < QsoRecord::FieldCount; ++i)
        s.writeBool(kSection, fieldKey(i), fields[static_cast<std::size_t>(i)]);
}

CwParameters parameters(const Settings& s, const QString& text) {
    return {speed(s), frequency(s), text, volume(s), pcSpeaker(s)};
}

} // namespace CwSettings
