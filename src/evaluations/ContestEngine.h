#pragma once

#include "evaluations/ContestExpression.h"
#include "evaluations/ContestRules.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>
#include <optional>

class DxccAccess;
class LanguageTexts;
class LogFile;
class PackedRecord;

struct ContestTotals {
    qint32 points = 0;      // "Punkte": sum of the PKT cells
    qint32 multipliers = 0; // "Multis": sum of the MLT cells
    qint32 score = 0;       // "Endpunktzahl": points * multipliers
    bool operator==(const ContestTotals&) const = default;
};

// What ended a run, and where.
struct ContestFailure {
    QString message; // the error's own text
    int row = 0;     // result row of the contact, from 1; 0: the totals
    QString number;  // that contact's number field
    int rule = 0;    // rule row, from 1; 0: in no rule
    int column = -1; // ContestRules::Column the rule failed in; -1: none
    // The message, and on a second line where it happened.
    QString text() const;
};

struct ContestResult {
    // One row per contact read, in log order; after a failure the rows up
    // to and including the contact it happened at.
    QVector<ContestRow> rows;
    std::optional<ContestTotals> totals;   // the run went through
    std::optional<ContestFailure> failure; // the run stopped

    bool ok() const { return !failure.has_value(); }
    // The result table as a ";"-separated file: the header line and one line
    // per row, Windows-1252, CR LF; a cell holding ";", '"' or a line break
    // is quoted.
    QByteArray csv() const;
};

// One evaluation run: every rule on every contact, in log order. Rows are
// added one by one, each scored at once against the rows before it.
//
// The novelty test is the expensive part: compared row by row it costs
// (contacts)² evaluations per keyed rule. Each keyed rule therefore keeps the
// key values of the earlier rows, computed once per row from its final PKT
// and MLT, in hash tables, one per set of keys that are non-empty on some
// current contact (an empty key on the current contact matches anything).
// A row whose keys cannot all be evaluated fails every later novelty test of
// the rule that reaches it; the tables keep only the rows before it. Results
// and the first error are those of the row-by-row comparison.
class ContestEngine {
public:
    explicit ContestEngine(const ContestRules& rules);

    // row holds columns 0 to 16; PKT and MLT are set to "0" and then summed
    // by the rules. False when a rule failed: the run is over, failure()
    // says why, and the row stays in the table as the rules left it.
    bool add(ContestRow row);
    bool failed() const { return m_result.failure.has_value(); }
    // Ends the run: the totals when nothing failed (an empty log scores
    // 0 / 0 / 0; a sum outside 32 bits is a failure).
    ContestResult finish();

    // The whole run over a log. ownLocator is the settings' own locator.
    // Throws IoError when the log cannot be read.
    static ContestResult run(LogFile& log, const ContestRules& rules, const QString& ownLocator, DxccAccess& dxcc,
                             const LanguageTexts& texts);

private:
    struct Rule {
        QStringList keys;
        QString value;
        QStringList conditions;
        int kind = 0; // 1 PKT, 2 MLT, 0 nothing
        // Novelty state of a keyed rule.
        QVector<QString> firstRowError; // why each key failed on row 1 (empty: it did not)
        QVector<QString> values;        // key values of the rows before failedRow, keys.size() per row
        int failedRow = 0;              // the first row whose keys failed (0: none)
        QString failedError;            // the first error of that row
        QSet<QByteArray> subsets;       // the subsets of keys with a table
        QSet<QString> seen;             // subset + its key values, of every stored row
    };
    bool isNew(Rule& rule, const ContestRow& row, int rowNumber);
    void remember(Rule& rule, const ContestRow& row, int rowNumber);
    static QString indexKey(const QByteArray& subset, const QString* values);

    QVector<Rule> m_rules;
    ContestResult m_result;
};

// Columns 0 to 16 of a contact's row: the record's fields, the distances
// from the own locator and the DXCC entity.
class ContestRowFiller {
public:
    ContestRowFiller(const QString& ownLocator, DxccAccess& dxcc, const LanguageTexts& texts);
    ContestRow fill(const PackedRecord& record);

private:
    QString m_own;
    DxccAccess& m_dxcc;
    const LanguageTexts& m_texts;
    QHash<QString, std::pair<QString, QString>> m_entities; // call -> main prefix, continent
};
