#pragma once

class Settings;

// Which contacts get a card from the operator: every contact, or only the
// first with a call, counted per band, mode, day and year as ticked.
struct CardRule {
    bool firstQso = false;
    bool band = false;
    bool mode = false;
    bool day = false;
    bool year = false;
    bool operator==(const CardRule&) const = default;
};

// The section "QSL" of the settings file.
namespace QslSettings {
CardRule cardRule(const Settings& settings);
void setCardRule(Settings& settings, const CardRule& rule);
} // namespace QslSettings
