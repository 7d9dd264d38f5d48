// Reading the segment lines into ranges, on every segment text of the
// catalogue, and the range that holds a tooth count.

#include "calc/catalogue/catalogue.h"
#include "calc/derived/table.h"
#include "calc/run.h"
#include "calc/segments.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillon;

namespace {

// Every range written down, for comparison: "Z10-23 10-23" style.
std::string describe(const std::vector<ToothRange>& ranges)
{
    std::string out;
    for (const ToothRange& range : ranges) {
        out += "[" + std::string(range.text) + " " + std::to_string(range.first) + "-"
            + (range.last ? std::to_string(*range.last) : "R") + "]";
    }
    return out;
}

TEST(SegmentLine, EveryTextOfTheCatalogueReadsWhole)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Z10-23  Z24-R", "[Z10-23 10-23][Z24-R 24-R]"},
        {"Z10-20  Z21-72", "[Z10-20 10-20][Z21-72 21-72]"},
        {"Z12-20  Z21-120", "[Z12-20 12-20][Z21-120 21-120]"},
        {"Z14-20  Z21-156", "[Z14-20 14-20][Z21-156 21-156]"},
        {"Z18-26  Z27-120", "[Z18-26 18-26][Z27-120 27-120]"},
        {"Z18-120", "[Z18-120 18-120]"},
        {"Z10-14  Z15-20", "[Z10-14 10-14][Z15-20 15-20]"},
        {"Z21-R", "[Z21-R 21-R]"},
        {"Z12-15  Z16-20", "[Z12-15 12-15][Z16-20 16-20]"},
        {"Z15-20  Z21-R", "[Z15-20 15-20][Z21-R 21-R]"},
        {"Z9-15  Z16-25", "[Z9-15 9-15][Z16-25 16-25]"},
        {"Z26-80  Z81-R", "[Z26-80 26-80][Z81-R 81-R]"},
        {"Z11-16  Z17-31", "[Z11-16 11-16][Z17-31 17-31]"},
        {"Z32-79  Z80-200", "[Z32-79 32-79][Z80-200 80-200]"},
        {"Z18-27  Z28-40", "[Z18-27 18-27][Z28-40 28-40]"},
        {"Z41-89  Z90-200", "[Z41-89 41-89][Z90-200 90-200]"},
        {"Z28-40  Z41-89", "[Z28-40 28-40][Z41-89 41-89]"},
        {"Z90-R ", "[Z90-R 90-R]"},
        {"Z16-25  Z26-80", "[Z16-25 16-25][Z26-80 26-80]"},
        {"Z20-24  Z25-40", "[Z20-24 20-24][Z25-40 25-40]"},
        {"Z20-24  Z25-31", "[Z20-24 20-24][Z25-31 25-31]"},
        {"Z32-48  Z49-120", "[Z32-48 32-48][Z49-120 49-120]"},
        {"Z28-36  Z37-51", "[Z28-36 28-36][Z37-51 37-51]"},
        {"52-100 Z101-200", "[52-100 52-100][Z101-200 101-200]"},
        {"", ""},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(describe(readSegmentLine(line)), expected) << '"' << line << '"';
}

TEST(SegmentLine, EveryWordOfTheCatalogueIsARange)
{
    // A word that reads as no range would silently drop a hob; none may.
    for (const ProfileEntry& entry : profileCatalogue()) {
        for (const ProfileValue& line : {entry.profile.segmentLine1, entry.profile.segmentLine2}) {
            std::size_t words = 0;
            bool inWord = false;
            for (char c : line.text()) {
                words += c != ' ' && !inWord;
                inWord = c != ' ';
            }
            EXPECT_EQ(readSegmentLine(line.text()).size(), words) << entry.beltType << ": " << line.text();
        }
    }
}

TEST(SegmentLine, WordsOfAnotherFormNameNoRange)
{
    EXPECT_EQ(describe(readSegmentLine("Z10 Z-5 Z20-10 Z5-R7 x1-2 Z3-4")), "[Z3-4 3-4]");
}

TEST(HobSegment, TheRangeThatHoldsTheToothCount)
{
    const struct {
        const char* beltType;
        int teeth;
        const char* segment; // "" for none
    } cases[] = {
        {"MXL", 40, "Z24-R"},
        {"MXL", 23, "Z10-23"},
        {"MXL", 9, ""},
        {"XXH", 121, ""},
        {"XXL", 40, ""},
        {"T5", 20, "Z15-20"},
        {"T5", 21, "Z21-R"},
        {"HTD3M", 100000, "Z81-R"},
        {"HTD14M", 90, "Z90-R"},
        {"STPD S14M", 100, "52-100"},
        {"STPD S14M", 101, "Z101-200"},
        {"STPD S14M", 201, ""},
    };
    for (const auto& c : cases) {
        BeltTable table(c.beltType, Units::Millimetres);
        EXPECT_EQ(table.row(c.teeth)[kTableColumns.size() - 2], c.segment) << c.beltType << " " << c.teeth;
    }
}

} // namespace
