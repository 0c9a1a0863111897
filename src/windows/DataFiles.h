#pragma once

#include <QString>
#include <QStringList>

// The data files beside the program that the file formats window offers:
// logs, comma files and text files, told apart by their extension only.
namespace DataFiles {

// Names in the folder whose extension (after the last ".") is exactly
// "csv", "log" or "txt", sorted by name (the folder's own order is arbitrary
// on most Linux file systems).
QStringList list(const QString& folder);

// The name with everything after its last "." replaced by extension; a name
// without "." gets ".extension" appended.
QString withExtension(const QString& name, const QString& extension);

// Renames a file of the folder; an empty string on success, else the message
// naming both names and the reason. A file of the new name is never replaced.
QString rename(const QString& folder, const QString& from, const QString& to);

} // namespace DataFiles
