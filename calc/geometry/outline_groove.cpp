#include "calc/geometry/outline_groove.h"

#include "calc/geometry/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace quillon::outline {
namespace {

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

// Whether an arc of less than a full turn passes a point of its circle.
bool arcPasses(const OutlinePiece& arc, Point at)
{
    const double along = turn(arc.start - arc.centre, at - arc.centre);
    return (along >= 0) == (arc.sweep >= 0) && std::abs(along) <= std::abs(arc.sweep);
}

} // namespace

HalfGroove straightGroove(const GrooveProfile& profile, bool widthOnRoot, Circles circles)
{
    const double halfAngle = profile.halfAngle.number() * std::numbers::pi / 180;
    const double width = widthOnRoot ? profile.bottomWidth.number() : profile.topWidth.number();
    const std::optional<Point> through = chordEnd(width, widthOnRoot ? circles.root : circles.outside);
    if (!through)
        throw GrooveDoesNotFit(
            widthOnRoot ? OutlineObstacle::BottomWidthDoesNotFit : OutlineObstacle::TopWidthDoesNotFit, width);
    const Flank flank = flankThrough(*through, halfAngle);

    const std::optional<OutlinePiece> tip = tipFillet(flank, profile.tipRadius.number(), circles.outside);
    if (!tip || !(tip->sweep > 0 && tip->sweep < std::numbers::pi))
        throw GrooveDoesNotFit(OutlineObstacle::TipFilletDoesNotFit, profile.tipRadius.number());
    const std::optional<OutlinePiece> root = rootFillet(flank, profile.rootRadius.number(), circles.root);
    if (!root || !(root->sweep < 0 && root->sweep > -std::numbers::pi))
        throw GrooveDoesNotFit(OutlineObstacle::RootFilletDoesNotFit, profile.rootRadius.number());
    if (!(dot(tip->end - root->start, flank.up) > kShortestPiece))
        throw GrooveDoesNotFit(OutlineObstacle::NoFlankBetweenFillets);
    const Point bottomStart = root->end;
    const double bottomSweep = 2 * portableAtan2(bottomStart.x, bottomStart.y);
    if (!(circles.root * bottomSweep > kShortestPiece))
        throw GrooveDoesNotFit(OutlineObstacle::NoRootArc);
    return {.side = {*tip, line(tip->end, root->start), *root},
        .bottom = arc(bottomStart, mirrored(bottomStart), {0, 0}, circles.root, bottomSweep)};
}

HalfGroove arcBottomGroove(const GrooveProfile& profile, Circles circles)
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
        throw GrooveDoesNotFit(OutlineObstacle::TipFilletDoesNotFit, profile.tipRadius.number());
    if (!(dot(tip->end - flank.through, flank.up) > kShortestPiece))
        throw GrooveDoesNotFit(OutlineObstacle::NoFlankAboveBottomArc);
    return {.side = {*tip, line(tip->end, flank.through)},
        .bottom
        = arc(flank.through, mirrored(flank.through), bottomCentre, bottomRadius, -(std::numbers::pi - 2 * halfAngle))};
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

} // namespace quillon::outline
