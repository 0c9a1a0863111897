#include "app/BatchCommands.h"

#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!line.command.isEmpty()) {
            line.operands << a;
            continue;
        }
        auto value = [&](QString& target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                line.usageError = QStringLiteral("%1 braucht einen Wert.").arg(a);
                return;
            }
            target = arguments[++i];
        };
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            line.help = true;
        } else if (a == QStringLiteral("--version")) {
            line.version = true;
        } else if (a == QStringLiteral("--folder")) {
            value(line.folder);
        } else if (a.startsWith(QStringLiteral("--folder="))) {
            line.folder = a.mid(9);
        } else if (a == QStringLiteral("--screenshot")) {
            value(line.screenshotFile);
        } else if (a.startsWith(QStringLiteral("--screenshot="))) {
            line.screenshotFile = a.mid(13);
        } else if (a.startsWith(u'-')) {
            line.usageError = QStringLiteral("Unbekannte Option \"%1\".").arg(a);
        } else if (a == QStringLiteral("normalize")) {
            line.command = a;
        } else {
            line.usageError = QStringLiteral("Unbekannter Befehl \"%1\".").arg(a);
        }
        if (!line.usageError.isEmpty())
            return line;
    }
    if (line.command == QStringLiteral("normalize") && line.operands.isEmpty())
        line.usageError = QStringLiteral("normalize braucht mindestens eine Logdatei.");
    else if (!line.command.isEmpty() && !line.screenshotFile.isEmpty())
        line.usageError = QStringLiteral("--screenshot gilt nur für das Fenster, nicht für \"%1\".").arg(line.command);
    return line;
}

namespace BatchCommands {

QString versionText() { return QStringLiteral("Vesk " VESK_VERSION_TEXT); }

QString helpText() {
    return QStringLiteral(
        "Aufruf:\n"
        "  vesk [--folder ORDNER] [--screenshot DATEI.png]\n"
        "  vesk [--folder ORDNER] normalize LOG...\n"
        "  vesk --help | --version\n"
        "\n"
        "Ohne Befehl öffnet Vesk sein Fenster.\n"
        "\n"
        "Optionen:\n"
        "  --folder ORDNER        Programmordner mit Logs, Vesk.ini und Referenzdateien\n"
        "                         (sonst $VESK_FOLDER, der Ordner des Programms, wenn er\n"
        "                         beschreibbar ist, oder $XDG_DATA_HOME/vesk)\n"
        "  --screenshot DATEI     Hauptfenster als PNG speichern und beenden (ohne Anzeige\n"
        "                         auf der Offscreen-Plattform)\n"
        "  --help                 diesen Text zeigen\n"
        "  --version              Version zeigen\n"
        "\n"
        "Befehle:\n"
        "  normalize LOG...       Logs neu nummerieren und reparieren; die Logs dürfen in\n"
        "                         jedem Ordner liegen\n"
        "\n"
        "Rückgabe: 0 Erfolg, 1 Fehler (Meldung auf stderr), 2 falscher Aufruf.\n");
}

int normalize(const QStringList& logs, Clock& clock, QTextStream& out, QTextStream& err) {
    int status = 0;
    for (const QString& name : logs) {
        const QString path = QFileInfo(name).absoluteFilePath();
        if (!QFileInfo(path).isFile()) {
            err << QStringLiteral("%1: Datei nicht gefunden.").arg(QDir::toNativeSeparators(name)) << Qt::endl;
            status = 1;
            continue;
        }
        try {
            LogFile log(path);
            const int count = log.Normalize(clock.localNow());
            out << QStringLiteral("%1: %2 Kontakte normalisiert.").arg(QDir::toNativeSeparators(name)).arg(count)
                << Qt::endl;
        } catch (const IoError& e) {
            err << e.message() << Qt::endl;
            status = 1;
        }
    }
    return status;
}

int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    if (!line.usageError.isEmpty()) {
        err << line.usageError << Qt::endl << QStringLiteral("Hilfe: vesk --help") << Qt::endl;
        return 2;
    }
    if (line.help) {
        out << helpText();
        out.flush();
        return 0;
    }
    if (line.version) {
        out << versionText() << Qt::endl;
        return 0;
    }
    if (line.command == QStringLiteral("normalize"))
        return normalize(line.operands, clock, out, err);
    err << QStringLiteral("Kein Befehl.") << Qt::endl;
    return 2;
}

} // namespace BatchCommands
