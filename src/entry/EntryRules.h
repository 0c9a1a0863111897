#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class Clock;

// The power editor's arrow keys: finer steps in the QRP range.
namespace TxPowerStep {
int up(int watts);
int down(int watts);
// The whole number of watts before the "W", if it is one ("100W", "5").
std::optional<int> wholeWatts(const QString& text);
} // namespace TxPowerStep

// The text appended to RST TX (a serial number or a fixed exchange).
namespace RstTxAppend {
// rst with the append text added, unless it is empty or already in rst.
QString apply(const QString& rst, const QString& appendText);
// "001" -> "002", "999" -> "1000"; nullopt when the text is no whole number.
std::optional<QString> next(const QString& appendText);
bool isWholeNumber(const QString& text);
// The note pad shows the number being given out on its fourth line ("TX# 001")
// unless the operator wrote something else there.
QString memoWithNumberLine(const QString& memo, const QString& appendText);
} // namespace RstTxAppend

// The date and time the mask shows for a new contact.
namespace MaskClock {
// UTC: from the system clock when the offset is automatic, else local time
// plus the configured whole hours.
QDateTime utcNow(const Clock& clock, bool automatic, int offsetHours);
// The difference UTC minus local time of the system time zone, in hours.
double automaticOffsetHours(const Clock& clock);
} // namespace MaskClock
