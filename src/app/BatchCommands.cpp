#include "app/BatchCommands.h"

#include "app/ReferenceCommands.h"
#include "app/SearchCommand.h"
#include "converter/LogConverter.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kCommands = {QStringLiteral("normalize"), QStringLiteral("export"), QStringLiteral("import"),
                               QStringLiteral("repair"),    QStringLiteral("join"),   QStringLiteral("dxcc"),
                               QStringLiteral("dxcc-index"), QStringLiteral("locator"), QStringLiteral("sun"),
                               QStringLiteral("dok"),       QStringLiteral("dok-import"), QStringLiteral("search")};

// The options each command takes; every one of them takes a value.
QStringList optionsOf(const QString& command) {
    if (command == QStringLiteral("export") || command == QStringLiteral("import"))
        return {QStringLiteral("--format"), QStringLiteral("--output"), QStringLiteral("--start-line")};
    if (command == QStringLiteral("dxcc"))
        return {QStringLiteral("--utc")};
    if (command == QStringLiteral("locator"))
        return {QStringLiteral("--lat"), QStringLiteral("--lon")};
    if (command == QStringLiteral("sun"))
        return {QStringLiteral("--date"), QStringLiteral("--zenith")};
    return {};
}

bool takesOptions(const QString& command) { return !optionsOf(command).isEmpty(); }

// The options of export and import, which may stand anywhere after the
// command; "--" ends them.
QString parseCommandOption(CommandLine& line, const QStringList& arguments, qsizetype& i) {
    const QString& a = arguments[i];
    QString name = a;
    QString value;
    const qsizetype eq = a.indexOf(u'=');
    if (eq > 0) {
        name = a.left(eq);
        value = a.mid(eq + 1);
    } else if (optionsOf(line.command).contains(name)) {
        if (i + 1 >= arguments.size())
            return QStringLiteral("%1 braucht einen Wert.").arg(name);
        value = arguments[++i];
    }
    if (!optionsOf(line.command).contains(name))
        return QStringLiteral("Unbekannte Option \"%1\" für %2.").arg(a, line.command);
    if (value.isEmpty())
        return QStringLiteral("%1 braucht einen Wert.").arg(name);
    if (name == QStringLiteral("--utc")) {
        line.utc = value;
    } else if (name == QStringLiteral("--lat")) {
        line.latitude = value;
    } else if (name == QStringLiteral("--lon")) {
        line.longitude = value;
    } else if (name == QStringLiteral("--date")) {
        line.date = value;
    } else if (name == QStringLiteral("--zenith")) {
        line.zenith = value;
    } else if (name == QStringLiteral("--format")) {
        line.format = value;
    } else if (name == QStringLiteral("--output")) {
        line.output = value;
    } else if (name == QStringLiteral("--start-line")) {
        bool ok = false;
        line.startLine = value.toInt(&ok);
        if (!ok || line.startLine < 1)
            return QStringLiteral("--start-line braucht eine ganze Zahl ab 1, nicht \"%1\".").arg(value);
    } else {
        return QStringLiteral("Unbekannte Option \"%1\" für %2.").arg(a, line.command);
    }
    return {};
}

QString commandUsageError(const CommandLine& line) {
    const QString& c = line.command;
    const qsizetype n = line.operands.size();
    if ((c == QStringLiteral("normalize") || c == QStringLiteral("repair")) && n == 0)
        return QStringLiteral("%1 braucht mindestens eine Logdatei.").arg(c);
    if (c == QStringLiteral("join") && n < 2)
        return QStringLiteral("join braucht ein Ziel-Log und mindestens ein Quell-Log.");
    const QString reference = ReferenceCommands::usageError(line);
    if (!reference.isEmpty())
        return reference;
    const QString search = SearchCommand::usageError(line);
    if (!search.isEmpty())
        return search;
    if (c == QStringLiteral("export")) {
        if (!QStringList{"adif", "html", "txt"}.contains(line.format))
            return QStringLiteral("export braucht --format adif, html oder txt.");
        if (line.output.isEmpty())
            return QStringLiteral("export braucht --output DATEI.");
        if (line.startLine != 0)
            return QStringLiteral("--start-line gilt nur für import --format html.");
        if (n == 0)
            return QStringLiteral("export braucht mindestens eine Logdatei.");
    }
    if (c == QStringLiteral("import")) {
        if (!QStringList{"adif", "html"}.contains(line.format))
            return QStringLiteral("import braucht --format adif oder html.");
        if (!line.output.isEmpty())
            return QStringLiteral("--output gilt nur für export; das Ziel-Log steht zuletzt.");
        if (line.startLine != 0 && line.format != QStringLiteral("html"))
            return QStringLiteral("--start-line gilt nur für import --format html.");
        if (n != 2)
            return QStringLiteral("import braucht genau zwei Dateien: die Importdatei und das Ziel-Log.");
    }
    return {};
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!line.command.isEmpty()) {
            if (takesOptions(line.command) && !optionsEnded && a == QStringLiteral("--")) {
                optionsEnded = true;
            } else if (takesOptions(line.command) && !optionsEnded && a.startsWith(QStringLiteral("--"))) {
                line.usageError = parseCommandOption(line, arguments, i);
                if (!line.usageError.isEmpty())
                    return line;
            } else {
                line.operands << a;
            }
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
        } else if (kCommands.contains(a)) {
            line.command = a;
        } else {
            line.usageError = QStringLiteral("Unbekannter Befehl \"%1\".").arg(a);
        }
        if (!line.usageError.isEmpty())
            return line;
    }
    if (!line.command.isEmpty())
        line.usageError = commandUsageError(line);
    if (!line.usageError.isEmpty())
        return line;
    if (!line.command.isEmpty() && !line.screenshotFile.isEmpty())
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
        "  vesk [--folder ORDNER] repair LOG...\n"
        "  vesk [--folder ORDNER] export --format adif|html|txt --output DATEI LOG...\n"
        "  vesk [--folder ORDNER] import --format adif DATEI ZIEL.log\n"
        "  vesk [--folder ORDNER] import --format html [--start-line N] DATEI ZIEL.log\n"
        "  vesk [--folder ORDNER] join ZIEL.log QUELLE.log...\n"
        "  vesk [--folder ORDNER] dxcc RUFZEICHEN [--utc JJJJ-MM-TTTHH:MM]\n"
        "  vesk [--folder ORDNER] dxcc-index\n"
        "  vesk locator VON NACH | vesk locator VON --lat BREITE --lon LÄNGE\n"
        "  vesk sun BREITE LÄNGE [--date JJJJ-MM-TT] [--zenith GRAD]\n"
        "  vesk [--folder ORDNER] dok DOK\n"
        "  vesk [--folder ORDNER] dok-import DATEI\n"
        "  vesk [--folder ORDNER] search LOG FELD OPERATOR WERT [FELD OPERATOR WERT]...\n"
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
        "  repair LOG...          dasselbe wie normalize\n"
        "  export                 die Kontakte der Logs, in dieser Reihenfolge, als ADIF,\n"
        "                         HTML-Tabelle oder Text mit festen Spaltenbreiten in\n"
        "                         DATEI schreiben (eine vorhandene DATEI wird ersetzt)\n"
        "  import --format adif   die Kontakte einer ADIF-Datei mit Datum, Zeit, Band,\n"
        "                         Mode und Rufzeichen an ZIEL.log anhängen (angelegt,\n"
        "                         wenn es fehlt) und das Log normalisieren\n"
        "  import --format html   die erste Tabelle einer HTML-Datei anhängen; Spalten\n"
        "                         nach ihrer Überschrift (#, Date, UTC ... QSL in)\n"
        "                         zugeordnet, ab Tabellenzeile N (ohne --start-line: 2,\n"
        "                         wenn die erste Zeile Überschriften hat, sonst 1)\n"
        "  join                   die Kontakte der QUELLE-Logs an ZIEL.log anhängen\n"
        "                         (angelegt, wenn es fehlt) und es normalisieren; ZIEL\n"
        "                         darf keine der Quellen sein\n"
        "  dxcc RUFZEICHEN        alle Felder des DXCC-Gebiets (\"Name: Wert\"), dann Ortszeit\n"
        "                         und Sommerzeit dort, jetzt oder zur UTC-Zeit --utc\n"
        "  dxcc-index             DXCC.ini aus DXCC.csv neu erstellen\n"
        "  locator VON NACH       Richtung und Entfernung zwischen zwei Locatoren;\n"
        "                         mit --lat/--lon (Grad, Nord und Ost positiv) zu einem Ort\n"
        "  sun BREITE LÄNGE       Sonnenauf- und -untergang in UTC (Grad, Nord und Ost\n"
        "                         positiv), heute oder am --date, Zenit 90,8333 oder --zenith\n"
        "  dok DOK                Ortsverband, Distrikt und Webseite eines DOK\n"
        "  dok-import DATEI       Zeilen \"DOK;Name des Ortsverbands\" in DOK.ini übernehmen\n"
        "                         (neue Namen ersetzen Platzhalter und alte Namen)\n"
        "  search LOG ...         die Kontakte, die alle (bis zu fünf) Bedingungen erfüllen,\n"
        "                         so ausgeben, wie das Log sie enthält; FELD wie in der\n"
        "                         Suche (#, Date, UTC ... QSL In, DXCC), OPERATOR ist,\n"
        "                         \"ist nicht\", enthält, \"enthält nicht\", \"ist größer als\",\n"
        "                         \"ist kleiner als\" (oder is, is-not, contains,\n"
        "                         contains-not, gt, lt)\n"
        "\n"
        "Ein fehlgeschlagener Befehl lässt Logs und Zieldateien, wie sie waren.\n"
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

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Notes about input that was read with a workaround: the first few, then
// how many more there were, so that a badly broken file does not flood the
// terminal.
void printNotes(const QStringList& notes, QTextStream& err) {
    constexpr int kShown = 20;
    for (qsizetype i = 0; i < notes.size() && i < kShown; ++i)
        err << QStringLiteral("Hinweis: ") << notes[i] << Qt::endl;
    if (notes.size() > kShown)
        err << QStringLiteral("Hinweis: … und %1 weitere.").arg(notes.size() - kShown) << Qt::endl;
}

bool reportMissing(const QString& path, QTextStream& err) {
    if (QFileInfo(path).isFile())
        return false;
    err << QStringLiteral("%1: Datei nicht gefunden.").arg(shown(path)) << Qt::endl;
    return true;
}

int exportLogs(const CommandLine& line, LogConverter& converter, QTextStream& out) {
    ConverterResult result;
    if (line.format == QStringLiteral("adif"))
        result = converter.ExportAdif(line.operands, line.output);
    else if (line.format == QStringLiteral("html"))
        result = converter.ExportHtml(line.operands, line.output);
    else
        result = converter.ExportTxtFest(line.operands, line.output);
    out << QStringLiteral("%1: %2 Kontakte aus %3 Logs exportiert.")
               .arg(shown(line.output))
               .arg(result.written)
               .arg(line.operands.size())
        << Qt::endl;
    return 0;
}

int importFile(const CommandLine& line, LogConverter& converter, QTextStream& out, QTextStream& err) {
    const QString& source = line.operands[0];
    const QString& target = line.operands[1];
    if (reportMissing(source, err))
        return 1;
    ConverterResult result;
    QString skippedWhy;
    if (line.format == QStringLiteral("adif")) {
        result = converter.ImportAdif(source, target);
        skippedWhy = QStringLiteral("ohne Datum, Zeit, Band, Mode oder Rufzeichen");
    } else {
        const StringGrid grid = converter.LoadHtml(source);
        // Without --start-line a recognised heading row is not imported as a contact.
        int start = line.startLine;
        for (int c = 0; start == 0 && c < grid.columnCount(); ++c) {
            if (grid.assignment(c) != 0)
                start = 2;
        }
        result = converter.ImportStringGrid(grid, qMax(start, 1), target);
        skippedWhy = QStringLiteral("leere Zeilen");
    }
    printNotes(result.notes, err);
    out << QStringLiteral(
               "%1: %2 Kontakte aus %3 importiert, %4 übersprungen (%5); das Log hat jetzt %6 Kontakte.")
               .arg(shown(target))
               .arg(result.written)
               .arg(shown(source))
               .arg(result.skipped)
               .arg(skippedWhy)
               .arg(result.total)
        << Qt::endl;
    return 0;
}

int join(const CommandLine& line, LogConverter& converter, QTextStream& out, QTextStream& err) {
    const QString& target = line.operands[0];
    const QStringList sources = line.operands.mid(1);
    for (const QString& source : sources) {
        if (reportMissing(source, err))
            return 1;
    }
    const ConverterResult result = converter.Verbinden(sources, target);
    out << QStringLiteral("%1: %2 Kontakte aus %3 Logs angehängt; das Log hat jetzt %4 Kontakte.")
               .arg(shown(target))
               .arg(result.written)
               .arg(sources.size())
               .arg(result.total)
        << Qt::endl;
    return 0;
}

} // namespace

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
    if (line.command == QStringLiteral("normalize") || line.command == QStringLiteral("repair"))
        return normalize(line.operands, clock, out, err);
    if (ReferenceCommands::handles(line.command))
        return ReferenceCommands::run(line, clock, out, err);
    if (SearchCommand::handles(line.command))
        return SearchCommand::run(line, clock, out, err);
    if (!line.command.isEmpty()) {
        LogConverter converter(clock);
        try {
            if (line.command == QStringLiteral("export"))
                return exportLogs(line, converter, out);
            if (line.command == QStringLiteral("import"))
                return importFile(line, converter, out, err);
            if (line.command == QStringLiteral("join"))
                return join(line, converter, out, err);
        } catch (const IoError& e) {
            err << e.message() << Qt::endl;
            return 1;
        }
    }
    err << QStringLiteral("Kein Befehl.") << Qt::endl;
    return 2;
}

} // namespace BatchCommands
