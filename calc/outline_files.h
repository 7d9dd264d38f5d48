// A pulley's contour as drawing files for CAD, CAM and cutters: the same
// bytes for the same pulley on every machine, in every locale.
#pragma once

#include "calc/inches.h"
#include "calc/outline.h"

#include <string>

namespace quillon {

// A coordinate as drawing files write it: a full stop, no exponent, the
// fewest digits that read back as the same double, and 0 for -0.
//   12.5 -> "12.5"   1e-17 -> "0.00000000000000001"   -0.0 -> "0"   0.1 -> "0.1"
std::string drawingNumber(double value);

// A length in the file's units: millimetres as they are, or ÷ 25.4 for
// inches, unrounded. Both writers take every number through it, so that a
// DXF and an SVG of one pulley hold the same doubles.
//   (25.4, Inches) -> 1   (12.7, Millimetres) -> 12.7
double drawingLength(double millimetres, Units units);

// DXF R2000 (AC1015), ASCII with CRLF line ends: $INSUNITS and $MEASUREMENT
// set for the units, and in model space one closed LWPOLYLINE on layer
// OUTLINE whose arcs are bulges, one vertex a piece. Lengths in millimetres,
// or in inches (millimetres ÷ 25.4, unrounded).
std::string outlineDxf(const PulleyOutline& outline, Units units);

// SVG 1.1 with LF line ends: width and height in mm (or in) equal to the
// viewBox's size, the pulley's axis at the viewBox's centre, one <path> with
// fill="none" whose arcs are A commands, y flipped in the numbers, and a
// <title> and <desc> that name the belt, teeth, diameters and construction.
std::string outlineSvg(const PulleyOutline& outline, Units units);

// One line on how the outline is drawn, for people: the construction, the
// diameters and, for an approximate groove, the top width drawn.
//   XL 20 -> "XL, 20 teeth: outside diameter 31.832 mm, root diameter 28.532
//             mm; straight flanks, tip and root fillets, exactly as the table
//             gives the groove"
std::string outlineNote(const PulleyOutline& outline, Units units);

} // namespace quillon
