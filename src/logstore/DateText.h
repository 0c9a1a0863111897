#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// Date and time texts as the log stores them: dates "dd.mm.yyyy" (read
// day.month.year, two- or four-digit year), times "hh:nn:ss".
namespace DateText {

// A two-digit year yy means 20yy unless that lies more than one year after
// referenceYear, then 19yy: contacts lie in the past, so with 2026 as the
// reference '03' is 2003, '27' is 2027 and '85' is 1985.
int twoDigitYear(int yy, int referenceYear);

std::optional<QDate> parseDate(const QString& text, int referenceYear);
std::optional<QTime> parseTime(const QString& text);

QString formatDate(const QDate& date); // "dd.mm.yyyy"
QString formatTime(const QTime& time); // "hh:nn:ss"

} // namespace DateText
