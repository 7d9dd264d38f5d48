// Which catalogue entry a belt type text and a tooth count select.

#include "calc/run.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quillon {
namespace {

TEST(SelectProfile, NeedsTheExactName)
{
    EXPECT_EQ(selectProfile("MXL", 40).pitch, ProfileValue(2.032));
    EXPECT_EQ(selectProfile("STPD S4.5M", 40).pitch, ProfileValue(4.5));
    for (const char* name : {"mxl", "MXL ", " MXL", "", "T 5", "STPDS8M", "STPD S8M ", "htd5m", "HTD 5M", "Xl"}) {
        EXPECT_EQ(selectProfile(name, 40), GrooveProfile{}) << '"' << name << '"';
    }
}

TEST(SelectProfile, EveryListedNameFindsItsRow)
{
    for (const char* name : {"MXL", "XXL", "XL", "L", "H", "XH", "XXH", "T2.5", "T5", "T10", "T20", "HTD3M", "HTD5M",
             "HTD8M", "HTD14M", "HTD20M", "STPD S2M", "STPD S3M", "STPD S4.5M", "STPD S5M", "STPD S8M", "STPD S14M"}) {
        EXPECT_TRUE(selectProfile(name, 40).pitch.isNumber()) << name;
        EXPECT_TRUE(selectProfile(name, 10).pitch.isNumber()) << name;
    }
}

struct BoundaryCase {
    const char* name;
    double toothCount;
    double expectedDepth;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const BoundaryCase& c, std::ostream* out)
{
    *out << c.name;
}

class TSeriesBoundary : public testing::TestWithParam<BoundaryCase> { };

TEST_P(TSeriesBoundary, MoreThanTwentyTeethGetTheDeeperGroove)
{
    EXPECT_EQ(selectProfile("T5", GetParam().toothCount).grooveDepth.number(), GetParam().expectedDepth);
}

const BoundaryCase kBoundaryCases[] = {
    {"Twenty", 20, 1.25},
    {"JustAboveTwenty", 20.000000000000004, 1.95},
    {"TwentyAndAHalf", 20.5, 1.95},
    {"TwentyOne", 21, 1.95},
    {"NineteenAndAHalf", 19.5, 1.25},
    {"Zero", 0, 1.25},
    {"Negative", -30, 1.25},
    {"Huge", 1e300, 1.95},
};

INSTANTIATE_TEST_SUITE_P(ToothCounts, TSeriesBoundary, testing::ValuesIn(kBoundaryCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectProfile, ReturnsACopyOfTheWholeRow)
{
    const GrooveProfile t20 = selectProfile("T20", 20);
    EXPECT_EQ(t20.topWidth, ProfileValue(11.65));
    EXPECT_EQ(t20.grooveDepthTol, ProfileValue("+0.13"));
    EXPECT_EQ(t20.segmentLine2, ProfileValue(""));
    EXPECT_TRUE(t20.bottomWidth.isUnset());
}

} // namespace
} // namespace quillon
