// Which belt type is this pulley? The measured outside diameter and tooth
// count compared with what the window shows for each belt type.
#pragma once

#include "calc/derived/inches.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct PulleyMatch {
    std::string_view beltType;
    std::string outsideDiameter; // as shown: roundTo3 in mm, toInches in inches
    std::string difference;      // measured minus shown, rounded the same way
};

// The belt types (of the window's 22) whose shown outside diameter for
// `teeth` lies within `tolerance` of the measured one, nearest first; equal
// differences keep the list order. The difference is rounded as the
// diameters are (roundTo3, or roundTo4 in inches) before it is compared.
// Lengths are in `units`.
//   (25.36, 40, 0.1, Millimetres) -> {"MXL", "25.364", "-0.004"}
//   (1.0, 40, 0.004, Inches)      -> {"MXL", "0.9986", "0.0014"}
std::vector<PulleyMatch> identifyPulley(double outsideDiameter, int teeth, double tolerance, Units units);

} // namespace quillon
