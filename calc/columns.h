// The columns of a table row: what each one is, which result box shows it,
// which profile field or diameter it comes from, and how the window writes
// it. The run's twenty boxes, the table's columns, the inch conversion and
// the writers all read this one table.
#pragma once

#include "calc/diameters.h"
#include "calc/profile.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quillon {

// What kind of value a column holds, which decides its inch conversion and
// how JSON writes it.
enum class ValueKind {
    Text,      // as it stands: a belt type, a segment line
    Count,     // a whole number of teeth; a number in JSON
    Length,    // millimetres; inchText in inches
    Tolerance, // a length tolerance text ("±0.05"); toleranceInInches in inches
    Angle,     // degrees, or a tolerance of them; the same in both units
};

// How the window writes a profile field into its box.
enum class BoxRule {
    None,  // the column is no result box
    Plain, // plainText
    Fixed, // fixedText, "#0.0###"
    Round, // a diameter: roundTo3, then plainText
};

struct TableColumn {
    std::string_view name;
    ValueKind kind;
    std::string_view box = {};                    // "Text2" ... "Text21", or empty
    BoxRule rule = BoxRule::None;                 //
    ProfileValue GrooveProfile::*field = nullptr; // the field it shows, for Plain and Fixed
    double Diameters::*diameter = nullptr;        // the diameter it shows, for Round
    int writeOrder = -1;                          // where the window writes the box: 0 first ... 19 last
};

using enum ValueKind;
using enum BoxRule;

// clang-format off
inline constexpr std::array<TableColumn, 24> kTableColumns = {{
    {"belt",            Text},
    {"teeth",           Count},
    {"pitch",           Length,    "Text2",  Plain, &GrooveProfile::pitch,          nullptr,            0},
    {"pitchDiameter",   Length,    "Text13", Round, nullptr,                        &Diameters::pitch,   1},
    {"outsideDiameter", Length,    "Text3",  Round, nullptr,                        &Diameters::outside, 2},
    {"rootDiameter",    Length,    "Text4",  Round, nullptr,                        &Diameters::root,    3},
    {"bottomWidth",     Length,    "Text5",  Fixed, &GrooveProfile::bottomWidth,    nullptr,            4},
    {"bottomWidthTol",  Tolerance, "Text14", Plain, &GrooveProfile::bottomWidthTol, nullptr,            11},
    {"topWidth",        Length,    "Text6",  Plain, &GrooveProfile::topWidth,       nullptr,            5},
    {"topWidthTol",     Tolerance, "Text21", Plain, &GrooveProfile::topWidthTol,    nullptr,            19},
    {"grooveDepth",     Length,    "Text7",  Fixed, &GrooveProfile::grooveDepth,    nullptr,            6},
    {"grooveDepthTol",  Tolerance, "Text15", Plain, &GrooveProfile::grooveDepthTol, nullptr,            12},
    {"halfAngle",       Angle,     "Text8",  Plain, &GrooveProfile::halfAngle,      nullptr,            7},
    {"halfAngleTol",    Angle,     "Text16", Plain, &GrooveProfile::halfAngleTol,   nullptr,            13},
    {"tipRadius",       Length,    "Text9",  Fixed, &GrooveProfile::tipRadius,      nullptr,            8},
    {"tipRadiusTol",    Tolerance, "Text17", Plain, &GrooveProfile::tipRadiusTol,   nullptr,            14},
    {"rootRadius",      Length,    "Text10", Fixed, &GrooveProfile::rootRadius,     nullptr,            9},
    {"rootRadiusTol",   Tolerance, "Text18", Plain, &GrooveProfile::rootRadiusTol,  nullptr,            15},
    {"twiceTipOffset",  Length,    "Text11", Fixed, &GrooveProfile::twiceTipOffset, nullptr,            10},
    {"flankRadius",     Length,    "Text12", Plain, &GrooveProfile::flankRadius,    nullptr,            16},
    {"segmentLine1",    Text,      "Text19", Plain, &GrooveProfile::segmentLine1,   nullptr,            17},
    {"segmentLine2",    Text,      "Text20", Plain, &GrooveProfile::segmentLine2,   nullptr,            18},
    {"hobSegment",      Text},  // the range of the segment lines that holds the tooth count
    {"hobTeeth",        Count}, // its first tooth count, the one its hob is designed for
}};
// clang-format on

inline constexpr std::size_t kResultBoxCount = 20;

// Where each result box stands in kTableColumns, in the order the window
// writes the boxes: Text2, Text13, Text3, Text4, Text5 ... Text11, Text14 ...
// Text18, Text12, Text19, Text20, Text21.
inline constexpr std::array<std::size_t, kResultBoxCount> kBoxWriteOrder = [] {
    std::array<std::size_t, kResultBoxCount> order{};
    for (std::size_t column = 0; column < kTableColumns.size(); ++column) {
        if (kTableColumns[column].writeOrder >= 0)
            order[static_cast<std::size_t>(kTableColumns[column].writeOrder)] = column;
    }
    return order;
}();

// Every box is written once, by the rule its source asks for.
static_assert([] {
    std::size_t boxes = 0;
    for (const TableColumn& column : kTableColumns) {
        const bool fromField = (column.rule == Plain || column.rule == Fixed) && column.field && !column.diameter;
        const bool fromDiameter = column.rule == Round && column.diameter && !column.field;
        if (column.box.empty() != (column.rule == None) || column.box.empty() != (column.writeOrder < 0))
            return false;
        if (!column.box.empty() && !fromField && !fromDiameter)
            return false;
        boxes += !column.box.empty();
    }
    for (std::size_t i = 0; i < kResultBoxCount; ++i) {
        if (kTableColumns[kBoxWriteOrder[i]].writeOrder != static_cast<int>(i))
            return false;
    }
    return boxes == kResultBoxCount;
}());

// Where the column of that name stands in kTableColumns; its size for none.
//   "belt" -> 0   "pitchDiameter" -> 3
constexpr std::size_t columnNamed(std::string_view name)
{
    std::size_t column = 0;
    while (column < kTableColumns.size() && kTableColumns[column].name != name)
        ++column;
    return column;
}

// The column that shows a result box, or the empty text.
//   "Text13" -> "pitchDiameter"   "Text1" -> ""
constexpr std::string_view columnOfBox(std::string_view box)
{
    for (const TableColumn& column : kTableColumns) {
        if (!box.empty() && column.box == box)
            return column.name;
    }
    return {};
}

} // namespace quillon
