#include "calc/geometry/files/hob_svg.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/geometry/files/markup.h"

#include <cmath>

namespace quillon {
namespace {

// The view reaches this margin beyond the drawing on every side, its edges
// on a grid of whole millimetres or hundredths of an inch.
double marginOf(Units units)
{
    return units == Units::Inches ? 0.04 : 1;
}
double gridOf(Units units)
{
    return units == Units::Inches ? 0.01 : 1;
}

std::string degrees(double angle)
{
    return plainText(std::round(angle * 10) / 10) + "°";
}

} // namespace

std::vector<std::string> hobDescription(const HobTooth& tooth, Units units)
{
    const HobToothFigures figures = hobToothFigures(tooth);
    std::vector<std::string> lines{std::string(tooth.beltType) + " hob designed for "
        + wholeNumberText(tooth.designTeeth) + " teeth: pitch " + lengthWithUnit(tooth.pitch, units) + ", tooth height "
        + lengthWithUnit(tooth.toothHeight, units) + " from the land line, which lies "
        + lengthWithUnit(tooth.landDepth, units) + " below the pitch line"};
    lines.push_back("tooth width " + lengthWithUnit(figures.tipWidth, units)
        + (figures.flatTip ? " on the tip line, " : " where its round tip meets the flanks, ")
        + lengthWithUnit(figures.landWidth, units) + " on the land line");
    lines.push_back("flank to the centre line: " + degrees(figures.flankAngles[0]) + " at 1/4 of the height, "
        + degrees(figures.flankAngles[1]) + " at 1/2, " + degrees(figures.flankAngles[2]) + " at 3/4");
    if (tooth.trims.empty())
        lines.push_back("not trimmed: the whole groove is cut as the table gives it");
    for (const HobTrim& trim : tooth.trims) {
        lines.push_back("trimmed where the images of the "
            + std::string(hobGroovePieceName(tooth.construction, trim.before)) + " and the "
            + std::string(hobGroovePieceName(tooth.construction, trim.after)) + " cross, at x "
            + lengthWithUnit(trim.at.x, units) + ", y " + lengthWithUnit(trim.at.y, units)
            + ": the design pulley keeps metal there");
    }
    return lines;
}

std::string hobSvg(const HobTooth& tooth, Units units)
{
    const double grid = gridOf(units);
    const double margin = marginOf(units);
    const double half = drawingLength(tooth.pitch, units) / 2;
    const double depth = drawingLength(tooth.landDepth + tooth.toothHeight, units);
    // Whole grid steps: x from −half, y (flipped) from the pitch line down.
    const double across = std::ceil((half + margin) / grid);
    const double above = std::ceil(margin / grid);
    const double below = std::ceil((depth + margin) / grid);
    const std::string width = plainText(2 * across * grid);
    const std::string height = plainText((above + below) * grid);
    const std::string unit(unitsName(units));
    auto point = [&](Point p) {
        return drawingNumber(drawingLength(p.x, units)) + " " + drawingNumber(-drawingLength(p.y, units));
    };
    const std::vector<OutlinePiece> profile = hobProfile(tooth);
    std::string path = "M " + point(profile.front().start);
    for (const OutlinePiece& piece : profile)
        path += " L " + point(piece.end);
    std::string note;
    for (const std::string& line : hobDescription(tooth, units))
        note += (note.empty() ? "" : "; ") + line;
    const std::string stroke = units == Units::Inches ? "0.002" : "0.05";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
        + width + unit + "\" height=\"" + height + unit + "\" viewBox=\"" + plainText(-across * grid) + " "
        + plainText(-above * grid) + " " + width + " " + height + "\">\n<title>"
        + markupEscaped(
            std::string(tooth.beltType) + " hob tooth, designed for " + wholeNumberText(tooth.designTeeth) + " teeth")
        + "</title>\n<desc>"
        + markupEscaped(note + "; one unit is one " + (units == Units::Inches ? "inch" : "millimetre"))
        + "</desc>\n<path fill=\"none\" stroke=\"black\" stroke-width=\"" + stroke + "\" d=\"" + path
        + "\"/>\n<path fill=\"none\" stroke=\"black\" stroke-width=\"" + stroke + "\" stroke-dasharray=\""
        + (units == Units::Inches ? "0.02 0.01" : "0.5 0.25") + "\" d=\"M " + point({-tooth.pitch / 2, 0}) + " L "
        + point({tooth.pitch / 2, 0}) + "\"/>\n</svg>\n";
}

} // namespace quillon
