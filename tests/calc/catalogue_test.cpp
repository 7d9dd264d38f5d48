// What the catalogue holds for whole families, beyond single runs.

#include "calc/catalogue/catalogue.h"
#include "calc/decimal/charconv.h"

#include <gtest/gtest.h>

#include <charconv>
#include <set>
#include <string>
#include <vector>

namespace quillon {
namespace {

using Kind = ProfileValue::Kind;

std::vector<ProfileValue> textFields(const GrooveProfile& p)
{
    return {p.bottomWidthTol, p.topWidthTol, p.grooveDepthTol, p.halfAngleTol, p.tipRadiusTol, p.rootRadiusTol,
        p.segmentLine1, p.segmentLine2};
}

std::vector<ProfileValue> numberFields(const GrooveProfile& p)
{
    return {
        p.pitch, p.bottomWidth, p.topWidth, p.grooveDepth, p.tipRadius, p.rootRadius, p.twiceTipOffset, p.flankRadius};
}

TEST(Catalogue, HoldsTwentySixEntriesInSearchOrder)
{
    std::vector<std::string_view> names;
    for (const ProfileEntry& entry : profileCatalogue())
        names.push_back(entry.beltType);
    const std::vector<std::string_view> expected = {"MXL", "XL", "L", "H", "XH", "XXH", "XXL", "T2.5", "T2.5", "T5",
        "T5", "T10", "T10", "T20", "T20", "HTD3M", "HTD5M", "HTD8M", "HTD14M", "HTD20M", "STPD S2M", "STPD S3M",
        "STPD S4.5M", "STPD S5M", "STPD S8M", "STPD S14M"};
    EXPECT_EQ(names, expected);
}

TEST(Catalogue, OnlyTheTSeriesDependsOnTheToothCount)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        const bool tSeries = entry.beltType.front() == 'T';
        EXPECT_EQ(entry.condition != ToothCountCondition::Any, tSeries) << entry.beltType;
    }
}

TEST(Catalogue, FieldsHoldTheRightKinds)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        const GrooveProfile& p = entry.profile;
        for (const ProfileValue& v : numberFields(p))
            EXPECT_TRUE(v.isUnset() || (v.isNumber() && v.number() > 0)) << entry.beltType;
        for (const ProfileValue& v : textFields(p))
            EXPECT_TRUE(v.isUnset() || v.isText()) << entry.beltType;
        EXPECT_TRUE(p.pitch.isNumber() && p.grooveDepth.isNumber() && p.twiceTipOffset.isNumber()) << entry.beltType;
        EXPECT_TRUE(p.halfAngle.kind() == Kind::Integer || p.halfAngle == ProfileValue("")) << entry.beltType;
    }
}

TEST(Catalogue, PitchIsTheNumberInTheMetricNames)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        const std::string_view name = entry.beltType;
        const auto digits = name.find_first_of("0123456789");
        if (digits == std::string_view::npos)
            continue; // the inch series
        double pitch = 0;
        doubleFromChars(name.data() + digits, name.data() + name.size(), pitch);
        EXPECT_EQ(pitch, entry.profile.pitch.number()) << name;
    }
}

TEST(Catalogue, FlankRadiusOnlyInStpdRows)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        const bool stpd = entry.beltType.starts_with("STPD ");
        EXPECT_EQ(entry.profile.flankRadius.isNumber(), stpd) << entry.beltType;
        EXPECT_EQ(entry.profile.halfAngle == ProfileValue(""), stpd) << entry.beltType;
    }
}

TEST(Catalogue, GrooveWidthIsBottomWidthOnlyInTheInchSeries)
{
    for (std::size_t i = 0; i < profileCatalogue().size(); ++i) {
        const GrooveProfile& p = profileCatalogue()[i].profile;
        const bool inch = i < 7;
        EXPECT_EQ(p.bottomWidth.isNumber(), inch) << i;
        EXPECT_EQ(p.bottomWidthTol.isText(), inch) << i;
        EXPECT_EQ(p.topWidth.isNumber(), !inch) << i;
        EXPECT_EQ(p.topWidthTol.isText(), !inch) << i;
    }
}

TEST(Catalogue, HalfAnglesAndTheirTolerances)
{
    std::set<std::pair<std::string, int>> angles;
    for (const ProfileEntry& entry : profileCatalogue()) {
        if (entry.profile.halfAngle.kind() == Kind::Integer)
            angles.emplace(std::string(entry.beltType), entry.profile.halfAngle.integer());
    }
    const std::set<std::pair<std::string, int>> expected = {{"MXL", 20}, {"XL", 25}, {"L", 20}, {"H", 20}, {"XH", 20},
        {"XXH", 20}, {"XXL", 25}, {"T2.5", 25}, {"T5", 25}, {"T10", 25}, {"T20", 25}, {"HTD3M", 7}, {"HTD5M", 7},
        {"HTD8M", 7}, {"HTD14M", 7}, {"HTD20M", 7}};
    EXPECT_EQ(angles, expected);
}

// Texts are ASCII apart from the plus-minus sign, and segment texts keep
// their exact blanks: two between ranges that both begin with Z.
TEST(Catalogue, TextsKeepTheirExactCharacters)
{
    std::set<std::string> segmentTexts;
    for (const ProfileEntry& entry : profileCatalogue()) {
        for (const ProfileValue& v : textFields(entry.profile)) {
            std::string text(v.text());
            for (std::size_t pos; (pos = text.find("±")) != std::string::npos;)
                text.erase(pos, std::string("±").size());
            for (unsigned char c : text)
                EXPECT_LT(c, 0x80) << entry.beltType << " \"" << v.text() << '"';
        }
        for (const ProfileValue& line : {entry.profile.segmentLine1, entry.profile.segmentLine2}) {
            if (!line.text().empty())
                segmentTexts.emplace(line.text());
        }
    }
    const std::set<std::string> expected = {"Z10-23  Z24-R", "Z10-20  Z21-72", "Z12-20  Z21-120", "Z14-20  Z21-156",
        "Z18-26  Z27-120", "Z18-120", "Z10-14  Z15-20", "Z21-R", "Z12-15  Z16-20", "Z15-20  Z21-R", "Z9-15  Z16-25",
        "Z26-80  Z81-R", "Z11-16  Z17-31", "Z32-79  Z80-200", "Z18-27  Z28-40", "Z41-89  Z90-200", "Z28-40  Z41-89",
        "Z90-R ", "Z16-25  Z26-80", "Z20-24  Z25-40", "Z20-24  Z25-31", "Z32-48  Z49-120", "Z28-36  Z37-51",
        "52-100 Z101-200"};
    EXPECT_EQ(segmentTexts, expected);
}

TEST(Catalogue, SegmentLinesSetOrUnsetPerRow)
{
    const std::set<std::string_view> withoutSegments = {"XXL", "HTD20M", "STPD S2M", "STPD S4.5M"};
    for (const ProfileEntry& entry : profileCatalogue()) {
        const bool none = withoutSegments.contains(entry.beltType);
        EXPECT_EQ(entry.profile.segmentLine1.isUnset(), none) << entry.beltType;
        if (none) {
            EXPECT_TRUE(entry.profile.segmentLine2.isUnset()) << entry.beltType;
        }
    }
    EXPECT_EQ(profileCatalogue()[21].profile.segmentLine2, ProfileValue("")); // STPD S3M
}

} // namespace
} // namespace quillon
