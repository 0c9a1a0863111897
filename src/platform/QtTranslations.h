#pragma once

#include <QString>

// Qt's own texts (the buttons of message boxes, the file dialog) in the
// language the user chose, from the translations Debian ships with Qt.
namespace QtTranslations {

// Replaces the Qt translations in use by those of language ("de", "en" …).
// English needs none. False when no catalogue for language was found; Qt's
// texts are then English, which is what Qt has built in.
bool use(const QString& language);

// The language whose catalogue is in use, empty for Qt's built-in English.
QString current();

} // namespace QtTranslations
