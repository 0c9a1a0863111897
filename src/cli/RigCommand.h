#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CommandLine;

// `vesk rig [--host H] [--port P] [--band BAND] [--mode MODE]`: one round
// with rigctld. Without --band and --mode it prints the rig's frequency and
// mode and the band and mode the entry mask would take from them; with them
// it sends what choosing that band (the mode label at MODE) or that mode in
// the mask sends, and reads back. Host and port not given come from
// "Optionen / Rig". Exit status 1 when nothing answered.
namespace RigCommand {
bool handles(const QString& command);
QStringList options();
QString usageError(const CommandLine& line);
int run(const CommandLine& line, QTextStream& out, QTextStream& err);
} // namespace RigCommand
