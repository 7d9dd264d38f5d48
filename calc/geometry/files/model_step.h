// A pulley's solid as a STEP file, for CAD: exact planes and cylinders.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/model/pulley_solid.h"

#include <string>

namespace quillon {

// ISO 10303-21 in the schema of AP214 (AUTOMOTIVE_DESIGN): one product named
// after the pulley, its shape one MANIFOLD_SOLID_BREP in an
// ADVANCED_BREP_SHAPE_REPRESENTATION whose lengths are millimetres or inches.
// Every face of the solid is an ADVANCED_FACE: a PLANE for each line piece of
// a wall (flanks, the keyway's sides and floor, a hobbed groove's facets) and
// for the end faces, a CYLINDRICAL_SURFACE for each arc (fillets, lands,
// roots, the rims of flanges and hub, the bore). Each edge is one EDGE_CURVE
// (a LINE or a CIRCLE) used by its two faces in opposite directions. The
// header's time stamp is a fixed value, so that the same solid gives the
// same bytes; line ends are LF.
//   XL 20 -> begins "ISO-10303-21;\nHEADER;\n", holds one "MANIFOLD_SOLID_BREP('XL pulley, 20 teeth'"
std::string modelStep(const PulleySolid& solid, Units units);

} // namespace quillon
