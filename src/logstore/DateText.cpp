#include "logstore/DateText.h"

namespace {

// Parses an unsigned decimal number made of 1..maxDigits digits.
std::optional<int> number(QStringView s, int maxDigits) {
    if (s.isEmpty() || s.size() > maxDigits)
        return std::nullopt;
    int v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

} // namespace

namespace DateText {

int twoDigitYear(int yy, int referenceYear) {
    const int modern = 2000 + yy;
    return modern <= referenceYear + 1 ? modern : 1900 + yy;
}

std::optional<QDate> parseDate(const QString& text, int referenceYear) {
    const QStringView t = QStringView(text).trimmed();
    const qsizetype p1 = t.indexOf(u'.');
    if (p1 < 0)
        return std::nullopt;
    const qsizetype p2 = t.indexOf(u'.', p1 + 1);
    if (p2 < 0)
        return std::nullopt;
    const auto day = number(t.first(p1), 2);
    const auto month = number(t.sliced(p1 + 1, p2 - p1 - 1), 2);
    const QStringView yearText = t.sliced(p2 + 1);
    const auto year = number(yearText, 4);
    if (!day || !month || !year)
        return std::nullopt;
    int y = *year;
    if (yearText.size() <= 2)
        y = twoDigitYear(y, referenceYear);
    else if (yearText.size() != 4)
        return std::nullopt;
    const QDate d(y, *month, *day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> parseTime(const QString& text) {
    const QStringView t = QStringView(text).trimmed();
    const qsizetype p1 = t.indexOf(u':');
    if (p1 < 0)
        return std::nullopt;
    const qsizetype p2 = t.indexOf(u':', p1 + 1);
    const auto h = number(t.first(p1), 2);
    const auto m = number(p2 < 0 ? t.sliced(p1 + 1) : t.sliced(p1 + 1, p2 - p1 - 1), 2);
    const auto s = p2 < 0 ? std::optional<int>(0) : number(t.sliced(p2 + 1), 2);
    if (!h || !m || !s)
        return std::nullopt;
    const QTime time(*h, *m, *s);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString formatDate(const QDate& date) {
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString formatTime(const QTime& time) {
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

} // namespace DateText
