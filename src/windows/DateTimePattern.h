#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The date-time pattern language of the clock's title: d, m, y, h, n, s, z,
// t, c letters in runs, am/pm and a/p for the 12-hour clock, "/" and ":"
// for the locale's separators, quoted text copied literally. Letters may be
// upper or lower case; every other character is copied unchanged.
namespace DateTimePattern {
QString format(const QString& pattern, const QDateTime& time, const QLocale& locale);
} // namespace DateTimePattern
