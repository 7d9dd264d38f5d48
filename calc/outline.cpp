#include "calc/outline.h"

#include "calc/catalogue/catalogue.h"
#include "calc/inches.h"
#include "calc/number_text.h"
#include "calc/portable_math.h"
#include "calc/run.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace quillon {
namespace {

// A piece shorter than this (a nanometre) counts as not there: a contour
// with such a sliver is broken for every program that reads it.
constexpr double kShortestPiece = 1e-6;

// HTD's arc-bottom construction is offered where its top width comes within
// this of the table's: HTD3M to HTD8M stay within 0.07 mm, HTD14M within
// 0.1 mm from its smallest hob segment (28 teeth) and 0.18 mm below it;
// HTD20M misses by 0.6 mm.
constexpr double kTopWidthAllowance = 0.2;

Point operator+(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}
Point operator*(double s, Point a)
{
    return {s * a.x, s * a.y};
}
double dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}
double cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}
double length(Point a)
{
    return portableHypot(a.x, a.y);
}
Point mirrored(Point a)
{
    return {0.0 - a.x, a.y}; // never -0: the files write what they are given
}

// The signed angle that turns the direction of `from` onto that of `to`.
double turn(Point from, Point to)
{
    return portableAtan2(cross(from, to), dot(from, to));
}

OutlinePiece line(Point start, Point end)
{
    return {.start = start, .end = end};
}

OutlinePiece arc(Point start, Point end, Point centre, double radius, double sweep)
{
    return {.start = start, .end = end, .sweep = sweep, .centre = centre, .radius = radius};
}

// The right-hand flank of a groove in the groove's own frame (centre line on
// +y): the line through `through` that leans out by the half-angle, with its
// upward direction and the normal that points into the pulley's material.
struct Flank {
    Point through;
    Point up;
    Point intoMaterial;
};

Flank flankThrough(Point through, double halfAngle)
{
    return {
        through, {portableSin(halfAngle), portableCos(halfAngle)}, {portableCos(halfAngle), -portableSin(halfAngle)}};
}

// Where the line `from + t·direction` (a unit direction) meets the circle of
// `radius` about the axis, at the larger t; nothing when it misses.
std::optional<Point> meetCircle(Point from, Point direction, double radius)
{
    const double along = dot(from, direction);
    const double discriminant = along * along - dot(from, from) + radius * radius;
    if (!(discriminant >= 0))
        return std::nullopt;
    return from + (-along + std::sqrt(discriminant)) * direction;
}

// The half-width of a chord of the circle of `radius` that is `width` long,
// as the point on its right end; nothing when the chord is too long.
std::optional<Point> chordEnd(double width, double radius)
{
    const double half = width / 2;
    if (!(half > 0 && half < radius))
        return std::nullopt;
    return Point{half, std::sqrt(radius * radius - half * half)};
}

struct Circles {
    double outside = 0;
    double root = 0;
};

// The fillet of radius r between the flank and the outside circle: its arc
// from the circle down to the flank, turning left.
std::optional<OutlinePiece> tipFillet(const Flank& flank, double r, double outsideRadius)
{
    const std::optional<Point> centre = meetCircle(flank.through + r * flank.intoMaterial, flank.up, outsideRadius - r);
    if (!centre || !(r > 0))
        return std::nullopt;
    const Point onCircle = (outsideRadius / length(*centre)) * *centre;
    const Point onFlank = *centre - r * flank.intoMaterial;
    return arc(onCircle, onFlank, *centre, r, turn(onCircle - *centre, onFlank - *centre));
}

// The fillet of radius r between the flank and the root circle, in the
// groove: its arc from the flank down to the circle, turning right.
std::optional<OutlinePiece> rootFillet(const Flank& flank, double r, double rootRadius)
{
    const std::optional<Point> centre = meetCircle(flank.through - r * flank.intoMaterial, flank.up, rootRadius + r);
    if (!centre || !(r > 0))
        return std::nullopt;
    const Point onFlank = *centre + r * flank.intoMaterial;
    const Point onCircle = (rootRadius / length(*centre)) * *centre;
    return arc(onFlank, onCircle, *centre, r, turn(onFlank - *centre, onCircle - *centre));
}

// Why a pulley cannot be drawn, as the message says it.
[[noreturn]] void refuse(std::string_view beltType, int teeth, const std::string& what)
{
    throw OutlineRefused(std::string(beltType) + " at " + wholeNumberText(teeth) + " teeth cannot be drawn: " + what);
}

std::string millimetres(double value)
{
    return lengthText(value, Units::Millimetres) + " mm";
}

// The right half of one groove in its own frame, from the outside circle
// down to where the bottom begins, and the bottom to the mirror point.
struct HalfGroove {
    std::vector<OutlinePiece> side; // from the land down
    OutlinePiece bottom;            // from the right half's end to its mirror
};

HalfGroove straightGroove(
    const GrooveProfile& profile, BeltFamily family, Circles circles, std::string_view beltType, int teeth)
{
    const double halfAngle = profile.halfAngle.number() * std::numbers::pi / 180;
    // The inch series gives the width on the root circle, the T series on
    // the outside circle; both as the chord between the flank lines.
    const bool atRoot = family == BeltFamily::TrapezoidalInch;
    const double width = atRoot ? profile.bottomWidth.number() : profile.topWidth.number();
    const std::optional<Point> through = chordEnd(width, atRoot ? circles.root : circles.outside);
    if (!through)
        refuse(beltType, teeth,
            std::string(atRoot ? "the bottom width " : "the top width ") + millimetres(width) + " does not fit in the "
                + (atRoot ? "root circle" : "outside circle"));
    const Flank flank = flankThrough(*through, halfAngle);

    const std::optional<OutlinePiece> tip = tipFillet(flank, profile.tipRadius.number(), circles.outside);
    if (!tip || !(tip->sweep > 0 && tip->sweep < std::numbers::pi))
        refuse(beltType, teeth,
            "the tip fillet (radius " + millimetres(profile.tipRadius.number())
                + ") does not fit between the flank and the outside circle");
    const std::optional<OutlinePiece> root = rootFillet(flank, profile.rootRadius.number(), circles.root);
    if (!root || !(root->sweep < 0 && root->sweep > -std::numbers::pi))
        refuse(beltType, teeth,
            "the root fillet (radius " + millimetres(profile.rootRadius.number())
                + ") does not fit between the flank and the root circle");
    if (!(dot(tip->end - root->start, flank.up) > kShortestPiece))
        refuse(beltType, teeth, "no straight flank is left between the tip and root fillets");
    const Point bottomStart = root->end;
    const double bottomSweep = 2 * portableAtan2(bottomStart.x, bottomStart.y);
    if (!(circles.root * bottomSweep > kShortestPiece))
        refuse(beltType, teeth, "no root arc is left between the root fillets");
    return {.side = {*tip, line(tip->end, root->start), *root},
        .bottom = arc(bottomStart, mirrored(bottomStart), {0, 0}, circles.root, bottomSweep)};
}

HalfGroove arcBottomGroove(const GrooveProfile& profile, Circles circles, std::string_view beltType, int teeth)
{
    const double halfAngle = profile.halfAngle.number() * std::numbers::pi / 180;
    const double bottomRadius = profile.rootRadius.number();
    // The bottom arc's lowest point lies on the root circle; the flanks
    // touch it where its radius is square to them.
    const Point bottomCentre{0, circles.root + bottomRadius};
    const Point touching = bottomCentre + bottomRadius * Point{portableCos(halfAngle), -portableSin(halfAngle)};
    const Flank flank = flankThrough(touching, halfAngle);
    const std::optional<OutlinePiece> tip = tipFillet(flank, profile.tipRadius.number(), circles.outside);
    if (!tip || !(tip->sweep > 0 && tip->sweep < std::numbers::pi))
        refuse(beltType, teeth,
            "the tip fillet (radius " + millimetres(profile.tipRadius.number())
                + ") does not fit between the flank and the outside circle");
    if (!(dot(tip->end - flank.through, flank.up) > kShortestPiece))
        refuse(beltType, teeth, "no straight flank is left between the tip fillet and the bottom arc");
    return {.side = {*tip, line(tip->end, flank.through)},
        .bottom
        = arc(flank.through, mirrored(flank.through), bottomCentre, bottomRadius, -(std::numbers::pi - 2 * halfAngle))};
}

// Whether an arc of less than a full turn passes a point of its circle.
bool arcPasses(const OutlinePiece& arc, Point at)
{
    const double along = turn(arc.start - arc.centre, at - arc.centre);
    return (along >= 0) == (arc.sweep >= 0) && std::abs(along) <= std::abs(arc.sweep);
}

// The largest angle from the groove's centre line that its right half
// reaches, clockwise from +y: at a piece's end, or where a ray from the axis
// touches an arc. Neighbouring grooves overlap when it reaches half the
// angle between them, which a small pulley's groove can do below the
// outside circle while a land is still left on it.
double widestAngle(const HalfGroove& half)
{
    double widest = 0;
    auto reach = [&](Point p) { widest = std::max(widest, portableAtan2(p.x, p.y)); };
    std::vector<OutlinePiece> pieces = half.side;
    pieces.push_back(half.bottom);
    for (const OutlinePiece& piece : pieces) {
        reach(piece.start);
        reach(piece.end);
        const double fromAxis = length(piece.centre);
        if (piece.sweep == 0 || !(fromAxis > piece.radius))
            continue;
        // The two points whose radius is square to the ray from the axis.
        const double cosine = piece.radius / fromAxis;
        const double sine = std::sqrt(1 - cosine * cosine);
        const Point toAxis = (-1 / fromAxis) * piece.centre;
        for (const double side : {sine, -sine}) {
            const Point touching = piece.centre
                + piece.radius * Point{toAxis.x * cosine - toAxis.y * side, toAxis.x * side + toAxis.y * cosine};
            if (arcPasses(piece, touching))
                reach(touching);
        }
    }
    return widest;
}

// The width between the flank lines on the outside circle, as drawn.
double drawnTopWidth(const HalfGroove& half, double outsideRadius)
{
    const OutlinePiece& flank = half.side[1];
    const Point up = (1 / length(flank.start - flank.end)) * (flank.start - flank.end);
    return 2 * meetCircle(flank.end, up, outsideRadius)->x;
}

// One groove's pieces in its own frame, right half, bottom, left half.
std::vector<OutlinePiece> wholeGroove(const HalfGroove& half)
{
    std::vector<OutlinePiece> pieces = half.side;
    pieces.push_back(half.bottom);
    for (auto piece = half.side.rbegin(); piece != half.side.rend(); ++piece) {
        pieces.push_back({.start = mirrored(piece->end),
            .end = mirrored(piece->start),
            .sweep = piece->sweep,
            .centre = mirrored(piece->centre),
            .radius = piece->radius});
    }
    return pieces;
}

Point rotated(Point p, double cosine, double sine)
{
    return {p.x * cosine - p.y * sine, p.x * sine + p.y * cosine};
}

// The grooves turned to their places, and the land arcs between them. Every
// point is turned once, so that neighbouring pieces share it exactly.
std::vector<OutlinePiece> placeGrooves(const std::vector<OutlinePiece>& groove, int teeth, double outsideRadius)
{
    const double step = 2 * std::numbers::pi / teeth;
    const double landSweep = step - 2 * portableAtan2(groove.front().start.x, groove.front().start.y);
    std::vector<std::vector<OutlinePiece>> placed(static_cast<std::size_t>(teeth));
    for (int k = 0; k < teeth; ++k) {
        const double cosine = k == 0 ? 1 : portableCos(k * step);
        const double sine = k == 0 ? 0 : portableSin(k * step);
        std::vector<OutlinePiece>& pieces = placed[static_cast<std::size_t>(k)];
        Point start = rotated(groove.front().start, cosine, sine);
        for (const OutlinePiece& piece : groove) {
            const Point end = rotated(piece.end, cosine, sine);
            pieces.push_back({start, end, piece.sweep, rotated(piece.centre, cosine, sine), piece.radius});
            start = end;
        }
    }
    std::vector<OutlinePiece> contour;
    contour.reserve(static_cast<std::size_t>(teeth) * (groove.size() + 1));
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const std::vector<OutlinePiece>& before = placed[(k + placed.size() - 1) % placed.size()];
        contour.push_back(arc(before.back().end, placed[k].front().start, {0, 0}, outsideRadius, landSweep));
        contour.insert(contour.end(), placed[k].begin(), placed[k].end());
    }
    return contour;
}

} // namespace

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
    if (*family == BeltFamily::Htd) {
        half = arcBottomGroove(pulley.profile, circles, beltType, teeth);
        outline.construction = GrooveConstruction::ArcBottom;
        outline.topWidth = drawnTopWidth(half, circles.outside);
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
    } else {
        half = straightGroove(pulley.profile, *family, circles, beltType, teeth);
        outline.topWidth = drawnTopWidth(half, circles.outside);
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
