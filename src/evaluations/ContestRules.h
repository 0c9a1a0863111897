#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One rule row: key list, value, kind and condition list, as typed.
struct ContestRule {
    QString keys;       // "NEU": key expressions separated by ";"
    QString value;      // "WERT"
    QString kind;       // "ART": PKT or MLT, letter case ignored
    QString conditions; // "BEDINGUNGEN": conditions separated by ";"

    QString& operator[](int column);
    const QString& operator[](int column) const;
    bool operator==(const ContestRule&) const = default;
};

// The rule table. It always holds at least one rule row.
class ContestRules {
public:
    enum Column : int { Keys = 0, Value, Kind, Conditions, ColumnCount };
    static const QStringList& headers(); // "NEU", "WERT", "ART", "BEDINGUNGEN"

    ContestRules() : m_rules(1) {}
    explicit ContestRules(QVector<ContestRule> rules);

    int rowCount() const { return static_cast<int>(m_rules.size()); }
    const ContestRule& rule(int row) const { return m_rules[row]; }
    const QVector<ContestRule>& rules() const { return m_rules; }
    QString cell(int row, int column) const { return m_rules[row][column]; }
    void setCell(int row, int column, const QString& text) { m_rules[row][column] = text; }

    void appendRule() { m_rules.append(ContestRule{}); }
    // Every later row moves up by one; the last row goes when at least two
    // were there, a single row is emptied and kept.
    void deleteRule(int row);
    // Back to one empty rule row.
    void clear() { m_rules = QVector<ContestRule>(1); }

    bool operator==(const ContestRules&) const = default;

private:
    QVector<ContestRule> m_rules;
};
