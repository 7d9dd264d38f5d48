// The core's conversions between doubles and decimal texts. In every build,
// native and under node, the conversions the core uses give known texts and
// values and read back what they write; natively, the WebAssembly build's
// {fmt} and fast_float conversions are held against libstdc++ on a large
// sample: every power of two with its neighbours, where the gap below a
// double is half the gap above, and random doubles.

#include "calc/decimal/charconv.h"

#if QUILLON_TEST_LIBRARY_CHARCONV
#include "calc/decimal/library_charconv.h"
#endif

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace quillon {
namespace {

std::vector<double> sampleDoubles()
{
    std::vector<double> sample;
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        const double power = std::ldexp(1.0, exponent);
        sample.insert(sample.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL)});
    }
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 3000; ++i) {
        std::uint64_t bits = random() & ~(std::uint64_t{0x7FF} << 52);
        bits |= (random() % 2047) << 52; // finite, of any exponent
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        sample.push_back(value);
    }
    // Numbers like those the program shows: diameters and table values.
    for (int i = 0; i < 3000; ++i)
        sample.push_back(static_cast<double>(random() % 100000000) / std::pow(10.0, static_cast<int>(random() % 9)));
    sample.insert(sample.end(), {0.0, -0.0, 0.03125, 0.00005, 1e23, 9007199254740993.0, 0.1, 2.5, HUGE_VAL, -HUGE_VAL});
    return sample;
}

struct Form {
    const char* name;
    std::chars_format format;
    int precision; // < 0: shortest
};

// The forms the core writes, and a few precisions around them.
constexpr Form kForms[] = {
    {"fixed shortest", std::chars_format::fixed, -1},
    {"scientific shortest", std::chars_format::scientific, -1},
    {"fixed, 4 decimals", std::chars_format::fixed, 4},
    {"fixed, 0 decimals", std::chars_format::fixed, 0},
    {"scientific, 14 decimals", std::chars_format::scientific, 14},
    {"scientific, 2 decimals", std::chars_format::scientific, 2},
};

std::string text(const std::to_chars_result& result, char* buffer)
{
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "too large";
}

// What the core writes.
std::string written(double value, const Form& form)
{
    char buffer[1200];
    return text(form.precision < 0 ? doubleToChars(buffer, buffer + sizeof buffer, value, form.format)
                                   : doubleToChars(buffer, buffer + sizeof buffer, value, form.format, form.precision),
        buffer);
}

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The contracts' examples, and the texts where a writer goes wrong: ties,
// whole numbers beyond 2^53, the smallest and largest doubles, signed zero.
TEST(Charconv, WritesTheKnownTexts)
{
    const struct {
        double value;
        Form form;
        const char* expected;
    } cases[] = {
        {0.3, kForms[0], "0.3"},
        {0.1, kForms[0], "0.1"},
        {25.872, kForms[0], "25.872"},
        {1e-7, kForms[0], "0.0000001"},
        {1e21, kForms[0], "1000000000000000000000"},
        {1e23, kForms[0], "99999999999999991611392"},
        {9007199254740991.0, kForms[0], "9007199254740991"},
        {9007199254740993.0, kForms[0], "9007199254740992"},
        {-0.0, kForms[0], "-0"},
        {kInfinity, kForms[0], "inf"},
        {-kInfinity, kForms[1], "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), kForms[0], "nan"},
        {5e-324, kForms[1], "5e-324"},
        {1.7976931348623157e308, kForms[1], "1.7976931348623157e+308"},
        {100, kForms[1], "1e+02"},
        {1234.5, kForms[1], "1.2345e+03"},
        {1e100, kForms[1], "1e+100"},
        {-0.0, kForms[1], "-0e+00"},
        {0.03125, kForms[2], "0.0312"},
        {-0.00001, kForms[2], "-0.0000"},
        {0.5, kForms[3], "0"},
        {1.5, kForms[3], "2"},
        {2.5, kForms[3], "2"},
        {1e23, kForms[3], "99999999999999991611392"},
        {1.5e300, kForms[4], "1.50000000000000e+300"},
        {12345, kForms[5], "1.23e+04"},
        {2.5, {"scientific, 0 decimals", std::chars_format::scientific, 0}, "2e+00"},
        {0.125, {"fixed, 2 decimals", std::chars_format::fixed, 2}, "0.12"},
        {0.135, {"fixed, 2 decimals", std::chars_format::fixed, 2}, "0.14"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(written(c.value, c.form), c.expected) << c.form.name;
    EXPECT_EQ(written(5e-324, kForms[0]), "0." + std::string(323, '0') + "5");
}

// A reading: the value's bits, how much was read, the error.
struct Reading {
    std::uint64_t bits;
    long used;
    std::errc error;
    friend bool operator==(const Reading&, const Reading&) = default;
};

constexpr std::uint64_t kUnchanged = 0x401c000000000000; // 7.0, the value before

Reading coreReading(const std::string& text, std::chars_format format)
{
    double value = 7.0;
    const auto result = doubleFromChars(text.data(), text.data() + text.size(), value, format);
    return {bitsOf(value), result.ptr - text.data(), result.ec};
}

// How the standard library reads the texts where a reader goes wrong.
struct EdgeText {
    std::string text;
    std::chars_format format;
    Reading expected;
};

std::vector<EdgeText> edgeTexts()
{
    constexpr auto general = std::chars_format::general;
    constexpr auto outOfRange = std::errc::result_out_of_range;
    constexpr auto invalid = std::errc::invalid_argument;
    const std::string halfwayToSmallest
        = "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437"
          "5931e-324";
    return {
        {"2.5e1x", general, {0x4039000000000000, 5, {}}},
        {"0.05", general, {0x3fa999999999999a, 4, {}}},
        {"1e400", general, {kUnchanged, 5, outOfRange}},
        {"1e-400", general, {kUnchanged, 6, outOfRange}},
        {"2e-324", general, {kUnchanged, 6, outOfRange}},
        {"3e-324", general, {0x1, 6, {}}},
        {"-0", general, {0x8000000000000000, 2, {}}},
        {halfwayToSmallest, general, {kUnchanged, 90, outOfRange}},
        {halfwayToSmallest + "1", general, {kUnchanged, 91, outOfRange}},
        {"9007199254740993", general, {0x4340000000000000, 16, {}}},
        {"9007199254740993.000000000000000000000000000000001", general, {0x4340000000000001, 50, {}}},
        {"1.7976931348623158e308", general, {0x7fefffffffffffff, 22, {}}},
        {"1.7976931348623159e308", general, {kUnchanged, 22, outOfRange}},
        {std::string(900, '1') + "e-600", general, {0x7e053ca79555bde0, 905, {}}},
        {".5", general, {0x3fe0000000000000, 2, {}}},
        {"5.", general, {0x4014000000000000, 2, {}}},
        {".", general, {kUnchanged, 0, invalid}},
        {"+1", general, {kUnchanged, 0, invalid}},
        {"2e", general, {0x4000000000000000, 1, {}}},
        {"2e+x", general, {0x4000000000000000, 1, {}}},
        {"25e-1", std::chars_format::fixed, {0x4039000000000000, 2, {}}},
        {"25e-1", std::chars_format::scientific, {0x4004000000000000, 5, {}}},
        {"25", std::chars_format::scientific, {kUnchanged, 0, invalid}},
        {"Infinity", general, {0x7ff0000000000000, 8, {}}},
        {"-nan(x_1)y", general, {0xfff8000000000000, 9, {}}},
    };
}

TEST(Charconv, ReadsTheKnownTexts)
{
    for (const EdgeText& edge : edgeTexts())
        EXPECT_EQ(coreReading(edge.text, edge.format), edge.expected) << edge.text.substr(0, 40);
}

// Every shortest text, and every text of 17 significant digits, reads back
// as the very double it was written from.
TEST(Charconv, ReadsBackWhatItWrites)
{
    const Form roundTrips[] = {kForms[0], kForms[1], {"scientific, 16 decimals", std::chars_format::scientific, 16}};
    int mismatches = 0;
    for (double value : sampleDoubles()) {
        for (const Form& form : roundTrips) {
            const std::string text = written(value, form);
            const Reading expected{bitsOf(value), static_cast<long>(text.size()), {}};
            EXPECT_EQ(coreReading(text, std::chars_format::general), expected) << form.name << ": " << text;
            mismatches += !(coreReading(text, std::chars_format::general) == expected);
            ASSERT_LT(mismatches, 10);
        }
    }
}

#if QUILLON_TEST_LIBRARY_CHARCONV

std::string libraryWritten(double value, const Form& form)
{
    char buffer[1200];
    return text(form.precision < 0 ? libraryToChars(buffer, buffer + sizeof buffer, value, form.format)
                                   : libraryToChars(buffer, buffer + sizeof buffer, value, form.format, form.precision),
        buffer);
}

std::string standardWritten(double value, const Form& form)
{
    char buffer[1200];
    return text(form.precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, form.format)
                                   : std::to_chars(buffer, buffer + sizeof buffer, value, form.format, form.precision),
        buffer);
}

TEST(LibraryCharconv, WritesEveryFormAsTheStandardLibrary)
{
    int mismatches = 0;
    for (double value : sampleDoubles()) {
        for (const Form& form : kForms) {
            const std::string expected = standardWritten(value, form);
            EXPECT_EQ(libraryWritten(value, form), expected) << form.name << " of " << expected;
            mismatches += libraryWritten(value, form) != expected;
            ASSERT_LT(mismatches, 10);
        }
    }
}

// Both readers on one text.
void expectSameReading(const std::string& text, std::chars_format format)
{
    double standard = 7.0;
    double library = 7.0;
    const auto s = std::from_chars(text.data(), text.data() + text.size(), standard, format);
    const auto l = libraryFromChars(text.data(), text.data() + text.size(), library, format);
    EXPECT_EQ(l.ptr - text.data(), s.ptr - text.data()) << text;
    EXPECT_EQ(l.ec, s.ec) << text;
    EXPECT_EQ(std::signbit(library), std::signbit(standard)) << text;
    EXPECT_TRUE(library == standard || (std::isnan(library) && std::isnan(standard))) << text;
}

TEST(LibraryCharconv, ReadsWhatItWritesAsTheStandardLibrary)
{
    for (double value : sampleDoubles()) {
        for (const Form& form : kForms)
            expectSameReading(standardWritten(value, form), std::chars_format::general);
    }
}

TEST(LibraryCharconv, ReadsEdgeTextsAsTheStandardLibrary)
{
    for (const EdgeText& edge : edgeTexts())
        expectSameReading(edge.text, edge.format);
}

TEST(LibraryCharconv, SaysWhenTheTextDoesNotFit)
{
    char buffer[3];
    for (const Form& form : kForms) {
        const auto result = form.precision < 0
            ? libraryToChars(buffer, buffer + sizeof buffer, 1234.0, form.format)
            : libraryToChars(buffer, buffer + sizeof buffer, 1234.0, form.format, form.precision);
        EXPECT_EQ(result.ec, std::errc::value_too_large) << form.name;
        EXPECT_EQ(result.ptr, buffer + sizeof buffer) << form.name;
    }
}

#endif

} // namespace
} // namespace quillon
