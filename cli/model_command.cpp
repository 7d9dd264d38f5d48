// quillon-cli model: the pulley as a 3D solid, a mesh for printers (3MF,
// STL) or an exact solid for CAD (STEP).

#include "calc/decimal/charconv.h"
#include "calc/geometry/files/model_3mf.h"
#include "calc/geometry/files/model_step.h"
#include "calc/geometry/files/model_stl.h"
#include "calc/geometry/files/outline_svg.h"
#include "calc/number_text.h"
#include "cli/command_line.h"
#include "cli/inputs.h"
#include "cli/outline_refusal.h"
#include "cli/platform.h"
#include "cli/zip_package.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace quillon::cli {
namespace {

enum class ModelFormat { ThreeMf, Stl, Step };

// The default chord tolerance: far below what a printer resolves.
constexpr double kDefaultToleranceMm = 0.01;
constexpr double kDefaultToleranceIn = 0.0004;

struct ModelArguments {
    std::string belt;
    std::string teeth;
    std::string width;
    std::optional<std::string> flanges;
    std::optional<std::string> hub;
    std::optional<std::string> bore;
    std::optional<std::string> keyway;
    std::optional<std::string> format;
    std::optional<std::string> tolerance;
    bool approximate = false;
    HobbedOption hobbed;
    UnitsOption units;
};

// "3mf", "stl", "step" or "stp", any case, as a file's extension names them.
std::optional<ModelFormat> formatNamed(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (name == "3mf")
        return ModelFormat::ThreeMf;
    if (name == "stl")
        return ModelFormat::Stl;
    if (name == "step" || name == "stp")
        return ModelFormat::Step;
    return std::nullopt;
}

ModelFormat chosenFormat(const std::optional<std::string>& format, const std::string& outputPath)
{
    const std::size_t dot = outputPath.find_last_of('.');
    const std::size_t slash = outputPath.find_last_of("/\\");
    const bool named = !outputPath.empty() && outputPath != "-";
    const std::optional<ModelFormat> fromName
        = named && dot != std::string::npos && (slash == std::string::npos || dot > slash)
        ? formatNamed(outputPath.substr(dot + 1))
        : std::nullopt;
    if (format) {
        // A file named for one format and written in another would be
        // opened by the wrong reader.
        if (fromName && *fromName != *formatNamed(*format))
            throw InputError("model: " + outputPath + " is named for another format than --format " + *format
                + "; give it the extension of the format, or leave --format out");
        return *formatNamed(*format);
    }
    if (fromName)
        return *fromName;
    if (!named)
        throw InputError("model: give --format 3mf|stl|step, or --output FILE ending in .3mf, .stl, .step or .stp");
    throw InputError("model: " + outputPath
        + " does not end in .3mf, .stl, .step or .stp; give --format 3mf|stl|step to write it anyway");
}

// A length typed in the command's units, as millimetres.
double lengthOf(std::string_view text, const char* what, Units units)
{
    const double value = readDecimal(text, what);
    return units == Units::Inches ? value * 25.4 : value;
}

// "A,B" as two lengths; "A" alone when the second may be left out. `shape`
// names them as --help does ("DIAMETER,LENGTH").
std::pair<double, std::optional<double>> lengthPair(
    const std::string& text, const char* what, const char* shape, Units units, bool secondRequired)
{
    const std::size_t comma = text.find(',');
    const auto commas = std::count(text.begin(), text.end(), ',');
    if ((commas == 0 && secondRequired) || commas > 1)
        throw InputError(std::string(what) + ": give " + (secondRequired ? "two lengths, " : "one or two lengths, ")
            + shape + ", such as " + (secondRequired ? "20,8" : "1.5 or 1.5,1") + ", not " + quotedArgument(text));
    if (commas == 0)
        return {lengthOf(text, what, units), std::nullopt};
    return {lengthOf(std::string_view(text).substr(0, comma), what, units),
        lengthOf(std::string_view(text).substr(comma + 1), what, units)};
}

ModelOptions modelOptions(const ModelArguments& given, Units units)
{
    ModelOptions options{.width = lengthOf(given.width, "--width", units)};
    if (given.flanges) {
        const auto [height, thickness] = lengthPair(*given.flanges, "--flanges", "HEIGHT[,THICKNESS]", units, false);
        options.flanges = Flanges{height, thickness.value_or(height)};
    }
    if (given.hub) {
        const auto [diameter, length] = lengthPair(*given.hub, "--hub", "DIAMETER,LENGTH", units, true);
        options.hub = Hub{diameter, *length};
    }
    if (given.bore)
        options.bore = lengthOf(*given.bore, "--bore", units);
    if (given.keyway) {
        const auto [width, depth] = lengthPair(*given.keyway, "--keyway", "WIDTH,DEPTH", units, true);
        options.keyway = Keyway{width, *depth};
    }
    return options;
}

// At least nine significant digits, no exponent. A volume of the model's
// lengths has at most 19 digits before the point and a few hundred after,
// which the buffer holds; beyond it the shortest text is written instead.
std::string volumeText(double volume)
{
    std::array<char, 512> buffer{};
    if (volume > 0 && std::isfinite(volume)) {
        const int decimals = std::clamp(8 - static_cast<int>(std::floor(std::log10(volume))), 0, 400);
        const auto [end, error]
            = doubleToChars(buffer.data(), buffer.data() + buffer.size(), volume, std::chars_format::fixed, decimals);
        if (error == std::errc())
            return std::string(buffer.data(), end);
    }
    const auto [end, error]
        = doubleToChars(buffer.data(), buffer.data() + buffer.size(), volume, std::chars_format::general);
    return std::string(buffer.data(), end);
}

// One line for standard error: the pulley, its diameters, its exact volume
// and, for a mesh, the triangles.
std::string modelNote(
    const PulleyOutline& outline, const PulleySolid& solid, Units units, std::optional<std::size_t> triangles)
{
    const double volume = units == Units::Inches ? solid.volume / (25.4 * 25.4 * 25.4) : solid.volume;
    std::string note = solid.name + ": pitch diameter " + lengthWithUnit(outline.diameters.pitch, units)
        + ", outside diameter " + lengthWithUnit(outline.diameters.outside, units) + ", root diameter "
        + lengthWithUnit(outline.diameters.root, units) + "; volume " + volumeText(volume) + " "
        + std::string(unitsName(units)) + "³ (exact)";
    if (outline.hobbed)
        note += "; " + hobbedNote(*outline.hobbed, units);
    if (triangles)
        note += "; " + std::to_string(*triangles) + " triangles";
    return note;
}

// The mesh's chord tolerance in mm, as given or by default.
double chordTolerance(const ModelArguments& given, Units units)
{
    const double tolerance = given.tolerance
        ? lengthOf(*given.tolerance, "--tolerance", units)
        : (units == Units::Inches ? kDefaultToleranceIn * 25.4 : kDefaultToleranceMm);
    if (!(tolerance >= kFinestChordTolerance && tolerance <= kLongestModelLength))
        throw InputError("--tolerance: give a tolerance from "
            + (units == Units::Inches ? std::string("0.000003937 in") : std::string("0.0001 mm")) + " (0.1 µm), finer "
            + "than which a file's single-precision coordinates cannot follow, to "
            + lengthWithUnit(kLongestModelLength, units));
    return tolerance;
}

struct CheckedPulley {
    PulleyOutline outline;
    PulleySolid solid;
};

// The outline and the solid, what either refuses an input error.
CheckedPulley checkedPulley(const ModelArguments& given, Units units, double tolerance)
{
    const std::string_view beltType = knownBeltType(given.belt);
    const double teeth = drawnTeeth(given.teeth);
    ModelOptions options = modelOptions(given, units);
    options.clearance = tolerance;
    CheckedPulley pulley;
    pulley.outline = drawnOutline(beltType, teeth, given.approximate, given.hobbed);
    try {
        pulley.solid = pulleySolid(pulley.outline, options, units);
    } catch (const ModelRefused& refused) {
        throw InputError(std::string(beltType) + " at " + wholeNumberText(teeth) + " teeth: " + refused.what());
    }
    return pulley;
}

// The command's arguments, options and help, read into `given`.
void addModelOptions(CLI::App& command, ModelArguments& given)
{
    addBeltArgument(command, given.belt);
    command.add_option("TEETH", given.teeth, "Tooth count, a whole number from 3")->required();
    command
        .add_option("--width", given.width, "Width of the toothed part; every length from 0.001 mm to 10⁶ mm (1 km)")
        ->required()
        ->option_text("W");
    command
        .add_option("--flanges", given.flanges,
            "A flange on either side of the teeth, HEIGHT above the outside circle and THICKNESS thick (as thick as "
            "HEIGHT when left out)")
        ->option_text("HEIGHT[,THICKNESS]");
    command.add_option("--hub", given.hub, "A hub below the bottom flange (or the teeth), DIAMETER across")
        ->option_text("DIAMETER,LENGTH");
    command.add_option("--bore", given.bore, "A bore of diameter D through the whole pulley")->option_text("D");
    command
        .add_option("--keyway", given.keyway,
            "A keyway in the bore along its whole length, centred on +y: flat parallel sides WIDTH apart and a flat "
            "floor DEPTH beyond the bore on its centre line")
        ->option_text("WIDTH,DEPTH");
    command
        .add_option("--format", given.format,
            "3mf, stl (binary) or step; by default from the extension of --output (.3mf, .stl, .step or .stp)")
        ->check(CLI::IsMember({"3mf", "stl", "step"}));
    command
        .add_option("--tolerance", given.tolerance,
            "Largest distance of a mesh's facets from the exact solid (default 0.01 mm, or 0.0004 in); neighbouring "
            "contours (teeth, flanges, hub, bore, keyway) must stand at least this far apart, in every format")
        ->option_text("C");
    command.add_flag("--approximate", given.approximate,
        "Draw HTD3M to HTD14M approximately, as 'quillon-cli outline --approximate' does");
    addHobbedOptions(command, given.hobbed);
    addUnitsOption(command, given.units, "Every length, the tolerance included, in mm (the default) or in (inches)");
    command.footer(
        "The solid's axis is +z, its bottom at z = 0 and groove 0 centred on +y, as in 'quillon-cli outline'. From "
        "the bottom up: the hub, the bottom flange, the teeth (the outline extruded by W) and the top flange; the bore "
        "and keyway run through all of it. A mesh's vertices lie on the exact solid, its arcs divided evenly so that "
        "no facet is farther than the tolerance from it; closed, every edge in two triangles. STEP (AP214) holds one "
        "solid of exact planes and cylinders. Standard error tells the pulley, its diameters, its exact volume and a "
        "mesh's triangles. A 3MF or STL file is not written onto a terminal: give --output or a pipe.");
}

} // namespace

Action declareModel(CLI::App& command)
{
    auto given = std::make_shared<ModelArguments>();
    addModelOptions(command, *given);
    CLI::App* declared = &command;
    return [given, declared]() -> Writer {
        const Units units = given->units.units();
        const std::string outputPath = outputPathOf(*declared);
        const ModelFormat format = chosenFormat(given->format, outputPath);
        // The output as it is written: /dev/stdout or /dev/fd/N on a terminal
        // is one too.
        const bool toStandardOutput = outputPath.empty() || outputPath == "-";
        const bool toTerminal = toStandardOutput ? standardOutputIsTerminal() : outputPathIsTerminal(outputPath);
        if (format != ModelFormat::Step && toTerminal)
            throw InputError("model: a 3MF or STL file is of no use on a terminal; give --output FILE or a pipe");
        const double tolerance = chordTolerance(*given, units);
        const auto [outline, solid] = checkedPulley(*given, units, tolerance);
        std::string file;
        std::optional<std::size_t> triangles;
        if (format == ModelFormat::Step) {
            file = modelStep(solid, units);
        } else {
            const PulleyMesh mesh = pulleyMesh(solid, tolerance, units);
            triangles = mesh.triangles.size();
            file = format == ModelFormat::Stl ? modelStl(solid, mesh, units)
                                              : zipPackage(model3mfParts(solid, mesh, units));
        }
        auto bytes = std::make_shared<const std::string>(std::move(file));
        std::vector<std::string> notes{modelNote(outline, solid, units, triangles)};
        if (outline.construction == GrooveConstruction::ArcBottom)
            notes.push_back("warning: " + outlineNote(outline, units));
        if (format == ModelFormat::Stl && units == Units::Inches)
            notes.push_back("warning: STL cannot record its units: this file's numbers are inches, which a slicer "
                            "must be told");
        return [bytes, notes](Output& output) {
            output.write(*bytes);
            for (const std::string& note : notes)
                output.note(note);
        };
    };
}

} // namespace quillon::cli
