#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CommandLine;

// `vesk cw [--wpm N] [--frq HZ] [--volume V] [--wav FILE] TEXT...`: TEXT in
// Morse code through the sound card, or with --wav exactly the samples the
// sound card would play, as a WAV file (11025 Hz, 8 bit unsigned, mono).
// Values not given come from "Optionen / CW" of the program folder.
namespace CwCommand {
bool handles(const QString& command);
QStringList options();
QString usageError(const CommandLine& line);
int run(const CommandLine& line, QTextStream& out, QTextStream& err);
} // namespace CwCommand
