#include "calc/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quillon {
namespace {

std::string wholeNumberText(int value)
{
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Writes a finite double rounded to 15 significant digits.
std::string plainNumber(double value, std::string_view separator)
{
    if (value == 0.0)
        return "0"; // negative zero too
    if (!std::isfinite(value))
        throw OutOfRange("A number to show lies beyond the range of a double.");

    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    // buffer holds "-d.dddddddddddddde+XX".
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    std::string digits;
    digits.push_back(text[0]);
    digits.append(text.substr(2, e - 2));
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
    // tie at the fifth decimal goes to the even fourth one.
    std::string text(std::numeric_limits<double>::max_exponent10 + 32, '\0');
    const auto end = std::to_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed, 4).ptr;
    text.resize(static_cast<std::size_t>(end - text.data()));
    while (text.back() == '0' && text[text.size() - 2] != '.')
        text.pop_back();
    if (text == "-0.0")
        text = "0.0";
    text.replace(text.find('.'), 1, decimalSeparator);
    return text;
}

} // namespace quillon
