#include "calc/decimal/library_charconv.h"

// {fmt} as headers alone, with no locale.
#define FMT_HEADER_ONLY
#define FMT_STATIC_THOUSANDS_SEPARATOR ','
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace quillon {
namespace {

// A finite double's decimal digits: |value| = digits × 10^exponent, without
// leading zeros ("" for zero).
struct Digits {
    fmt::memory_buffer text;
    int exponent = 0;
    std::string_view digits() const
    {
        const std::string_view all(text.data(), text.size());
        return all.substr(std::min(all.find_first_not_of('0'), all.size()));
    }
};

// These are {fmt}'s own digit generators, called as fmt 9's formatting
// calls them for a double (fmt::detail, pinned by Debian's libfmt-dev 9.1):
// its format strings, their layout and the float forms they bring in would
// add half the page's size again, for three forms laid out here in a few
// lines.
namespace detail = fmt::detail;

// The shortest digits that read back as the value (Dragonbox).
Digits shortestDigits(double magnitude)
{
    const auto shortest = detail::dragonbox::to_decimal(magnitude);
    Digits digits;
    char buffer[20];
    digits.text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, shortest.significand).ptr);
    digits.exponent = shortest.exponent;
    return digits;
}

// The value rounded half to even to that many decimals (fixed) or to 1 +
// that many significant digits (scientific), exactly: Grisu where it is
// sure of its digits, else Dragon4.
Digits roundedDigits(double magnitude, bool fixed, int decimals)
{
    // A double has at most 767 significant digits; the rest are zeros.
    constexpr int kMostDigits = 767;
    int precision = std::min(fixed ? decimals : decimals + 1, kMostDigits);
    constexpr int kGrisuMinExponent = -60; // alpha in Grisu
    int cachedExponent = 0;
    detail::fp normalized = detail::normalize(detail::fp(magnitude));
    normalized = normalized
        * detail::get_cached_power(
            kGrisuMinExponent - (normalized.e + detail::fp::num_significand_bits), cachedExponent);
    Digits digits;
    // Grisu gives up after some twenty digits, well within this.
    digits.text.try_resize(kMostDigits);
    detail::gen_digits_handler handler{digits.text.data(), 0, precision, -cachedExponent, fixed};
    int exponent = 0;
    if (detail::grisu_gen_digits(normalized, 1, exponent, handler) != detail::digits::error) {
        digits.exponent = exponent + handler.exp10;
        digits.text.try_resize(static_cast<std::size_t>(handler.size));
        return digits;
    }
    exponent += handler.size - cachedExponent - 1;
    precision = handler.precision;
    auto exact = detail::basic_fp<detail::uint128_t>();
    unsigned flags = fixed ? detail::dragon::fixed : 0;
    if (exact.assign(magnitude))
        flags |= detail::dragon::predecessor_closer;
    digits.text.clear();
    detail::format_dragon(exact, flags, precision, digits.text, exponent);
    digits.exponent = exponent;
    return digits;
}

// decimals < 0: the shortest digits; else the rounded ones.
Digits digitsOf(double value, std::chars_format format, int decimals)
{
    const double magnitude = std::abs(value);
    if (magnitude == 0)
        return Digits();
    return decimals < 0 ? shortestDigits(magnitude)
                        : roundedDigits(magnitude, format == std::chars_format::fixed, decimals);
}

// Appends to [at, last) while it fits; result() says whether all did.
struct Writer {
    char* at;
    char* last;
    bool fits = true;
    void put(char c)
    {
        if (at == last)
            fits = false;
        else
            *at++ = c;
    }
    void put(std::string_view text)
    {
        for (char c : text)
            put(c);
    }
    std::to_chars_result result() const
    {
        return fits ? std::to_chars_result{at, std::errc()} : std::to_chars_result{last, std::errc::value_too_large};
    }
};

// "0.00125", "1250", "12.50": the digit of each power of ten from the
// highest (or 0) down to 10^-decimals; decimals < 0: down to the last digit.
void putFixed(Writer& out, const Digits& number, int decimals)
{
    const std::string_view digits = number.digits();
    const int count = static_cast<int>(digits.size());
    const int lowest = decimals >= 0 ? -decimals : std::min(number.exponent, 0);
    const int highest = std::max(number.exponent + count - 1, 0);
    for (int power = highest; power >= lowest; --power) {
        const int index = count - 1 - (power - number.exponent);
        out.put(index >= 0 && index < count ? digits[static_cast<std::size_t>(index)] : '0');
        if (power == 0 && lowest < 0)
            out.put('.');
    }
}

// "1.2345e+03", "2.50e+00": the first digit, the others after a full stop
// (decimals < 0: as many as there are), an exponent of at least two digits.
void putScientific(Writer& out, const Digits& number, int decimals)
{
    const std::string_view digits = number.digits();
    const int shown = decimals >= 0 ? decimals : std::max(static_cast<int>(digits.size()) - 1, 0);
    out.put(digits.empty() ? '0' : digits.front());
    if (shown > 0)
        out.put('.');
    for (int i = 1; i <= shown; ++i)
        out.put(i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0');
    const int exponent = digits.empty() ? 0 : number.exponent + static_cast<int>(digits.size()) - 1;
    out.put(exponent < 0 ? "e-" : "e+");
    char buffer[8];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, exponent < 0 ? -exponent : exponent).ptr;
    if (end - buffer < 2)
        out.put('0');
    out.put(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

// Every double of 2^53 or more is whole; written fixed, its exact value is
// as short as any text that reads back as it, and the nearest.
constexpr double kFirstUnevenGap = 9007199254740992.0; // 2^53

std::to_chars_result written(char* first, char* last, double value, std::chars_format format, int decimals)
{
    Writer out{first, last};
    if (std::signbit(value))
        out.put('-');
    if (!std::isfinite(value)) {
        out.put(std::isnan(value) ? "nan" : "inf");
        return out.result();
    }
    const bool fixed = format == std::chars_format::fixed;
    if (fixed && decimals < 0 && std::abs(value) >= kFirstUnevenGap)
        decimals = 0;
    const Digits number = digitsOf(value, format, decimals);
    if (fixed)
        putFixed(out, number, decimals);
    else
        putScientific(out, number, decimals);
    return out.result();
}

} // namespace

std::to_chars_result libraryToChars(char* first, char* last, double value, std::chars_format format)
{
    return written(first, last, value, format, -1);
}

std::to_chars_result libraryToChars(char* first, char* last, double value, std::chars_format format, int precision)
{
    return written(first, last, value, format, std::max(precision, 0));
}

std::from_chars_result libraryFromChars(const char* first, const char* last, double& value, std::chars_format format)
{
    const fast_float::chars_format form = format == std::chars_format::fixed ? fast_float::chars_format::fixed
        : format == std::chars_format::scientific                            ? fast_float::chars_format::scientific
                                                                             : fast_float::chars_format::general;
    double read = 0;
    const fast_float::from_chars_result result = fast_float::from_chars(first, last, read, form);
    if (result.ec != std::errc())
        return {result.ptr, result.ec};
    // fast_float gives infinity for a number beyond a double and zero for
    // one below half the smallest; the standard calls both out of range.
    const std::string_view number(first, static_cast<std::size_t>(result.ptr - first));
    const std::string_view significand = number.substr(0, number.find_first_of("eE"));
    const bool beyond = std::isinf(read) && number.find_first_of("0123456789") != std::string_view::npos;
    const bool vanished = read == 0 && significand.find_first_of("123456789") != std::string_view::npos;
    if (beyond || vanished)
        return {result.ptr, std::errc::result_out_of_range};
    value = read;
    return {result.ptr, std::errc()};
}

} // namespace quillon
