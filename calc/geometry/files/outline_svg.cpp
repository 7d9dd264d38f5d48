#include "calc/geometry/files/outline_svg.h"

#include "calc/geometry/files/drawing_number.h"

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/files/markup.h"
#include "calc/geometry/hob/deviation.h"
#include "calc/run.h"

#include <cmath>
#include <numbers>

namespace quillon {
namespace {

double gridStep(Units units)
{
    return units == Units::Inches ? 0.01 : 1;
}

// The viewBox reaches a margin beyond the outside circle, rounded up to a
// whole grid step: 1 mm, or 0.01 in beyond 0.04 in.
double gridStepsOfHalfView(const PulleyOutline& outline, Units units)
{
    const double margin = units == Units::Inches ? 0.04 : 1;
    return std::ceil((drawingLength(outline.diameters.outside, units) / 2 + margin) / gridStep(units));
}

} // namespace

std::string hobbedNote(const HobbedBy& hob, Units units)
{
    return "grooves as the hob designed for " + wholeNumberText(hob.designTeeth) + " teeth"
        + (hob.segment.empty() ? std::string() : " (segment " + std::string(hob.segment) + ")")
        + " cuts them, which stray from the table's groove by up to " + deviationText(hob.overcut, units) + " "
        + std::string(unitsName(units)) + " into its material (overcut) and " + deviationText(hob.metalLeft, units)
        + " " + std::string(unitsName(units)) + " into its space (metal left)";
}

std::string outlineSvg(const PulleyOutline& outline, Units units)
{
    const double steps = gridStepsOfHalfView(outline, units);
    const std::string half = plainText(steps * gridStep(units));
    const std::string size = plainText(2 * steps * gridStep(units));
    const std::string unit(unitsName(units));
    auto point = [&](Point p) {
        return drawingNumber(drawingLength(p.x, units)) + " " + drawingNumber(-drawingLength(p.y, units));
    };
    std::string path = "M " + point(outline.pieces.front().start);
    for (const OutlinePiece& piece : outline.pieces) {
        if (piece.sweep == 0) {
            path += " L " + point(piece.end);
            continue;
        }
        // With y flipped, counter-clockwise turns run against SVG's
        // positive-angle direction: sweep flag 0.
        const std::string radius = drawingNumber(drawingLength(piece.radius, units));
        path += " A " + radius + " " + radius + " 0 " + (std::abs(piece.sweep) > std::numbers::pi ? "1" : "0")
            + (piece.sweep > 0 ? " 0 " : " 1 ") + point(piece.end);
    }
    path += " Z";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
        + size + unit + "\" height=\"" + size + unit + "\" viewBox=\"-" + half + " -" + half + " " + size + " " + size
        + "\">\n<title>"
        + markupEscaped(std::string(outline.beltType) + " pulley, " + wholeNumberText(outline.teeth) + " teeth")
        + "</title>\n<desc>"
        + markupEscaped(
            outlineNote(outline, units) + "; one unit is one " + (units == Units::Inches ? "inch" : "millimetre"))
        + "</desc>\n<path fill=\"none\" stroke=\"black\" stroke-width=\"" + (units == Units::Inches ? "0.004" : "0.1")
        + "\" d=\"" + path + "\"/>\n</svg>\n";
}

std::string outlineNote(const PulleyOutline& outline, Units units)
{
    std::string note = std::string(outline.beltType) + ", " + wholeNumberText(outline.teeth) + " teeth: pitch diameter "
        + lengthWithUnit(outline.diameters.pitch, units) + ", outside diameter "
        + lengthWithUnit(outline.diameters.outside, units) + ", root diameter "
        + lengthWithUnit(outline.diameters.root, units) + "; ";
    const GrooveProfile& profile = outline.profile;
    if (outline.hobbed)
        return note + hobbedNote(*outline.hobbed, units);
    if (outline.construction == GrooveConstruction::ArcBottom)
        return note + "approximate: a bottom arc of the root radius with straight flanks tangent to it at "
            + plainText(profile.halfAngle) + "°, whose top width is " + lengthWithUnit(outline.topWidth, units)
            + " where the table gives " + lengthWithUnit(profile.topWidth.number(), units);
    note += "straight flanks at " + plainText(profile.halfAngle)
        + "° with tip and root fillets, the groove exactly as the table gives it";
    if (beltFamily(outline.beltType) == BeltFamily::TrapezoidalInch)
        note += "; the inch series' numbers define a straight-sided groove, from which a hobbed groove of a small H, "
                "XH or XXH pulley differs by up to a few tenths of a millimetre (under 0.1 mm from about 20 teeth)";
    return note;
}

} // namespace quillon
