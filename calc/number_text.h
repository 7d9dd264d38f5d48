// The display conversions: how a number or catalogue value becomes the text of
// a box. No locale: the decimal separator is passed in by the caller.
#pragma once

#include "calc/out_of_range.h"
#include "calc/profile.h"

#include <array>
#include <string>
#include <string_view>

namespace quillon {

// Rounds a diameter to three decimals: floor(value * 1000 + 0.5) / 1000 in
// doubles, so halfway values go up, also when negative. Throws OutOfRange when
// value * 1000 is not finite.
//   25.8722275786 -> 25.872    2.0625 -> 2.063    -2.0625 -> -2.062
double roundTo3(double value);

// The plain conversion. A number is rounded to 15 significant digits and
// written in fixed notation without trailing zeros; from 1e15 on in scientific
// notation. Unset and the empty text give the empty text; a text is itself.
//   12.7 -> "12.7"   20.0 -> "20"   -0.508 -> "-0.508"   -0.0 -> "0"
//   1234567890123456 -> "1.23456789012346E+15"   1e20 -> "1E+20"
//   (12.7, ",") -> "12,7"   "Z90-R " -> "Z90-R "   unset -> ""
std::string plainText(double value, std::string_view decimalSeparator = ".");
std::string plainText(const ProfileValue& value, std::string_view decimalSeparator = ".");

// The fixed format "#0.0###": rounded to four decimals, at least one and at
// most four of them shown. An exact tie at the fifth decimal (such as 0.03125)
// goes to the even fourth decimal. Unset gives the empty text; a text is
// itself.
//   0.84 -> "0.84"   6 -> "6.0"   1.0 -> "1.0"   0.12345678 -> "0.1235"
//   (0.508, ",") -> "0,508"   unset -> ""
std::string fixedText(const ProfileValue& value, std::string_view decimalSeparator = ".");

// Room for the text of one number, for tables that write millions of them
// without allocating.
using NumberBuffer = std::array<char, 32>;

// For a whole number scaled of 0 or more: the plain text of
// scaled / 10^decimals, negated when `negative`, with a full stop, written
// into `buffer`; decimals is 3 or 4. The rounding rules below end here.
//   (25872, false, 3) -> "25.872"   (5, true, 3) -> "-0.005"   (0, true, 4) -> "0"
std::string_view scaledText(double scaled, bool negative, int decimals, NumberBuffer& buffer);

// plainText(roundTo3(value)) with a full stop, written into `buffer`. Throws
// as roundTo3 does.
//   25.8722275786 -> "25.872"   -2.0625 -> "-2.062"   0.0004 -> "0"   3.1 -> "3.1"
std::string_view diameterText(double value, NumberBuffer& buffer);

// A whole number in decimal digits, as the boxes and tables show one.
//   40 -> "40"   -7 -> "-7"
std::string wholeNumberText(int value);

} // namespace quillon
