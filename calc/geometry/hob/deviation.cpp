#include "calc/geometry/hob/deviation.h"

#include "calc/decimal/charconv.h"

#include "calc/geometry/hob/hob_tooth.h"
#include "calc/geometry/hob/plane.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quillon {
namespace {

using namespace hob;

// The signed distance from a point to one piece, positive inside the
// material, where the foot of the perpendicular lies on the piece.
std::optional<double> distanceInto(const OutlinePiece& piece, Point p)
{
    if (piece.sweep == 0) {
        const Point along = piece.end - piece.start;
        const double length = norm(along);
        const double foot = dot(p - piece.start, along) / (length * length);
        if (!(foot >= 0 && foot <= 1))
            return std::nullopt;
        return dot(p - piece.start, leftOf(along)) / length;
    }
    const Point fromCentre = p - piece.centre;
    const Point startArm = piece.start - piece.centre;
    const double along = portableAtan2(cross(startArm, fromCentre), dot(startArm, fromCentre));
    if (!((along >= 0) == (piece.sweep >= 0) && std::abs(along) <= std::abs(piece.sweep)))
        return std::nullopt;
    const double out = norm(fromCentre) - piece.radius;
    return piece.sweep > 0 ? -out : out;
}

// The signed distance from a point to the target's groove along its normal:
// to the nearest piece whose perpendicular reaches it; 0 where none does
// (beyond the groove's ends on the outside circle).
double distanceToGroove(const std::vector<OutlinePiece>& groove, Point p)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const OutlinePiece& piece : groove) {
        if (const std::optional<double> d = distanceInto(piece, p); d && std::abs(*d) < std::abs(nearest))
            nearest = *d;
    }
    return std::isfinite(nearest) ? nearest : 0;
}

// The half chord at a depth below the outside circle: the x of the first
// crossing of that circle, walking down from the outside circle.
double halfWidthAt(const TracedCurve& half, double radius)
{
    const std::optional<Sample> crossing = firstCrossing(half, [radius](Point p) { return norm(p) - radius; });
    return crossing ? crossing->at.x : 0;
}

} // namespace

GrooveDeviation grooveDeviation(const GeneratedGroove& generated, const PulleyOutline& target)
{
    const std::vector<OutlinePiece> groove = rightHalfOfGroove(target);
    TracedCurve targetHalf;
    for (const OutlinePiece& piece : groove)
        targetHalf.push_back(tracedOutlinePiece(piece, 0));
    GrooveDeviation deviation{.groovesMeet = generated.groovesMeet};
    deviation.overcut
        = std::max(0.0, largestOnCurve(generated.half, [&](Point p) { return distanceToGroove(groove, p); }));
    deviation.metalLeft
        = std::max(0.0, largestOnCurve(generated.half, [&](Point p) { return -distanceToGroove(groove, p); }));
    const double outside = target.diameters.outside / 2;
    const double depth = (target.diameters.outside - target.diameters.root) / 2;
    for (auto [fraction, width] : {std::pair{0.25, &GrooveDeviation::widthQuarter}, {0.5, &GrooveDeviation::widthHalf},
             {0.75, &GrooveDeviation::widthThreeQuarter}}) {
        const double radius = outside - fraction * depth;
        deviation.*width = 2 * (halfWidthAt(generated.half, radius) - halfWidthAt(targetHalf, radius));
    }
    return deviation;
}

std::string deviationText(double millimetres, Units units)
{
    std::array<char, 64> digits;
    const bool inches = units == Units::Inches;
    const auto written = doubleToChars(digits.data(), digits.data() + digits.size(),
        inches ? millimetres / 25.4 : millimetres, std::chars_format::fixed, inches ? 6 : 4);
    const std::string text(digits.data(), written.ptr);
    return text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos ? text.substr(1) : text;
}

} // namespace quillon
