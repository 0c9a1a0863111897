#pragma once

#include "logstore/PackedRecord.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class LogFile;

// The fields a search row can test: the sixteen record fields (index i is
// record field i + 1) and the DXCC entity of the call.
namespace SearchField {
enum : int {
    Number = 0,
    Date,
    Utc,
    Band,
    Mode,
    Call,
    RstTx,
    RstRx,
    Dok,
    Name,
    Qth,
    Locator,
    TxPwr,
    Comments,
    QslOut,
    QslIn,
    Dxcc,
    Count
};
const QStringList& texts(); // "#" … "QSL In", "DXCC"
// "ist größer als" / "ist kleiner als" make sense for these fields only.
bool allowsOrdering(int field);
} // namespace SearchField

namespace SearchOperator {
enum : int { Is = 0, IsNot, Contains, ContainsNot, Greater, Less, Count };
const QStringList& texts(); // "ist" … "ist kleiner als"
bool isOrdering(int op);
} // namespace SearchOperator

// One row of the search tab. field and op are -1 while nothing is chosen.
struct SearchCondition {
    bool enabled = false;
    int field = -1;
    int op = -1;
    QString value;
};

// The conditions of the search tab, all of which must hold ("and" only).
// Text comparisons ignore the case of ASCII letters. The ordering operators
// compare dates on "Date", "QSL Out" and "QSL In", times of day on "UTC",
// watts on "TX Pwr" ("0,5W", "5mW", "1,5kW" or a bare number) and numbers
// with a decimal comma on "#"; a text that cannot be read makes the
// condition fail.
class SearchQuery {
public:
    // The entity of a call, for the field "DXCC"; without one that field is empty.
    using EntityOf = std::function<QString(const QString& call)>;

    SearchQuery(QVector<SearchCondition> conditions, int referenceYear, EntityOf entityOf = {});

    // The field a row shows after any field or operator selection changed:
    // an ordering operator on a field that has no order falls back to "#".
    static int fieldAfterSelection(int field, int op);

    static bool holds(int op, int field, const QString& fieldText, const QString& value, int referenceYear);

    bool hasConditions() const;
    bool matches(const PackedRecord& record) const;
    // Reads the log from the start; the contacts that pass, in log order.
    // Throws IoError when the log cannot be read.
    QVector<PackedRecord> run(LogFile& log) const;

private:
    QString fieldText(const PackedRecord& record, int field) const;

    QVector<SearchCondition> m_conditions;
    int m_referenceYear;
    EntityOf m_entityOf;
    // Calls repeat a lot in a log; each is looked up once per search.
    mutable QHash<QString, QString> m_entities;
};
