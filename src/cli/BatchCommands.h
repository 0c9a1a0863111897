#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

class Clock;

// What the command line asks for.
struct CommandLine {
    QString folder;         // --folder DIR
    QString screenshotFile; // --screenshot FILE
    QString command;        // a batch command, empty for the window
    QStringList operands;
    QString format;    // export/import --format
    QString output;    // export --output FILE
    int startLine = 0; // import --start-line N; 0: not given
    QString utc;       // dxcc --utc YYYY-MM-DDTHH:MM
    QString latitude;  // locator --lat
    QString longitude; // locator --lon
    QString date;      // sun --date YYYY-MM-DD
    QString zenith;    // sun --zenith DEGREES
    QHash<QString, QString> named; // eval: --bands, --modes, --from, --to, --first, --last, --own, --html;
                                   // contest: --own, --csv, --xlsx; callbook-import: --uls, --text;
                                   // callbook: --database
    bool help = false;
    bool version = false;
    QString usageError; // not empty: wrong usage, exit status 2

    static CommandLine parse(const QStringList& arguments); // without the program name
    bool startsWindow() const { return usageError.isEmpty() && !help && !version && command.isEmpty(); }
};

// `vesk <command>`: work on log files without opening a window. Exit status
// 0 on success, 1 on failure (message on the error stream), 2 on wrong usage.
namespace BatchCommands {

// Makes the program texts those of the language chosen in the program
// folder's Vesk.ini, so that a command speaks as the window does. A language
// without supplement leaves German; so does one that cannot be read, which is
// reported on err.
void loadLanguage(const QString& commandLineFolder, QTextStream& err);
QString helpText();
QString versionText();
int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err);
int normalize(const QStringList& logs, Clock& clock, QTextStream& out, QTextStream& err);
} // namespace BatchCommands
