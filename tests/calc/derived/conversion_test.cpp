// The three display conversions: three-decimal rounding, the plain
// conversion and the fixed format.

#include "calc/derived/inches.h"
#include "calc/run.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <random>

namespace quillon {
namespace {

struct NumberCase {
    const char* name;
    double value;
    const char* expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << c.name;
}

class PlainConversion : public testing::TestWithParam<NumberCase> { };

TEST_P(PlainConversion, WritesFifteenSignificantDigits)
{
    EXPECT_EQ(plainText(GetParam().value), GetParam().expected);
}

const NumberCase kPlainCases[] = {
    {"DropsTrailingZeros", 12.7, "12.7"},
    {"WholeNumberHasNoSeparator", 20.0, "20"},
    {"BelowOneHasALeadingZero", 0.5, "0.5"},
    {"Negative", -0.508, "-0.508"},
    {"Zero", 0.0, "0"},
    {"NegativeZero", -0.0, "0"},
    {"RoundedDiameter", 25.872, "25.872"},
    {"ThousandthsOfLargeDiameter", 123456789.123, "123456789.123"},
    {"FifteenthDigitRoundsUp", 0.1234567890123456, "0.123456789012346"},
    {"FifteenthDigitRoundsDown", 1.2345678901234541, "1.23456789012345"},
    {"RoundingCarriesIntoWholePart", 9.9999999999999995, "10"},
    {"BinaryNoiseIsHidden", 0.1 + 0.2, "0.3"},
    {"SmallFixed", 0.001, "0.001"},
    {"VerySmallStaysFixed", 1.5e-7, "0.00000015"},
    {"LargestInFixedNotation", 999999999999999.0, "999999999999999"},
    {"RoundsUpIntoScientific", 999999999999999.9, "1E+15"},
    {"ScientificFromTenToTheFifteen", 1234567890123456.0, "1.23456789012346E+15"},
    {"ScientificWithoutFraction", 1e20, "1E+20"},
    {"ScientificNegative", -2.5e17, "-2.5E+17"},
    {"ScientificThreeDigitExponent", 1.7976931348623157e308, "1.79769313486232E+308"},
};

INSTANTIATE_TEST_SUITE_P(Numbers, PlainConversion, testing::ValuesIn(kPlainCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlainConversion, ShowsEachKindOfValue)
{
    EXPECT_EQ(plainText(ProfileValue()), "");
    EXPECT_EQ(plainText(ProfileValue("")), "");
    EXPECT_EQ(plainText(ProfileValue("Z90-R ")), "Z90-R ");
    EXPECT_EQ(plainText(ProfileValue("±1.5")), "±1.5");
    EXPECT_EQ(plainText(ProfileValue(25)), "25");
    EXPECT_EQ(plainText(ProfileValue(-7)), "-7");
    EXPECT_EQ(plainText(ProfileValue(12.7)), "12.7");
}

TEST(PlainConversion, IntegerAndRealOfOneValueLookAlike)
{
    EXPECT_EQ(plainText(ProfileValue(20)), plainText(ProfileValue(20.0)));
    EXPECT_EQ(fixedText(ProfileValue(6)), fixedText(ProfileValue(6.0)));
}

TEST(PlainConversion, WritesTheGivenDecimalSeparator)
{
    EXPECT_EQ(plainText(25.872, ","), "25,872");
    EXPECT_EQ(plainText(-0.5, ","), "-0,5");
    EXPECT_EQ(plainText(1.5e16, ","), "1,5E+16");
    EXPECT_EQ(plainText(40.0, ","), "40");
    EXPECT_EQ(plainText(ProfileValue("±0.05"), ","), "±0.05"); // texts keep their full stops
    EXPECT_EQ(plainText(2.5, "\u066B"), "2\u066B5");           // a separator of more than one byte
}

TEST(PlainConversion, RefusesInfinity)
{
    EXPECT_THROW(plainText(std::numeric_limits<double>::infinity()), OutOfRange);
}

class FixedFormat : public testing::TestWithParam<NumberCase> { };

TEST_P(FixedFormat, WritesOneToFourDecimals)
{
    EXPECT_EQ(fixedText(ProfileValue(GetParam().value)), GetParam().expected);
}

const NumberCase kFixedCases[] = {
    {"TwoDecimals", 0.84, "0.84"},
    {"ThreeDecimals", 0.508, "0.508"},
    {"WholePartKept", 12.17, "12.17"},
    {"WholeNumberGetsOneDecimal", 6.0, "6.0"},
    {"OneDecimal", 0.3, "0.3"},
    {"FourDecimals", 1.2345, "1.2345"},
    {"RoundsAtTheFourthDecimal", 0.12345678, "0.1235"},
    {"RoundsAwayTrailingZeros", 2.99999, "3.0"},
    {"ExactTieGoesToEvenDown", 0.03125, "0.0312"},
    {"ExactTieGoesToEvenUp", 0.09375, "0.0938"},
    {"Zero", 0.0, "0.0"},
    {"TinyNegativeIsZero", -0.00001, "0.0"},
    {"Negative", -1.5, "-1.5"},
    {"LargeWholePartInFull", 1e20, "100000000000000000000.0"},
};

INSTANTIATE_TEST_SUITE_P(Numbers, FixedFormat, testing::ValuesIn(kFixedCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FixedFormat, ShowsUnsetAsEmptyAndIntegersWithADecimal)
{
    EXPECT_EQ(fixedText(ProfileValue()), "");
    EXPECT_EQ(fixedText(ProfileValue(1)), "1.0");
    EXPECT_EQ(fixedText(ProfileValue(0.508), ","), "0,508");
    EXPECT_EQ(fixedText(ProfileValue(3), ","), "3,0");
}

TEST(RoundTo3, AddsAHalfAndTakesTheFloor)
{
    EXPECT_EQ(roundTo3(25.8722275786), 25.872);
    EXPECT_EQ(roundTo3(32.340284473), 32.34);
    EXPECT_EQ(roundTo3(2.0625), 2.063);   // an exact half goes up
    EXPECT_EQ(roundTo3(-2.0625), -2.062); // also when negative
    EXPECT_EQ(roundTo3(-3.23406), -3.234);
    EXPECT_EQ(roundTo3(-0.0004), 0.0);
}

TEST(RoundTo3, ThrowsWhenTheThousandfoldIsInfinite)
{
    EXPECT_THROW(roundTo3(1e306), OutOfRange);
    EXPECT_THROW(roundTo3(-std::numeric_limits<double>::max()), OutOfRange);
    EXPECT_THROW(roundTo3(std::numeric_limits<double>::quiet_NaN()), OutOfRange);
}

TEST(TableNumbers, WriteWhatThePlainConversionShows)
{
    // The quick writers of a table's diameters and inch lengths must agree
    // with the general conversion everywhere: across magnitudes, on both
    // sides of zero, at halves, and past 15 digits.
    std::mt19937_64 random(7);
    std::vector<double> values = {0.0, -0.0, 0.0004, -0.0004, 2.0625, -2.0625, 0.00127, -0.00127, 1e12 + 0.5, 9.99e14,
        1e15, 3e17, -4.5e200, 25.4, 100.0, 0.1};
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<double>(random() % 22) - 6);
        const double value = magnitude * (static_cast<double>(random() % 2000000) / 1000000.0 - 1);
        values.push_back(value);
        values.push_back(std::round(value * 1000) / 1000 + 0.0005); // a half, as near as doubles go
    }
    NumberBuffer buffer;
    for (double value : values) {
        ASSERT_EQ(diameterText(value, buffer), plainText(roundTo3(value))) << value;
        ASSERT_EQ(inchText(value, buffer), plainText(toInches(value))) << value;
    }
}

} // namespace
} // namespace quillon
