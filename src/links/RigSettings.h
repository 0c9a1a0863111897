#pragma once

#include <QString>

class Settings;

// The section "Rig" of the settings file: where rigctld listens.
namespace RigSettings {
inline constexpr int DefaultPort = 4532;
QString defaultHost();

QString host(const Settings& settings);
// The stored port; one that is no port number (hand-edited) reads as the default.
int port(const Settings& settings);
void setHost(Settings& settings, const QString& host);
void setPort(Settings& settings, int port);

// A port number as typed: 1 to 65535, else 0.
int parsePort(const QString& text);
} // namespace RigSettings
