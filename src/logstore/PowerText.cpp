#include "logstore/PowerText.h"

#include "logstore/GermanNumber.h"

#include <QLocale>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QStringView trimmedBlanks(QStringView t) {
    while (!t.isEmpty() && t.front() == u' ')
        t = t.mid(1);
    while (!t.isEmpty() && t.back() == u' ')
        t.chop(1);
    return t;
}

// Digits with at most one decimal comma or point; no sign, no exponent, no
// thousands separator.
std::optional<double> plainNumber(QStringView t) {
    QString c;
    c.reserve(t.size());
    bool digits = false, separator = false;
    for (QChar ch : t) {
        if (isDigit(ch)) {
            digits = true;
            c += ch;
        } else if ((ch == u',' || ch == u'.') && !separator) {
            separator = true;
            c += u'.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double v = c.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

namespace PowerText {

std::optional<double> watts(QStringView text) {
    QStringView t = trimmedBlanks(text);
    double factor = 1.0;
    if (t.endsWith(u'W') || t.endsWith(u'w')) {
        t.chop(1);
        if (t.endsWith(u'M') || t.endsWith(u'm'))
            factor = 0.001;
        else if (t.endsWith(u'K') || t.endsWith(u'k'))
            factor = 1000.0;
        if (factor != 1.0)
            t.chop(1);
    }
    const auto number = plainNumber(trimmedBlanks(t));
    if (!number)
        return std::nullopt;
    const double w = *number * factor;
    // Outside this range the stored text would turn to exponent form, which
    // no longer reads as a power; no transmitter comes near either end.
    if (w != 0.0 && (w < 1e-6 || w >= 1e15))
        return std::nullopt;
    return w;
}

QString logText(double watts) { return GermanNumber::format(watts) + u'W'; }

QString adifText(double watts) { return QString::number(watts, 'f', QLocale::FloatingPointShortest); }

} // namespace PowerText
