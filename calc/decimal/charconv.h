// Conversions between doubles and their decimal texts, C locale, as
// std::to_chars and std::from_chars make them. Native builds use the
// standard library's; the WebAssembly build, whose library (libc++ 13) lacks
// the floating-point forms, uses {fmt} and fast_float through
// calc/decimal/library_charconv.h: the same texts and values, byte for byte.
#pragma once

#include <charconv>

#if QUILLON_CHARCONV_FROM_LIBRARIES
#include "calc/decimal/library_charconv.h"
#endif

namespace quillon {

// The shortest text that reads back as value, in fixed or scientific notation.
//   (0.1, fixed) -> "0.1"   (1e21, fixed) -> "1000000000000000000000"
//   (1234.5, scientific) -> "1.2345e+03"   (-0.0, fixed) -> "-0"
inline std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format)
{
#if QUILLON_CHARCONV_FROM_LIBRARIES
    return libraryToChars(first, last, value, format);
#else
    return std::to_chars(first, last, value, format);
#endif
}

// value with precision decimals (fixed) or precision digits after the first
// (scientific), the exact binary value rounded half to even.
//   (0.03125, fixed, 4) -> "0.0312"   (2.5, scientific, 0) -> "2e+00"
inline std::to_chars_result doubleToChars(
    char* first, char* last, double value, std::chars_format format, int precision)
{
#if QUILLON_CHARCONV_FROM_LIBRARIES
    return libraryToChars(first, last, value, format, precision);
#else
    return std::to_chars(first, last, value, format, precision);
#endif
}

// The double nearest to the decimal number at the front of [first, last).
//   "0.05" -> 0.05   "1e400" -> result_out_of_range, value unchanged
inline std::from_chars_result doubleFromChars(
    const char* first, const char* last, double& value, std::chars_format format = std::chars_format::general)
{
#if QUILLON_CHARCONV_FROM_LIBRARIES
    return libraryFromChars(first, last, value, format);
#else
    return std::from_chars(first, last, value, format);
#endif
}

} // namespace quillon
