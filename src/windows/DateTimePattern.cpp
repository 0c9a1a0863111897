#include "windows/DateTimePattern.h"

#include <algorithm>

namespace {

QChar lower(QChar c) { return c.toLower(); }

qsizetype runLength(const QString& pattern, qsizetype at) {
    qsizetype n = 1;
    while (at + n < pattern.size() && lower(pattern[at + n]) == lower(pattern[at]))
        ++n;
    return n;
}

bool startsWithAt(const QString& pattern, qsizetype at, QLatin1StringView word) {
    return pattern.mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// The separator the locale writes between the parts of its short format.
QString separatorOf(const QString& localeFormat, const QString& fallback) {
    for (const QChar c : localeFormat)
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return QString(c);
    return fallback;
}

// The locale's long time without the time-zone name Qt adds to it.
QString longTimeFormat(const QLocale& locale) {
    QString f = locale.timeFormat(QLocale::LongFormat);
    f.remove(u't');
    return f.trimmed();
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); }

} // namespace

namespace DateTimePattern {

QString format(const QString& pattern, const QDateTime& time, const QLocale& locale) {
    const QDate date = time.date();
    const QTime clock = time.time();
    // A marker anywhere in the pattern turns every hour into the 12-hour clock.
    const bool twelveHours = pattern.contains(QLatin1StringView("am/pm"), Qt::CaseInsensitive) ||
                             pattern.contains(QLatin1StringView("a/p"), Qt::CaseInsensitive);
    const int hour = twelveHours ? (clock.hour() % 12 == 0 ? 12 : clock.hour() % 12) : clock.hour();

    QString out;
    bool afterHour = false; // "m" right after an hour means minutes
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (startsWithAt(pattern, i, QLatin1StringView("am/pm"))) {
            const QString marker = clock.hour() < 12 ? pattern.mid(i, 2) : pattern.mid(i + 3, 2);
            out += marker;
            i += 5;
            continue;
        }
        if (startsWithAt(pattern, i, QLatin1StringView("a/p"))) {
            out += clock.hour() < 12 ? pattern[i] : pattern[i + 2];
            i += 3;
            continue;
        }
        const qsizetype n = runLength(pattern, i);
        switch (lower(c).unicode()) {
        case u'd':
            if (n == 1 || n == 2)
                out += n == 1 ? QString::number(date.day()) : twoDigits(date.day());
            else if (n == 3 || n == 4)
                out += locale.dayName(date.dayOfWeek(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                out += locale.toString(date, n == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
            afterHour = false;
            break;
        case u'm':
            if (afterHour && n <= 2)
                out += n == 1 ? QString::number(clock.minute()) : twoDigits(clock.minute());
            else if (n <= 2)
                out += n == 1 ? QString::number(date.month()) : twoDigits(date.month());
            else
                out += locale.monthName(date.month(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            afterHour = false;
            break;
        case u'y':
            out += n <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
            afterHour = false;
            break;
        case u'h':
            out += n == 1 ? QString::number(hour) : twoDigits(hour);
            afterHour = true;
            break;
        case u'n':
            out += n == 1 ? QString::number(clock.minute()) : twoDigits(clock.minute());
            afterHour = false;
            break;
        case u's':
            out += n == 1 ? QString::number(clock.second()) : twoDigits(clock.second());
            afterHour = false;
            break;
        case u'z':
            out += n < 3 ? QString::number(clock.msec()) : QStringLiteral("%1").arg(clock.msec(), 3, 10, QChar(u'0'));
            afterHour = false;
            break;
        case u't':
            out += n == 1 ? locale.toString(clock, QLocale::ShortFormat) : locale.toString(clock, longTimeFormat(locale));
            afterHour = false;
            break;
        case u'c':
            out += locale.toString(date, QLocale::ShortFormat) + u' ' + locale.toString(clock, longTimeFormat(locale));
            afterHour = false;
            break;
        case u'/':
            out += QString(separatorOf(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"))).repeated(n);
            break;
        case u':':
            out += QString(separatorOf(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"))).repeated(n);
            break;
        default:
            out += pattern.mid(i, n);
            break;
        }
        // Runs longer than a letter knows are read again from where they end
        // (dddddddd: the long date, then "dd").
        const qsizetype used = lower(c) == u'd' ? std::min<qsizetype>(n, 6)
                               : lower(c) == u'm' || lower(c) == u'y' ? std::min<qsizetype>(n, 4)
                               : lower(c) == u'z' ? std::min<qsizetype>(n, 3)
                               : lower(c) == u'h' || lower(c) == u'n' || lower(c) == u's' || lower(c) == u't'
                                   ? std::min<qsizetype>(n, 2)
                               : lower(c) == u'c' ? 1
                                                   : n;
        i += used;
    }
    return out;
}

} // namespace DateTimePattern
