#include "cli/BatchCommands.h"
#include "app/ui/GuiCommands.h"
#include "app/ui/MainWindow.h"
#include "session/ProgramFolder.h"
#include "session/Session.h"
#include "platform/Clock.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine line = CommandLine::parse(arguments);

    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;

    if (!line.startsWindow()) {
        QCoreApplication app(argc, argv);
        // Parsed again once the language is known, for its usage messages.
        BatchCommands::loadLanguage(line.folder, err);
        line = CommandLine::parse(arguments);
        return BatchCommands::run(line, clock, out, err);
    }

    if (!GuiCommands::haveDisplay()) {
        if (line.screenshotFile.isEmpty()) {
            err << QStringLiteral("Vesk braucht eine Anzeige (DISPLAY ist leer); ein Bild des Fensters gibt "
                                  "'vesk --screenshot bild.png'.")
                << Qt::endl;
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vesk"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vesk"));
    QApplication::setApplicationVersion(QStringLiteral(VESK_VERSION_TEXT));

    QString error;
    QStringList warnings;
    const QString folder = ProgramFolder::prepare(line.folder, &error, &warnings);
    if (folder.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    for (const QString& w : warnings)
        err << w << Qt::endl;

    QtDialogs dialogs;
    // A message box at start would wait for a click that never comes.
    dialogs.setUnattended(!line.screenshotFile.isEmpty());
    Session session(folder, clock, dialogs);
    MainWindow window(session);
    dialogs.setParent(&window);

    if (!line.screenshotFile.isEmpty()) {
        const bool ok = GuiCommands::screenshot(window, line.screenshotFile, &error);
        if (!ok)
            err << error << Qt::endl;
        window.close();
        return ok ? 0 : 1;
    }
    window.show();
    return QApplication::exec();
}
