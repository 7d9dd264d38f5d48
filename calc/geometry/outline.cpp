#include "calc/geometry/outline.h"

#include "calc/catalogue/catalogue.h"
#include "calc/number_text.h"
#include "calc/geometry/outline_groove.h"
#include "calc/geometry/portable_math.h"
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

// Why a pulley cannot be drawn, as the message says it.
[[noreturn]] void refuse(std::string_view beltType, int teeth, const std::string& what)
{
    throw OutlineRefused(std::string(beltType) + " at " + wholeNumberText(teeth) + " teeth cannot be drawn: " + what);
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
    const std::optional<BeltFamily> family = beltFamily(beltType);
    if (!family)
        throw OutlineRefused("unknown belt type \"" + std::string(beltType) + "\"");
    if (*family == BeltFamily::Stpd)
        throw OutlineRefused(std::string(beltType)
            + " cannot be drawn: its flanks are arcs of radius RA, and the table does not give where their "
              "centres lie");
    if (!(toothCount == std::floor(toothCount)))
        throw OutlineRefused("a pulley has a whole number of teeth, not " + plainText(toothCount));
    if (!(toothCount >= 3 && toothCount <= kMaxOutlineTeeth))
        throw OutlineRefused("an outline is drawn for 3 to " + wholeNumberText(kMaxOutlineTeeth) + " teeth, not "
            + plainText(toothCount));
    const int teeth = static_cast<int>(toothCount);
    const Pulley pulley = calculatePulley(beltType, toothCount);
    const Circles circles{pulley.diameters.outside / 2, pulley.diameters.root / 2};
    if (!(circles.root > 0))
        refuse(beltType, teeth, "its root diameter " + millimetres(pulley.diameters.root) + " is not above 0");

    // The catalogue's own name, which lives as long as the program.
    PulleyOutline outline{.beltType = *std::find(kBeltTypes.begin(), kBeltTypes.end(), beltType),
        .teeth = teeth,
        .profile = pulley.profile,
        .diameters = pulley.diameters};
    HalfGroove half;
    try {
        // The inch series gives the groove's width on the root circle, the T
        // series on the outside circle.
        half = *family == BeltFamily::Htd
            ? arcBottomGroove(pulley.profile, circles)
            : straightGroove(pulley.profile, *family == BeltFamily::TrapezoidalInch, circles);
    } catch (const GrooveDoesNotFit& what) {
        refuse(beltType, teeth, what.what());
    }
    outline.topWidth = drawnTopWidth(half, circles.outside);
    if (*family == BeltFamily::Htd) {
        outline.construction = GrooveConstruction::ArcBottom;
        const double tableWidth = pulley.profile.topWidth.number();
        if (!(std::abs(outline.topWidth - tableWidth) <= kTopWidthAllowance))
            refuse(beltType, teeth,
                "a bottom arc with flanks tangent to it gives a top width of " + millimetres(outline.topWidth)
                    + " where the table gives " + millimetres(tableWidth)
                    + "; the table does not give the shape of this groove");
        if (!approximate)
            throw OutlineRefused(std::string(beltType)
                    + " is drawn only approximately: its numbers over-determine a bottom arc with straight flanks "
                      "tangent to it, whose top width ("
                    + millimetres(outline.topWidth) + ") differs from the table's (" + millimetres(tableWidth) + ")",
                true);
    }
    const std::vector<OutlinePiece> groove = wholeGroove(half);
    const double halfLand = std::numbers::pi / teeth - portableAtan2(groove.front().start.x, groove.front().start.y);
    if (!(circles.outside * halfLand > kShortestPiece / 2))
        refuse(beltType, teeth, "no land is left on the outside circle between the grooves");
    if (!(widestAngle(half) < std::numbers::pi / teeth))
        refuse(beltType, teeth, "neighbouring grooves overlap below the outside circle");
    outline.pieces = placeGrooves(groove, teeth, circles.outside);
    return outline;
}

} // namespace quillon
