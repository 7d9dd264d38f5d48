// How a tooth-count text is read.

#include "calc/run.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <string>

namespace quillon {
namespace {

struct ReadCase {
    const char* name;
    std::string text;
    double expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadsToothCount : public testing::TestWithParam<ReadCase> { };

TEST_P(ReadsToothCount, ToTheNearestDouble)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(readToothCount(c.text), c.expected) << '"' << c.text << '"';
}

const ReadCase kReadCases[] = {
    {"PlainWholeNumber", "40", 40},
    {"EmptyTextIsZero", "", 0},
    {"WordIsZero", "abc", 0},
    {"TrailingLettersEndTheNumber", "40abc", 40},
    {"LeadingBlank", " 40", 40},
    {"BlankBetweenDigits", "4 0", 40},
    {"TabsAndLineFeedsAnywhere", "\t4\n0\t.\n5", 40.5},
    {"CarriageReturnEndsTheNumber", "4\r0", 4},
    {"CommaEndsTheNumber", "40,5", 40},
    {"FullStopIsTheDecimalPoint", "40.5", 40.5},
    {"SecondFullStopEndsTheNumber", "1.2.3", 1.2},
    {"NoWholePart", ".5", 0.5},
    {"NoDecimals", "5.", 5},
    {"FullStopAlone", ".", 0},
    {"Negative", "-5", -5},
    {"ExplicitPlus", "+7", 7},
    {"BlankAfterSign", "- 5", -5},
    {"TwoSignsReadZero", "--5", 0},
    {"SignAloneReadsZero", "-", 0},
    {"ExponentUpperCase", "1.5E2", 150},
    {"ExponentLowerCaseNegative", "25e-1", 2.5},
    {"ExponentWithPlusAndBlanks", "2 e + 1", 20},
    {"ExponentWithoutDigits", "3e", 3},
    {"ExponentWithoutNumberBefore", "e5", 0},
    {"LeadingZeros", "000040", 40},
    {"ZeroWithExponent", "0e999999", 0},
    {"TinyReadsZero", "1e-400", 0},
    {"SubnormalKept", "5e-324", 4.9406564584124654e-324},
    {"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
    {"ManyDigitsBeforeAHugeNegativeExponent", "1" + std::string(500, '0') + "e-500", 1},
    {"OneTenth", "0.1", 0.1},
    {"HexWholeNumber", "&H28", 40},
    {"HexLowerCase", "&hff", 255},
    {"HexBlanksInside", "& H 2 8", 40},
    {"HexSixteenBitPatternIsSigned", "&HFFFF", -1},
    {"HexSmallestSixteenBit", "&H8000", -32768},
    {"HexLargestSixteenBit", "&H7FFF", 32767},
    {"HexBeyondSixteenBits", "&H10000", 65536},
    {"HexThirtyTwoBitPatternIsSigned", "&HFFFFFFFF", -1},
    {"HexSmallestThirtyTwoBit", "&H80000000", -2147483648.0},
    {"HexLeadingZerosDoNotWiden", "&H0000000000FFFF", -1},
    {"HexWithoutDigits", "&H", 0},
    {"HexStopsAtNonDigit", "&H1G", 1},
    {"HexHasNoFraction", "&H1.5", 1},
    {"Octal", "&O17", 15},
    {"OctalSixteenBitPatternIsSigned", "&O177777", -1},
    {"OctalStopsAtEight", "&O78", 7},
    {"AmpersandWithoutPrefix", "&X1", 0},
    {"SignBeforeHexReadsZero", "-&H10", 0},
};

INSTANTIATE_TEST_SUITE_P(Texts, ReadsToothCount, testing::ValuesIn(kReadCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadToothCount, NegativeZeroKeepsItsSign)
{
    EXPECT_TRUE(std::signbit(readToothCount("-0")));
}

TEST(ReadToothCount, RoundsLongTextsCorrectly)
{
    // 2^53 + 1 lies halfway between two doubles; any digit after it decides.
    const std::string halfway = "9007199254740993";
    EXPECT_EQ(readToothCount(halfway), 9007199254740992.0); // a tie goes to even
    EXPECT_EQ(readToothCount(halfway + "." + std::string(3000, '0') + "1"), 9007199254740994.0);
    EXPECT_EQ(readToothCount("0." + std::string(4000, '0') + "1e4000"), 0.1);
    EXPECT_EQ(readToothCount(std::string(400, '1') + "e-390"), 1.1111111111111111e9);
}

TEST(ReadToothCount, HandlesMillionsOfCharactersQuickly)
{
    // Each of these takes linear time; a quadratic reader would not finish.
    EXPECT_EQ(readToothCount(std::string(2'000'000, ' ') + "5"), 5);
    EXPECT_EQ(readToothCount("3." + std::string(2'000'000, '0')), 3);
    EXPECT_EQ(readToothCount("0." + std::string(2'000'000, '0') + "7e2000001"), 7);
}

TEST(ReadToothCount, ThrowsBeyondTheRangeOfADouble)
{
    for (const std::string& text : std::initializer_list<std::string>{"1e400", "-1e400", "1.7976931348623159e308",
             "&H100000000", "&O40000000000", std::string(400, '9'), "1e99999999999999999999999"}) {
        EXPECT_THROW(readToothCount(text), OutOfRange) << text;
    }
}

} // namespace
} // namespace quillon
