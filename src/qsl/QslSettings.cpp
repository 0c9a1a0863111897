#include "qsl/QslSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("QSL");
}

namespace QslSettings {

CardRule cardRule(const Settings& s) {
    CardRule rule;
    rule.firstQso = s.readBool(kSection, QStringLiteral("FirstQso"), false);
    rule.band = s.readBool(kSection, QStringLiteral("Band"), false);
    rule.mode = s.readBool(kSection, QStringLiteral("Mode"), false);
    rule.day = s.readBool(kSection, QStringLiteral("Day"), false);
    rule.year = s.readBool(kSection, QStringLiteral("Year"), false);
    return rule;
}

void setCardRule(Settings& s, const CardRule& rule) {
    s.writeBool(kSection, QStringLiteral("FirstQso"), rule.firstQso);
    s.writeBool(kSection, QStringLiteral("Band"), rule.band);
    s.writeBool(kSection, QStringLiteral("Mode"), rule.mode);
    s.writeBool(kSection, QStringLiteral("Day"), rule.day);
    s.writeBool(kSection, QStringLiteral("Year"), rule.year);
}

} // namespace QslSettings
