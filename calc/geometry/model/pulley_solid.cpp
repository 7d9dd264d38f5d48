#include "calc/geometry/model/pulley_solid.h"

#include "calc/geometry/model/model_options_check.h"

#include "calc/geometry/portable_math.h"
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

// A circle about the axis as two half arcs from (r, 0): a face of a reader's
// cylinder never closes on itself, which some readers cannot take.
Loop circleLoop(double radius)
{
    const Point right{radius, 0};
    const Point left{-radius, 0};
    return {{.start = right, .end = left, .sweep = kPi, .centre = {0, 0}, .radius = radius},
        {.start = left, .end = right, .sweep = kPi, .centre = {0, 0}, .radius = radius}};
}

Loop reversed(const Loop& loop)
{
    Loop out;
    out.reserve(loop.size());
    for (auto piece = loop.rbegin(); piece != loop.rend(); ++piece)
        out.push_back({piece->end, piece->start, -piece->sweep, piece->centre, piece->radius});
    return out;
}

// The bore's contour, clockwise (the material outside it on the left). With
// a keyway: from the slot's left side at the bore down round the bottom (in
// two arcs, each under a half turn) to its right side, up to the floor,
// across it and down again, all reversed.
Loop holeLoop(double radius, const std::optional<Keyway>& keyway)
{
    if (!keyway)
        return reversed(circleLoop(radius));
    const double half = keyway->width / 2;
    const double side = std::sqrt(radius * radius - half * half); // where the sides meet the bore
    const double floor = radius + keyway->depth;
    const double sweep = kPi - portableAtan2(half, side);
    const Point bottom{0, -radius};
    const Point left{-half, side};
    const Point right{half, side};
    const Point floorRight{half, floor};
    const Point floorLeft{-half, floor};
    const Loop counterClockwise = {
        {.start = left, .end = bottom, .sweep = sweep, .centre = {0, 0}, .radius = radius},
        {.start = bottom, .end = right, .sweep = sweep, .centre = {0, 0}, .radius = radius},
        {.start = right, .end = floorRight},
        {.start = floorRight, .end = floorLeft},
        {.start = floorLeft, .end = left},
    };
    return reversed(counterClockwise);
}

// Whether the direction `angle` lies within the arc's turn from its start.
bool withinArc(const OutlinePiece& arc, double angle)
{
    const double from = portableAtan2(arc.start.y - arc.centre.y, arc.start.x - arc.centre.x);
    double turn = (arc.sweep > 0 ? angle - from : from - angle);
    while (turn < 0)
        turn += 2 * kPi;
    while (turn >= 2 * kPi)
        turn -= 2 * kPi;
    return turn <= std::abs(arc.sweep);
}

struct Part {
    Loop loop;
    double height = 0;
    RadialExtent extent;
};

// The parts from the bottom up, those of one diameter that meet made one.
std::vector<Part> stackedParts(const PulleyOutline& outline, const ModelOptions& options, RadialExtent teeth)
{
    std::vector<Part> parts;
    const auto add = [&parts](Loop loop, double height, RadialExtent extent) {
        if (!parts.empty() && extent.smallest == extent.largest && parts.back().extent.smallest == extent.smallest
            && parts.back().extent.largest == extent.largest) {
            parts.back().height += height;
            return;
        }
        parts.push_back({std::move(loop), height, extent});
    };
    const auto circle = [&](double radius, double height) { add(circleLoop(radius), height, {radius, radius}); };
    if (options.hub)
        circle(options.hub->diameter / 2, options.hub->length);
    const double flangeRadius = options.flanges ? outline.diameters.outside / 2 + options.flanges->height : 0;
    if (options.flanges)
        circle(flangeRadius, options.flanges->thickness);
    add(outline.pieces, options.width, teeth);
    if (options.flanges)
        circle(flangeRadius, options.flanges->thickness);
    return parts;
}

} // namespace

double loopArea(const Loop& loop)
{
    double twice = 0;
    for (const OutlinePiece& piece : loop) {
        const Point s = piece.start;
        const Point e = piece.end;
        if (piece.sweep == 0)
            twice += s.x * e.y - e.x * s.y;
        else
            twice += piece.centre.x * (e.y - s.y) - piece.centre.y * (e.x - s.x)
                + piece.radius * piece.radius * piece.sweep;
    }
    return twice / 2;
}

RadialExtent radialExtent(const Loop& loop)
{
    RadialExtent extent{.smallest = portableHypot(loop.front().start.x, loop.front().start.y), .largest = 0};
    extent.largest = extent.smallest;
    for (const OutlinePiece& piece : loop) {
        const double end = portableHypot(piece.end.x, piece.end.y);
        extent.smallest = std::min(extent.smallest, end);
        extent.largest = std::max(extent.largest, end);
        if (piece.sweep == 0) {
            // The foot of the perpendicular from the axis, where it falls on the line.
            const double dx = piece.end.x - piece.start.x;
            const double dy = piece.end.y - piece.start.y;
            const double along = -(piece.start.x * dx + piece.start.y * dy) / (dx * dx + dy * dy);
            if (along > 0 && along < 1)
                extent.smallest
                    = std::min(extent.smallest, portableHypot(piece.start.x + along * dx, piece.start.y + along * dy));
            continue;
        }
        const double centre = portableHypot(piece.centre.x, piece.centre.y);
        const double outward = portableAtan2(piece.centre.y, piece.centre.x);
        if (centre == 0 || withinArc(piece, outward))
            extent.largest = std::max(extent.largest, centre + piece.radius);
        if (centre == 0 || withinArc(piece, outward + kPi))
            extent.smallest = std::min(extent.smallest, std::abs(centre - piece.radius));
    }
    return extent;
}

PulleySolid pulleySolid(const PulleyOutline& outline, const ModelOptions& options, Units units)
{
    const RadialExtent teeth = radialExtent(outline.pieces);
    checkModelOptions(options, outline, teeth, units);
    const std::vector<Part> parts = stackedParts(outline, options, teeth);

    PulleySolid solid;
    solid.name = std::string(outline.beltType) + " pulley, " + wholeNumberText(outline.teeth) + " teeth";
    solid.levels.push_back(0);
    for (const Part& part : parts)
        solid.levels.push_back(solid.levels.back() + part.height);
    const int top = static_cast<int>(parts.size());
    for (int i = 0; i < top; ++i)
        solid.walls.push_back({parts[static_cast<std::size_t>(i)].loop, i, i + 1});

    // The bottom, facing down: every bound backward.
    solid.endFaces.push_back({.level = 0, .facesUp = false, .bounds = {{{0, false}, false}}});
    for (int i = 1; i < top; ++i) {
        // Between two parts, the wider one's face: its own contour as the
        // outer bound, the narrower's as the inner.
        const Part& below = parts[static_cast<std::size_t>(i - 1)];
        const Part& above = parts[static_cast<std::size_t>(i)];
        const bool upperWider = above.extent.smallest > below.extent.largest;
        const Ring lower{i - 1, true};
        const Ring upper{i, false};
        if (upperWider)
            solid.endFaces.push_back({.level = i, .facesUp = false, .bounds = {{upper, false}, {lower, true}}});
        else
            solid.endFaces.push_back({.level = i, .facesUp = true, .bounds = {{lower, true}, {upper, false}}});
    }
    solid.endFaces.push_back({.level = top, .facesUp = true, .bounds = {{{top - 1, true}, true}}});
    if (options.bore) {
        const int hole = static_cast<int>(solid.walls.size());
        solid.walls.push_back({holeLoop(*options.bore / 2, options.keyway), 0, top});
        solid.endFaces.front().bounds.push_back({{hole, false}, false});
        solid.endFaces.back().bounds.push_back({{hole, true}, true});
    }
    for (const Wall& wall : solid.walls) {
        const double area = loopArea(wall.loop);
        solid.sectionAreas.push_back(area);
        solid.volume += area
            * (solid.levels[static_cast<std::size_t>(wall.top)] - solid.levels[static_cast<std::size_t>(wall.bottom)]);
    }
    return solid;
}

} // namespace quillon
