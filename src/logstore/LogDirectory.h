#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The logs the program offers: the "*.log" files of the program folder.
namespace LogDirectory {

// File names (no folder) of the logs in folder, by name.
QStringList logFiles(const QString& folder);

// The file name a new log gets from what the user typed: any folder part is
// dropped and ".log" (exactly so, in lower case) appended when the name does
// not already end in it. nullopt for an empty answer.
std::optional<QString> newLogFileName(const QString& answer);

} // namespace LogDirectory
