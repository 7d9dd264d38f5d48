#include "calc/geometry/files/drawing_number.h"

#include "calc/decimal/charconv.h"

#include <array>
#include <charconv>

namespace quillon {

double drawingLength(double millimetres, Units units)
{
    return units == Units::Inches ? millimetres / 25.4 : millimetres;
}

std::string drawingNumber(double value)
{
    std::array<char, 400> digits;
    // -0 and 0 are the same point; write one of them.
    const auto written
        = doubleToChars(digits.data(), digits.data() + digits.size(), value + 0.0, std::chars_format::fixed);
    return std::string(digits.data(), written.ptr);
}

} // namespace quillon
