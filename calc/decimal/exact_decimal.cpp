#include "calc/decimal/exact_decimal.h"

#include "calc/decimal/big_number.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {
namespace {

// digits x 10^scale: digits without leading or trailing zeros, empty for 0.
struct Decimal {
    std::string digits;
    int scale = 0;

    bool isZero() const { return digits.empty(); }
    // The power of ten of the leading digit.   {"125", -2} -> 0
    int leadingExponent() const { return static_cast<int>(digits.size()) - 1 + scale; }
};

void normalise(Decimal& number)
{
    const std::size_t first = number.digits.find_first_not_of('0');
    number.digits.erase(0, first == std::string::npos ? number.digits.size() : first);
    while (!number.digits.empty() && number.digits.back() == '0') {
        number.digits.pop_back();
        ++number.scale;
    }
}

// A finite double without its sign: mantissa x 2^exponent.
struct BinaryValue {
    std::uint64_t mantissa = 0;
    int exponent = -1074;
    bool smallerGapBelow = false; // a power of two: the next double down is nearer
};

BinaryValue binaryValue(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    BinaryValue binary{bits & ((std::uint64_t{1} << 52) - 1)};
    if (biased != 0) {
        binary.smallerGapBelow = binary.mantissa == 0 && biased > 1;
        binary.mantissa |= std::uint64_t{1} << 52;
        binary.exponent = biased - 1075;
    }
    return binary;
}

// The exact value of a finite double of either sign, without its sign.
Decimal exactDecimal(double value)
{
    const BinaryValue binary = binaryValue(value);
    if (binary.mantissa == 0)
        return {};
    BigNumber whole(binary.mantissa);
    Decimal number;
    // m x 2^-n is m x 5^n x 10^-n.
    if (binary.exponent >= 0) {
        whole.shiftLeft(binary.exponent);
    } else {
        whole.multiplyByPowerOf5(-binary.exponent);
        number.scale = binary.exponent;
    }
    number.digits = whole.decimalDigits();
    normalise(number);
    return number;
}

// -1, 0 or 1 as number is below, at or above whole x 2^power.
int compareWithBinary(const Decimal& number, std::uint64_t whole, int power)
{
    BigNumber decimal = BigNumber::fromDigits(number.digits);
    BigNumber binary(whole);
    // digits x 5^scale x 2^scale against whole x 2^power
    if (number.scale >= 0)
        decimal.multiplyByPowerOf5(number.scale);
    else
        binary.multiplyByPowerOf5(-number.scale);
    if (number.scale >= power)
        decimal.shiftLeft(number.scale - power);
    else
        binary.shiftLeft(power - number.scale);
    return compare(decimal, binary);
}

// Whether a decimal reads back as the double: whether it lies between the
// halfway points to the neighbouring doubles, or on one of them with an even
// mantissa, which wins the tie.
bool readsBackAs(const Decimal& number, const BinaryValue& binary)
{
    if (number.isZero())
        return false;
    const std::uint64_t below = 4 * binary.mantissa - (binary.smallerGapBelow ? 1 : 2);
    const std::uint64_t above = 4 * binary.mantissa + 2;
    const int low = compareWithBinary(number, below, binary.exponent - 2);
    const int high = compareWithBinary(number, above, binary.exponent - 2);
    const bool even = binary.mantissa % 2 == 0;
    return (low > 0 || (low == 0 && even)) && (high < 0 || (high == 0 && even));
}

enum class Rounding { HalfEven, Down, Up };

// number rounded to a multiple of 10^unit.
Decimal roundAt(const Decimal& number, int unit, Rounding rounding)
{
    if (number.isZero() || number.scale >= unit)
        return number;
    const auto cut = static_cast<std::size_t>(unit - number.scale);
    const std::size_t kept = number.digits.size() > cut ? number.digits.size() - cut : 0;
    std::string head = number.digits.substr(0, kept);
    // The digits cut off; the last of them is not 0.
    const std::string tail = std::string(cut - (number.digits.size() - kept), '0') + number.digits.substr(kept);
    bool up = rounding == Rounding::Up;
    if (rounding == Rounding::HalfEven) {
        const bool lastOdd = !head.empty() && (head.back() - '0') % 2 == 1;
        up = tail[0] > '5' || (tail[0] == '5' && (tail.size() > 1 || lastOdd));
    }
    if (up) {
        std::size_t at = head.size();
        while (at > 0 && head[at - 1] == '9')
            head[--at] = '0';
        if (at == 0)
            head.insert(head.begin(), '1');
        else
            ++head[at - 1];
    }
    Decimal rounded{std::move(head), unit};
    normalise(rounded);
    return rounded;
}

// The p-digit number that reads back as value, if any: of two, the nearer,
// a tie to the even one.
std::optional<Decimal> readsBackWith(int digits, const BinaryValue& value, const Decimal& exact)
{
    const int unit = exact.leadingExponent() - digits + 1;
    if (exact.scale >= unit)
        return exact;
    const Decimal down = roundAt(exact, unit, Rounding::Down);
    const Decimal up = roundAt(exact, unit, Rounding::Up);
    const bool downReads = readsBackAs(down, value);
    const bool upReads = readsBackAs(up, value);
    if (downReads && upReads)
        return roundAt(exact, unit, Rounding::HalfEven);
    if (downReads)
        return down;
    if (upReads)
        return up;
    return std::nullopt;
}

// The fewest significant digits that read back as value (positive, finite,
// not 0). Seventeen always do, and whatever p digits do, p + 1 do too, so
// the fewest are found by halving.
Decimal shortestDecimal(double value, const Decimal& exact)
{
    const BinaryValue binary = binaryValue(value);
    int low = 1;
    int high = 17;
    std::optional<Decimal> best = readsBackWith(high, binary, exact);
    while (low < high) {
        const int middle = (low + high) / 2;
        if (std::optional<Decimal> found = readsBackWith(middle, binary, exact)) {
            best = std::move(found);
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return *best;
}

std::string fixedText(const Decimal& number, int decimals)
{
    std::string whole = "0";
    std::string fraction;
    if (!number.isZero()) {
        const int wholeDigits = static_cast<int>(number.digits.size()) + number.scale;
        if (number.scale >= 0) {
            whole = number.digits + std::string(static_cast<std::size_t>(number.scale), '0');
        } else if (wholeDigits > 0) {
            whole = number.digits.substr(0, static_cast<std::size_t>(wholeDigits));
            fraction = number.digits.substr(static_cast<std::size_t>(wholeDigits));
        } else {
            fraction = std::string(static_cast<std::size_t>(-wholeDigits), '0') + number.digits;
        }
    }
    fraction.resize(static_cast<std::size_t>(std::max(decimals, 0)), '0');
    return fraction.empty() ? whole : whole + '.' + fraction;
}

std::string scientificText(const Decimal& number, int decimals)
{
    std::string digits = number.isZero() ? "0" : number.digits;
    digits.resize(static_cast<std::size_t>(decimals) + 1, '0');
    std::string text(1, digits[0]);
    if (decimals > 0)
        text += '.' + digits.substr(1);
    const int exponent = number.isZero() ? 0 : number.leadingExponent();
    text += exponent < 0 ? "e-" : "e+";
    std::string power;
    for (int rest = std::abs(exponent); rest > 0 || power.size() < 2; rest /= 10)
        power.insert(power.begin(), static_cast<char>('0' + rest % 10));
    return text + power;
}

std::to_chars_result put(char* first, char* last, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(last - first))
        return {last, std::errc::value_too_large};
    return {std::copy(text.begin(), text.end(), first), std::errc()};
}

// "inf", "nan" and their signs, as the standard library writes them.
std::string_view notFiniteText(double value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    return value < 0 ? "-inf" : "inf";
}

} // namespace

std::to_chars_result exactToChars(char* first, char* last, double value, std::chars_format format)
{
    if (!std::isfinite(value))
        return put(first, last, notFiniteText(value));
    const std::string sign = std::signbit(value) ? "-" : "";
    const Decimal exact = exactDecimal(value);
    if (exact.isZero())
        return put(first, last, sign + (format == std::chars_format::scientific ? "0e+00" : "0"));
    // A whole number beyond 2^53 has no shorter text in fixed notation than
    // its own digits, and these are the nearest.
    if (format == std::chars_format::fixed && std::fabs(value) >= 0x1p53)
        return put(first, last, sign + fixedText(exact, 0));
    const Decimal shortest = shortestDecimal(std::fabs(value), exact);
    const int decimals
        = format == std::chars_format::scientific ? static_cast<int>(shortest.digits.size()) - 1 : -shortest.scale;
    return put(first, last,
        sign
            + (format == std::chars_format::scientific ? scientificText(shortest, decimals)
                                                       : fixedText(shortest, decimals)));
}

std::to_chars_result exactToChars(char* first, char* last, double value, std::chars_format format, int precision)
{
    if (!std::isfinite(value))
        return put(first, last, notFiniteText(value));
    const std::string sign = std::signbit(value) ? "-" : "";
    const Decimal exact = exactDecimal(value);
    if (format == std::chars_format::scientific) {
        const Decimal rounded = roundAt(exact, exact.leadingExponent() - precision, Rounding::HalfEven);
        return put(first, last, sign + scientificText(rounded, precision));
    }
    return put(first, last, sign + fixedText(roundAt(exact, -precision, Rounding::HalfEven), precision));
}

} // namespace quillon
