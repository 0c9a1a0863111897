#pragma once

#include "evaluations/ContestRules.h"

#include <QByteArray>
#include <QString>

// Rules files (".tst"): one line per rule row, the four cells joined by "|",
// Windows-1252, lines ended by CR LF. There is no quoting.
namespace ContestRulesFile {

struct Loaded {
    ContestRules rules;
    // Not empty: the loading stopped at a line with a fourth "|". The rows
    // before it, and the first three cells of that line, are in rules.
    QString error;
};

// Reads the file. Throws IoError when it cannot be read.
Loaded load(const QString& path);
// The same from the file's bytes; fileName is only named in the error.
Loaded parse(const QByteArray& bytes, const QString& fileName);

// The file's bytes. Throws IoError, naming rule row and column, when a cell
// holds "|" or a line break: the line would load back as other cells.
QByteArray encode(const ContestRules& rules);
// Replaces the file in one step; throws IoError, the file then unchanged.
void save(const ContestRules& rules, const QString& path);

} // namespace ContestRulesFile
