// The HTD series, with curvilinear teeth. The groove width is the top width
// br; several tolerances are given as empty texts, which show as empty boxes.

#include "calc/algorithms.h"
#include "calc/catalogue/catalogue.h"

#include <algorithm>
#include <array>

namespace quillon {
namespace {

using enum ToothCountCondition;

// clang-format off
constexpr std::array<ProfileEntry, 5> kRows = {{
    {.beltType = "HTD3M",  .condition = Any, .profile = {.pitch = 3,  .topWidth = 1.9,  .topWidthTol = "", .grooveDepth = 1.28, .grooveDepthTol = "-0.05", .halfAngle = 7, .halfAngleTol = "", .tipRadius = 0.3,  .tipRadiusTol = "+0.01", .rootRadius = 0.91, .rootRadiusTol = "±0.02", .twiceTipOffset = 0.762, .segmentLine1 = "Z9-15  Z16-25",  .segmentLine2 = "Z26-80  Z81-R"}},
    {.beltType = "HTD5M",  .condition = Any, .profile = {.pitch = 5,  .topWidth = 3.25, .topWidthTol = "", .grooveDepth = 2.16, .grooveDepthTol = "-0.08", .halfAngle = 7, .halfAngleTol = "", .tipRadius = 0.48, .tipRadiusTol = "+0.05", .rootRadius = 1.56, .rootRadiusTol = "±0.05", .twiceTipOffset = 1.14,  .segmentLine1 = "Z11-16  Z17-31", .segmentLine2 = "Z32-79  Z80-200"}},
    {.beltType = "HTD8M",  .condition = Any, .profile = {.pitch = 8,  .topWidth = 5.35, .topWidthTol = "", .grooveDepth = 3.54, .grooveDepthTol = "-0.12", .halfAngle = 7, .halfAngleTol = "", .tipRadius = 0.8,  .tipRadiusTol = "+0.06", .rootRadius = 2.57, .rootRadiusTol = "±0.08", .twiceTipOffset = 1.372, .segmentLine1 = "Z18-27  Z28-40", .segmentLine2 = "Z41-89  Z90-200"}},
    {.beltType = "HTD14M", .condition = Any, .profile = {.pitch = 14, .topWidth = 9.8,  .topWidthTol = "", .grooveDepth = 6.2,  .grooveDepthTol = "",      .halfAngle = 7, .halfAngleTol = "", .tipRadius = 1.4,  .tipRadiusTol = "+0.08", .rootRadius = 4.65, .rootRadiusTol = "±0.10", .twiceTipOffset = 2.79,  .segmentLine1 = "Z28-40  Z41-89", .segmentLine2 = "Z90-R "}},
    {.beltType = "HTD20M", .condition = Any, .profile = {.pitch = 20, .topWidth = 14.8, .topWidthTol = "", .grooveDepth = 8.6,  .grooveDepthTol = "",      .halfAngle = 7, .halfAngleTol = "", .tipRadius = 1.95, .tipRadiusTol = "+0.30", .rootRadius = 6.84, .rootRadiusTol = "",      .twiceTipOffset = 4.32}},
}};
// clang-format on

static_assert(allOf(kRows, [](const ProfileEntry& row) {
    const GrooveProfile& p = row.profile;
    return p.bottomWidth.isUnset() && p.bottomWidthTol.isUnset() && p.flankRadius.isUnset()
        && p.topWidthTol == ProfileValue("") && p.halfAngleTol == ProfileValue("") && p.halfAngle == ProfileValue(7);
}));

} // namespace

std::span<const ProfileEntry> htdEntries()
{
    return kRows;
}

} // namespace quillon
