#include "settings/GeneralSettings.h"

#include "settings/Settings.h"

#include <QDir>
#include <cmath>

namespace GeneralSettings {
namespace {
const QString kSection = QStringLiteral("Allgemein");
const QString kOwnCall = QStringLiteral("EigenesCall");
const QString kOwnLocator = QStringLiteral("EigenerLocator");
const QString kUtcDiffAuto = QStringLiteral("UtcDiffAuto");
const QString kUtcDiff = QStringLiteral("UtcDiff");
const QString kQslPath = QStringLiteral("QslPath");
const QString kSunZenith = QStringLiteral("SunZenith");
const QString kUserMemo = QStringLiteral("UserMemo");
const QString kLastLog = QStringLiteral("LastLogFileName");
} // namespace

QString ownCall(const Settings& s) { return s.readString(kSection, kOwnCall, PlaceholderCall); }
void setOwnCall(Settings& s, const QString& call) { s.writeString(kSection, kOwnCall, call); }
QString ownLocator(const Settings& s) { return s.readString(kSection, kOwnLocator, DefaultLocator); }
void setOwnLocator(Settings& s, const QString& locator) { s.writeString(kSection, kOwnLocator, locator); }

bool utcDiffAutomatic(const Settings& s) { return s.readBool(kSection, kUtcDiffAuto, true); }
void setUtcDiffAutomatic(Settings& s, bool automatic) { s.writeBool(kSection, kUtcDiffAuto, automatic); }
double utcDiff(const Settings& s) { return s.readFloat(kSection, kUtcDiff, 0); }
void setUtcDiff(Settings& s, double hours) { s.writeFloat(kSection, kUtcDiff, hours); }

QString qslPath(const Settings& s, const QString& programFolder) {
    return s.readString(kSection, kQslPath, QDir(programFolder).absolutePath() + u'/');
}
void setQslPath(Settings& s, const QString& path) { s.writeString(kSection, kQslPath, path); }

std::optional<double> sunZenith(const Settings& s) {
    const double zenith = s.readFloat(kSection, kSunZenith, std::nan(""));
    return std::isnan(zenith) ? std::nullopt : std::optional<double>(zenith);
}
void setSunZenith(Settings& s, double degrees) { s.writeFloat(kSection, kSunZenith, degrees); }

QString userMemo(const Settings& s) { return Settings::decodeMultiLine(s.readString(kSection, kUserMemo)); }
void setUserMemo(Settings& s, const QString& text) { s.writeString(kSection, kUserMemo, Settings::encodeMultiLine(text)); }

QString lastLogFileName(const Settings& s) { return s.readString(kSection, kLastLog); }
void setLastLogFileName(Settings& s, const QString& name) { s.writeString(kSection, kLastLog, name); }
} // namespace GeneralSettings
