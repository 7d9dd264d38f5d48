// Lengths in inches, for tables read in inch workshops. The window shows
// millimetres only; these conversions are applied to its numbers.
#pragma once

#include "calc/number_text.h"

#include <string>
#include <string_view>

namespace quillon {

enum class Units { Millimetres, Inches };

// Rounds half away from zero to four decimals:
// sign * floor(|value| * 10000 + 0.5) / 10000 in doubles.
//   0.0019685 -> 0.002   -0.00511811 -> -0.0051   0.00005 -> 0.0001
double roundTo4(double value);

// A length in millimetres as inches, rounded by roundTo4.
//   2.032 -> 0.08   25.8722 -> 1.0186   0 -> 0
double toInches(double millimetres);

// The plain text of toInches, with a full stop as the decimal point.
//   2.032 -> "0.08"   12.7 -> "0.5"   25.87222 -> "1.0186"
std::string inchText(double millimetres);

// inchText written into `buffer`, for tables.
std::string_view inchText(double millimetres, NumberBuffer& buffer);

// A length as a table shows it: roundTo3 in millimetres, inchText in inches.
//   (129.3025, Millimetres) -> "129.303"   (129.3025, Inches) -> "5.0906"
std::string lengthText(double millimetres, Units units);

// The units' short name: "mm" or "in".
std::string_view unitsName(Units units);

// lengthText with the units' name, for messages and notes.
//   (0.64, Millimetres) -> "0.64 mm"   (25.4, Inches) -> "1 in"
std::string lengthWithUnit(double millimetres, Units units);

// A tolerance text in millimetres as inches: a leading "±", "+" or "-"
// followed by a number keeps its sign and converts the number; any other
// text ("min", "max", the empty text) stays as it is.
//   "±0.05" -> "±0.002"   "+0.10" -> "+0.0039"   "-0.13" -> "-0.0051"   "max" -> "max"
std::string toleranceInInches(std::string_view tolerance);

} // namespace quillon
