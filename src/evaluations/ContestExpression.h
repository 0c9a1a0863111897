#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <stdexcept>

// The columns of the contest result table. Their headers are at the same
// time the variable names of the rules' expression language.
namespace ContestColumn {
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
    Comments,
    Distance,
    GridDistance,
    Prefix,
    Continent,
    Points,
    Multipliers,
    Count
};
// "fNumber" ... "fContinent", "PKT", "MLT"
const QStringList& names();
// The column a variable name stands for, letter case ignored; -1 for none.
int of(QStringView name);
} // namespace ContestColumn

// One contact's row of the result table.
struct ContestRow {
    std::array<QString, ContestColumn::Count> cells;
    // Why fDistance or fGrdDistance hold no value on this row (empty: they
    // do). A rule that reads the variable fails with this message; rules that
    // do not read it are not hindered by one odd locator in the log.
    QString distanceFailure;
    QString gridFailure;
};

// A failure while an expression, a key list or a condition list is
// evaluated; the message is the text the user is shown.
class ContestError : public std::runtime_error {
public:
    explicit ContestError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The rules' expression language. All values are texts; arithmetic reads its
// operands as 32-bit signed integers. Every function throws ContestError.
namespace ContestExpression {

// The value of an expression on a row: operators (one precedence, from the
// left), then the functions pos/copy/length, then single values (a quoted
// text, a number, a variable).
QString MakeValue(QStringView expression, const ContestRow& row);

// The list cut at every ";" (quotes do not protect it); a list of blanks
// alone is empty, that is no piece at all.
QStringList cutList(const QString& list);

// Every piece of the condition list holds: "a eq b", "a neq b" or empty.
// Testing stops at the first piece that does not hold.
bool conditionHolds(const QStringList& pieces, const ContestRow& row);
bool conditionHolds(const QString& conditions, const ContestRow& row);

// The text as a 32-bit signed integer: an optional sign and decimal digits.
qint32 toInteger(const QString& text);

// Sum, difference, product or quotient (truncated towards zero) of a and b,
// failing outside the 32-bit range and on a division by zero.
qint32 combine(qint32 a, QChar op, qint32 b);

// max(|xA - xB|, |yA - yB|) + 1 over the first four characters of both
// locators, x = 10 * letter + digit; a third or fourth character that is no
// digit fails with the conversion error.
int gridDistance(QStringView own, QStringView other);

} // namespace ContestExpression
