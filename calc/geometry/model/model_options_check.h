// Whether a pulley's options make a solid, and why not, in the user's
// words: the checks pulleySolid makes before it builds anything.
#pragma once

#include "calc/geometry/model/pulley_solid.h"

namespace quillon {

// Throws ModelRefused for what pulleySolid refuses (see there), naming the
// lengths as given, in the units given; `teeth` is the outline's
// radialExtent.
//   XL 20, bore 28.5325 -> "a bore of 28.5325 mm leaves no wall: it must be narrower than the root circle (28.532 mm)"
void checkModelOptions(const ModelOptions& options, const PulleyOutline& outline, RadialExtent teeth, Units units);

} // namespace quillon
