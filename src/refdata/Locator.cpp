#include "refdata/Locator.h"

#include "settings/LanguageTexts.h"
#include "platform/ProgramTexts.h"

#include <array>
#include <cmath>
#include <optional>

namespace Locator {

namespace {

constexpr qsizetype LocatorLength = 6;

// ASCII only: the distance is computed on every keystroke, and upper-casing a
// copy of the text would cost an allocation per call.
char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

// Half-longitude H and latitude of the sub-square centre; each value is
// checked as it is used, F against 0..18, D against 0..9, S + 0.5 against
// 0..24, which lets the field letter "S" and the sub-square letter "X" pass.
struct Centre {
    double halfLongitude;
    double latitude;
};

std::optional<double> axis(char16_t field, char16_t square, char16_t sub) {
    const int f = int(field) - 'A';
    const int d = int(square) - '0';
    const double s = int(sub) - 'A' + 0.5;
    if (f < 0 || f > 18 || d < 0 || d > 9 || s < 0.0 || s > 24.0) return std::nullopt;
    return 10.0 * f + d + s / 24.0 - 90.0;
}

std::optional<Centre> centre(QStringView locator, bool upperCase) {
    if (locator.size() != LocatorLength) return std::nullopt;
    std::array<char16_t, LocatorLength> c{};
    for (qsizetype i = 0; i < LocatorLength; ++i)
        c[std::size_t(i)] = upperCase ? upperAscii(locator[i]) : locator[i].unicode();
    const auto h = axis(c[0], c[2], c[4]);
    if (!h) return std::nullopt;
    const auto lat = axis(c[1], c[3], c[5]);
    if (!lat) return std::nullopt;
    return Centre{*h, *lat};
}

// One allocation: the digits and the unit go straight into the result text.
// The values are whole numbers between 0 and a half circumference of the earth
// in kilometres, so they fit an integer; formatting with snprintf took a third
// of the time of the whole distance computation.
QString integerWithUnit(double rounded, QStringView unit) {
    char16_t buffer[24];
    char16_t* end = buffer + 16;
    char16_t* p = end;
    auto n = static_cast<unsigned long long>(std::fabs(rounded));
    do {
        *--p = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n != 0 && p > buffer);
    for (QChar c : unit)
        *end++ = c.unicode();
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}

constexpr QStringView DegreeUnit = u" \u00B0";
constexpr QStringView KilometreUnit = u" km";

Course course(double lat1, double lat2, double deltaLambda) {
    const double phi1 = lat1 / DegreesPerRadian;
    const double phi2 = lat2 / DegreesPerRadian;
    const double sinPhi1 = std::sin(phi1), cosPhi1 = std::cos(phi1);
    const double sinPhi2 = std::sin(phi2), cosPhi2 = std::cos(phi2);
    const double sinDl = std::sin(deltaLambda);
    const double c = sinPhi1 * sinPhi2 + cosPhi1 * cosPhi2 * std::cos(deltaLambda);

    // For two equal points c comes out a hair above 1, and the square root of
    // the negative 1 - c² would make the distance "nan". For c == 0 the
    // points lie a quarter turn apart; for antipodes the quotient is -0 and
    // "a < 0" would miss the half turn, so the sign of c decides.
    double a;
    if (c == 0.0) {
        a = HalfTurn / 2.0;
    } else {
        a = std::atan(std::sqrt(std::max(0.0, 1.0 - c * c)) / c);
        if (c < 0.0) a += HalfTurn;
    }

    double beta = 0.0;
    if (phi1 != phi2) beta = (std::fabs(phi1 - phi2) / (phi1 - phi2) + 1.0) * 90.0;
    if (deltaLambda != 0.0) {
        const double num = sinPhi1 * c - sinPhi2;
        const double den = cosPhi1 * cosPhi2 * sinDl;
        // A zero denominator is the limit of an ever steeper quotient: the
        // arc tangent is a quarter turn with the numerator's sign.
        double t;
        if (den != 0.0)
            t = std::atan(num / den);
        else
            t = num > 0.0 ? HalfTurn / 2.0 : (num < 0.0 ? -HalfTurn / 2.0 : 0.0);
        beta = t * DegreesPerRadian + 90.0;
    }
    if (sinDl < 0.0) beta += 180.0;
    return Course{beta, EarthRadiusKm * a};
}

// A bearing just short of a full turn rounds to 360; due north reads 0 °.
QString bearingText(double degrees) {
    const double rounded = roundHalfEven(degrees);
    return integerWithUnit(rounded >= 360.0 ? rounded - 360.0 : rounded, DegreeUnit);
}

QString impossible(const LanguageTexts& texts, const QString& detail) {
    return texts[LanguageTexts::ImpossibleLocator] + QStringLiteral(" (") + detail + u')';
}

Degrees degreesOrError(const QString& locator, bool longitude) {
    const auto c = centre(locator, false);
    if (!c) return Degrees{0.0, msgText(Msg::ImpossibleLocatorStart) + locator + u')'};
    return Degrees{longitude ? 2.0 * c->halfLongitude : c->latitude, QString()};
}

} // namespace

double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double rest = value - lower;
    if (rest > 0.5) return lower + 1.0;
    if (rest < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

Degrees LocatToLang(const QString& locator) {
    return degreesOrError(locator, true);
}

Degrees LocatToBreit(const QString& locator) {
    return degreesOrError(locator, false);
}

QPoint LocatorToNr(QStringView locator) {
    const QPoint none(-1, -1);
    if (locator.size() < 4) return none;
    const char16_t first = locator[0].toUpper().unicode();
    const char16_t second = locator[1].toUpper().unicode();
    const char16_t digit1 = locator[2].unicode();
    const char16_t digit2 = locator[3].unicode();
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    if (!isDigit(digit1) || !isDigit(digit2) || second < u'A' || second > u'Z') return none;
    return QPoint((int(first) - 'A') * 10 + (digit1 - '0'), ('Z' - int(second)) * 10 + (9 - (digit2 - '0')));
}

QString NrToLocator(int x, int y) {
    const char16_t square[4] = {char16_t(u'A' + x / 10), char16_t(u'Z' - y / 10), char16_t(u'0' + x % 10),
                                char16_t(u'0' + 9 - y % 10)};
    return QString(reinterpret_cast<const QChar*>(square), 4);
}

Course greatCircle(double latitude1, double longitude1, double latitude2, double longitude2) {
    return course(latitude1, latitude2, (longitude2 - longitude1) / DegreesPerRadian);
}

BearingDistance LocatDistance(QStringView own, QStringView other, const LanguageTexts& texts) {
    const auto from = centre(own, true);
    const auto to = from ? centre(other, true) : std::nullopt;
    if (!to) {
        const QString detail = own.toString().toUpper() + QStringLiteral(" / ") + other.toString().toUpper();
        return BearingDistance{QString(), QString(), impossible(texts, detail)};
    }
    const Course r = course(from->latitude, to->latitude,
                            (to->halfLongitude - from->halfLongitude) * 2.0 / DegreesPerRadian);
    return BearingDistance{bearingText(r.bearingDegrees),
                           integerWithUnit(roundHalfEven(r.distanceKm), KilometreUnit), QString()};
}

BearingDistance LocatPosDistance(QStringView locator, double latitude, double longitude,
                                 const LanguageTexts& texts) {
    const auto from = centre(locator, true);
    if (!from) return BearingDistance{QString(), QString(), impossible(texts, locator.toString().toUpper())};
    if (!std::isfinite(latitude) || !std::isfinite(longitude)) return BearingDistance{};
    const Course r =
        course(from->latitude, latitude, (longitude / 2.0 - from->halfLongitude) * 2.0 / DegreesPerRadian);
    return BearingDistance{bearingText(r.bearingDegrees),
                           integerWithUnit(roundHalfEven(r.distanceKm / 10.0) * 10.0, KilometreUnit),
                           QString()};
}

} // namespace Locator
