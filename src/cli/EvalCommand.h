#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

class Clock;
class LanguageTexts;
class Settings;
struct CommandLine;

// `vesk eval locator|dok|dxcc|counts LOG [filter options] [--own LOCATOR]
// [--html FILE]`: the evaluation pages without a window. Prints the result
// line, then what the page shows, one `;`-separated line per entry:
//   locator  SQUARE;w|c, an empty line, then the table north first, one
//            character per cell: . not worked, w worked, c confirmed, o own
//   dok      DOK;w or DOK;c
//   dxcc     every entity of the table with its state: COUNTRY;0|1|2
//   counts   the overview matrix, headings first
namespace EvalCommand {
bool handles(const QString& command);
QStringList options();
QString usageError(const CommandLine& line);
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
// The texts of the language chosen in the folder, for result lines and
// messages; the built-in German ones when its file cannot be read.
LanguageTexts languageTexts(const Settings& settings, const QString& folder);
} // namespace EvalCommand
