#include "links/RigSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("Rig");
const QString kHost = QStringLiteral("Host");
const QString kPort = QStringLiteral("Port");
} // namespace

namespace RigSettings {

QString defaultHost() { return QStringLiteral("localhost"); }

QString host(const Settings& s) {
    const QString h = s.readString(kSection, kHost, defaultHost()).trimmed();
    return h.isEmpty() ? defaultHost() : h;
}

int port(const Settings& s) {
    const int p = s.readInteger(kSection, kPort, DefaultPort);
    return p >= 1 && p <= 65535 ? p : DefaultPort;
}

void setHost(Settings& s, const QString& host) { s.writeString(kSection, kHost, host.trimmed()); }
void setPort(Settings& s, int port) { s.writeInteger(kSection, kPort, port); }

int parsePort(const QString& text) {
    const std::optional<int> p = Settings::parseInteger(text.trimmed());
    return p && *p >= 1 && *p <= 65535 ? *p : 0;
}

} // namespace RigSettings
