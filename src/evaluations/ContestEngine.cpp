#include "evaluations/ContestEngine.h"

#include "logstore/Codepage.h"
#include "logstore/LogFile.h"
#include "logstore/PackedRecord.h"
#include "platform/ProgramTexts.h"
#include "refdata/Dxcc.h"
#include "refdata/Locator.h"

#include <limits>

using namespace ContestExpression;

namespace {

bool fitsInt32(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

void appendCsvCell(const QString& cell, QByteArray& out) {
    if (cell.contains(u';') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r')) {
        QString quoted = cell;
        quoted.replace(u'"', QLatin1String("\"\""));
        out += '"';
        Codepage::encodeAppend(quoted, out);
        out += '"';
    } else {
        Codepage::encodeAppend(cell, out);
    }
}

} // namespace

QString ContestFailure::text() const {
    if (row <= 0)
        return message;
    const QString column = this->column >= 0 ? ContestRules::headers()[this->column] : QString();
    return message + u'\n' + msgText(Msg::ContestFailureWhere).arg(row).arg(number).arg(rule).arg(column);
}

QByteArray ContestResult::csv() const {
    QByteArray out;
    const auto line = [&out](const auto& cells) {
        bool first = true;
        for (const QString& cell : cells) {
            if (!first)
                out += ';';
            first = false;
            appendCsvCell(cell, out);
        }
        out += "\r\n";
    };
    line(ContestColumn::names());
    for (const ContestRow& row : rows)
        line(row.cells);
    return out;
}

ContestEngine::ContestEngine(const ContestRules& rules) {
    for (const ContestRule& r : rules.rules()) {
        Rule rule;
        rule.keys = cutList(r.keys);
        rule.conditions = cutList(r.conditions);
        rule.value = r.value;
        const QString kind = r.kind.toUpper();
        rule.kind = kind == QLatin1String("PKT") ? 1 : kind == QLatin1String("MLT") ? 2 : 0;
        m_rules.append(rule);
    }
}

QString ContestEngine::indexKey(const QByteArray& subset, const QString* values) {
    QString key = QString::fromLatin1(subset);
    for (qsizetype j = 0; j < subset.size(); ++j) {
        if (subset[j] == '1') {
            key += QString::number(values[j].size());
            key += u':';
            key += values[j];
        }
    }
    return key;
}

bool ContestEngine::isNew(Rule& rule, const ContestRow& row, int rowNumber) {
    const qsizetype m = rule.keys.size();
    if (m == 0 || rowNumber == 1)
        return true; // no key, or no earlier row: nothing is evaluated
    // Row 1 is the first earlier row compared: for each key its value there,
    // then its value on the current row. Every key is evaluated there, so a
    // key that fails on the current row fails here, whatever row 1 holds.
    QVector<QString> current(m);
    for (qsizetype j = 0; j < m; ++j) {
        if (!rule.firstRowError[j].isEmpty())
            throw ContestError(rule.firstRowError[j]);
        current[j] = MakeValue(rule.keys[j], row);
    }
    QByteArray subset(m, '0');
    for (qsizetype j = 0; j < m; ++j) {
        if (!current[j].isEmpty())
            subset[j] = '1';
    }
    if (!rule.subsets.contains(subset)) {
        const qsizetype stored = rule.values.size() / m;
        for (qsizetype r = 0; r < stored; ++r)
            rule.seen.insert(indexKey(subset, rule.values.constData() + r * m));
        rule.subsets.insert(subset);
    }
    // Any matching row before the failed one ends the test, so only
    // presence matters, not which row it is.
    if (rule.seen.contains(indexKey(subset, current.constData())))
        return false;
    if (rule.failedRow != 0)
        throw ContestError(rule.failedError); // compared before any later match
    return true;
}

void ContestEngine::remember(Rule& rule, const ContestRow& row, int rowNumber) {
    const qsizetype m = rule.keys.size();
    if (m == 0 || rule.failedRow != 0)
        return; // rows after a failed one are never reached by the comparison
    QVector<QString> values(m);
    QString firstError;
    if (rowNumber == 1)
        rule.firstRowError = QVector<QString>(m);
    for (qsizetype j = 0; j < m; ++j) {
        try {
            values[j] = MakeValue(rule.keys[j], row);
        } catch (const ContestError& e) {
            if (firstError.isEmpty())
                firstError = e.message();
            if (rowNumber == 1)
                rule.firstRowError[j] = e.message();
        }
    }
    if (!firstError.isEmpty()) {
        rule.failedRow = rowNumber;
        rule.failedError = firstError;
        return;
    }
    rule.values += values;
    for (const QByteArray& subset : std::as_const(rule.subsets))
        rule.seen.insert(indexKey(subset, values.constData()));
}

bool ContestEngine::add(ContestRow row) {
    if (failed())
        return false;
    const int rowNumber = static_cast<int>(m_result.rows.size()) + 1;
    row.cells[ContestColumn::Points] = QStringLiteral("0");
    row.cells[ContestColumn::Multipliers] = QStringLiteral("0");
    m_result.rows.append(std::move(row));
    ContestRow& current = m_result.rows.last();
    for (qsizetype i = 0; i < m_rules.size(); ++i) {
        Rule& rule = m_rules[i];
        int column = ContestRules::Keys;
        try {
            if (!isNew(rule, current, rowNumber))
                continue;
            column = ContestRules::Conditions;
            if (!conditionHolds(rule.conditions, current))
                continue;
            if (rule.kind == 0)
                continue;
            column = ContestRules::Value;
            const QString value = MakeValue(rule.value, current);
            QString& cell = current.cells[rule.kind == 1 ? ContestColumn::Points : ContestColumn::Multipliers];
            const qint32 sum = toInteger(cell);
            cell = QString::number(combine(sum, u'+', toInteger(value)));
        } catch (const ContestError& e) {
            m_result.failure = ContestFailure{e.message(), rowNumber, current.cells[ContestColumn::Number],
                                              static_cast<int>(i + 1), column};
            return false;
        }
    }
    for (Rule& rule : m_rules)
        remember(rule, current, rowNumber);
    return true;
}

ContestResult ContestEngine::finish() {
    if (!failed()) {
        qint64 points = 0, multipliers = 0;
        for (const ContestRow& row : std::as_const(m_result.rows)) {
            points += toInteger(row.cells[ContestColumn::Points]);
            multipliers += toInteger(row.cells[ContestColumn::Multipliers]);
        }
        const auto totalsFailure = [this](const QString& message) {
            ContestFailure f;
            f.message = message;
            m_result.failure = f;
        };
        if (!fitsInt32(points))
            totalsFailure(msgText(Msg::ContestPointsOverflow).arg(points));
        else if (!fitsInt32(multipliers))
            totalsFailure(msgText(Msg::ContestMultipliersOverflow).arg(multipliers));
        else if (const qint64 score = points * multipliers; !fitsInt32(score)) // two 32-bit factors fit 64 bits
            totalsFailure(msgText(Msg::ContestScoreOverflow).arg(points).arg(multipliers).arg(score));
        else
            m_result.totals = ContestTotals{qint32(points), qint32(multipliers), qint32(score)};
    }
    return std::move(m_result);
}

ContestResult ContestEngine::run(LogFile& log, const ContestRules& rules, const QString& ownLocator, DxccAccess& dxcc,
                                 const LanguageTexts& texts) {
    ContestEngine engine(rules);
    ContestRowFiller filler(ownLocator, dxcc, texts);
    const DxccAccess::Hold hold(dxcc);
    log.scanPacked([&](const QString&, const PackedRecord& record) { return !engine.add(filler.fill(record)); });
    return engine.finish();
}

ContestRowFiller::ContestRowFiller(const QString& ownLocator, DxccAccess& dxcc, const LanguageTexts& texts)
    : m_own(ownLocator), m_dxcc(dxcc), m_texts(texts) {}

ContestRow ContestRowFiller::fill(const PackedRecord& record) {
    ContestRow row;
    for (int c = ContestColumn::Number; c <= ContestColumn::Locator; ++c)
        row.cells[c] = record.field(QsoRecord::Number + c);
    row.cells[ContestColumn::Comments] = record.field(QsoRecord::Comments);
    const QString& locator = row.cells[ContestColumn::Locator];
    if (locator.size() == 6) {
        const Locator::BearingDistance d = Locator::LocatDistance(m_own, locator, m_texts);
        if (d.ok())
            row.cells[ContestColumn::Distance] = d.distance.left(d.distance.indexOf(u' '));
        else
            row.distanceFailure = d.message;
        try {
            row.cells[ContestColumn::GridDistance] = QString::number(gridDistance(m_own, locator));
        } catch (const ContestError& e) {
            row.gridFailure = e.message();
        }
    } else {
        row.cells[ContestColumn::Distance] = QStringLiteral("0");
    }
    const QString& call = row.cells[ContestColumn::Call];
    auto it = m_entities.constFind(call);
    if (it == m_entities.constEnd()) {
        const DxccInfo info = m_dxcc.GetDxccInfo(call);
        it = m_entities.insert(call, {info.MainPrefix, info.Continent});
    }
    row.cells[ContestColumn::Prefix] = it->first;
    row.cells[ContestColumn::Continent] = it->second;
    return row;
}
