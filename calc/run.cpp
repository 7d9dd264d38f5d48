#include "calc/run.h"

#include "calc/catalogue/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillon {
namespace {

// The circle constant of the diameter formula: eight decimals, as the printed
// tables of pulley diameters use it, not the full-precision value.
constexpr double kPi = 3.14159265;

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
    const auto [end, error] = std::from_chars(
        significant.data(), significant.data() + significant.size(), magnitude, std::chars_format::scientific);
    if (error == std::errc::result_out_of_range) {
        if (leadingExponent > 0)
            throwToothCountOutOfRange();
        return 0.0; // below the smallest subnormal
    }
    return magnitude;
}

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

// The twenty boxes in the order they are filled and written.
constexpr std::array<std::string_view, RunResult::kBoxCount> kBoxOrder = {
    "Text2",
    "Text13",
    "Text3",
    "Text4",
    "Text5",
    "Text6",
    "Text7",
    "Text8",
    "Text9",
    "Text10",
    "Text11",
    "Text14",
    "Text15",
    "Text16",
    "Text17",
    "Text18",
    "Text12",
    "Text19",
    "Text20",
    "Text21",
};

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

GrooveProfile selectProfile(std::string_view beltType, double toothCount)
{
    for (const ProfileEntry& entry : profileCatalogue()) {
        if (entry.beltType == beltType && holds(entry.condition, toothCount))
            return entry.profile;
    }
    return GrooveProfile{};
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

std::string_view RunResult::text(std::string_view boxName) const
{
    for (const Box& box : boxes_) {
        if (box.name == boxName)
            return box.text;
    }
    throw std::invalid_argument("No result box is named " + std::string(boxName) + ".");
}

RunResult runCalculation(std::string_view beltType, std::string_view toothCountText, std::string_view decimalSeparator)
{
    const double toothCount = readToothCount(toothCountText);
    const GrooveProfile profile = selectProfile(beltType, toothCount);

    const double pitchDiameter = (profile.pitch.number() * toothCount) / kPi;
    const double outsideDiameter = pitchDiameter - profile.twiceTipOffset.number();
    const double rootDiameter = outsideDiameter - (2 * profile.grooveDepth.number());

    const auto plain = [&](const ProfileValue& value) { return plainText(value, decimalSeparator); };
    const auto fixed = [&](const ProfileValue& value) { return fixedText(value, decimalSeparator); };
    const auto diameter = [&](double value) { return plainText(roundTo3(value), decimalSeparator); };

    // The same order as kBoxOrder.
    const std::array<std::string, RunResult::kBoxCount> texts = {
        plain(profile.pitch),
        diameter(pitchDiameter),
        diameter(outsideDiameter),
        diameter(rootDiameter),
        fixed(profile.bottomWidth),
        plain(profile.topWidth),
        fixed(profile.grooveDepth),
        plain(profile.halfAngle),
        fixed(profile.tipRadius),
        fixed(profile.rootRadius),
        fixed(profile.twiceTipOffset),
        plain(profile.bottomWidthTol),
        plain(profile.grooveDepthTol),
        plain(profile.halfAngleTol),
        plain(profile.tipRadiusTol),
        plain(profile.rootRadiusTol),
        plain(profile.flankRadius),
        plain(profile.segmentLine1),
        plain(profile.segmentLine2),
        plain(profile.topWidthTol),
    };
    RunResult result;
    for (std::size_t i = 0; i < RunResult::kBoxCount; ++i)
        result.boxes_[i] = {kBoxOrder[i], texts[i]};
    return result;
}

} // namespace quillon
