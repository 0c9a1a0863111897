#pragma once

#include <QPoint>
#include <QString>

class Settings;

// The section "Clock": whether the clock window shows, in UTC or local
// time, the pattern of its title and where it stands.
namespace ClockSettings {
// The pattern the options page offers when none is stored, and the one the
// clock falls back on if the key is missing all the same.
inline const QString OptionsFormat = QStringLiteral("hh:nn:ss");
inline const QString ClockFormat = QStringLiteral("dddddd', - 'tt");

bool show(const Settings& settings);
void setShow(Settings& settings, bool show);
bool utc(const Settings& settings);
void setUtc(Settings& settings, bool utc);
QString format(const Settings& settings, const QString& fallback);
void setFormat(Settings& settings, const QString& format);
QPoint position(const Settings& settings);
void setPosition(Settings& settings, const QPoint& topLeft);
} // namespace ClockSettings
