#include "windows/ClockSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("Clock");
} // namespace

namespace ClockSettings {

bool show(const Settings& settings) { return settings.readBool(kSection, QStringLiteral("Show"), false); }
void setShow(Settings& settings, bool show) { settings.writeBool(kSection, QStringLiteral("Show"), show); }
bool utc(const Settings& settings) { return settings.readBool(kSection, QStringLiteral("UTC"), true); }
void setUtc(Settings& settings, bool utc) { settings.writeBool(kSection, QStringLiteral("UTC"), utc); }

QString format(const Settings& settings, const QString& fallback) {
    return settings.readString(kSection, QStringLiteral("Format"), fallback);
}
void setFormat(Settings& settings, const QString& format) {
    settings.writeString(kSection, QStringLiteral("Format"), format);
}

// Where the window stood when it was designed.
QPoint position(const Settings& settings) {
    return {settings.readInteger(kSection, QStringLiteral("Left"), 405),
            settings.readInteger(kSection, QStringLiteral("Top"), 159)};
}
void setPosition(Settings& settings, const QPoint& topLeft) {
    settings.writeInteger(kSection, QStringLiteral("Left"), topLeft.x());
    settings.writeInteger(kSection, QStringLiteral("Top"), topLeft.y());
}

} // namespace ClockSettings
