#include "cli/CallbookCommand.h"

#include "cli/BatchCommands.h"
#include "cli/EvalCommand.h"
#include "cli/ReferenceCommands.h"
#include "links/CallBookAccess.h"
#include "links/CallbookImport.h"
#include "links/CallbookSettings.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kImport = QStringLiteral("callbook-import");
const QString kLookup = QStringLiteral("callbook");
const QString kUls = QStringLiteral("--uls");
const QString kText = QStringLiteral("--text");
const QString kDatabase = QStringLiteral("--database");

void printNotes(const QStringList& notes, QTextStream& err) {
    constexpr int kShown = 20;
    for (qsizetype i = 0; i < notes.size() && i < kShown; ++i)
        err << msgText(Msg::CliNote) << notes[i] << Qt::endl;
    if (notes.size() > kShown)
        err << msgText(Msg::CliMoreNotes).arg(notes.size() - kShown) << Qt::endl;
}

int runImport(const CommandLine& line, QTextStream& out, QTextStream& err) {
    QString problem;
    const QString database = CallbookImport::databasePath(line.operands[0], &problem);
    if (database.isEmpty()) {
        err << problem << Qt::endl;
        return 1;
    }
    try {
        const bool uls = line.named.contains(kUls);
        const QString source = line.named.value(uls ? kUls : kText);
        if (uls ? !QFileInfo(source).isDir() : !QFileInfo(source).isFile()) {
            err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(source)) << Qt::endl;
            return 1;
        }
        const CallbookImportResult result =
            uls ? CallbookImport::importUls(source, database) : CallbookImport::importText(source, database);
        printNotes(result.notes, err);
        out << msgText(Msg::CliCallbookImported)
                   .arg(QDir::toNativeSeparators(database))
                   .arg(result.written)
                   .arg(result.inactive)
                   .arg(result.replaced)
            << Qt::endl;
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}

int runLookup(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load(); // unreadable: no database named, which is reported below
    QString databaseFile = CallbookSettings::fileName(settings);
    if (line.named.contains(kDatabase)) {
        QString problem;
        databaseFile = CallbookImport::databasePath(line.named.value(kDatabase), &problem);
        if (databaseFile.isEmpty()) {
            err << problem << Qt::endl;
            return 1;
        }
    }
    const std::optional<CallBook> callBook = CallBook::forDatabaseFile(databaseFile);
    if (!callBook) {
        if (line.named.contains(kDatabase))
            err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(databaseFile)) << Qt::endl;
        else
            err << msgText(Msg::CliCallbookNoDatabase) << Qt::endl;
        return 1;
    }
    const CallInfo info = callBook->GetCallInfo(line.operands[0]);
    if (info.ErrorCode != 0) {
        const LanguageTexts texts = EvalCommand::languageTexts(settings, folder);
        err << texts[CallBook::messageIndex(info.ErrorCode)] << ": " << info.ErrorCode << Qt::endl;
        return 1;
    }
    const std::pair<const char*, const QString*> fields[] = {
        {"Name", &info.Name},   {"Adresse", &info.Adresse}, {"Licence", &info.Licence}, {"Comment", &info.Comment},
        {"FaxNr", &info.FaxNr}, {"EMail", &info.EMail},     {"Field1", &info.Field1}};
    for (const auto& [name, value] : fields)
        out << name << '=' << *value << Qt::endl;
    return 0;
}

} // namespace

namespace CallbookCommand {

bool handles(const QString& command) { return command == kImport || command == kLookup; }

QStringList options(const QString& command) {
    if (command == kImport)
        return {kUls, kText};
    if (command == kLookup)
        return {kDatabase};
    return {};
}

QString usageError(const CommandLine& line) {
    if (line.command == kImport && (line.operands.size() != 1 || line.named.contains(kUls) == line.named.contains(kText)))
        return msgText(Msg::CliCallbookImportUsage);
    if (line.command == kLookup && line.operands.size() != 1)
        return msgText(Msg::CliCallbookUsage);
    return {};
}

int run(const CommandLine& line, QTextStream& out, QTextStream& err) {
    return line.command == kImport ? runImport(line, out, err) : runLookup(line, out, err);
}

} // namespace CallbookCommand
