#pragma once

#include <QString>
#include <QTextStream>

class Clock;
struct CommandLine;

// `vesk qsl LOG [--first-qso] [--band] [--mode] [--day] [--year]`: the
// outstanding-card list of the evaluation page "QSL" without a window, one
// `;`-separated line per contact after a heading line, the count on the
// error stream.
namespace QslCommand {
bool handles(const QString& command);
QString usageError(const CommandLine& line);
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
} // namespace QslCommand
