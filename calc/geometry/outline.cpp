#include "calc/geometry/outline.h"

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/outline_groove.h"
#include "calc/geometry/portable_math.h"
#include "calc/number_text.h"
#include "calc/run.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

using namespace outline;

// HTD's arc-bottom construction is offered where its top width comes within
// this of the table's: HTD3M to HTD8M stay within 0.07 mm, HTD14M within
// 0.1 mm from its smallest hob segment (28 teeth) and 0.18 mm below it;
// HTD20M misses by 0.6 mm.
constexpr double kTopWidthAllowance = 0.2;

// Why a pulley cannot be drawn, with the numbers of the obstacle.
[[noreturn]] void refuse(
    OutlineObstacle obstacle, std::string_view beltType, double toothCount, double length = 0, double tableLength = 0)
{
    throw OutlineRefused({.obstacle = obstacle,
        .beltType = std::string(beltType),
        .toothCount = toothCount,
        .length = length,
        .tableLength = tableLength});
}

// The belt family, where an outline is defined for it and the tooth count.
BeltFamily drawnFamily(std::string_view beltType, double toothCount)
{
    const std::optional<BeltFamily> family = beltFamily(beltType);
    if (!family)
        refuse(OutlineObstacle::UnknownBeltType, beltType, toothCount);
    if (*family == BeltFamily::Stpd)
        refuse(OutlineObstacle::FlankCentresNotGiven, beltType, toothCount);
    if (!(toothCount == std::floor(toothCount)))
        refuse(OutlineObstacle::TeethNotWhole, beltType, toothCount);
    if (!(toothCount >= 3 && toothCount <= kMaxOutlineTeeth))
        refuse(OutlineObstacle::TeethOutOfRange, beltType, toothCount);
    return *family;
}

// The right half of the row's groove, for the family's construction. An
// arc-bottom groove (HTD) is drawn only where its top width comes near the
// table's, and only when approximate is asked for.
HalfGroove halfGroove(const PulleyOutline& outline, BeltFamily family, Circles circles, bool approximate)
{
    try {
        if (family != BeltFamily::Htd) {
            // The inch series gives the groove's width on the root circle,
            // the T series on the outside circle.
            return straightGroove(outline.profile, family == BeltFamily::TrapezoidalInch, circles);
        }
        const HalfGroove half = arcBottomGroove(outline.profile, circles);
        const double drawnWidth = drawnTopWidth(half, circles.outside);
        const double tableWidth = outline.profile.topWidth.number();
        if (!(std::abs(drawnWidth - tableWidth) <= kTopWidthAllowance))
            refuse(OutlineObstacle::TopWidthUnlikeTable, outline.beltType, outline.teeth, drawnWidth, tableWidth);
        if (!approximate)
            refuse(OutlineObstacle::OnlyApproximately, outline.beltType, outline.teeth, drawnWidth, tableWidth);
        return half;
    } catch (const GrooveDoesNotFit& what) {
        refuse(what.obstacle, outline.beltType, outline.teeth, what.length);
    }
}

// Groove k's point p, turned to its place.
Point placed(Point p, int k, double step)
{
    const double cosine = k == 0 ? 1 : portableCos(k * step);
    const double sine = k == 0 ? 0 : portableSin(k * step);
    return {p.x * cosine - p.y * sine, p.x * sine + p.y * cosine};
}

} // namespace

// Every point is turned once, and each piece starts at the very point the
// one before ends; the first land starts where the last groove will end,
// turned by the same arithmetic.
std::vector<OutlinePiece> outline::placeGrooves(
    const std::vector<OutlinePiece>& groove, int teeth, double outsideRadius)
{
    const double step = 2 * std::numbers::pi / teeth;
    const double landSweep = step - 2 * portableAtan2(groove.front().start.x, groove.front().start.y);
    std::vector<OutlinePiece> contour;
    contour.reserve(static_cast<std::size_t>(teeth) * (groove.size() + 1));
    Point start = placed(groove.back().end, teeth - 1, step);
    for (int k = 0; k < teeth; ++k) {
        Point end = placed(groove.front().start, k, step);
        contour.push_back({.start = start, .end = end, .sweep = landSweep, .centre = {0, 0}, .radius = outsideRadius});
        for (const OutlinePiece& piece : groove) {
            start = end;
            end = placed(piece.end, k, step);
            contour.push_back({start, end, piece.sweep, placed(piece.centre, k, step), piece.radius});
        }
        start = end;
    }
    return contour;
}

PulleyOutline pulleyOutline(std::string_view beltType, double toothCount, bool approximate)
{
    const BeltFamily family = drawnFamily(beltType, toothCount);
    const int teeth = static_cast<int>(toothCount);
    const Pulley pulley = calculatePulley(beltType, toothCount);
    const Circles circles{pulley.diameters.outside / 2, pulley.diameters.root / 2};
    if (!(circles.root > 0))
        refuse(OutlineObstacle::RootDiameterNotAboveZero, beltType, toothCount, pulley.diameters.root);

    // The catalogue's own name, which lives as long as the program.
    PulleyOutline outline{.beltType = *std::find(kBeltTypes.begin(), kBeltTypes.end(), beltType),
        .teeth = teeth,
        .profile = pulley.profile,
        .diameters = pulley.diameters};
    const HalfGroove half = halfGroove(outline, family, circles, approximate);
    outline.topWidth = drawnTopWidth(half, circles.outside);
    if (family == BeltFamily::Htd)
        outline.construction = GrooveConstruction::ArcBottom;
    const std::vector<OutlinePiece> groove = wholeGroove(half);
    const double halfLand = std::numbers::pi / teeth - portableAtan2(groove.front().start.x, groove.front().start.y);
    if (!(circles.outside * halfLand > kShortestPiece / 2))
        refuse(OutlineObstacle::NoLand, beltType, toothCount);
    if (!(widestAngle(half) < std::numbers::pi / teeth))
        refuse(OutlineObstacle::GroovesOverlap, beltType, toothCount);
    outline.pieces = placeGrooves(groove, teeth, circles.outside);
    return outline;
}

} // namespace quillon
