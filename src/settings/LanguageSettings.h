#pragma once

#include <QString>

class Settings;

// The section "Language": the language file in use.
namespace LanguageSettings {
inline const QString German = QStringLiteral("deutsch.lng");
inline const QString English = QStringLiteral("english.lng");
QString fileName(const Settings& settings);
void setFileName(Settings& settings, const QString& fileName);
} // namespace LanguageSettings
