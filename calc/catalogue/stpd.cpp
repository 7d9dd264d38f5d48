// The STPD series. The only rows with a flank arc radius RA; none carries a
// tolerance (all five tolerance texts are empty) and the half-angle is the
// empty text, so its box stays empty.

#include "calc/algorithms.h"
#include "calc/catalogue/catalogue.h"

#include <algorithm>
#include <array>

namespace quillon {
namespace {

using enum ToothCountCondition;

// clang-format off
constexpr std::array<ProfileEntry, 6> kRows = {{
    {.beltType = "STPD S2M",   .condition = Any, .profile = {.pitch = 2,   .topWidth = 1.3,  .topWidthTol = "", .grooveDepth = 0.76, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 0.19, .tipRadiusTol = "", .rootRadius = 0.1,  .rootRadiusTol = "", .twiceTipOffset = 0.508, .flankRadius = 1.325}},
    {.beltType = "STPD S3M",   .condition = Any, .profile = {.pitch = 3,   .topWidth = 1.95, .topWidthTol = "", .grooveDepth = 1.11, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 0.28, .tipRadiusTol = "", .rootRadius = 0.15, .rootRadiusTol = "", .twiceTipOffset = 0.762, .flankRadius = 1.975, .segmentLine1 = "Z16-25  Z26-80", .segmentLine2 = ""}},
    {.beltType = "STPD S4.5M", .condition = Any, .profile = {.pitch = 4.5, .topWidth = 2.93, .topWidthTol = "", .grooveDepth = 1.59, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 0.48, .tipRadiusTol = "", .rootRadius = 0.22, .rootRadiusTol = "", .twiceTipOffset = 0.762, .flankRadius = 2.98}},
    {.beltType = "STPD S5M",   .condition = Any, .profile = {.pitch = 5,   .topWidth = 3.25, .topWidthTol = "", .grooveDepth = 1.77, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 0.55, .tipRadiusTol = "", .rootRadius = 0.25, .rootRadiusTol = "", .twiceTipOffset = 0.96,  .flankRadius = 3.275, .segmentLine1 = "Z20-24  Z25-40", .segmentLine2 = ""}},
    {.beltType = "STPD S8M",   .condition = Any, .profile = {.pitch = 8,   .topWidth = 5.2,  .topWidthTol = "", .grooveDepth = 2.83, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 0.9,  .tipRadiusTol = "", .rootRadius = 0.4,  .rootRadiusTol = "", .twiceTipOffset = 1.372, .flankRadius = 5.3,   .segmentLine1 = "Z20-24  Z25-31", .segmentLine2 = "Z32-48  Z49-120"}},
    {.beltType = "STPD S14M",  .condition = Any, .profile = {.pitch = 14,  .topWidth = 9.1,  .topWidthTol = "", .grooveDepth = 4.95, .grooveDepthTol = "", .halfAngle = "", .halfAngleTol = "", .tipRadius = 1.6,  .tipRadiusTol = "", .rootRadius = 0.7,  .rootRadiusTol = "", .twiceTipOffset = 2.79,  .flankRadius = 9.28,  .segmentLine1 = "Z28-36  Z37-51", .segmentLine2 = "52-100 Z101-200"}},
}};
// clang-format on

static_assert(allOf(kRows, [](const ProfileEntry& row) {
    const GrooveProfile& p = row.profile;
    const ProfileValue empty("");
    return p.bottomWidth.isUnset() && p.bottomWidthTol.isUnset() && p.flankRadius.isNumber() && p.halfAngle == empty
        && p.topWidthTol == empty && p.grooveDepthTol == empty && p.halfAngleTol == empty && p.tipRadiusTol == empty
        && p.rootRadiusTol == empty;
}));

} // namespace

std::span<const ProfileEntry> stpdEntries()
{
    return kRows;
}

} // namespace quillon
