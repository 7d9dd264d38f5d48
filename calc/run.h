// The calculation run: from a belt type text and a tooth-count text to the
// twenty texts of the result boxes. Pure standard C++, no locale: the decimal
// separator of displayed numbers is passed in by the caller.
#pragma once

#include "calc/columns.h"
#include "calc/diameters.h"
#include "calc/number_text.h"
#include "calc/profile.h"
#include "calc/reader.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon {

// The groove data of the catalogue entry whose name equals beltType exactly
// (case and blanks count) and whose tooth-count condition holds, or a profile
// with every field unset when none does.
//   ("T5", 20).grooveDepth -> 1.25    ("T5", 20.5).grooveDepth -> 1.95
//   ("mxl", 40).pitch -> unset        ("MXL ", 40).pitch -> unset
GrooveProfile selectProfile(std::string_view beltType, double toothCount);

// The circle constant of the diameter formula: eight decimals, as the printed
// tables of pulley diameters use it, not the full-precision value.
inline constexpr double kDiameterPi = 3.14159265;

// The diameters for a profile and a tooth count; unset fields count as 0.
//   (MXL, 40) -> {25.8722..., 25.3642..., 23.9842...}
Diameters pulleyDiameters(const GrooveProfile& profile, double toothCount);

// The numbers of one run before they are shown.
struct Pulley {
    GrooveProfile profile;
    Diameters diameters{};
};

// The twenty texts of one run, addressed by the name of their box.
class RunResult {
public:
    struct Box {
        std::string_view name; // "Text2" ... "Text21"
        std::string text;
    };
    static constexpr std::size_t kBoxCount = kResultBoxCount;

    // The boxes in the order the window writes them (kBoxWriteOrder):
    // Text2, Text13, Text3, Text4, Text5 ... Text11, Text14 ... Text18, Text12,
    // Text19, Text20, Text21.
    const std::array<Box, kBoxCount>& boxes() const { return boxes_; }

    // The text of one box by name; throws std::invalid_argument for a name
    // that is not one of "Text2" ... "Text21".
    std::string_view text(std::string_view boxName) const;

private:
    friend RunResult showPulley(const Pulley&, std::string_view);
    std::array<Box, kBoxCount> boxes_;
};

// Selects the groove data for beltType and toothCount (as selectProfile) and
// computes the diameters. An unknown belt type gives unset data and zeros.
//   ("MXL", 40).diameters.outside -> 25.3642...   ("T5", 20).profile.grooveDepth -> 1.25
Pulley calculatePulley(std::string_view beltType, double toothCount);

// The text of one result column for a calculated pulley, by its box's rule;
// the empty text for a column that is no box.
//   (pitchDiameter, MXL 40) -> "25.872"   (bottomWidth, MXL 40) -> "0.84"
std::string boxText(const TableColumn& column, const Pulley& pulley, std::string_view decimalSeparator = ".");

// The twenty texts the result boxes show for a calculated pulley, each by its
// box's rule in kTableColumns: diameters rounded by roundTo3 and shown
// plainly, the fields by plainText or fixedText.
// Throws OutOfRange when a diameter is beyond a double.
RunResult showPulley(const Pulley& pulley, std::string_view decimalSeparator = ".");

// One calculation run. beltType is used as typed; the tooth count is read by
// readToothCount. decimalSeparator is written for the decimal point of every
// number shown; catalogue texts keep their own full stops.
//   ("MXL", "40") -> Text2 "2.032", Text13 "25.872", Text3 "25.364",
//                    Text4 "23.984", Text5 "0.84", Text19 "Z10-23  Z24-R"
//   ("mxl", "40") -> Text13 "0", Text3 "0", Text4 "0", Text2 ""
//   ("MXL", "40", ",") -> Text13 "25,872", Text14 "±0.05"
// Throws OutOfRange when the tooth count or a diameter is beyond a double.
RunResult runCalculation(
    std::string_view beltType, std::string_view toothCountText, std::string_view decimalSeparator = ".");

} // namespace quillon
