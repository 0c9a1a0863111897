#pragma once

#include <QString>
#include <QTextStream>

class Clock;
struct CommandLine;

// `vesk dxcc|dxcc-index|locator|sun|dok|dok-import`: the reference tables
// and the geodesy of the program, without a window.
namespace ReferenceCommands {
bool handles(const QString& command);
// The usage mistake of one of these commands, empty when there is none.
QString usageError(const CommandLine& line);
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
// The program folder a command works with (--folder, else the usual
// choice); empty, with the reason on err, when there is none.
QString programFolder(const CommandLine& line, QTextStream& err);
} // namespace ReferenceCommands
