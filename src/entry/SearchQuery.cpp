#include "entry/SearchQuery.h"

#include "logstore/BandList.h"
#include "logstore/DateText.h"
#include "logstore/GermanNumber.h"
#include "logstore/LogFile.h"
#include "logstore/PowerText.h"

#include <optional>

namespace SearchField {
const QStringList& texts() {
    static const QStringList t = [] {
        QStringList list = QsoRecord::gridTitles();
        list << QStringLiteral("DXCC");
        return list;
    }();
    return t;
}

bool allowsOrdering(int field) {
    switch (field) {
    case Number:
    case Date:
    case Utc:
    case TxPwr:
    case QslOut:
    case QslIn: return true;
    default: return false;
    }
}
} // namespace SearchField

namespace SearchOperator {
const QStringList& texts() {
    static const QStringList t = {QStringLiteral("ist"),           QStringLiteral("ist nicht"),
                                  QStringLiteral("enthält"),       QStringLiteral("enthält nicht"),
                                  QStringLiteral("ist größer als"), QStringLiteral("ist kleiner als")};
    return t;
}

bool isOrdering(int op) { return op == Greater || op == Less; }
} // namespace SearchOperator

namespace {

// -1, 0 or 1; nullopt when either text cannot be read for this field.
std::optional<int> compareOrdered(int field, const QString& a, const QString& b, int referenceYear) {
    auto order = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (field) {
    case SearchField::Date:
    case SearchField::QslOut:
    case SearchField::QslIn: {
        const auto x = DateText::parseDate(a, referenceYear);
        const auto y = DateText::parseDate(b, referenceYear);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case SearchField::Utc: {
        const auto x = DateText::parseTime(a);
        const auto y = DateText::parseTime(b);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case SearchField::TxPwr: {
        const auto x = PowerText::watts(a);
        const auto y = PowerText::watts(b);
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    case SearchField::Number: {
        const auto x = GermanNumber::parse(a.trimmed());
        const auto y = GermanNumber::parse(b.trimmed());
        if (!x || !y)
            return std::nullopt;
        return order(*x, *y);
    }
    default: return std::nullopt;
    }
}

} // namespace

SearchQuery::SearchQuery(QVector<SearchCondition> conditions, int referenceYear, EntityOf entityOf)
    : m_conditions(std::move(conditions)), m_referenceYear(referenceYear), m_entityOf(std::move(entityOf)) {}

int SearchQuery::fieldAfterSelection(int field, int op) {
    if (SearchOperator::isOrdering(op) && !SearchField::allowsOrdering(field))
        return SearchField::Number;
    return field;
}

bool SearchQuery::holds(int op, int field, const QString& fieldText, const QString& value, int referenceYear) {
    const QString text = AsciiCase::toLower(fieldText);
    const QString wanted = AsciiCase::toLower(value);
    switch (op) {
    case SearchOperator::Is: return text == wanted;
    case SearchOperator::IsNot: return text != wanted;
    case SearchOperator::Contains: return !wanted.isEmpty() && text.contains(wanted);
    case SearchOperator::ContainsNot: return wanted.isEmpty() || !text.contains(wanted);
    case SearchOperator::Greater:
    case SearchOperator::Less: {
        const auto order = compareOrdered(field, text, wanted, referenceYear);
        if (!order)
            return false;
        return op == SearchOperator::Greater ? *order > 0 : *order < 0;
    }
    default: return false;
    }
}

bool SearchQuery::hasConditions() const {
    for (const SearchCondition& c : m_conditions) {
        if (c.enabled)
            return true;
    }
    return false;
}

QString SearchQuery::fieldText(const PackedRecord& record, int field) const {
    if (field >= 0 && field < QsoRecord::FieldCount)
        return record.field(field + 1);
    if (field != SearchField::Dxcc || !m_entityOf)
        return {};
    const QString call = record.field(QsoRecord::Call);
    auto it = m_entities.constFind(call);
    if (it == m_entities.constEnd())
        it = m_entities.insert(call, m_entityOf(call));
    return *it;
}

bool SearchQuery::matches(const PackedRecord& record) const {
    for (const SearchCondition& c : m_conditions) {
        if (c.enabled && !holds(c.op, c.field, fieldText(record, c.field), c.value, m_referenceYear))
            return false;
    }
    return true;
}

QVector<PackedRecord> SearchQuery::run(LogFile& log) const {
    QVector<PackedRecord> hits;
    log.scanPacked([&](const QString&, const PackedRecord& record) {
        if (matches(record))
            hits.push_back(record);
        return false;
    });
    return hits;
}
