#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CommandLine;

// `vesk callbook-import --uls FOLDER|--text FILE DATABASE`: builds the
// callbook database anew from the US licence dump or a text file.
// `vesk callbook [--database FILE] CALL`: looks CALL up as Ctrl+B does and
// prints the fields found, or the error text and code (exit status 1).
// Without --database the database of "Optionen / RAC" is used.
namespace CallbookCommand {
bool handles(const QString& command);
QStringList options(const QString& command);
QString usageError(const CommandLine& line);
int run(const CommandLine& line, QTextStream& out, QTextStream& err);
} // namespace CallbookCommand
