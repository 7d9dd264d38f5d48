#include "calc/number_text.h"

#include "calc/algorithms.h"
#include "calc/decimal/charconv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace quillon {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Writes a finite double rounded to 15 significant digits.
std::string plainNumber(double value, std::string_view separator)
{
    if (value == 0.0)
        return "0"; // negative zero too
    if (!std::isfinite(value))
        throw OutOfRange("A number to show lies beyond the range of a double.");

    // The shortest text that reads back as the value is, when it has 15
    // significant digits or fewer, also the value rounded to 15 digits: the
    // value lies within half a unit in the last place of it, far less than
    // half a step of 15 digits. It is much quicker to write than a fixed
    // precision, which is the way for the rest.
    char buffer[32];
    const char* end = doubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    if (countIf(text.substr(0, text.find('e')), isDigit) > 15) {
        end = doubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
        text = std::string_view(buffer, static_cast<std::size_t>(end - buffer));
    }
    // text holds "-d.dddde+XX", or "de+XX" for a single digit.
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (isDigit(c))
            digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += separator;
            out.append(digits, 1);
        }
        out += "E+"; // the exponent has two digits at least, since it is 15 or more
        out += wholeNumberText(exponent);
        return out;
    }
    if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            out += digits;
            out.append(wholeDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, wholeDigits);
            out += separator;
            out.append(digits, wholeDigits);
        }
        return out;
    }
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
}

} // namespace

// scaledText with the number of decimals known when compiling, so that the
// divisions below are by constants.
template <int decimals> std::string_view scaledTextWith(double scaled, bool negative, NumberBuffer& buffer)
{
    // Whole numbers of up to 15 digits are exact doubles, and the double
    // nearest to scaled / 10^decimals shows as exactly that decimal at 15
    // significant digits; larger ones take the general way.
    if (!(scaled < 1e15)) {
        double divisor = 1;
        for (int i = 0; i < decimals; ++i)
            divisor *= 10;
        const std::string text = plainNumber((negative ? -scaled : scaled) / divisor, ".");
        return {buffer.data(),
            static_cast<std::size_t>(std::copy(text.begin(), text.end(), buffer.data()) - buffer.data())};
    }
    // Written from the last digit back.
    auto whole = static_cast<unsigned long long>(scaled);
    if (whole == 0)
        return "0"; // negative zero too
    // Two digits at a time from a table of pairs: a table writes millions of
    // these numbers.
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    const auto putPair = [](char* at, unsigned long long twoDigits) {
        at[0] = kPairs[twoDigits * 2];
        at[1] = kPairs[twoDigits * 2 + 1];
    };
    constexpr unsigned long long divisor = decimals == 3 ? 1000 : decimals == 4 ? 10000 : 1;
    static_assert(divisor > 1);
    char* const end = buffer.data() + buffer.size();
    char* first = end;

    // The decimals, all of them, then without their trailing zeros.
    if (unsigned long long fraction = whole % divisor; fraction != 0) {
        first -= decimals;
        for (int i = decimals; i >= 2; i -= 2, fraction /= 100)
            putPair(first + i - 2, fraction % 100);
        if constexpr (decimals % 2 == 1)
            first[0] = static_cast<char>('0' + fraction);
        char* last = end;
        while (last[-1] == '0')
            --last;
        std::copy_backward(first, last, end);
        first += end - last;
        *--first = '.';
    }
    whole /= divisor;
    for (; whole >= 100; whole /= 100) {
        first -= 2;
        putPair(first, whole % 100);
    }
    if (whole >= 10) {
        first -= 2;
        putPair(first, whole);
    } else {
        *--first = static_cast<char>('0' + whole);
    }
    if (negative)
        *--first = '-';
    return {first, static_cast<std::size_t>(end - first)};
}

std::string_view scaledText(double scaled, bool negative, int decimals, NumberBuffer& buffer)
{
    if (decimals == 3)
        return scaledTextWith<3>(scaled, negative, buffer);
    if (decimals == 4)
        return scaledTextWith<4>(scaled, negative, buffer);
    throw std::invalid_argument("scaledText writes three or four decimals");
}

std::string_view diameterText(double value, NumberBuffer& buffer)
{
    const double scaled = value * 1000.0;
    if (!std::isfinite(scaled))
        throw OutOfRange("A diameter lies beyond the range of a double.");
    const double rounded = std::floor(scaled + 0.5);
    return scaledTextWith<3>(std::fabs(rounded), rounded < 0, buffer);
}

double roundTo3(double value)
{
    const double scaled = value * 1000.0;
    if (!std::isfinite(scaled))
        throw OutOfRange("A diameter lies beyond the range of a double.");
    return std::floor(scaled + 0.5) / 1000.0;
}

std::string plainText(double value, std::string_view decimalSeparator)
{
    return plainNumber(value, decimalSeparator);
}

std::string plainText(const ProfileValue& value, std::string_view decimalSeparator)
{
    switch (value.kind()) {
    case ProfileValue::Kind::Unset:
        return {};
    case ProfileValue::Kind::Integer:
        return wholeNumberText(value.integer());
    case ProfileValue::Kind::Real:
        return plainNumber(value.number(), decimalSeparator);
    case ProfileValue::Kind::Text:
        break;
    }
    return std::string(value.text());
}

std::string fixedText(const ProfileValue& value, std::string_view decimalSeparator)
{
    if (value.isUnset())
        return {};
    if (value.isText())
        return std::string(value.text()); // never in the catalogue; shown as it stands
    const double number = value.number();
    if (!std::isfinite(number))
        throw OutOfRange("A number to show lies beyond the range of a double.");

    // Four decimals, correctly rounded from the exact binary value; an exact
    // tie at the fifth decimal goes to the even fourth one. Below 1e9 a
    // shortest text with four decimals or fewer is that rounding already (the
    // value is within half a unit in its last place of it, far from a tie),
    // and quicker to write.
    // Written on the stack: the widest double takes over 300 digits.
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    char* end = buffer;
    if (std::fabs(number) < 1e9) {
        end = doubleToChars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed).ptr;
        const std::string_view shortest(buffer, static_cast<std::size_t>(end - buffer));
        const std::size_t point = shortest.find('.');
        if (point != std::string_view::npos && shortest.size() - point - 1 > 4)
            end = buffer; // more than four decimals: round below
        else if (point == std::string_view::npos) {
            // A whole number shows one decimal.
            *end++ = '.';
            *end++ = '0';
        }
    }
    if (end == buffer)
        end = doubleToChars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, 4).ptr;
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    while (digits.back() == '0' && digits[digits.size() - 2] != '.')
        digits.remove_suffix(1);
    if (digits == "-0.0")
        digits = "0.0";
    const std::size_t point = digits.find('.');
    std::string text(digits.substr(0, point));
    text += decimalSeparator;
    text += digits.substr(point + 1);
    return text;
}

std::string wholeNumberText(int value)
{
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

} // namespace quillon
