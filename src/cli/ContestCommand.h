#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

class Clock;
struct CommandLine;

// `vesk contest RULES.tst LOG [--own LOCATOR] [--csv FILE] [--xlsx FILE]`:
// the contest evaluation without a window. Prints "Punkte: P", "Multis: M"
// and "Endpunktzahl: E"; --csv writes the result table (19 columns,
// ";"-separated, Windows-1252), --xlsx the workbook of the spreadsheet
// export. A failed run prints its error and writes no file.
namespace ContestCommand {
bool handles(const QString& command);
QStringList options();
QString usageError(const CommandLine& line);
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
} // namespace ContestCommand
