#include "settings/LanguageTexts.h"

#include "settings/LanguageFile.h"

LanguageTexts::LanguageTexts() { *this = builtInGerman(); }

void LanguageTexts::clear() {
    for (QString& t : m_texts)
        t.clear();
}

LanguageTexts LanguageTexts::builtInGerman() {
    LanguageTexts t{Empty{}};
    LanguageFile::fillTexts(LanguageFile::builtInGerman(), t);
    return t;
}
