// The trapezoidal inch series. Pitches are 0.08, 0.2, 0.375, 0.5, 0.875, 1.25
// and 0.125 inch. The groove width is the bottom width bw; top width, its
// tolerance, the flank radius and the second segment line are never given.

#include "calc/algorithms.h"
#include "calc/catalogue/catalogue.h"

#include <algorithm>
#include <array>

namespace quillon {
namespace {

using enum ToothCountCondition;

// clang-format off
constexpr std::array<ProfileEntry, 7> kRows = {{
    {.beltType = "MXL", .condition = Any, .profile = {.pitch = 2.032,  .bottomWidth = 0.84,  .bottomWidthTol = "±0.05", .grooveDepth = 0.69,  .grooveDepthTol = "-0.05", .halfAngle = 20, .halfAngleTol = "±1.5", .tipRadius = 0.13, .tipRadiusTol = "+0.05", .rootRadius = 0.35, .rootRadiusTol = "max", .twiceTipOffset = 0.508, .segmentLine1 = "Z10-23  Z24-R"}},
    {.beltType = "XL",  .condition = Any, .profile = {.pitch = 5.08,   .bottomWidth = 1.32,  .bottomWidthTol = "±0.05", .grooveDepth = 1.65,  .grooveDepthTol = "-0.08", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.64, .tipRadiusTol = "+0.05", .rootRadius = 0.41, .rootRadiusTol = "max", .twiceTipOffset = 0.508, .segmentLine1 = "Z10-20  Z21-72"}},
    {.beltType = "L",   .condition = Any, .profile = {.pitch = 9.525,  .bottomWidth = 3.05,  .bottomWidthTol = "±0.10", .grooveDepth = 2.67,  .grooveDepthTol = "-0.10", .halfAngle = 20, .halfAngleTol = "±1.5", .tipRadius = 1.17, .tipRadiusTol = "+0.13", .rootRadius = 1.19, .rootRadiusTol = "max", .twiceTipOffset = 0.762, .segmentLine1 = "Z12-20  Z21-120"}},
    {.beltType = "H",   .condition = Any, .profile = {.pitch = 12.7,   .bottomWidth = 4.19,  .bottomWidthTol = "±0.13", .grooveDepth = 3.05,  .grooveDepthTol = "-0.13", .halfAngle = 20, .halfAngleTol = "±1.5", .tipRadius = 1.6,  .tipRadiusTol = "+0.13", .rootRadius = 1.6,  .rootRadiusTol = "max", .twiceTipOffset = 1.372, .segmentLine1 = "Z14-20  Z21-156"}},
    {.beltType = "XH",  .condition = Any, .profile = {.pitch = 22.225, .bottomWidth = 7.9,   .bottomWidthTol = "±0.15", .grooveDepth = 7.14,  .grooveDepthTol = "-0.13", .halfAngle = 20, .halfAngleTol = "±1.5", .tipRadius = 2.39, .tipRadiusTol = "+0.13", .rootRadius = 1.98, .rootRadiusTol = "max", .twiceTipOffset = 2.794, .segmentLine1 = "Z18-26  Z27-120"}},
    {.beltType = "XXH", .condition = Any, .profile = {.pitch = 31.75,  .bottomWidth = 12.17, .bottomWidthTol = "±0.18", .grooveDepth = 10.31, .grooveDepthTol = "-0.13", .halfAngle = 20, .halfAngleTol = "±1.5", .tipRadius = 3.18, .tipRadiusTol = "+0.13", .rootRadius = 3.96, .rootRadiusTol = "max", .twiceTipOffset = 3.048, .segmentLine1 = "Z18-120"}},
    {.beltType = "XXL", .condition = Any, .profile = {.pitch = 3.175,  .bottomWidth = 1.14,  .bottomWidthTol = "±0.05", .grooveDepth = 0.84,  .grooveDepthTol = "-0.05", .halfAngle = 25, .halfAngleTol = "±1.5", .tipRadius = 0.3,  .tipRadiusTol = "+0.05", .rootRadius = 0.35, .rootRadiusTol = "max", .twiceTipOffset = 0.508}},
}};
// clang-format on

static_assert(allOf(kRows, [](const ProfileEntry& row) {
    const GrooveProfile& p = row.profile;
    return p.topWidth.isUnset() && p.topWidthTol.isUnset() && p.flankRadius.isUnset() && p.segmentLine2.isUnset()
        && p.halfAngleTol == ProfileValue("±1.5") && p.rootRadiusTol == ProfileValue("max");
}));

} // namespace

std::span<const ProfileEntry> trapezoidalInchEntries()
{
    return kRows;
}

} // namespace quillon
