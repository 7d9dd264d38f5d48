#include "calc/reader.h"

#include "calc/decimal/charconv.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace quillon {
namespace {

// Walks a text while skipping blanks, tabs and line feeds, which the reader
// ignores wherever they stand.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) { }

    // The next character that is not skipped, or '\0' at the end.
    char peek()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int radix)
{
    int value = radix;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < radix ? value : -1;
}

// After "&H" or "&O": the digits' value as a 16-bit signed pattern up to FFFF,
// as a 32-bit signed one up to FFFFFFFF.
double readRadixNumber(Scanner& scanner, int radix)
{
    std::uint64_t value = 0;
    bool tooLarge = false;
    for (int digit; (digit = digitValue(scanner.peek(), radix)) >= 0; scanner.advance()) {
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFF'FFFFu) {
            tooLarge = true;
            value = 0; // keep consuming digits without overflowing
        }
    }
    if (tooLarge)
        throw OutOfRange("The tooth count lies beyond the range of a 32-bit whole number.");
    if (value <= 0xFFFFu)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Exponents beyond this are clamped; they are far outside a double either way
// and clamping keeps the sums below from overflowing.
constexpr std::int64_t kExponentClamp = 1'000'000'000'000;

[[noreturn]] void throwToothCountOutOfRange()
{
    throw OutOfRange("The tooth count lies beyond the range of a double.");
}

// The decimal number after the sign: digits with at most one full stop, then
// an optional exponent. Returns the magnitude, correctly rounded.
double readDecimalMagnitude(Scanner& scanner)
{
    // The value is significant * 10^exponent, where significant holds the
    // digits from the first non-zero one on.
    std::string significant;
    std::int64_t exponent = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (char c = scanner.peek();; c = scanner.peek()) {
        if (isDecimalDigit(c)) {
            anyDigit = true;
            if (c != '0' || !significant.empty())
                significant.push_back(c);
            if (afterPoint)
                --exponent;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
        scanner.advance();
    }
    if (!anyDigit)
        return 0.0;

    if (char c = scanner.peek(); c == 'E' || c == 'e') {
        scanner.advance();
        bool negative = false;
        if (c = scanner.peek(); c == '+' || c == '-') {
            negative = c == '-';
            scanner.advance();
        }
        std::int64_t written = 0;
        for (c = scanner.peek(); isDecimalDigit(c); c = scanner.peek()) {
            written = std::min(written * 10 + (c - '0'), kExponentClamp);
            scanner.advance();
        }
        exponent += negative ? -written : written;
    }

    while (!significant.empty() && significant.back() == '0') {
        significant.pop_back();
        ++exponent;
    }
    if (significant.empty())
        return 0.0;

    // The exponent of the leading digit tells overflow from underflow at once,
    // whatever the number of digits.
    const std::int64_t leadingExponent = exponent + static_cast<std::int64_t>(significant.size()) - 1;
    if (leadingExponent > std::numeric_limits<double>::max_exponent10 + 1)
        throwToothCountOutOfRange();
    if (leadingExponent < std::numeric_limits<double>::min_exponent10 - 30)
        return 0.0;

    significant.push_back('e');
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, exponent);
    significant.append(digits, written.ptr);

    double magnitude = 0.0;
    const auto [end, error] = doubleFromChars(
        significant.data(), significant.data() + significant.size(), magnitude, std::chars_format::scientific);
    if (error == std::errc::result_out_of_range) {
        if (leadingExponent > 0)
            throwToothCountOutOfRange();
        return 0.0; // below the smallest subnormal
    }
    return magnitude;
}

} // namespace

double readToothCount(std::string_view text)
{
    Scanner scanner(text);
    if (scanner.peek() == '&') {
        scanner.advance();
        const char prefix = scanner.peek();
        if (prefix == 'H' || prefix == 'h') {
            scanner.advance();
            return readRadixNumber(scanner, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            scanner.advance();
            return readRadixNumber(scanner, 8);
        }
        return 0.0;
    }
    bool negative = false;
    if (const char c = scanner.peek(); c == '+' || c == '-') {
        negative = c == '-';
        scanner.advance();
    }
    const double magnitude = readDecimalMagnitude(scanner);
    return negative ? -magnitude : magnitude;
}

} // namespace quillon
