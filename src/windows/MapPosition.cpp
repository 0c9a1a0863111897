#include "windows/MapPosition.h"

#include "refdata/Locator.h"

#include <QLocale>

#include <cmath>

namespace MapPosition {

double longitudeAt(double x, int width) { return x / width * 360.0 - 180.0; }

double latitudeAt(double y, int height) { return 90.0 - y / height * 180.0; }

int markerLeft(double longitude, const QRect& map, int markerWidth) {
    return static_cast<int>(
        Locator::roundHalfEven((longitude + 180.0) / 360.0 * map.width() + map.left() - markerWidth / 2.0));
}

int markerTop(double latitude, const QRect& map, int markerHeight) {
    return static_cast<int>(
        Locator::roundHalfEven((90.0 - latitude) / 180.0 * map.height() + map.top() - markerHeight / 2.0));
}

DecimalMinutes toDecimalMinutes(double value) {
    const double whole = std::trunc(value);
    return {static_cast<int>(whole), std::fabs(value - whole) * 60.0};
}

Dms toDms(const DecimalMinutes& dm) {
    Dms result{dm.degrees, static_cast<int>(std::trunc(dm.minutes)), 0};
    result.seconds = static_cast<int>(Locator::roundHalfEven((dm.minutes - std::trunc(dm.minutes)) * 60.0));
    if (result.seconds == 60) {
        result.seconds = 0;
        ++result.minutes;
    }
    if (result.minutes == 60) {
        result.minutes = 0;
        // Away from zero: the minutes count in the direction of the sign.
        result.degrees += result.degrees < 0 ? -1 : 1;
    }
    return result;
}

double fromDecimalMinutes(int degrees, double minutes) {
    return degrees >= 0 ? degrees + minutes / 60.0 : degrees - minutes / 60.0;
}

double fromDms(int degrees, int minutes, double seconds) {
    return degrees >= 0 ? degrees + minutes / 60.0 + seconds / 3600.0
                        : degrees - minutes / 60.0 - seconds / 3600.0;
}

std::optional<QString> locatorOf(double longitude, double latitude) {
    if (!(std::fabs(longitude) <= 180.0 && std::fabs(latitude) <= 90.0))
        return std::nullopt;
    double a = std::fabs(-longitude - 180.0) / 20.0;
    const int field1 = static_cast<int>(std::trunc(a));
    a = (a - field1) * 20.0;
    double b = (latitude + 90.0) / 10.0;
    const int field2 = static_cast<int>(std::trunc(b));
    b = (b - field2) * 10.0;
    a = a / 2.0;
    const int digit1 = static_cast<int>(std::trunc(a));
    a = (a - digit1) * 2.0;
    const int digit2 = static_cast<int>(std::trunc(b));
    b = b - digit2;
    const int sub1 = static_cast<int>(std::trunc(a * 12.0));
    const int sub2 = static_cast<int>(std::trunc(b * 24.0));
    QString locator;
    locator += QChar(u'A' + field1);
    locator += QChar(u'A' + field2);
    locator += QChar(u'0' + digit1);
    locator += QChar(u'0' + digit2);
    locator += QChar(u'A' + sub1);
    locator += QChar(u'A' + sub2);
    return locator.toUpper();
}

std::optional<int> signTextIndex(double value, bool latitude) {
    if (value > 0)
        return latitude ? 90 : 92;
    if (value < 0)
        return latitude ? 91 : 93;
    return std::nullopt;
}

namespace {
QLocale plain(const QLocale& locale) {
    QLocale result = locale;
    result.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return result;
}
} // namespace

QString degreesText(double value, const QLocale& locale) {
    // "-0,0000" would show a sign for a position that has none.
    const QString text = plain(locale).toString(value, 'f', 4);
    return plain(locale).toDouble(text) == 0.0 ? plain(locale).toString(0.0, 'f', 4) : text;
}

QString minutesText(double value, const QLocale& locale) {
    // Ten decimals keep a ten-thousandth of a second and drop the noise of
    // the subtraction (0.1458 x 60 is 8.748000000000076 in binary).
    const QLocale l = plain(locale);
    QString text = l.toString(value, 'f', 10);
    const QString point = l.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text == l.negativeSign() + u'0' ? QStringLiteral("0") : text;
}

std::optional<double> readNumber(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double value = plain(locale).toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace MapPosition
