#include "settings/LanguageTexts.h"

LanguageTexts::LanguageTexts() { *this = builtInGerman(); }

void LanguageTexts::clear() {
    for (QString& t : m_texts)
        t.clear();
}

LanguageTexts LanguageTexts::builtInGerman() {
    LanguageTexts t{Empty{}};
    t.set(BandPrompt, QStringLiteral("Band eingeben:"));
    t.set(ModePrompt, QStringLiteral("Mode eingeben:"));
    t.set(NewLogEntry, QStringLiteral("Neues Log anlegen ..."));
    t.set(LogMenuCaption, QStringLiteral("&Log: "));
    t.set(LogVanished, QStringLiteral("\" existiert nicht mehr!"));
    t.set(NewLogTitle, QStringLiteral("Neues Log"));
    t.set(NewLogPrompt, QStringLiteral("Name des neuen Logs:"));
    t.set(LogExists, QStringLiteral("\" gibt es schon: \""));
    return t;
}
