#include "cli/outline_refusal.h"

#include "calc/derived/inches.h"
#include "calc/geometry/hob/hobbed_outline.h"
#include "calc/number_text.h"
#include "cli/inputs.h"

#include <cmath>

namespace quillon::cli {
namespace {

std::string millimetres(double value)
{
    return lengthWithUnit(value, Units::Millimetres);
}

// The opening of a reason that lies in the groove or between the grooves.
std::string cannotBeDrawn(const OutlineRefusal& reason)
{
    return reason.beltType + " at " + wholeNumberText(static_cast<int>(reason.toothCount)) + " teeth cannot be drawn: ";
}

} // namespace

// Every obstacle is worded here: with no default, the compiler names one
// that is added and not worded.
std::string outlineRefusalText(const OutlineRefusal& reason)
{
    switch (reason.obstacle) {
    case OutlineObstacle::UnknownBeltType:
        return "unknown belt type \"" + reason.beltType + "\"";
    case OutlineObstacle::FlankCentresNotGiven:
        return reason.beltType
            + " cannot be drawn: its flanks are arcs of radius RA, and the table does not give where their centres "
              "lie";
    case OutlineObstacle::TeethNotWhole:
        return "a pulley has a whole number of teeth, not " + plainText(reason.toothCount);
    case OutlineObstacle::TeethOutOfRange:
        return "an outline is drawn for 3 to " + wholeNumberText(kMaxOutlineTeeth) + " teeth, not "
            + plainText(reason.toothCount);
    case OutlineObstacle::RootDiameterNotAboveZero:
        return cannotBeDrawn(reason) + "its root diameter " + millimetres(reason.length) + " is not above 0";
    case OutlineObstacle::BottomWidthDoesNotFit:
        return cannotBeDrawn(reason) + "the bottom width " + millimetres(reason.length)
            + " does not fit in the root circle";
    case OutlineObstacle::TopWidthDoesNotFit:
        return cannotBeDrawn(reason) + "the top width " + millimetres(reason.length)
            + " does not fit in the outside circle";
    case OutlineObstacle::TipFilletDoesNotFit:
        return cannotBeDrawn(reason) + "the tip fillet (radius " + millimetres(reason.length)
            + ") does not fit between the flank and the outside circle";
    case OutlineObstacle::RootFilletDoesNotFit:
        return cannotBeDrawn(reason) + "the root fillet (radius " + millimetres(reason.length)
            + ") does not fit between the flank and the root circle";
    case OutlineObstacle::NoFlankBetweenFillets:
        return cannotBeDrawn(reason) + "no straight flank is left between the tip and root fillets";
    case OutlineObstacle::NoRootArc:
        return cannotBeDrawn(reason) + "no root arc is left between the root fillets";
    case OutlineObstacle::NoFlankAboveBottomArc:
        return cannotBeDrawn(reason) + "no straight flank is left between the tip fillet and the bottom arc";
    case OutlineObstacle::TopWidthUnlikeTable:
        return cannotBeDrawn(reason) + "a bottom arc with flanks tangent to it gives a top width of "
            + millimetres(reason.length) + " where the table gives " + millimetres(reason.tableLength)
            + "; the table does not give the shape of this groove";
    case OutlineObstacle::OnlyApproximately:
        return reason.beltType
            + " is drawn only approximately: its numbers over-determine a bottom arc with straight flanks tangent to "
              "it, whose top width ("
            + millimetres(reason.length) + ") differs from the table's (" + millimetres(reason.tableLength) + ")";
    case OutlineObstacle::NoLand:
        return cannotBeDrawn(reason) + "no land is left on the outside circle between the grooves";
    case OutlineObstacle::GroovesOverlap:
        return cannotBeDrawn(reason) + "neighbouring grooves overlap below the outside circle";
    case OutlineObstacle::NoHob:
        return cannotBeDrawn(reason) + "no hob of its table cuts it";
    }
    return cannotBeDrawn(reason);
}

std::string outlineRefusedMessage(const OutlineRefused& refused)
{
    return outlineRefusalText(refused.reason())
        + (refused.onlyApproximately ? "; give --approximate to draw it so" : "");
}

double drawnTeeth(const std::string& text)
{
    const double teeth = readWindowTeeth(text);
    if (!(teeth >= 3) || teeth != std::floor(teeth))
        throw InputError("TEETH " + quotedArgument(text)
            + (shownArgument(text) == plainText(teeth) ? "" : " reads as " + plainText(teeth))
            + ": an outline is drawn for a whole number of teeth from 3");
    return teeth;
}

PulleyOutline drawnOutline(std::string_view beltType, double teeth, bool approximate, const HobbedOption& hobbed)
{
    if (hobbed.designTeeth && !hobbed.hobbed)
        throw InputError("--design-teeth goes with --hobbed");
    try {
        if (!hobbed.hobbed)
            return pulleyOutline(beltType, teeth, approximate);
    } catch (const OutlineRefused& refused) {
        throw InputError(outlineRefusedMessage(refused));
    }
    const std::optional<double> designTeeth
        = hobbed.designTeeth ? std::optional(readDecimal(*hobbed.designTeeth, "--design-teeth")) : std::nullopt;
    try {
        return hobbedOutline(beltType, teeth, designTeeth, approximate);
    } catch (const OutlineRefused& refused) {
        throw InputError(hobRefusedMessage(refused));
    }
}

} // namespace quillon::cli
