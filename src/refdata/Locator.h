#pragma once

#include <QPoint>
#include <QString>
#include <QStringView>

class LanguageTexts;

// Maidenhead locators: position of a sub-square centre, grid numbers of a
// square, and great-circle bearing and distance between two places.
namespace Locator {

// The program has always computed with these rounded values; changing them to
// the exact ones would move bearings and distances users compare with old logs.
constexpr double DegreesPerRadian = 57.2958;
constexpr double HalfTurn = 180.0 / DegreesPerRadian;
constexpr double EarthRadiusKm = 6365.11;

// Degrees of a sub-square centre, or the text the caller shows when the
// locator cannot be read.
struct Degrees {
    double value = 0.0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The locator must be six upper-case characters; every one of them is checked,
// so that half a locator never yields a position. Field letters run to "S".
Degrees LocatToLang(const QString& locator);
Degrees LocatToBreit(const QString& locator);

// Grid numbers (X, Y) of the square in the first four characters, Y counted
// from the north and anchored at "Z"; (-1, -1) when the text holds no square.
QPoint LocatorToNr(QStringView locator);
QString NrToLocator(int x, int y);

// Bearing text ("95 °") and distance text ("287 km"); both empty when the
// input is refused, and then message holds what the user is to be shown
// (empty when there is nothing to tell, as for a position that is no number).
struct BearingDistance {
    QString bearing;
    QString distance;
    QString message;
    bool ok() const { return !bearing.isEmpty(); }
};

// Both locators are upper-cased before use.
BearingDistance LocatDistance(QStringView own, QStringView other, const LanguageTexts& texts);
// Distance rounded to tens of kilometres.
BearingDistance LocatPosDistance(QStringView locator, double latitude, double longitude,
                                 const LanguageTexts& texts);

// The unrounded figures behind the texts, from two positions in degrees.
struct Course {
    double bearingDegrees = 0.0; // 0 (north) up to 360, clockwise
    double distanceKm = 0.0;
};
Course greatCircle(double latitude1, double longitude1, double latitude2, double longitude2);

// Nearest integer, a half going to the even neighbour.
double roundHalfEven(double value);

} // namespace Locator
