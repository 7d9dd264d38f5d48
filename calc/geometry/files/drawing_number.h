// Numbers as drawing files write them: the same text for the same double on
// every machine, in every locale, in the file's units.
#pragma once

#include "calc/derived/inches.h"

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

} // namespace quillon
