#include "calc/derived/inches.h"

#include "calc/decimal/charconv.h"
#include "calc/number_text.h"

#include <charconv>
#include <cmath>

namespace quillon {

double roundTo4(double value)
{
    return std::copysign(std::floor(std::fabs(value) * 10000.0 + 0.5) / 10000.0, value);
}

double toInches(double millimetres)
{
    return roundTo4(millimetres / 25.4);
}

std::string inchText(double millimetres)
{
    NumberBuffer buffer;
    return std::string(inchText(millimetres, buffer));
}

std::string_view inchText(double millimetres, NumberBuffer& buffer)
{
    const double inches = millimetres / 25.4;
    if (!std::isfinite(inches))
        throw OutOfRange("A length lies beyond the range of a double.");
    return scaledText(std::floor(std::fabs(inches) * 10000.0 + 0.5), std::signbit(inches), 4, buffer);
}

std::string lengthText(double millimetres, Units units)
{
    return units == Units::Inches ? inchText(millimetres) : plainText(roundTo3(millimetres));
}

std::string_view unitsName(Units units)
{
    return units == Units::Inches ? "in" : "mm";
}

std::string lengthWithUnit(double millimetres, Units units)
{
    return lengthText(millimetres, units) + " " + std::string(unitsName(units));
}

std::string toleranceInInches(std::string_view tolerance)
{
    std::string_view sign;
    for (std::string_view candidate : {"±", "+", "-"}) {
        if (tolerance.starts_with(candidate))
            sign = candidate;
    }
    const std::string_view number = tolerance.substr(sign.size());
    double millimetres = 0;
    const auto [end, error] = doubleFromChars(number.data(), number.data() + number.size(), millimetres);
    if (sign.empty() || number.empty() || error != std::errc() || end != number.data() + number.size())
        return std::string(tolerance);
    return std::string(sign) + inchText(millimetres);
}

} // namespace quillon
