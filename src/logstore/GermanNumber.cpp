#include "logstore/GermanNumber.h"

#include <QLocale>
#include <cmath>

namespace {
const QLocale& german() {
    static const QLocale locale = [] {
        QLocale l(QLocale::German, QLocale::Germany);
        l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        return l;
    }();
    return locale;
}
} // namespace

namespace GermanNumber {

QString format(double value) {
    const double magnitude = std::fabs(value);
    // Plain digits for every value a logbook meets; exponent form only where
    // plain digits would run to dozens of places.
    const char form = (magnitude != 0.0 && (magnitude >= 1e15 || magnitude < 1e-6)) ? 'g' : 'f';
    return german().toString(value, form, QLocale::FloatingPointShortest);
}

std::optional<double> parse(const QString& text) {
    bool ok = false;
    const double v = german().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace GermanNumber
