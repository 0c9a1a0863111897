#pragma once

#include "logstore/QsoRecord.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

// What the edit tab decides about a contact, apart from its controls.
namespace EditRules {

// The red caption: band, mode, call and the two RST need two characters, a
// locator is either empty or six characters, and a power carries its unit.
bool captionWarns(int field, const QString& text);

// A power is stored as "<number>W"; typed digits get the unit behind them.
QString withWattUnit(const QString& power);

// The keys the power field takes besides Backspace and the editing keys.
bool powerCharAllowed(QChar c);

// Letters upper-cased one by one, so the length (and the caret) stays.
QString upperLetters(const QString& text);

// The date controls reach back to the year 100 only; an earlier date would
// come back changed when the contact is saved.
QDate earliestDate();
std::optional<QDate> readDate(const QString& text, int referenceYear);

// The first field the date and time controls cannot take, in the order the
// tab loads them (Date, UTC, QSL out, QSL in), or 0. Empty QSL dates are fine:
// they mean "no card yet". Everything before that field can be shown.
int firstUnreadableField(const QsoRecord& record, int referenceYear);

QString unreadableFieldMessage(const QString& logName, int recordNumber, int field, const QString& text);

// Equal as the log file holds them, so that an unchanged contact reads equal
// however its comments' line breaks were typed.
bool sameContact(const QsoRecord& a, const QsoRecord& b);

enum class OutsideChange { BeforeOpening, WhileEditing };
QString changedOutsideMessage(const QString& logName, int recordNumber, OutsideChange when);

// The question before a contact is deleted, naming it by number, date, UTC
// (hours and minutes), call, band and mode as the log holds them.
QString deleteQuestion(const QsoRecord& record);

} // namespace EditRules
