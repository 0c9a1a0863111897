#include "cli/BatchCommands.h"

#include "cli/ReferenceCommands.h"
#include "cli/CallbookCommand.h"
#include "cli/ContestCommand.h"
#include "cli/CwCommand.h"
#include "cli/EvalCommand.h"
#include "cli/QslCommand.h"
#include "cli/RigCommand.h"
#include "cli/SearchCommand.h"
#include "converter/LogConverter.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"
#include "settings/LanguageSettings.h"
#include "settings/Settings.h"
#include "session/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kCommands = {QStringLiteral("normalize"), QStringLiteral("export"), QStringLiteral("import"),
                               QStringLiteral("repair"),    QStringLiteral("join"),   QStringLiteral("dxcc"),
                               QStringLiteral("dxcc-index"), QStringLiteral("locator"), QStringLiteral("sun"),
                               QStringLiteral("dok"),       QStringLiteral("dok-import"), QStringLiteral("search"),
                               QStringLiteral("qsl"),       QStringLiteral("eval"),       QStringLiteral("contest"),
                               QStringLiteral("cw"),        QStringLiteral("callbook-import"),
                               QStringLiteral("callbook"),
                               QStringLiteral("rig")};

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
    if (command == QStringLiteral("eval"))
        return EvalCommand::options();
    if (ContestCommand::handles(command))
        return ContestCommand::options();
    if (CwCommand::handles(command))
        return CwCommand::options();
    if (CallbookCommand::handles(command))
        return CallbookCommand::options(command);
    if (RigCommand::handles(command))
        return RigCommand::options();
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
            return msgText(Msg::CliNeedsValue).arg(name);
        value = arguments[++i];
    }
    if (!optionsOf(line.command).contains(name))
        return msgText(Msg::CliUnknownOptionFor).arg(a, line.command);
    if (value.isEmpty())
        return msgText(Msg::CliNeedsValue).arg(name);
    if (line.command == QStringLiteral("eval") || ContestCommand::handles(line.command) ||
        CwCommand::handles(line.command) || CallbookCommand::handles(line.command) ||
        RigCommand::handles(line.command)) {
        line.named[name] = value;
    } else if (name == QStringLiteral("--utc")) {
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
            return msgText(Msg::CliStartLineNumber).arg(value);
    } else {
        return msgText(Msg::CliUnknownOptionFor).arg(a, line.command);
    }
    return {};
}

QString commandUsageError(const CommandLine& line) {
    const QString& c = line.command;
    const qsizetype n = line.operands.size();
    if ((c == QStringLiteral("normalize") || c == QStringLiteral("repair")) && n == 0)
        return msgText(Msg::CliNeedsLog).arg(c);
    if (c == QStringLiteral("join") && n < 2)
        return msgText(Msg::CliJoinNeeds);
    const QString reference = ReferenceCommands::usageError(line);
    if (!reference.isEmpty())
        return reference;
    const QString search = SearchCommand::usageError(line);
    if (!search.isEmpty())
        return search;
    const QString qsl = QslCommand::usageError(line);
    if (!qsl.isEmpty())
        return qsl;
    const QString eval = EvalCommand::usageError(line);
    if (!eval.isEmpty())
        return eval;
    const QString contest = ContestCommand::usageError(line);
    if (!contest.isEmpty())
        return contest;
    const QString cw = CwCommand::usageError(line);
    if (!cw.isEmpty())
        return cw;
    const QString callbook = CallbookCommand::usageError(line);
    if (!callbook.isEmpty())
        return callbook;
    const QString rig = RigCommand::usageError(line);
    if (!rig.isEmpty())
        return rig;
    if (c == QStringLiteral("export")) {
        if (!QStringList{"adif", "html", "txt"}.contains(line.format))
            return msgText(Msg::CliExportFormat);
        if (line.output.isEmpty())
            return msgText(Msg::CliExportOutput);
        if (line.startLine != 0)
            return msgText(Msg::CliStartLineHtmlOnly);
        if (n == 0)
            return msgText(Msg::CliExportNeedsLog);
    }
    if (c == QStringLiteral("import")) {
        if (!QStringList{"adif", "html"}.contains(line.format))
            return msgText(Msg::CliImportFormat);
        if (!line.output.isEmpty())
            return msgText(Msg::CliOutputExportOnly);
        if (line.startLine != 0 && line.format != QStringLiteral("html"))
            return msgText(Msg::CliStartLineHtmlOnly);
        if (n != 2)
            return msgText(Msg::CliImportTwoFiles);
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
                line.usageError = msgText(Msg::CliNeedsValue).arg(a);
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
            line.usageError = msgText(Msg::CliUnknownOption).arg(a);
        } else if (kCommands.contains(a)) {
            line.command = a;
        } else {
            line.usageError = msgText(Msg::CliUnknownCommand).arg(a);
        }
        if (!line.usageError.isEmpty())
            return line;
    }
    if (!line.command.isEmpty())
        line.usageError = commandUsageError(line);
    if (!line.usageError.isEmpty())
        return line;
    if (!line.command.isEmpty() && !line.screenshotFile.isEmpty())
        line.usageError = msgText(Msg::CliScreenshotWindowOnly).arg(line.command);
    return line;
}

namespace BatchCommands {

void loadLanguage(const QString& commandLineFolder, QTextStream& err) {
    const QString folder = ProgramFolder::choose(commandLineFolder, qEnvironmentVariable("VESK_FOLDER"),
                                                 QCoreApplication::applicationDirPath(), ProgramFolder::perUserFolder())
                               .path;
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load(); // unreadable: the defaults, German, apply
    const QString language = LanguageSettings::fileName(settings);
    const QString problem = ProgramTexts::loadFor(QDir(folder).filePath(language));
    if (!problem.isEmpty())
        err << problem << Qt::endl << msgText(Msg::BuiltInGermanApplies) << Qt::endl;
}

QString versionText() { return QStringLiteral("Vesk " VESK_VERSION_TEXT); }

QString helpText() {
    return msgText(Msg::CliHelp) + msgText(Msg::CliHelpCw) + msgText(Msg::CliHelpCallbook) + msgText(Msg::CliHelpRig);
}

int normalize(const QStringList& logs, Clock& clock, QTextStream& out, QTextStream& err) {
    int status = 0;
    for (const QString& name : logs) {
        const QString path = QFileInfo(name).absoluteFilePath();
        if (!QFileInfo(path).isFile()) {
            err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(name)) << Qt::endl;
            status = 1;
            continue;
        }
        try {
            LogFile log(path);
            const int count = log.Normalize(clock.localNow());
            if (log.incompleteLine())
                err << msgText(Msg::CliNote) << log.incompleteLineText() << Qt::endl;
            out << msgText(Msg::CliNormalized).arg(QDir::toNativeSeparators(name)).arg(count)
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
        err << msgText(Msg::CliNote) << notes[i] << Qt::endl;
    if (notes.size() > kShown)
        err << msgText(Msg::CliMoreNotes).arg(notes.size() - kShown) << Qt::endl;
}

bool reportMissing(const QString& path, QTextStream& err) {
    if (QFileInfo(path).isFile())
        return false;
    err << msgText(Msg::CliFileNotFound).arg(shown(path)) << Qt::endl;
    return true;
}

int exportLogs(const CommandLine& line, LogConverter& converter, QTextStream& out, QTextStream& err) {
    ConverterResult result;
    if (line.format == QStringLiteral("adif"))
        result = converter.ExportAdif(line.operands, line.output);
    else if (line.format == QStringLiteral("html"))
        result = converter.ExportHtml(line.operands, line.output);
    else
        result = converter.ExportTxtFest(line.operands, line.output);
    printNotes(result.notes, err);
    out << msgText(Msg::CliExported)
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
        skippedWhy = msgText(Msg::CliSkippedAdif);
    } else {
        const StringGrid grid = converter.LoadHtml(source);
        // Without --start-line a recognised heading row is not imported as a contact.
        int start = line.startLine;
        for (int c = 0; start == 0 && c < grid.columnCount(); ++c) {
            if (grid.assignment(c) != 0)
                start = 2;
        }
        result = converter.ImportStringGrid(grid, qMax(start, 1), target);
        skippedWhy = msgText(Msg::CliSkippedRows);
    }
    printNotes(result.notes, err);
    out << msgText(Msg::CliImported)
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
    printNotes(result.notes, err);
    out << msgText(Msg::CliJoined)
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
        err << line.usageError << Qt::endl << msgText(Msg::CliHelpHint) << Qt::endl;
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
    if (QslCommand::handles(line.command))
        return QslCommand::run(line, clock, out, err);
    if (EvalCommand::handles(line.command))
        return EvalCommand::run(line, clock, out, err);
    if (ContestCommand::handles(line.command))
        return ContestCommand::run(line, clock, out, err);
    if (CwCommand::handles(line.command))
        return CwCommand::run(line, out, err);
    if (CallbookCommand::handles(line.command))
        return CallbookCommand::run(line, out, err);
    if (RigCommand::handles(line.command))
        return RigCommand::run(line, out, err);
    if (!line.command.isEmpty()) {
        LogConverter converter(clock);
        try {
            if (line.command == QStringLiteral("export"))
                return exportLogs(line, converter, out, err);
            if (line.command == QStringLiteral("import"))
                return importFile(line, converter, out, err);
            if (line.command == QStringLiteral("join"))
                return join(line, converter, out, err);
        } catch (const IoError& e) {
            err << e.message() << Qt::endl;
            return 1;
        }
    }
    err << msgText(Msg::CliNoCommand) << Qt::endl;
    return 2;
}

} // namespace BatchCommands
