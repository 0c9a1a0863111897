#pragma once

#include <QString>
#include <QStringList>

// The folder that holds the logs, "Vesk.ini" and the reference files. In this
// order: --folder DIR, the environment variable VESK_FOLDER, the executable's
// folder when the shipped data lies beside it and it is writable, otherwise
// $XDG_DATA_HOME/vesk.
//
// The shipped data lies either beside the executable (the build tree, an
// unpacked archive) or, for an installed program, in ../share/vesk relative to
// it. An installed executable folder such as /usr/bin never becomes the
// program folder, not even for root: a program must not write beside itself.
class ProgramFolder {
public:
    enum class Source { CommandLine, Environment, Executable, PerUser };
    struct Choice {
        QString path;
        Source source = Source::Executable;
    };

    static Choice choose(const QString& commandLineFolder, const QString& environmentFolder,
                         const QString& executableFolder, const QString& perUserFolder);
    static QString perUserFolder(); // $XDG_DATA_HOME/vesk, else ~/.local/share/vesk
    static bool isWritable(const QString& folder);

    // Where the shipped data files and their list lie for this executable
    // folder: the folder itself when the list lies beside the executable, else
    // ../share/vesk when the list lies there; empty when neither holds it.
    static QString shippedDataFolder(const QString& executableFolder);

    // The list of shipped data files that the build writes beside the program.
    static QString manifestName() { return QStringLiteral("vesk-data.lst"); }

    // Copies every shipped data file that the target lacks; never overwrites.
    // Returns one message per file that could not be copied.
    static QStringList seed(const QString& target, const QString& dataFolder);

    // Chooses, creates and (for a folder other than the executable's) seeds
    // the program folder. On failure returns an empty path and sets error.
    static QString prepare(const QString& commandLineFolder, QString* error, QStringList* warnings);
    // The same for a given choice and executable folder.
    static QString prepare(const Choice& choice, const QString& executableFolder, QString* error,
                           QStringList* warnings);
};
