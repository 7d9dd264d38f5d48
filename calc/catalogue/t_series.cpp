// The metric T series. Each type has two rows: pulleys of more than 20 teeth
// get a wider, deeper groove with the depth tolerance "min"; those of 20 teeth
// or fewer a shallower one with a signed depth tolerance. The groove width is
// the top width br.

#include "calc/catalogue/catalogue.h"

#include <array>

namespace quillon {
namespace {

using enum ToothCountCondition;

// clang-format off
constexpr std::array<ProfileEntry, 8> kRows = {{
    {.beltType = "T2.5", .condition = Above20, .profile = {.pitch = 2.5, .topWidth = 1.83,  .topWidthTol = "+0.05", .grooveDepth = 1,    .grooveDepthTol = "min",   .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.2, .tipRadiusTol = "max", .rootRadius = 0.3, .rootRadiusTol = "+0.05", .twiceTipOffset = 0.6, .segmentLine1 = "Z10-14  Z15-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T2.5", .condition = UpTo20,  .profile = {.pitch = 2.5, .topWidth = 1.75,  .topWidthTol = "+0.05", .grooveDepth = 0.75, .grooveDepthTol = "+0.05", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.2, .tipRadiusTol = "max", .rootRadius = 0.3, .rootRadiusTol = "+0.05", .twiceTipOffset = 0.6, .segmentLine1 = "Z10-14  Z15-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T5",   .condition = Above20, .profile = {.pitch = 5,   .topWidth = 3.32,  .topWidthTol = "+0.05", .grooveDepth = 1.95, .grooveDepthTol = "min",   .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.4, .tipRadiusTol = "max", .rootRadius = 0.6, .rootRadiusTol = "+0.05", .twiceTipOffset = 1,   .segmentLine1 = "Z10-14  Z15-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T5",   .condition = UpTo20,  .profile = {.pitch = 5,   .topWidth = 2.96,  .topWidthTol = "+0.05", .grooveDepth = 1.25, .grooveDepthTol = "+0.05", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.4, .tipRadiusTol = "max", .rootRadius = 0.6, .rootRadiusTol = "+0.05", .twiceTipOffset = 1,   .segmentLine1 = "Z10-14  Z15-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T10",  .condition = Above20, .profile = {.pitch = 10,  .topWidth = 6.57,  .topWidthTol = "+0.10", .grooveDepth = 3.4,  .grooveDepthTol = "min",   .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.6, .tipRadiusTol = "max", .rootRadius = 0.8, .rootRadiusTol = "+0.10", .twiceTipOffset = 2,   .segmentLine1 = "Z12-15  Z16-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T10",  .condition = UpTo20,  .profile = {.pitch = 10,  .topWidth = 6.02,  .topWidthTol = "+0.10", .grooveDepth = 2.6,  .grooveDepthTol = "+0.10", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.6, .tipRadiusTol = "max", .rootRadius = 0.8, .rootRadiusTol = "+0.10", .twiceTipOffset = 2,   .segmentLine1 = "Z12-15  Z16-20", .segmentLine2 = "Z21-R"}},
    {.beltType = "T20",  .condition = Above20, .profile = {.pitch = 20,  .topWidth = 12.6,  .topWidthTol = "+0.15", .grooveDepth = 6,    .grooveDepthTol = "min",   .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.8, .tipRadiusTol = "max", .rootRadius = 1.2, .rootRadiusTol = "+0.10", .twiceTipOffset = 3,   .segmentLine1 = "Z15-20  Z21-R",  .segmentLine2 = ""}},
    {.beltType = "T20",  .condition = UpTo20,  .profile = {.pitch = 20,  .topWidth = 11.65, .topWidthTol = "+0.15", .grooveDepth = 5.2,  .grooveDepthTol = "+0.13", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.8, .tipRadiusTol = "max", .rootRadius = 1.2, .rootRadiusTol = "+0.10", .twiceTipOffset = 3,   .segmentLine1 = "Z15-20  Z21-R",  .segmentLine2 = ""}},
}};
// clang-format on

// The two rows of a type differ only in the groove's top width and depth and
// the depth's tolerance, and the larger pulleys get the larger groove.
constexpr bool pairDiffersOnlyInGroove(const ProfileEntry& above, const ProfileEntry& upTo)
{
    GrooveProfile a = above.profile;
    GrooveProfile b = upTo.profile;
    const bool largerGroove
        = a.topWidth.number() > b.topWidth.number() && a.grooveDepth.number() > b.grooveDepth.number();
    a.topWidth = b.topWidth;
    a.grooveDepth = b.grooveDepth;
    a.grooveDepthTol = b.grooveDepthTol;
    return above.beltType == upTo.beltType && above.condition == Above20 && upTo.condition == UpTo20 && largerGroove
        && a == b;
}

static_assert(pairDiffersOnlyInGroove(kRows[0], kRows[1]));
static_assert(pairDiffersOnlyInGroove(kRows[2], kRows[3]));
static_assert(pairDiffersOnlyInGroove(kRows[4], kRows[5]));
static_assert(pairDiffersOnlyInGroove(kRows[6], kRows[7]));

} // namespace

std::span<const ProfileEntry> tSeriesEntries()
{
    return kRows;
}

} // namespace quillon
