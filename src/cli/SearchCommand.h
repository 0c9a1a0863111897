#pragma once

#include <QString>
#include <QTextStream>

class Clock;
struct CommandLine;

// `vesk search LOG FIELD OPERATOR VALUE...`: the search tab without a
// window. Up to five conditions, all of which must hold; the contacts found
// are written as the log holds them, one line each.
namespace SearchCommand {
bool handles(const QString& command);
// A field of the search tab by its title ("Call", "QSL In", "DXCC"), in any
// letter case; -1 when there is none.
int fieldIndex(const QString& name);
// An operator by its German text ("enthält"), its English one ("contains")
// or a short form ("gt", "lt", "is-not", "contains-not"); -1 when unknown.
int operatorIndex(const QString& name);
QString usageError(const CommandLine& line);
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
} // namespace SearchCommand
