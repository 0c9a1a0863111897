#include "cli/QslCommand.h"

#include "cli/BatchCommands.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"
#include "qsl/OutstandingCards.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kFlags = {QStringLiteral("--first-qso"), QStringLiteral("--band"), QStringLiteral("--mode"),
                            QStringLiteral("--day"), QStringLiteral("--year")};

// The columns of the list, as the page shows them.
constexpr int kFields[] = {QsoRecord::Number, QsoRecord::Call,  QsoRecord::Date,     QsoRecord::Utc,   QsoRecord::Band,
                           QsoRecord::Mode,   QsoRecord::RstTx, QsoRecord::Comments, QsoRecord::QslOut};

QStringList logsOf(const CommandLine& line) {
    QStringList logs;
    for (const QString& o : line.operands) {
        if (!kFlags.contains(o))
            logs << o;
    }
    return logs;
}

} // namespace

namespace QslCommand {

bool handles(const QString& command) { return command == QStringLiteral("qsl"); }

QString usageError(const CommandLine& line) {
    if (!handles(line.command))
        return {};
    for (const QString& o : line.operands) {
        if (o.startsWith(QStringLiteral("--")) && !kFlags.contains(o))
            return msgText(Msg::CliUnknownOptionFor).arg(o, line.command);
    }
    if (logsOf(line).size() != 1)
        return msgText(Msg::CliNeedsLog).arg(line.command);
    return {};
}

int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    const QString path = logsOf(line).constFirst();
    if (!QFileInfo(path).isFile()) {
        err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(path)) << Qt::endl;
        return 1;
    }
    const auto has = [&line](const QString& flag) { return line.operands.contains(flag); };
    const CardRule rule{has(kFlags[0]), has(kFlags[1]), has(kFlags[2]), has(kFlags[3]), has(kFlags[4])};
    LogFile log(path);
    QVector<OutstandingCards::Row> rows;
    try {
        rows = OutstandingCards::list(log, rule, clock.localNow().date().year());
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    if (log.incompleteLine())
        err << msgText(Msg::CliNote) << log.incompleteLineText() << Qt::endl;
    out << "#;Call;Date;UTC;Band;Mode;RST TX;Comments;QSL out" << Qt::endl;
    for (const OutstandingCards::Row& row : std::as_const(rows)) {
        QString text;
        for (int field : kFields) {
            if (field != kFields[0])
                text += u';';
            text += row.record.rawField(field); // line breaks stay "#13#10": one line per contact
        }
        out << text << Qt::endl;
    }
    err << msgText(Msg::CliQslListed).arg(QDir::toNativeSeparators(path)).arg(rows.size()) << Qt::endl;
    return 0;
}

} // namespace QslCommand
