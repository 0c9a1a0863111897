#include "cli/ContestCommand.h"

#include "cli/BatchCommands.h"
#include "cli/EvalCommand.h"
#include "cli/ReferenceCommands.h"
#include "evaluations/ContestEngine.h"
#include "evaluations/ContestRulesFile.h"
#include "evaluations/ContestWorkbook.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace ContestCommand {

bool handles(const QString& command) { return command == QStringLiteral("contest"); }

QStringList options() { return {QStringLiteral("--own"), QStringLiteral("--csv"), QStringLiteral("--xlsx")}; }

QString usageError(const CommandLine& line) {
    if (!handles(line.command) || line.operands.size() == 2)
        return {};
    return msgText(Msg::CliContestNeeds);
}

int run(const CommandLine& line, Clock&, QTextStream& out, QTextStream& err) {
    const QString& rulesPath = line.operands[0];
    const QString& logPath = line.operands[1];
    for (const QString& path : {rulesPath, logPath}) {
        if (!QFileInfo(path).isFile()) {
            err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(path)) << Qt::endl;
            return 1;
        }
    }
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load();
    const LanguageTexts texts = EvalCommand::languageTexts(settings, folder);
    const QString own = line.named.value(QStringLiteral("--own"), GeneralSettings::ownLocator(settings));
    LogFile log(logPath);
    try {
        const ContestRulesFile::Loaded rules = ContestRulesFile::load(rulesPath);
        if (!rules.error.isEmpty()) {
            err << rules.error << Qt::endl; // half a rule table would give a wrong score
            return 1;
        }
        DxccAccess dxcc(folder);
        const ContestResult result = ContestEngine::run(log, rules.rules, own, dxcc, texts);
        if (log.incompleteLine())
            err << msgText(Msg::CliNote) << log.incompleteLineText() << Qt::endl;
        if (!result.ok()) {
            err << result.failure->text() << Qt::endl;
            return 1;
        }
        out << msgText(Msg::CliContestPoints).arg(result.totals->points) << Qt::endl
            << msgText(Msg::CliContestMultipliers).arg(result.totals->multipliers) << Qt::endl
            << msgText(Msg::CliContestScore).arg(result.totals->score) << Qt::endl;
        const QString csv = line.named.value(QStringLiteral("--csv"));
        if (!csv.isEmpty()) {
            AtomicFile file(csv);
            file.open();
            file.write(result.csv());
            file.commit();
        }
        const QString xlsx = line.named.value(QStringLiteral("--xlsx"));
        if (!xlsx.isEmpty())
            ContestWorkbook::write(result, xlsx);
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace ContestCommand
