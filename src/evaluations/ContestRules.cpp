#include "evaluations/ContestRules.h"

QString& ContestRule::operator[](int column) {
    switch (column) {
    case ContestRules::Keys: return keys;
    case ContestRules::Value: return value;
    case ContestRules::Kind: return kind;
    default: return conditions;
    }
}

const QString& ContestRule::operator[](int column) const { return const_cast<ContestRule&>(*this)[column]; }

const QStringList& ContestRules::headers() {
    static const QStringList list = {QStringLiteral("NEU"), QStringLiteral("WERT"), QStringLiteral("ART"),
                                     QStringLiteral("BEDINGUNGEN")};
    return list;
}

ContestRules::ContestRules(QVector<ContestRule> rules) : m_rules(std::move(rules)) {
    if (m_rules.isEmpty())
        m_rules.resize(1);
}

void ContestRules::deleteRule(int row) {
    if (row < 0 || row >= rowCount())
        return;
    m_rules.remove(row);
    if (m_rules.isEmpty())
        m_rules.resize(1);
}
