// The calculation run: from a belt type text and a tooth-count text to the
// twenty texts of the result boxes. Pure standard C++, no locale: the decimal
// separator of displayed numbers is passed in by the caller.
#pragma once

#include "calc/profile.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon {

// Thrown when the tooth count, or a diameter computed from it, lies beyond the
// range of a double (or an &H/&O number beyond 32 bits). Nothing else throws it.
class OutOfRange : public std::range_error {
public:
    using std::range_error::range_error;
};

// Reads a number from the start of a text, the way the tooth-count box is read.
// Blanks, tabs and line feeds are ignored anywhere, even between digits. An
// optional sign, digits with at most one full stop (never a comma), and an
// optional exponent E or e follow; the first character that cannot continue
// the number ends it. &H and &O read hexadecimal and octal whole numbers as
// 16-bit signed patterns up to FFFF and as 32-bit signed ones up to FFFFFFFF.
// A text that does not begin with a number reads 0. The result is the double
// nearest to the decimal read, for any length of text.
//   "40" -> 40      "4 0" -> 40      "40abc" -> 40     "40,5" -> 40
//   ".5" -> 0.5     "-5" -> -5       "1.5e2" -> 150    "abc" -> 0     "" -> 0
//   "&H28" -> 40    "&HFFFF" -> -1   "&H10000" -> 65536  "&O17" -> 15
//   "1e-400" -> 0   "1e400" -> throws OutOfRange
double readToothCount(std::string_view text);

// The groove data of the catalogue entry whose name equals beltType exactly
// (case and blanks count) and whose tooth-count condition holds, or a profile
// with every field unset when none does.
//   ("T5", 20).grooveDepth -> 1.25    ("T5", 20.5).grooveDepth -> 1.95
//   ("mxl", 40).pitch -> unset        ("MXL ", 40).pitch -> unset
GrooveProfile selectProfile(std::string_view beltType, double toothCount);

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

// The twenty texts of one run, addressed by the name of their box.
class RunResult {
public:
    struct Box {
        std::string_view name; // "Text2" ... "Text21"
        std::string text;
    };
    static constexpr std::size_t kBoxCount = 20;

    // The boxes in the order the window writes them:
    // Text2, Text13, Text3, Text4, Text5 ... Text11, Text14 ... Text18, Text12,
    // Text19, Text20, Text21.
    const std::array<Box, kBoxCount>& boxes() const { return boxes_; }

    // The text of one box by name; throws std::invalid_argument for a name
    // that is not one of "Text2" ... "Text21".
    std::string_view text(std::string_view boxName) const;

private:
    friend RunResult runCalculation(std::string_view, std::string_view, std::string_view);
    std::array<Box, kBoxCount> boxes_;
};

// One calculation run. beltType is used as typed; the tooth count is read by
// readToothCount. decimalSeparator is written for the decimal point of every
// number shown; catalogue texts keep their own full stops.
//   ("MXL", "40") -> Text2 "2.032", Text13 "25.872", Text3 "25.364",
//                    Text4 "23.984", Text5 "0.84", Text19 "Z10-23  Z24-R"
//   ("mxl", "40") -> Text13 "0", Text3 "0", Text4 "0", Text2 ""
//   ("MXL", "40", ",") -> Text13 "25,872", Text14 "±0.05"
// Throws OutOfRange when the tooth count or a diameter is beyond a double.
RunResult runCalculation(
    std::string_view beltType, std::string_view toothCountText, std::string_view decimalSeparator = ".");

} // namespace quillon
