// A pulley's contour as an SVG drawing, and the line that describes it.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/outline.h"

#include <string>

namespace quillon {

// SVG 1.1 with LF line ends: width and height in mm (or in) equal to the
// viewBox's size, the pulley's axis at the viewBox's centre, one <path> with
// fill="none" whose arcs are A commands, y flipped in the numbers, and a
// <title> and <desc> that name the belt, teeth, diameters and construction.
std::string outlineSvg(const PulleyOutline& outline, Units units);

// One line on how the outline is drawn, for people: the construction, the
// diameters and, for an approximate groove, the top width drawn; for a
// hobbed pulley, which hob cut it and how far its grooves stray.
//   XL 20 -> "XL, 20 teeth: outside diameter 31.832 mm, root diameter 28.532
//             mm; straight flanks, tip and root fillets, exactly as the table
//             gives the groove"
//   XL 20 hobbed -> "…; grooves as the hob designed for 10 teeth (segment
//             Z10-20) cuts them, which stray from the table's groove by up
//             to 0.0389 mm into its material (overcut) and 0.0654 mm into
//             its space (metal left)"
std::string outlineNote(const PulleyOutline& outline, Units units);

// Which hob cut a hobbed outline's grooves and how far they stray from the
// table's, for the outline's note and the model's line on standard error.
//   XL 15 by the hob for 10 -> "grooves as the hob designed for 10 teeth (segment Z10-20) cuts them, which stray
//                               from the table's groove by up to 0.0271 mm into its material (overcut) and …"
std::string hobbedNote(const HobbedBy& hob, Units units);

} // namespace quillon
