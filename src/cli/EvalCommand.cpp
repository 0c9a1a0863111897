#include "cli/EvalCommand.h"

#include "cli/BatchCommands.h"
#include "cli/ReferenceCommands.h"
#include "evaluations/AwardEvaluations.h"
#include "evaluations/EvaluationFilter.h"
#include "evaluations/LocatorEvaluation.h"
#include "evaluations/QsoCounts.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "settings/GeneralSettings.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageSettings.h"
#include "settings/LanguageTexts.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kKinds = {QStringLiteral("locator"), QStringLiteral("dok"), QStringLiteral("dxcc"),
                            QStringLiteral("counts")};

char cellCharacter(SquareColour colour) {
    switch (colour) {
    case SquareColour::Worked: return 'w';
    case SquareColour::Confirmed: return 'c';
    case SquareColour::Own: return 'o';
    case SquareColour::None: break;
    }
    return '.';
}

void printLocator(const LocatorResult& r, QTextStream& out) {
    for (const SquareCell& square : r.squares) {
        if (!square.text.isEmpty())
            out << square.text << u';' << cellCharacter(square.colour) << Qt::endl;
    }
    out << Qt::endl;
    for (int row = 0; row < r.rows(); ++row) {
        QString line;
        for (int column = 0; column < r.columns(); ++column)
            line += QLatin1Char(cellCharacter(r.cell(column, row).colour));
        out << line << Qt::endl;
    }
}

} // namespace

namespace EvalCommand {

LanguageTexts languageTexts(const Settings& settings, const QString& folder) {
    QStringList lines;
    try {
        lines = LanguageFile::read(QDir(folder).filePath(LanguageSettings::fileName(settings)));
    } catch (const IoError&) {
        lines = LanguageFile::builtInGerman(); // as the window does, the file's problem aside
    }
    LanguageTexts texts;
    LanguageFile::fillTexts(lines, texts);
    return texts;
}

bool handles(const QString& command) { return command == QStringLiteral("eval"); }

QStringList options() {
    return {QStringLiteral("--bands"), QStringLiteral("--modes"), QStringLiteral("--from"), QStringLiteral("--to"),
            QStringLiteral("--first"), QStringLiteral("--last"),  QStringLiteral("--own"),  QStringLiteral("--html")};
}

QString usageError(const CommandLine& line) {
    if (!handles(line.command))
        return {};
    if (line.operands.size() != 2 || !kKinds.contains(line.operands[0]))
        return msgText(Msg::CliEvalNeeds);
    if (line.named.contains(QStringLiteral("--html")) && line.operands[0] != kKinds[0])
        return msgText(Msg::CliEvalHtmlLocatorOnly);
    return {};
}

int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    const QString& kind = line.operands[0];
    const QString& path = line.operands[1];
    if (!QFileInfo(path).isFile()) {
        err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(path)) << Qt::endl;
        return 1;
    }
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load();
    const LanguageTexts texts = languageTexts(settings, folder);

    EvaluationInputs inputs;
    const auto take = [&line](const char* option, QString& target) {
        const auto it = line.named.constFind(QLatin1String(option));
        if (it != line.named.constEnd())
            target = *it;
    };
    take("--bands", inputs.bands);
    take("--modes", inputs.modes);
    take("--from", inputs.start);
    take("--to", inputs.stop);
    take("--first", inputs.firstNumber);
    take("--last", inputs.lastNumber);
    QString error;
    const auto filter = EvaluationFilter::make(
        inputs, kind == kKinds[0] ? EvaluationFilter::Dates::WithTime : EvaluationFilter::Dates::DateOnly,
        clock.localNow().date().year(), &error);
    if (!filter) {
        err << error << Qt::endl;
        return 1;
    }
    LogFile log(path);
    try {
        if (kind == QStringLiteral("locator")) {
            const QString own = line.named.value(QStringLiteral("--own"), GeneralSettings::ownLocator(settings));
            const LocatorResult r = runLocatorEvaluation(log, *filter, own, texts);
            if (!r.error.isEmpty()) {
                err << r.error << Qt::endl;
                return 1;
            }
            if (!r.invalidSquares.isEmpty())
                err << r.invalidSquaresMessage() << Qt::endl;
            out << r.resultLine(texts) << Qt::endl;
            printLocator(r, out);
            const QString html = line.named.value(QStringLiteral("--html"));
            if (!html.isEmpty()) {
                AtomicFile file(html);
                file.open();
                file.write(locatorHtmlFile(r, GeneralSettings::ownCall(settings), texts, {}));
                file.commit();
            }
        } else if (kind == QStringLiteral("dok")) {
            const DokResult r = runDokEvaluation(log, *filter);
            if (!r.error.isEmpty()) {
                err << r.error << Qt::endl;
                return 1;
            }
            out << r.resultLine(texts) << Qt::endl;
            for (const QString& dok : r.worked)
                out << dok << QStringLiteral(";w") << Qt::endl;
            for (const QString& dok : r.confirmed)
                out << dok << QStringLiteral(";c") << Qt::endl;
        } else if (kind == QStringLiteral("dxcc")) {
            DxccAccess dxcc(folder);
            const DxccResult r = runDxccEvaluation(log, *filter, dxcc, texts);
            if (!r.shortCalls.isEmpty())
                err << r.shortCallsMessage() << Qt::endl;
            if (!r.error.isEmpty()) {
                err << r.error << Qt::endl;
                return 1;
            }
            out << r.resultLine(texts) << Qt::endl;
            for (const DxccState& s : r.all)
                out << s.country << u';' << s.state << Qt::endl;
        } else {
            const QsoCounts counts = QsoCounts::count(log);
            for (const QStringList& row : counts.table(QsoCounts::View::Overview, texts))
                out << row.join(u';') << Qt::endl;
        }
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    if (log.incompleteLine())
        err << msgText(Msg::CliNote) << log.incompleteLineText() << Qt::endl;
    return 0;
}

} // namespace EvalCommand
