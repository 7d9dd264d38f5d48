// Whole calculation runs: from two texts to twenty.

#include "calc/run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quillon {
namespace {

using Texts = std::map<std::string, std::string>;

// Checks the named boxes of one run; boxes not named are not checked.
void expectTexts(const RunResult& result, const Texts& expected)
{
    for (const auto& [box, text] : expected)
        EXPECT_EQ(result.text(box), text) << box;
}

TEST(RunCalculation, MxlWithFortyTeeth)
{
    const RunResult result = runCalculation("MXL", "40");
    expectTexts(result,
        {{"Text2", "2.032"}, {"Text13", "25.872"}, {"Text3", "25.364"}, {"Text4", "23.984"}, {"Text5", "0.84"},
            {"Text6", ""}, {"Text7", "0.69"}, {"Text8", "20"}, {"Text9", "0.13"}, {"Text10", "0.35"},
            {"Text11", "0.508"}, {"Text14", "±0.05"}, {"Text15", "-0.05"}, {"Text16", "±1.5"}, {"Text17", "+0.05"},
            {"Text18", "max"}, {"Text12", ""}, {"Text19", "Z10-23  Z24-R"}, {"Text20", ""}, {"Text21", ""}});
}

TEST(RunCalculation, T5WithTwentyTeethTakesTheSmallPulleyRow)
{
    expectTexts(runCalculation("T5", "20"),
        {{"Text2", "5"}, {"Text13", "31.831"}, {"Text3", "30.831"}, {"Text4", "28.331"}, {"Text5", ""},
            {"Text6", "2.96"}, {"Text7", "1.25"}, {"Text8", "25"}, {"Text9", "0.4"}, {"Text10", "0.6"},
            {"Text11", "1.0"}, {"Text12", ""}, {"Text14", ""}, {"Text15", "+0.05"}, {"Text16", "±1.5"},
            {"Text17", "max"}, {"Text18", "+0.05"}, {"Text19", "Z10-14  Z15-20"}, {"Text20", "Z21-R"},
            {"Text21", "+0.05"}});
    expectTexts(runCalculation("T5", "21"),
        {{"Text13", "33.423"}, {"Text3", "32.423"}, {"Text4", "28.523"}, {"Text6", "3.32"}, {"Text7", "1.95"},
            {"Text15", "min"}});
}

TEST(RunCalculation, Htd5mWithFortyTeeth)
{
    expectTexts(runCalculation("HTD5M", "40"),
        {{"Text2", "5"}, {"Text13", "63.662"}, {"Text3", "62.522"}, {"Text4", "58.202"}, {"Text5", ""},
            {"Text6", "3.25"}, {"Text7", "2.16"}, {"Text8", "7"}, {"Text9", "0.48"}, {"Text10", "1.56"},
            {"Text11", "1.14"}, {"Text14", ""}, {"Text15", "-0.08"}, {"Text16", ""}, {"Text17", "+0.05"},
            {"Text18", "±0.05"}, {"Text12", ""}, {"Text19", "Z11-16  Z17-31"}, {"Text20", "Z32-79  Z80-200"},
            {"Text21", ""}});
}

TEST(RunCalculation, StpdS8mWithFortyTeeth)
{
    expectTexts(runCalculation("STPD S8M", "40"),
        {{"Text2", "8"}, {"Text13", "101.859"}, {"Text3", "100.487"}, {"Text4", "94.827"}, {"Text5", ""},
            {"Text6", "5.2"}, {"Text7", "2.83"}, {"Text8", ""}, {"Text9", "0.9"}, {"Text10", "0.4"},
            {"Text11", "1.372"}, {"Text14", ""}, {"Text15", ""}, {"Text16", ""}, {"Text17", ""}, {"Text18", ""},
            {"Text12", "5.3"}, {"Text19", "Z20-24  Z25-31"}, {"Text20", "Z32-48  Z49-120"}, {"Text21", ""}});
}

TEST(RunCalculation, CircleConstantHasEightDecimals)
{
    // The full-precision constant would give 909.57, 906.522 and 885.902.
    expectTexts(runCalculation("XXH", "90"), {{"Text13", "909.571"}, {"Text3", "906.523"}, {"Text4", "885.903"}});
}

TEST(RunCalculation, RoundedDiametersDropTrailingZeros)
{
    expectTexts(runCalculation("XL", "20"), {{"Text13", "32.34"}, {"Text3", "31.832"}, {"Text4", "28.532"}});
    expectTexts(runCalculation("T20", "21"),
        {{"Text13", "133.69"}, {"Text3", "130.69"}, {"Text4", "118.69"}, {"Text7", "6.0"}, {"Text11", "3.0"}});
    expectTexts(runCalculation("STPD S4.5M", "30"), {{"Text2", "4.5"}, {"Text3", "42.21"}, {"Text4", "39.03"}});
}

TEST(RunCalculation, ReadsTheToothCountTextAsTyped)
{
    const Texts zero = {{"Text13", "0"}, {"Text3", "-0.508"}, {"Text4", "-1.888"}};
    const Texts forty = {{"Text13", "25.872"}, {"Text3", "25.364"}, {"Text4", "23.984"}};
    for (const char* text : {"", "abc", "-0", ",5"})
        expectTexts(runCalculation("MXL", text), zero);
    for (const char* text : {"40abc", " 40", "4 0", "40,5", "&H28"})
        expectTexts(runCalculation("MXL", text), forty);
    expectTexts(runCalculation("MXL", "40.5"), {{"Text13", "26.196"}, {"Text3", "25.688"}, {"Text4", "24.308"}});
    expectTexts(runCalculation("MXL", "-5"), {{"Text13", "-3.234"}, {"Text3", "-3.742"}, {"Text4", "-5.122"}});
}

TEST(RunCalculation, UnknownBeltTypeGivesZeroDiametersAndEmptyBoxes)
{
    for (const char* beltType : {"mxl", "MXL ", "", "T5 ", "STPDS2M"}) {
        const RunResult result = runCalculation(beltType, "40");
        for (const auto& box : result.boxes()) {
            const bool diameter = box.name == "Text13" || box.name == "Text3" || box.name == "Text4";
            EXPECT_EQ(box.text, diameter ? "0" : "") << beltType << ' ' << box.name;
        }
    }
}

TEST(RunCalculation, WritesTheBoxesInTheWindowsOrder)
{
    const RunResult result = runCalculation("MXL", "40");
    std::vector<std::string_view> names;
    for (const auto& box : result.boxes())
        names.push_back(box.name);
    const std::vector<std::string_view> expected
        = {"Text2", "Text13", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text10", "Text11",
            "Text14", "Text15", "Text16", "Text17", "Text18", "Text12", "Text19", "Text20", "Text21"};
    EXPECT_EQ(names, expected);
    EXPECT_THROW(result.text("Text1"), std::invalid_argument);
}

TEST(RunCalculation, WritesTheDecimalSeparatorIntoNumbersOnly)
{
    const RunResult result = runCalculation("MXL", "40.5", ",");
    expectTexts(result,
        {{"Text2", "2,032"}, {"Text13", "26,196"}, {"Text5", "0,84"}, {"Text11", "0,508"}, {"Text14", "±0.05"},
            {"Text16", "±1.5"}});
    expectTexts(runCalculation("T2.5", "20,5", ","), {{"Text2", "2,5"}, {"Text7", "0,75"}, {"Text13", "15,915"}});
}

TEST(RunCalculation, HugeToothCountsUseExponentNotation)
{
    expectTexts(runCalculation("T10", "1e20"), {{"Text13", "3.18309886547513E+20"}, {"Text4", "3.18309886547513E+20"}});
    expectTexts(runCalculation("mxl", "1e308"), {{"Text13", "0"}, {"Text3", "0"}});
}

TEST(RunCalculation, ThrowsWhenTheToothCountIsBeyondADouble)
{
    EXPECT_THROW(runCalculation("MXL", "1e400"), OutOfRange);
    EXPECT_THROW(runCalculation("MXL", "-1e400"), OutOfRange);
    EXPECT_THROW(runCalculation("MXL", "&H123456789"), OutOfRange);
    EXPECT_THROW(runCalculation("MXL", "1e308"), OutOfRange);  // the product is infinite
    EXPECT_THROW(runCalculation("MXL", "-1e306"), OutOfRange); // the thousandfold diameter is
    EXPECT_NO_THROW(runCalculation("MXL", "1e300"));
}

// Every belt type at many tooth counts against texts worked out independently
// of this program. A mistyped catalogue value fails here.
TEST(RunCalculation, MatchesTheIndependentlyWorkedRuns)
{
    std::ifstream file(QUILLON_GOLDEN_RUNS);
    ASSERT_TRUE(file) << QUILLON_GOLDEN_RUNS;
    int runs = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        for (std::string field; std::getline(stream, field, '\t');)
            fields.push_back(field);
        fields.resize(22); // getline drops empty fields at the end of the line
        const RunResult result = runCalculation(fields[0], fields[1]);
        for (int box = 2; box <= 21; ++box) {
            const std::string name = "Text" + std::to_string(box);
            EXPECT_EQ(result.text(name), fields[box]) << fields[0] << ' ' << fields[1] << ' ' << name;
        }
        ++runs;
    }
    EXPECT_EQ(runs, 22 * 16);
}

} // namespace
} // namespace quillon
