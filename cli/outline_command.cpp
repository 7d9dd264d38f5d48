// quillon-cli outline: a pulley's contour as a drawing file.

#include "calc/geometry/files/outline_dxf.h"
#include "calc/geometry/files/outline_svg.h"
#include "calc/number_text.h"
#include "cli/command_line.h"
#include "cli/inputs.h"
#include "cli/outline_refusal.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <memory>

namespace quillon::cli {

Action declareOutline(CLI::App& command)
{
    struct Arguments {
        std::string belt;
        std::string teeth;
        std::optional<std::string> format;
        bool approximate = false;
        HobbedOption hobbed;
        UnitsOption units;
    };
    auto given = std::make_shared<Arguments>();
    addBeltArgument(command, given->belt);
    command
        .add_option("TEETH", given->teeth,
            "Tooth count, read as run reads it (\"40\", \"4 0\", \"&H28\"), then a whole number from 3")
        ->required();
    command
        .add_option("--format", given->format,
            "File format: svg (one path, width and height in mm or in) or dxf (R2000, one closed LWPOLYLINE on "
            "layer OUTLINE); by default dxf for an --output ending in .dxf, else svg")
        ->check(CLI::IsMember({"svg", "dxf"}));
    command.add_flag("--approximate", given->approximate,
        "Draw HTD3M to HTD14M approximately: a bottom arc of the root radius, straight flanks tangent to it at 7°, "
        "whose top width differs from the table's by up to 0.1 mm from the type's smallest hob segment up (standard "
        "error says by how much)");
    addHobbedOptions(command, given->hobbed);
    addUnitsOption(command, given->units, "Lengths in mm (the default) or in (inches, unrounded)");
    command.footer(
        "The outline is the closed outer contour of the whole pulley, its axis at (0, 0) and a groove centred on +y, "
        "drawn for the unrounded diameters the window's texts are rounded from. Straight-sided grooves (MXL to XXH, "
        "T2.5 to T20) are exactly as the table gives them. The inch series' numbers define the groove of a "
        "straight-sided drawing: a hobbed groove of a small H, XH or XXH pulley differs from it by up to a few tenths "
        "of a millimetre (under 0.1 mm from about 20 teeth). STPD and HTD20M cannot be drawn from their tables.");
    const CLI::App* declared = &command;
    return [given, declared]() -> Writer {
        const std::string_view beltType = knownBeltType(given->belt);
        const double teeth = drawnTeeth(given->teeth);
        const Units units = given->units.units();
        const std::string format
            = given->format.value_or(extensionOf(outputPathOf(*declared)) == "dxf" ? "dxf" : "svg");
        const PulleyOutline outline = drawnOutline(beltType, teeth, given->approximate, given->hobbed);
        auto file = std::make_shared<const std::string>(
            format == "dxf" ? outlineDxf(outline, units) : outlineSvg(outline, units));
        // An approximate or hobbed groove is said to be one, with the width
        // it has or the hob that cut it.
        const std::string note = outline.construction == GrooveConstruction::ArcBottom || outline.hobbed
            ? outlineNote(outline, units)
            : std::string();
        return [file, note](Output& output) {
            output.write(*file);
            if (!note.empty())
                output.warn(note);
        };
    };
}

} // namespace quillon::cli
