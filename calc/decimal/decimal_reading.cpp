// Reading decimal texts into doubles, exactly; see exact_decimal.h.

#include "calc/decimal/big_number.h"
#include "calc/decimal/exact_decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {
namespace {

// A letter, digit or underscore, as nan(...) may hold; not by the locale.
bool isNanTagCharacter(char c)
{
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_';
}

// The double nearest to digits x 10^scale (digits without leading zeros, not
// all zero), or infinity or zero beyond a double's range.
double nearestDouble(std::string digits, std::int64_t scale)
{
    // Doubles and the halfway points between them have at most 768
    // significant digits, so a longer number rounds as its first 800 digits
    // with a 1 after them, when anything beyond was not 0.
    if (digits.size() > 800) {
        const bool more = digits.find_first_not_of('0', 800) != std::string::npos;
        scale += static_cast<std::int64_t>(digits.size() - 800);
        digits.resize(800);
        if (more) {
            digits.push_back('1');
            --scale;
        }
    }
    const std::int64_t leading = scale + static_cast<std::int64_t>(digits.size()) - 1;
    if (leading > 310)
        return HUGE_VAL;
    if (leading < -330)
        return 0.0;
    // value = numerator / denominator, both whole.
    BigNumber numerator = BigNumber::fromDigits(digits);
    BigNumber denominator(1);
    BigNumber& scaled = scale >= 0 ? numerator : denominator;
    scaled.multiplyByPowerOf5(static_cast<int>(std::abs(scale)));
    scaled.shiftLeft(static_cast<int>(std::abs(scale)));

    // 2^(e-1) < value < 2^(e+1); the unit in the last place is 2^(e-52), or
    // 2^-1074 below the normal range.
    int e = numerator.bitLength() - denominator.bitLength();
    for (;;) {
        const int unit = std::max(e, -1022) - 52;
        BigNumber remainder = numerator;
        BigNumber divisor = denominator;
        (unit >= 0 ? divisor : remainder).shiftLeft(std::abs(unit));
        std::uint64_t quotient = 0;
        for (int bit = 53; bit >= 0; --bit) {
            BigNumber step = divisor;
            step.shiftLeft(bit);
            if (compare(remainder, step) >= 0) {
                remainder.subtract(step);
                quotient |= std::uint64_t{1} << bit;
            }
        }
        if (quotient < (std::uint64_t{1} << 52) && e > -1022) {
            --e; // value < 2^e: one bit more to take
            continue;
        }
        remainder.shiftLeft(1);
        const int half = compare(remainder, divisor);
        if (half > 0 || (half == 0 && quotient % 2 == 1))
            ++quotient;
        return std::ldexp(static_cast<double>(quotient), unit);
    }
}

} // namespace

std::from_chars_result exactFromChars(const char* first, const char* last, double& value, std::chars_format format)
{
    const std::string_view text(first, static_cast<std::size_t>(last - first));
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    at += negative;
    const auto startsWithWord = [&](std::string_view word) {
        if (text.size() - at < word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if ((text[at + i] | 0x20) != word[i])
                return false;
        }
        return true;
    };
    if (startsWithWord("inf")) {
        at += startsWithWord("infinity") ? 8 : 3;
        value = negative ? -HUGE_VAL : HUGE_VAL;
        return {first + at, std::errc()};
    }
    if (startsWithWord("nan")) {
        at += 3;
        if (at < text.size() && text[at] == '(') {
            std::size_t close = at + 1;
            while (close < text.size() && isNanTagCharacter(text[close]))
                ++close;
            if (close < text.size() && text[close] == ')')
                at = close + 1;
        }
        value = negative ? -std::nan("") : std::nan("");
        return {first + at, std::errc()};
    }

    const auto isDigit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::string digits;
    std::int64_t scale = 0;
    bool anyDigit = false;
    for (; isDigit(at); ++at, anyDigit = true) {
        if (!digits.empty() || text[at] != '0')
            digits.push_back(text[at]);
    }
    if (at < text.size() && text[at] == '.') {
        for (++at; isDigit(at); ++at, anyDigit = true) {
            if (!digits.empty() || text[at] != '0')
                digits.push_back(text[at]);
            --scale;
        }
    }
    if (!anyDigit)
        return {first, std::errc::invalid_argument};
    if (format != std::chars_format::fixed && at < text.size() && (text[at] | 0x20) == 'e') {
        std::size_t next = at + 1;
        const bool exponentNegative = next < text.size() && text[next] == '-';
        next += next < text.size() && (text[next] == '-' || text[next] == '+');
        if (isDigit(next)) {
            std::int64_t exponent = 0;
            for (; isDigit(next); ++next)
                exponent = std::min<std::int64_t>(exponent * 10 + (text[next] - '0'), 100000000);
            scale += exponentNegative ? -exponent : exponent;
            at = next;
        } else if (format == std::chars_format::scientific) {
            return {first, std::errc::invalid_argument};
        }
    } else if (format == std::chars_format::scientific) {
        return {first, std::errc::invalid_argument};
    }
    if (digits.empty()) {
        value = negative ? -0.0 : 0.0;
        return {first + at, std::errc()};
    }
    const double magnitude = nearestDouble(digits, scale);
    if (std::isinf(magnitude) || magnitude == 0.0)
        return {first + at, std::errc::result_out_of_range};
    value = negative ? -magnitude : magnitude;
    return {first + at, std::errc()};
}

} // namespace quillon
