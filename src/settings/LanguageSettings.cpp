#include "settings/LanguageSettings.h"

#include "settings/Settings.h"

namespace LanguageSettings {
namespace {
const QString kSection = QStringLiteral("Language");
}
QString fileName(const Settings& s) { return s.readString(kSection, kSection, German); }
void setFileName(Settings& s, const QString& fileName) { s.writeString(kSection, kSection, fileName); }
} // namespace LanguageSettings
