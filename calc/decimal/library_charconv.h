// The floating-point std::to_chars and std::from_chars of the C locale, for
// a standard library that lacks them (the WebAssembly toolchain's), made
// with two header-only libraries: {fmt} writes, fast_float reads. Built only
// where they are used and in the test that holds them against libstdc++;
// calc/decimal/charconv.h picks between these and the standard library.
#pragma once

#include <charconv>

namespace quillon {

// std::to_chars(first, last, value, format) for fixed or scientific: the
// shortest text that reads back as value, the nearest of those; a fixed
// number of 2^53 or more is written as its exact whole value.
// errc::value_too_large, ptr at last, when the text does not fit.
//   (0.3, fixed) -> "0.3"   (5e-324, scientific) -> "5e-324"   (inf) -> "inf"
//   (1e23, fixed) -> "99999999999999991611392"   (100, scientific) -> "1e+02"
std::to_chars_result libraryToChars(char* first, char* last, double value, std::chars_format format);

// std::to_chars(first, last, value, format, precision) for fixed or
// scientific: the exact value rounded half to even to precision decimals.
//   (0.125, fixed, 2) -> "0.12"   (0.135, fixed, 2) -> "0.14" (0.135 is above)
//   (12345, scientific, 2) -> "1.23e+04"   (-0.00001, fixed, 4) -> "-0.0000"
std::to_chars_result libraryToChars(char* first, char* last, double value, std::chars_format format, int precision);

// std::from_chars for general, fixed or scientific: an optional minus,
// digits with at most one full stop, an exponent (required for scientific,
// not read for fixed), or inf, infinity, nan; rounded half to even to the
// nearest double. A number beyond a double, or one that rounds to zero
// without being zero, gives errc::result_out_of_range and leaves value.
//   "2.5e1x" -> 25, ptr at "x"   "1e309" -> result_out_of_range   "-0" -> -0.0
std::from_chars_result libraryFromChars(const char* first, const char* last, double& value, std::chars_format format);

} // namespace quillon
