#include "calc/geometry/portable_math.h"

#include <cmath>
#include <numbers>

namespace quillon {
namespace {

constexpr double kHalfPi = std::numbers::pi / 2;
// What the double kHalfPi lacks of pi/2.
constexpr double kHalfPiRest = 6.123233995736766e-17;

// a × b as an exact sum hi + lo (Dekker's product, without fused operations).
void exactProduct(double a, double b, double& hi, double& lo)
{
    constexpr double kSplit = 134217729.0; // 2^27 + 1
    const double aBig = a * kSplit;
    const double aHi = aBig - (aBig - a);
    const double aLo = a - aHi;
    const double bBig = b * kSplit;
    const double bHi = bBig - (bBig - b);
    const double bLo = b - bHi;
    hi = a * b;
    lo = ((aHi * bHi - hi) + aHi * bLo + aLo * bHi) + aLo * bLo;
}

// x as quarter turns and what is left, |rest| <= pi/4 or a hair more.
int quarterTurns(double x, double& rest)
{
    const double turns = std::nearbyint(x / kHalfPi);
    double hi = 0;
    double lo = 0;
    exactProduct(turns, kHalfPi, hi, lo);
    rest = ((x - hi) - lo) - turns * kHalfPiRest;
    return static_cast<int>(std::fmod(turns, 4.0) + 4) % 4;
}

// Taylor series on |r| <= pi/4, to terms below 1e-19.
double sineNearZero(double r)
{
    const double r2 = r * r;
    double sum = 0;
    for (int n = 17; n >= 3; n -= 2)
        sum = (1 - sum) * r2 / ((n - 1) * n);
    return r * (1 - sum);
}

double cosineNearZero(double r)
{
    const double r2 = r * r;
    double sum = 0;
    for (int n = 18; n >= 2; n -= 2)
        sum = (1 - sum) * r2 / ((n - 1) * n);
    return 1 - sum;
}

// atan(t) for 0 <= t <= 1.
double arcTangentUpToOne(double t)
{
    // atan(t) = pi/4 + atan((t - 1)/(t + 1)), then halved by
    // atan(u) = 2 atan(u / (1 + sqrt(1 + u²))), so that the series is short.
    double offset = 0;
    if (t > 0.41421356237309503) {
        offset = std::numbers::pi / 4;
        t = (t - 1) / (t + 1);
    }
    const double v = t / (1 + std::sqrt(1 + t * t));
    const double v2 = v * v;
    double sum = 0;
    for (int n = 27; n >= 3; n -= 2)
        sum = v2 * (1.0 / n - sum);
    return offset + 2 * (v - v * sum);
}

// sin(quarter × pi/2 + r).
double sineOfQuarters(int quarter, double r)
{
    switch (quarter % 4) {
    case 0:
        return sineNearZero(r);
    case 1:
        return cosineNearZero(r);
    case 2:
        return -sineNearZero(r);
    default:
        return -cosineNearZero(r);
    }
}

} // namespace

double portableSin(double x)
{
    double r = 0;
    const int quarter = quarterTurns(x, r);
    return sineOfQuarters(quarter, r);
}

double portableCos(double x)
{
    double r = 0;
    const int quarter = quarterTurns(x, r);
    return sineOfQuarters(quarter + 1, r); // cos x = sin(x + pi/2)
}

double portableTan(double x)
{
    return portableSin(x) / portableCos(x);
}

double portableAtan2(double y, double x)
{
    const double ay = std::fabs(y);
    const double ax = std::fabs(x);
    if (ay == 0 && ax == 0)
        return std::signbit(x) ? std::copysign(std::numbers::pi, y) : y;
    double angle = ay <= ax ? arcTangentUpToOne(ay / ax) : kHalfPi - arcTangentUpToOne(ax / ay);
    if (std::signbit(x))
        angle = std::numbers::pi - angle;
    return std::copysign(angle, y);
}

double portableHypot(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

} // namespace quillon
