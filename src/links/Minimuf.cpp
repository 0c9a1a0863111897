#include "links/Minimuf.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Radian = Pi / 180.0;
// Hops of about 4000 km: a path shorter than 1 / HopsPerRadian has its
// control point in the middle, a longer one two control points 2000 km in
// from either end.
constexpr double HopsPerRadian = 1.59;
// Hours of the day per radian of hour angle (24 / pi).
constexpr double HoursPerHalfRadian = 7.639437;
// Noon zenith beyond which the F layer gets no sunlight worth counting
// (cosine of about 105 degrees).
constexpr double DarkLimit = -0.26;

int sign(double v) { return (v > 0) - (v < 0); }

struct Vector {
    double x = 0.0, y = 0.0, z = 0.0;
};

Vector operator*(const Vector& v, double f) { return {v.x * f, v.y * f, v.z * f}; }
Vector operator+(const Vector& a, const Vector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vector operator-(const Vector& a, const Vector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Vector& v) { return std::sqrt(dot(v, v)); }

Vector unitVector(const Minimuf::Position& p) {
    const double lat = p.latitude * Radian;
    const double lon = p.longitude * Radian;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// The direction of travel at a: towards b when the two points define a
// great circle, otherwise (same place or antipodes) due north, or along the
// zero meridian at a pole.
Vector headingTowards(const Vector& a, const Vector& b, double cosAngle) {
    Vector t = b - a * cosAngle;
    if (length(t) < 1e-9) {
        t = Vector{0.0, 0.0, 1.0} - a * a.z;
        if (length(t) < 1e-9)
            t = Vector{1.0, 0.0, 0.0};
    }
    return t * (1.0 / length(t));
}

// The F-layer term of one control point, at latitude y3 (radians), with
// local noon at hour noonUtc, for the given hour; dayLength receives the
// hours of the day the layer is lit.
double ionisation(double y3, double y2, double noonUtc, double hour, double& dayLength) {
    const double noonCos = std::cos(y3 + y2);
    dayLength = 0.0;
    if (noonCos <= DarkLimit)
        return 0.0;
    const double x = (DarkLimit + std::sin(y2) * std::sin(y3)) / (std::cos(y2) * std::cos(y3) + 0.001);
    const double k9 = 12.0 - std::atan(x / std::sqrt(std::abs(1.0 - x * x))) * HoursPerHalfRadian;
    // A day of no length would divide by zero below: the layer stays dark.
    if (!(k9 > 0.0))
        return 0.0;
    dayLength = k9;
    double rise = noonUtc - k9 / 2.0;
    if (rise < 0.0)
        rise += 24.0;
    double set = noonUtc + k9 / 2.0;
    if (set > 24.0)
        set -= 24.0;
    const double c0 = std::abs(noonCos);
    const double t9 = std::max(0.1, 9.7 * std::pow(c0, 9.6));
    const double g8 = Pi * t9 / k9;
    const double damping = 1.0 + g8 * g8;
    const double afterSunset = c0 * g8 * (std::exp(-k9 / t9) + 1.0) / damping;
    const bool night = set < rise ? (hour > set && hour < rise) : (hour <= rise || hour >= set);
    if (night) {
        const double since = (hour < set ? hour + 24.0 : hour) - set;
        return afterSunset * std::exp(-since / 2.0);
    }
    const double sinceRise = (hour < rise ? hour + 24.0 : hour) - rise;
    const double angle = Pi * sinceRise / k9;
    const double lit = c0 * (std::sin(angle) + g8 * (std::exp(-sinceRise / t9) - std::cos(angle))) / damping;
    // Never below what is left at the end of the night.
    return std::max(lit, afterSunset * std::exp((k9 - 24.0) / 2.0));
}

} // namespace

namespace Minimuf {

bool onGlobe(const Position& p) {
    return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::abs(p.latitude) <= 90.0 &&
           std::abs(p.longitude) <= 180.0;
}

double muf(const Position& from, const Position& to, const QDate& date, double hourUtc, double sunspotNumber,
           bool longPath) {
    const Vector a = unitVector(from);
    const Vector b = unitVector(to);
    const double cosAngle = std::clamp(dot(a, b), -1.0, 1.0);
    const double shortAngle = std::acos(cosAngle);
    const double pathAngle = longPath ? 2.0 * Pi - shortAngle : shortAngle;
    Vector heading = headingTowards(a, b, cosAngle);
    if (longPath)
        heading = heading * -1.0;

    const double hops = std::max(1.0, HopsPerRadian * pathAngle);
    const double elevation = std::sin(std::min(2.5 * pathAngle / hops, Pi / 2.0));
    const double geometry = 1.0 + 2.5 * elevation * std::sqrt(elevation);

    // Season: days since the winter solstice as an angle, the sun's
    // declination (negated) and the equation of time in hours.
    const double y1 = 0.0172 * (10.0 + (date.month() - 1) * 30.4 + date.day());
    const double y2 = 0.409 * std::cos(y1);
    const double equationOfTime = 0.13 * (std::sin(y1) + 1.2 * std::sin(2.0 * y1));
    const double transEquatorial = 1.0 + 0.1 * (1 - sign(from.latitude) * sign(to.latitude));
    const double spots = 1.0 + sunspotNumber / 250.0;

    // One control point in the middle of a single hop, else two, one hop in
    // from either end.
    double fractions[2] = {0.5, 0.5};
    int points = 1;
    if (hops > 1.0) {
        fractions[0] = 1.0 / (2.0 * hops);
        fractions[1] = 1.0 - fractions[0];
        points = 2;
    }

    double result = 100.0;
    for (int i = 0; i < points; ++i) {
        const double s = pathAngle * fractions[i];
        const Vector p = a * std::cos(s) + heading * std::sin(s);
        const double y3 = std::asin(std::clamp(p.z, -1.0, 1.0));
        double westward = -std::atan2(p.y, p.x);
        if (westward < 0.0)
            westward += 2.0 * Pi;
        double noonUtc = 3.82 * westward + 12.0 + equationOfTime;
        if (noonUtc > 24.0)
            noonUtc -= 24.0;
        double dayLength = 0.0;
        const double g0 = ionisation(y3, y2, noonUtc, hourUtc, dayLength);
        double f = spots * geometry * std::sqrt(6.0 + 58.0 * std::sqrt(g0));
        f *= 1.0 - 0.1 * std::exp((dayLength - 24.0) / 3.0);
        f *= transEquatorial;
        // High latitudes (beyond 45 degrees) lose a fifth.
        f *= 1.0 - 0.1 * (1 + sign(std::abs(std::sin(y3)) - std::cos(y3)));
        result = std::min(result, f);
    }
    return result;
}

} // namespace Minimuf
