// The machine-independent trigonometry against the C library's, over the
// angles and lengths of drawings: a wrong series term, quarter or sign shows
// as an error far beyond 1e-14. (Looser than glibc needs: the check runs
// against Windows' libraries too.)

#include "calc/geometry/portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

} // namespace
} // namespace quillon
