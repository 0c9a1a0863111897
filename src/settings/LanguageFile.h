#pragma once

#include <QString>
#include <QStringList>

class LanguageTexts;

// A language file: 373 lines of 8-bit text in a fixed order, "#13#10" inside
// a line standing for a line break.
namespace LanguageFile {

// The 373 texts of the file, line breaks decoded; lines past the end of a
// short file are empty. Throws IoError naming the file when it cannot be read.
QStringList read(const QString& path);

// The texts of the German language file built into the program, used when
// the file beside it cannot be read.
QStringList builtInGerman();

// Copies the message lines into texts.
void fillTexts(const QStringList& lines, LanguageTexts& texts);

} // namespace LanguageFile
