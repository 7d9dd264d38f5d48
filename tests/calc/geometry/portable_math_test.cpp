// The machine-independent trigonometry against the C library's, over the
// angles and lengths of drawings: a wrong series term, quarter or sign shows
// as an error far beyond 1e-14. (Looser than glibc needs: the check runs
// against Windows' libraries too.) Then the bounds the header states, over
// the whole range it states them for, against glibc's long double functions.

#include "calc/geometry/portable_math.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <numbers>
#include <random>

namespace quillon {
namespace {

void expectClose(double got, double want, const char* what, double x)
{
    EXPECT_LE(std::fabs(got - want), 1e-14 * std::fmax(1.0, std::fabs(want))) << what << "(" << x << ")";
}

TEST(PortableMath, AgreesWithTheLibraryOnAnglesOfDrawings)
{
    for (double x = -20; x <= 20; x += 0.00731) {
        expectClose(portableSin(x), std::sin(x), "sin", x);
        expectClose(portableCos(x), std::cos(x), "cos", x);
        if (std::fabs(std::cos(x)) > 0.1)
            expectClose(portableTan(x), std::tan(x), "tan", x);
        for (double y : {-3.0, -0.5, 0.0, 1e-9, 2.0}) {
            expectClose(portableAtan2(y, x), std::atan2(y, x), "atan2", x);
            expectClose(portableAtan2(x, y), std::atan2(x, y), "atan2 swapped", x);
            expectClose(portableHypot(x, y), std::hypot(x, y), "hypot", x);
        }
    }
}

TEST(PortableMath, KeepsTheSignsOfZeroAndTheQuarters)
{
    EXPECT_EQ(portableAtan2(0.0, -1.0), std::numbers::pi);
    EXPECT_EQ(portableAtan2(-0.0, -1.0), -std::numbers::pi);
    EXPECT_TRUE(std::signbit(portableAtan2(-0.0, 1.0)));
    EXPECT_EQ(portableAtan2(1.0, 0.0), std::numbers::pi / 2);
    EXPECT_EQ(portableAtan2(0.0, 0.0), 0.0);
    EXPECT_EQ(portableCos(0.0), 1.0);
    EXPECT_EQ(portableSin(0.0), 0.0);
}

#if defined(__GLIBC__) && LDBL_MANT_DIG >= 64
// glibc's long double functions, 11 bits finer than a double and correctly
// reduced for any argument, are the reference. Other C libraries are not
// trusted as one: MinGW's (under Wine) and musl's (under node) are skipped.
constexpr bool kHasReference = true;
#else
constexpr bool kHasReference = false;
#endif

// The units in the last place of a double of the size of `exact`.
long double ulpOf(long double exact)
{
    return std::ldexp(1.0L, std::ilogb(static_cast<double>(exact)) - 52);
}

// The worst error met, and where.
struct Worst {
    long double error = 0;
    double at = 0;
    void meet(long double error, double x)
    {
        if (error > this->error)
            this->error = error, at = x;
    }
};

// Angles |x| <= 1e6: random ones, and the doubles at and beside each
// multiple of pi/2, where the result of one of sin and cos is smallest.
template <class Check> void overTheWholeRange(Check check)
{
    std::mt19937_64 random(28);
    std::uniform_real_distribution<double> angle(-1e6, 1e6);
    for (int i = 0; i < 250'000; ++i)
        check(angle(random));
    constexpr long double kHalfPi = 1.5707963267948966192313216916397514L;
    for (long k = -636'619; k <= 636'619; ++k) {
        const double nearest = static_cast<double>(k * kHalfPi);
        for (double x : {std::nextafter(nearest, -2e6), nearest, std::nextafter(nearest, 2e6)})
            check(x);
    }
}

TEST(PortableMath, SineAndCosineWithinTheStatedBoundsUpTo1e6)
{
    if (!kHasReference)
        GTEST_SKIP() << "the reference is glibc's long double sinl and cosl; this C library's are not trusted as one";
    // The header's bounds: 1.42 × 2^-53 absolute everywhere; 2 units in the
    // last place where the result is at least 1e-9; 3e-26 absolute below.
    const long double kAbsolute = 1.42L * std::ldexp(1.0L, -53);
    Worst absolute;
    Worst relative; // in units in the last place, results of 1e-9 or more
    Worst tiny;     // absolute, results below 1e-9
    overTheWholeRange([&](double x) {
        for (const auto& [got, exact] : {std::pair{portableSin(x), sinl(x)}, std::pair{portableCos(x), cosl(x)}}) {
            const long double error = std::fabs(got - exact);
            absolute.meet(error, x);
            if (std::fabs(exact) >= 1e-9L)
                relative.meet(error / ulpOf(exact), x);
            else
                tiny.meet(error, x);
        }
    });
    EXPECT_LE(absolute.error, kAbsolute) << "at " << absolute.at;
    EXPECT_LE(relative.error, 2.0L) << "at " << relative.at;
    EXPECT_LE(tiny.error, 3e-26L) << "at " << tiny.at;
}

TEST(PortableMath, TangentArcTangentAndHypotenuseWithinTheStatedBounds)
{
    if (!kHasReference)
        GTEST_SKIP() << "the reference is glibc's long double functions; this C library's are not trusted as one";
    Worst tangent;
    overTheWholeRange([&](double x) {
        if (std::fabs(cosl(x)) >= 0.1L && std::fabs(tanl(x)) >= 1e-9L)
            tangent.meet(std::fabs(portableTan(x) - tanl(x)) / ulpOf(tanl(x)), x);
    });
    EXPECT_LE(tangent.error, 4.0L) << "at " << tangent.at;

    // Lengths from 1e-20 to 1e6 of either sign, in every ratio.
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> exponent(-20, 6);
    std::uniform_real_distribution<double> sign(-1, 1);
    Worst angle;
    Worst length;
    for (int i = 0; i < 250'000; ++i) {
        const double y = sign(random) * std::pow(10, exponent(random));
        const double x = sign(random) * std::pow(10, exponent(random));
        const long double exactAngle = atan2l(y, x);
        angle.meet(std::fabs(portableAtan2(y, x) - exactAngle) / ulpOf(exactAngle), y);
        const long double exactLength = hypotl(x, y);
        length.meet(std::fabs(portableHypot(x, y) - exactLength) / ulpOf(exactLength), x);
    }
    EXPECT_LE(angle.error, 4.0L) << "at y = " << angle.at;
    EXPECT_LE(length.error, 1.2L) << "at x = " << length.at;
}

} // namespace
} // namespace quillon
