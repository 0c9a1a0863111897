#include "cli/SearchCommand.h"

#include "cli/BatchCommands.h"
#include "session/ProgramFolder.h"
#include "entry/SearchQuery.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"
#include "refdata/Dxcc.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

constexpr int kMaxConditions = 5;

const QStringList& englishOperators() {
    static const QStringList t = {QStringLiteral("is"),           QStringLiteral("is not"),
                                  QStringLiteral("contains"),     QStringLiteral("does not contain"),
                                  QStringLiteral("is greater than"), QStringLiteral("is less than")};
    return t;
}

const QStringList& shortOperators() {
    static const QStringList t = {QStringLiteral("is"),           QStringLiteral("is-not"),
                                  QStringLiteral("contains"),     QStringLiteral("contains-not"),
                                  QStringLiteral("gt"),           QStringLiteral("lt")};
    return t;
}

int indexIn(const QStringList& list, const QString& name) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

namespace SearchCommand {

bool handles(const QString& command) { return command == QStringLiteral("search"); }

int fieldIndex(const QString& name) { return indexIn(SearchField::texts(), name.trimmed()); }

int operatorIndex(const QString& name) {
    const QString n = name.trimmed();
    for (const QStringList* list : {&SearchOperator::texts(), &englishOperators(), &shortOperators()}) {
        const int i = indexIn(*list, n);
        if (i >= 0)
            return i;
    }
    return -1;
}

QString usageError(const CommandLine& line) {
    if (!handles(line.command))
        return {};
    const qsizetype n = line.operands.size();
    if (n < 4 || (n - 1) % 3 != 0 || (n - 1) / 3 > kMaxConditions)
        return msgText(Msg::CliSearchNeeds);
    for (qsizetype i = 1; i < n; i += 3) {
        const qsizetype row = (i - 1) / 3 + 1;
        if (fieldIndex(line.operands[i]) < 0) {
            return msgText(Msg::CliNoSuchField)
                .arg(row)
                .arg(line.operands[i], SearchField::texts().join(QStringLiteral(", ")));
        }
        if (operatorIndex(line.operands[i + 1]) < 0) {
            return msgText(Msg::CliNoSuchOperator)
                .arg(row)
                .arg(line.operands[i + 1], SearchOperator::texts().join(QStringLiteral(", ")));
        }
    }
    return {};
}

int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    const QString path = QFileInfo(line.operands[0]).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        err << msgText(Msg::CliFileNotFound).arg(QDir::toNativeSeparators(line.operands[0]))
            << Qt::endl;
        return 1;
    }
    QVector<SearchCondition> conditions;
    bool needsDxcc = false;
    for (qsizetype i = 1; i + 2 < line.operands.size(); i += 3) {
        const int field = fieldIndex(line.operands[i]);
        // The same rule as the tab: an ordering operator on a field without
        // an order compares the number.
        const int op = operatorIndex(line.operands[i + 1]);
        conditions.push_back({true, SearchQuery::fieldAfterSelection(field, op), op, line.operands[i + 2]});
        needsDxcc = needsDxcc || field == SearchField::Dxcc;
    }

    std::unique_ptr<DxccAccess> dxcc;
    if (needsDxcc) {
        QString error;
        QStringList warnings;
        const QString folder = ProgramFolder::prepare(line.folder, &error, &warnings);
        for (const QString& w : warnings)
            err << w << Qt::endl;
        if (folder.isEmpty()) {
            err << error << Qt::endl;
            return 1;
        }
        dxcc = std::make_unique<DxccAccess>(folder);
    }
    SearchQuery::EntityOf entityOf;
    if (dxcc)
        entityOf = [&dxcc](const QString& call) { return dxcc->GetDxccCountry(call); };
    const SearchQuery query(conditions, clock.localNow().date().year(), entityOf);
    LogFile log(path);
    QVector<PackedRecord> hits;
    try {
        std::unique_ptr<DxccAccess::Hold> hold;
        if (dxcc)
            hold = std::make_unique<DxccAccess::Hold>(*dxcc);
        hits = query.run(log);
        if (log.incompleteLine())
            err << msgText(Msg::CliNote) << log.incompleteLineText() << Qt::endl;
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    if (dxcc) {
        for (const QString& p : dxcc->problems())
            err << p << Qt::endl;
    }
    for (const PackedRecord& r : hits)
        out << r.toRecord().encodeLine() << Qt::endl;
    err << msgText(Msg::CliFound).arg(QDir::toNativeSeparators(line.operands[0])).arg(hits.size())
        << Qt::endl;
    return 0;
}

} // namespace SearchCommand
