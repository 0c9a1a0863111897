#pragma once

#include <QString>
#include <optional>

class Settings;

// The section "Allgemein": the operator's own station, the clock difference,
// the card folder, the note pad and the log that was open last.
namespace GeneralSettings {
// Used until the operator enters their own: a valid six-character locator,
// so that bearings and distances can be computed from the first start on.
inline const QString DefaultLocator = QStringLiteral("JO62QM");

// Shown until the operator enters their own, in the options and in exports.
inline const QString PlaceholderCall = QStringLiteral("[Call]");

QString ownCall(const Settings& settings);
void setOwnCall(Settings& settings, const QString& call);
QString ownLocator(const Settings& settings);
void setOwnLocator(Settings& settings, const QString& locator);

// Whether UTC comes from the system clock, else local time plus utcDiff.
bool utcDiffAutomatic(const Settings& settings);
void setUtcDiffAutomatic(Settings& settings, bool automatic);
double utcDiff(const Settings& settings);
void setUtcDiff(Settings& settings, double hours);

// The folder of the scanned QSL cards, with its trailing separator; none
// stored: the program folder.
QString qslPath(const Settings& settings, const QString& programFolder);
void setQslPath(Settings& settings, const QString& path);

// The sun's zenith angle for sunrise and sunset, in degrees; none stored:
// the caller's standard angle applies.
std::optional<double> sunZenith(const Settings& settings);
void setSunZenith(Settings& settings, double degrees);

// The note pad beside the mask, line breaks included.
QString userMemo(const Settings& settings);
void setUserMemo(Settings& settings, const QString& text);

QString lastLogFileName(const Settings& settings);
void setLastLogFileName(Settings& settings, const QString& name);
} // namespace GeneralSettings
