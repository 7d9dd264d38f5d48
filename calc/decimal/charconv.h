// Conversions between doubles and their decimal texts, C locale, as
// std::to_chars and std::from_chars make them. Where the standard library has
// the floating-point forms they are used; where it has not (the WebAssembly
// toolchain's library), the exact replacements of exact_decimal.h give the
// same texts and values, byte for byte.
#pragma once

#include "calc/decimal/exact_decimal.h"

#include <charconv>
#include <version>

namespace quillon {

// The library's floating-point forms are complete where it says so.
#if defined(__cpp_lib_to_chars)
#define QUILLON_STANDARD_FLOATING_CHARCONV 1
#else
#define QUILLON_STANDARD_FLOATING_CHARCONV 0
#endif

// The shortest text that reads back as value, in fixed or scientific notation.
//   (0.1, fixed) -> "0.1"   (1e21, fixed) -> "1000000000000000000000"
//   (1234.5, scientific) -> "1.2345e+03"   (-0.0, fixed) -> "-0"
inline std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format)
{
#if QUILLON_STANDARD_FLOATING_CHARCONV
    return std::to_chars(first, last, value, format);
#else
    return exactToChars(first, last, value, format);
#endif
}

// value with precision decimals (fixed) or precision digits after the first
// (scientific), the exact binary value rounded half to even.
//   (0.03125, fixed, 4) -> "0.0312"   (2.5, scientific, 0) -> "2e+00"
inline std::to_chars_result doubleToChars(
    char* first, char* last, double value, std::chars_format format, int precision)
{
#if QUILLON_STANDARD_FLOATING_CHARCONV
    return std::to_chars(first, last, value, format, precision);
#else
    return exactToChars(first, last, value, format, precision);
#endif
}

// The double nearest to the decimal number at the front of [first, last).
//   "0.05" -> 0.05   "1e400" -> result_out_of_range, value unchanged
inline std::from_chars_result doubleFromChars(
    const char* first, const char* last, double& value, std::chars_format format = std::chars_format::general)
{
#if QUILLON_STANDARD_FLOATING_CHARCONV
    return std::from_chars(first, last, value, format);
#else
    return exactFromChars(first, last, value, format);
#endif
}

} // namespace quillon
