// Inches, pulley identification and full-width input.

#include "calc/derived/identify.h"
#include "calc/derived/inches.h"
#include "calc/full_width.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillon;

namespace {

TEST(Inches, LengthsRoundHalfAwayFromZeroToFourDecimals)
{
    const std::pair<double, const char*> cases[] = {
        {2.032, "0.08"}, // MXL's pitch: exactly 0.08 in
        {12.7, "0.5"},   //
        {25.872227578, "1.0186"},
        {0.0, "0"},            //
        {-0.13, "-0.0051"},    //
        {0.00127, "0.0001"},   // 0.00005 in: the half goes up
        {-0.00127, "-0.0001"}, // and away from zero when negative
        {0.001, "0"},
    };
    for (const auto& [millimetres, expected] : cases)
        EXPECT_EQ(inchText(millimetres), expected) << millimetres;
}

TEST(Inches, TolerancesKeepTheirSignAndTextsStay)
{
    const std::pair<const char*, const char*> cases[] = {
        {"±0.05", "±0.002"},
        {"+0.10", "+0.0039"},
        {"-0.13", "-0.0051"},
        {"±0.18", "±0.0071"},
        {"min", "min"},
        {"max", "max"},
        {"", ""},
        {"+", "+"},
        {"±abc", "±abc"},
    };
    for (const auto& [millimetres, expected] : cases)
        EXPECT_EQ(toleranceInInches(millimetres), expected) << millimetres;
}

std::string describe(const std::vector<PulleyMatch>& matches)
{
    std::string out;
    for (const PulleyMatch& match : matches)
        out += std::string(match.beltType) + " " + match.outsideDiameter + " " + match.difference + "; ";
    return out;
}

TEST(Identify, NearestFirstWithinTheTolerance)
{
    // MXL at 40 teeth shows 25.364.
    EXPECT_EQ(describe(identifyPulley(25.36, 40, 0.1, Units::Millimetres)), "MXL 25.364 -0.004; ");
    // At 40 teeth T5 shows 62.662, HTD5M 62.522 and STPD S5M 62.702: 62.6
    // lies between them, STPD S5M just outside 0.1.
    EXPECT_EQ(describe(identifyPulley(62.6, 40, 0.1, Units::Millimetres)), "T5 62.662 -0.062; HTD5M 62.522 0.078; ");
    // The rounded difference is compared: 62.702 - 0.102 is 0.102 away.
    EXPECT_EQ(describe(identifyPulley(62.6, 40, 0.102, Units::Millimetres)),
        "T5 62.662 -0.062; HTD5M 62.522 0.078; STPD S5M 62.702 -0.102; ");
    EXPECT_EQ(describe(identifyPulley(62.612, 40, 0.05, Units::Millimetres)), "T5 62.662 -0.05; ");
    EXPECT_EQ(describe(identifyPulley(1000, 40, 0.1, Units::Millimetres)), "");
    EXPECT_EQ(describe(identifyPulley(25.364, 40, 0, Units::Millimetres)), "MXL 25.364 0; ");
}

TEST(Identify, EqualDifferencesKeepTheListOrder)
{
    // HTD5M and STPD S5M share the pitch; halfway between their diameters
    // both differences are equal and HTD5M comes first in the list.
    const auto matches = identifyPulley(62.612, 40, 0.1, Units::Millimetres);
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[0].beltType, "T5");
    EXPECT_EQ(matches[1].beltType, "HTD5M");
    EXPECT_EQ(matches[2].beltType, "STPD S5M");
    EXPECT_EQ(matches[1].difference, "0.09");
    EXPECT_EQ(matches[2].difference, "-0.09");
}

TEST(Identify, InInches)
{
    // MXL at 40 teeth: 25.3642... mm is 0.9986 in.
    EXPECT_EQ(describe(identifyPulley(1.0, 40, 0.004, Units::Inches)), "MXL 0.9986 0.0014; ");
}

TEST(FullWidth, FormsFoldToAscii)
{
    const std::pair<const char*, const char*> cases[] = {
        {"４０", "40"}, {"　４０", " 40"}, {"４.５", "4.5"}, {"４．５", "4.5"}, {"&Ｈ２８", "&H28"}, {"！～", "!~"},
        {"40", "40"}, {"齿数", "齿数"}, // other characters stay
        {"\xEF\xBC", "\xEF\xBC"},       // a cut-off sequence stays as it is
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(foldFullWidth(text), expected) << text;
}

} // namespace
