#include "calc/geometry/model/pulley_solid.h"

#include "calc/decimal/charconv.h"
#include "calc/geometry/portable_math.h"
#include "calc/number_text.h"

#include <algorithm>
#include <array>
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

[[noreturn]] void refuse(const std::string& why)
{
    throw ModelRefused(why);
}

// A length as the user gave it, in the units given: up to 15 significant
// digits, so that 28.5325 is not shown as 28.533.
// Far outside the model's lengths, in the shortest text ("1e-300 mm").
std::string givenLength(double millimetres, Units units)
{
    const double value = units == Units::Inches ? millimetres / 25.4 : millimetres;
    std::string text = plainText(value);
    if (value < 1e-6 || value >= 1e15) {
        std::array<char, 32> buffer{};
        const auto [end, error]
            = doubleToChars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general);
        text.assign(buffer.data(), end);
    }
    return text + " " + std::string(unitsName(units));
}

// A limit beside a given length: as a table rounds it, or with more decimals
// where that would read as the given length.
std::string limitLength(double limit, double given, Units units)
{
    const double scale = units == Units::Inches ? 25.4 : 1;
    const std::string shown = lengthWithUnit(limit, units);
    if (shown != givenLength(given, units) || limit == given)
        return shown;
    for (int decimals = units == Units::Inches ? 5 : 4; decimals < 15; ++decimals) {
        const double step = std::pow(10.0, decimals);
        const std::string finer
            = plainText(std::round(limit / scale * step) / step) + " " + std::string(unitsName(units));
        if (finer != givenLength(given, units))
            return finer;
    }
    return givenLength(limit, units);
}

// Lengths given must be positive numbers within the range a model is made
// for; the message names the length given, in the units it was given in.
void requireLength(double value, const char* what, Units units)
{
    if (!(value > 0 && std::isfinite(value)))
        refuse(std::string(what) + " must be a positive number, not "
            + (std::isnan(value)        ? std::string("NaN")
                    : std::isinf(value) ? "infinite"
                                        : givenLength(value, units)));
    if (value < kShortestModelLength || value > kLongestModelLength)
        refuse(std::string(what) + " of " + givenLength(value, units) + " is outside the lengths a model is made for, "
            + "from " + givenLength(kShortestModelLength, units) + " to " + givenLength(kLongestModelLength, units));
}

struct Part {
    Loop loop;
    double height = 0;
    RadialExtent extent;
};

// A diameter closer than the clearance (radially) to a neighbouring
// circle's: refused, naming the diameters it may have on the sides allowed.
struct Neighbour {
    const char* name; // "the outside circle"
    double diameter = 0;
    bool above = true; // the given diameter may be larger than the neighbour's
    bool below = true; // or smaller
};
void requireClear(const char* what, double diameter, const Neighbour& neighbour, double clearance, Units units)
{
    if (!(std::abs(diameter - neighbour.diameter) < 2 * clearance))
        return;
    const double larger = neighbour.diameter + 2 * clearance;
    const double smaller = neighbour.diameter - 2 * clearance;
    std::string allowed = neighbour.above ? "at least " + limitLength(larger, diameter, units) : std::string();
    if (neighbour.below && smaller > 0)
        allowed += (allowed.empty() ? "at most " : " or at most ") + limitLength(smaller, diameter, units);
    refuse(std::string(what) + " of " + givenLength(diameter, units) + " is within the tolerance "
        + givenLength(clearance, units) + " of " + neighbour.name + " ("
        + limitLength(neighbour.diameter, diameter, units) + "), where a mesh's chords would cross: make it "
        + allowed);
}

void checkHub(const ModelOptions& options, RadialExtent teeth, double flangeDiameter, Units units)
{
    const Hub& hub = *options.hub;
    const auto length = [units](double millimetres) { return lengthWithUnit(millimetres, units); };
    // A hub that meets the teeth between their root and their tips would end
    // in a ragged face; against a flange it ends on the flange.
    if (!options.flanges) {
        const double radius = hub.diameter / 2;
        if (!(radius < teeth.smallest || radius > teeth.largest))
            refuse("a hub of diameter " + givenLength(hub.diameter, units)
                + " meets the teeth between their root and outside " + "diameters (" + length(2 * teeth.smallest)
                + " and " + length(2 * teeth.largest) + "): give it a diameter outside that range, or flanges");
        requireClear(
            "a hub", hub.diameter, {"the outside circle", 2 * teeth.largest, true, false}, options.clearance, units);
        requireClear(
            "a hub", hub.diameter, {"the root circle", 2 * teeth.smallest, false, true}, options.clearance, units);
    } else if (hub.diameter != flangeDiameter) {
        // As wide as the flanges, the hub and the flange are one part.
        requireClear("a hub", hub.diameter, {"the flanges", flangeDiameter}, options.clearance, units);
    }
    if (options.bore) {
        if (!(hub.diameter > *options.bore))
            refuse("a hub of diameter " + givenLength(hub.diameter, units) + " is no wider than the bore of "
                + givenLength(*options.bore, units) + ": it leaves no wall");
        requireClear("a hub", hub.diameter, {"the bore", *options.bore, true, false}, options.clearance, units);
    }
}

void checkKeyway(const ModelOptions& options, RadialExtent teeth, Units units)
{
    const auto length = [units](double millimetres) { return lengthWithUnit(millimetres, units); };
    const double bore = *options.bore;
    const Keyway& keyway = *options.keyway;
    if (!(keyway.width < bore))
        refuse("a keyway of width " + givenLength(keyway.width, units) + " must be narrower than the bore of "
            + givenLength(bore, units));
    // The floor's corners are the keyway's farthest points from the axis.
    const double corner = portableHypot(keyway.width / 2, bore / 2 + keyway.depth);
    const bool hubNarrower = options.hub && options.hub->diameter / 2 < teeth.smallest;
    const double wall = hubNarrower ? options.hub->diameter / 2 : teeth.smallest;
    const std::string through = hubNarrower ? "hub's surface" : "root circle";
    if (!(corner < wall))
        refuse("the keyway's floor reaches " + length(2 * corner) + " across its corners, through the " + through + " ("
            + length(2 * wall) + "): make it shallower or narrower");
    if (!(corner <= wall - options.clearance))
        refuse("the keyway's floor reaches " + length(2 * corner) + " across its corners, within the tolerance "
            + givenLength(options.clearance, units) + " of the " + through + " (" + length(2 * wall)
            + "), where a mesh's chords would cross: make it shallower or narrower");
}

void checkOptions(const ModelOptions& options, const PulleyOutline& outline, RadialExtent teeth, Units units)
{
    requireLength(options.width, "the width", units);
    double flangeDiameter = 0;
    if (options.flanges) {
        requireLength(options.flanges->height, "the flanges' height", units);
        requireLength(options.flanges->thickness, "the flanges' thickness", units);
        if (options.flanges->height < options.clearance)
            refuse("flanges of height " + givenLength(options.flanges->height, units)
                + " stand less than the tolerance " + givenLength(options.clearance, units)
                + " above the outside circle, where a mesh's chords would cross: make them at least that high");
        flangeDiameter = outline.diameters.outside + 2 * options.flanges->height;
    }
    if (options.hub) {
        requireLength(options.hub->diameter, "the hub's diameter", units);
        requireLength(options.hub->length, "the hub's length", units);
    }
    if (options.keyway) {
        requireLength(options.keyway->width, "the keyway's width", units);
        requireLength(options.keyway->depth, "the keyway's depth", units);
        if (!options.bore)
            refuse("a keyway is cut into the bore: give a bore too");
    }
    if (options.bore)
        requireLength(*options.bore, "the bore", units);
    if (options.hub)
        checkHub(options, teeth, flangeDiameter, units);
    if (!options.bore)
        return;
    const double bore = *options.bore;
    if (!(bore < 2 * teeth.smallest))
        refuse("a bore of " + givenLength(bore, units) + " leaves no wall: it must be narrower than the root "
            + "circle (" + limitLength(2 * teeth.smallest, bore, units) + ")");
    requireClear("a bore", bore, {"the root circle", 2 * teeth.smallest, false, true}, options.clearance, units);
    if (options.keyway)
        checkKeyway(options, teeth, units);
}

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
    checkOptions(options, outline, teeth, units);
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
