#include "calc/geometry/model/model_options_check.h"

#include "calc/decimal/charconv.h"
#include "calc/geometry/portable_math.h"
#include "calc/number_text.h"

#include <array>
#include <cmath>
#include <string>

namespace quillon {
namespace {

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
    // Scientific, which every build's conversions write alike (the
    // WebAssembly build's have no general form); 0 stays "0".
    if (const double size = std::abs(value); size != 0 && (size < 1e-6 || size >= 1e15)) {
        std::array<char, 32> buffer{};
        const auto [end, error]
            = doubleToChars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
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

} // namespace

void checkModelOptions(const ModelOptions& options, const PulleyOutline& outline, RadialExtent teeth, Units units)
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

} // namespace quillon
