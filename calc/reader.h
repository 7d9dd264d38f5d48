// Reading the tooth-count text as the tooth-count box is read.
#pragma once

#include "calc/out_of_range.h"

#include <string_view>

namespace quillon {

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

} // namespace quillon
