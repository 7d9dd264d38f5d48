// A pulley's contour as a DXF drawing for CAD, CAM and cutters.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/outline.h"

#include <string>

namespace quillon {

// DXF R2000 (AC1015), ASCII with CRLF line ends: $INSUNITS and $MEASUREMENT
// set for the units, and in model space one closed LWPOLYLINE on layer
// OUTLINE whose arcs are bulges, one vertex a piece. Lengths in millimetres,
// or in inches (millimetres ÷ 25.4, unrounded).
std::string outlineDxf(const PulleyOutline& outline, Units units);

} // namespace quillon
