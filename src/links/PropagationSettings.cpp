#include "links/PropagationSettings.h"

#include "settings/Settings.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Propagation");
const QString kSunspots = QStringLiteral("SunspotNumber");
} // namespace

namespace PropagationSettings {

int sunspotNumber(const Settings& s) {
    return std::clamp(s.readInteger(kSection, kSunspots, DefaultSunspotNumber), 0, MaxSunspotNumber);
}

void setSunspotNumber(Settings& s, int number) {
    s.writeInteger(kSection, kSunspots, std::clamp(number, 0, MaxSunspotNumber));
}

} // namespace PropagationSettings
