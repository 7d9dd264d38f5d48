// The exact conversions the WebAssembly build uses, held against the standard
// library's on a large sample: every power of two with its neighbours, where
// the gap below a double is half the gap above, and random doubles.

#include "calc/decimal/charconv.h"
#include "calc/decimal/exact_decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace quillon {
namespace {

// Where the library has no floating-point forms there is nothing to compare
// with; there the core's own tests and golden runs check the texts.
#if QUILLON_STANDARD_FLOATING_CHARCONV

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

std::string written(bool exact, double value, const Form& form)
{
    char buffer[1200];
    const std::to_chars_result result = form.precision < 0
        ? (exact ? exactToChars(buffer, buffer + sizeof buffer, value, form.format)
                 : std::to_chars(buffer, buffer + sizeof buffer, value, form.format))
        : (exact ? exactToChars(buffer, buffer + sizeof buffer, value, form.format, form.precision)
                 : std::to_chars(buffer, buffer + sizeof buffer, value, form.format, form.precision));
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "too large";
}

TEST(ExactCharconv, WritesEveryFormAsTheStandardLibrary)
{
    int mismatches = 0;
    for (double value : sampleDoubles()) {
        for (const Form& form : kForms) {
            const std::string expected = written(false, value, form);
            EXPECT_EQ(written(true, value, form), expected) << form.name << " of " << expected;
            mismatches += written(true, value, form) != expected;
            ASSERT_LT(mismatches, 10);
        }
    }
}

// Both readers on one text: the value's bits, how much was read, the error.
void expectSameReading(const std::string& text, std::chars_format format)
{
    double standard = 7.0;
    double exact = 7.0;
    const auto s = std::from_chars(text.data(), text.data() + text.size(), standard, format);
    const auto e = exactFromChars(text.data(), text.data() + text.size(), exact, format);
    EXPECT_EQ(e.ptr - text.data(), s.ptr - text.data()) << text;
    EXPECT_EQ(e.ec, s.ec) << text;
    EXPECT_EQ(std::signbit(exact), std::signbit(standard)) << text;
    EXPECT_TRUE(exact == standard || (std::isnan(exact) && std::isnan(standard))) << text;
}

TEST(ExactCharconv, ReadsWhatItWritesAsTheStandardLibrary)
{
    for (double value : sampleDoubles()) {
        for (const Form& form : kForms)
            expectSameReading(written(false, value, form), std::chars_format::general);
    }
}

TEST(ExactCharconv, ReadsEdgeTextsAsTheStandardLibrary)
{
    const std::string halfwayToSmallest
        = "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437"
          "5931e-324";
    const struct {
        std::string text;
        std::chars_format format;
    } cases[] = {
        {"1e400", std::chars_format::general},
        {"1e-400", std::chars_format::general},
        {"-0", std::chars_format::general},
        {halfwayToSmallest, std::chars_format::general},
        {halfwayToSmallest + "1", std::chars_format::general},
        {"9007199254740993", std::chars_format::general},
        {"9007199254740993.000000000000000000000000000000001", std::chars_format::general},
        {"1.7976931348623158e308", std::chars_format::general},
        {"1.7976931348623159e308", std::chars_format::general},
        {std::string(900, '1') + "e-600", std::chars_format::general},
        {".5", std::chars_format::general},
        {"5.", std::chars_format::general},
        {".", std::chars_format::general},
        {"+1", std::chars_format::general},
        {"2e", std::chars_format::general},
        {"2e+x", std::chars_format::general},
        {"25e-1", std::chars_format::fixed},
        {"25e-1", std::chars_format::scientific},
        {"25", std::chars_format::scientific},
        {"Infinity", std::chars_format::general},
        {"-nan(x_1)y", std::chars_format::general},
    };
    for (const auto& c : cases)
        expectSameReading(c.text, c.format);
}

TEST(ExactCharconv, SaysWhenTheTextDoesNotFit)
{
    char buffer[3];
    const auto result = exactToChars(buffer, buffer + sizeof buffer, 1234.0, std::chars_format::fixed);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
    EXPECT_EQ(result.ptr, buffer + sizeof buffer);
}

#endif

} // namespace
} // namespace quillon
