// How far a generated groove strays from the table's groove of the same
// tooth count.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/hob/generated_groove.h"
#include "calc/geometry/outline.h"

#include <string>

namespace quillon {

// All in millimetres. overcut: the largest distance by which the generated
// boundary lies inside the target's material (metal removed that the table
// keeps); metalLeft: the largest by which it lies inside the target's
// space; both measured along the target's normals, between the two points
// where the target leaves the outside circle, and both ≥ 0. The widths: the
// generated groove's space width minus the target's, each the chord between
// the two points where the boundary (walked from the outside circle down)
// first crosses the circle ¼, ½ and ¾ of the groove depth below the outside
// circle.
struct GrooveDeviation {
    double overcut = 0;
    double metalLeft = 0;
    double widthQuarter = 0;
    double widthHalf = 0;
    double widthThreeQuarter = 0;
    bool groovesMeet = false;
};

// The deviation of a generated groove from the target's groove 0.
//   (generatedGroove(hobTooth("XL", 10), 10), pulleyOutline("XL", 10))
//     -> overcut 0, metalLeft where the tooth was trimmed
GrooveDeviation grooveDeviation(const GeneratedGroove& generated, const PulleyOutline& target);

// A deviation to a tenth of a micrometre: four decimals in millimetres, six
// in inches (a millionth), and never "-0".
//   (0.0388747, Millimetres) -> "0.0389"   (0.0389, Inches) -> "0.001531"
//   (-0.00001, Millimetres) -> "0.0000"
std::string deviationText(double millimetres, Units units);

} // namespace quillon
