// Rows of groove data over many tooth counts: the same texts the window shows
// for one belt type and tooth count, one row each, for tables and scripts.
#pragma once

#include "calc/inches.h"
#include "calc/run.h"
#include "calc/segments.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The columns of a table row, in order, and the box each shows.
// clang-format off
inline constexpr std::array<std::string_view, 24> kTableColumns = {
    "belt", "teeth",
    "pitch",          // Text2
    "pitchDiameter",  // Text13
    "outsideDiameter",// Text3
    "rootDiameter",   // Text4
    "bottomWidth",    // Text5
    "bottomWidthTol", // Text14
    "topWidth",       // Text6
    "topWidthTol",    // Text21
    "grooveDepth",    // Text7
    "grooveDepthTol", // Text15
    "halfAngle",      // Text8
    "halfAngleTol",   // Text16
    "tipRadius",      // Text9
    "tipRadiusTol",   // Text17
    "rootRadius",     // Text10
    "rootRadiusTol",  // Text18
    "twiceTipOffset", // Text11
    "flankRadius",    // Text12
    "segmentLine1",   // Text19
    "segmentLine2",   // Text20
    "hobSegment",     // the range of the segment lines that holds the tooth count
    "hobTeeth",       // its first tooth count, the one its hob is designed for
};
// clang-format on

// The result box a column shows, or the empty text for belt, teeth,
// hobSegment and hobTeeth.
//   "pitchDiameter" -> "Text13"   "topWidthTol" -> "Text21"   "belt" -> ""
std::string_view boxOfColumn(std::string_view column);

// The column that shows a result box, the inverse of boxOfColumn.
//   "Text13" -> "pitchDiameter"
std::string_view columnOfBox(std::string_view box);

using TableRow = std::array<std::string_view, kTableColumns.size()>;

// The rows of one belt type. What does not depend on the tooth count is
// prepared once for each of its catalogue rows, so that a row costs three
// diameters and a look-up.
class BeltTable {
public:
    // In Units::Inches every length is converted by inchText from the
    // millimetre value (diameters from the unrounded double), tolerance texts
    // by toleranceInInches; the half-angle and its tolerance stay degrees.
    BeltTable(std::string_view beltType, Units units);

    // The row for a tooth count. The texts stay valid until the next call.
    //   BeltTable("MXL", Millimetres).row(40): "MXL", "40", "2.032", "25.872",
    //       "25.364", "23.984", "0.84", "±0.05", ... "Z10-23  Z24-R", "", "Z24-R", "24"
    const TableRow& row(int teeth);

    // The ranges of the belt type's segment lines, in the order written.
    const std::vector<ToothRange>& segments() const { return segments_; }

private:
    struct Prepared {
        GrooveProfile profile;
        std::array<std::string, kTableColumns.size()> texts{};
    };
    Prepared prepare(std::string_view beltType, int teeth) const;

    Units units_;
    Prepared upTo20_;  // the catalogue row for 20 teeth or fewer
    Prepared above20_; // and for more; the same row for all but the T series
    std::vector<ToothRange> segments_;
    std::vector<std::string> firstTeethTexts_; // of each range, as shown in hobTeeth
    std::array<std::string, 4> scratch_;       // teeth and the three diameters
    TableRow row_;
};

} // namespace quillon
