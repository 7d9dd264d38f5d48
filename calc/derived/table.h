// Rows of groove data over many tooth counts: the same texts the window shows
// for one belt type and tooth count, one row each, for tables and scripts.
#pragma once

#include "calc/columns.h"
#include "calc/derived/inches.h"
#include "calc/run.h"
#include "calc/segments.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Whether a column's text changes with the tooth count within one catalogue
// row: the tooth count, the diameters and the hob segment. The rest is the
// same for every row of the catalogue row.
constexpr bool variesWithTeeth(const TableColumn& column)
{
    return column.rule == Round || (column.box.empty() && column.name != "belt");
}

using TableRow = std::array<std::string_view, kTableColumns.size()>;

// The rows of one belt type. What does not depend on the tooth count is
// prepared once for each of its catalogue rows, so that a row costs three
// diameters and a look-up.
class BeltTable {
public:
    // In Units::Inches every Length column is converted by inchText from the
    // millimetre value (diameters from the unrounded double), Tolerance
    // columns by toleranceInInches; Angle columns stay degrees.
    BeltTable(std::string_view beltType, Units units);
    // The rows point into the table itself.
    BeltTable(const BeltTable&) = delete;
    BeltTable& operator=(const BeltTable&) = delete;

    // The row for a tooth count. The texts stay valid until the next call.
    //   BeltTable("MXL", Millimetres).row(40): "MXL", "40", "2.032", "25.872",
    //       "25.364", "23.984", "0.84", "±0.05", ... "Z10-23  Z24-R", "", "Z24-R", "24"
    const TableRow& row(int teeth);

    // Which catalogue row's constant texts the row for `teeth` has: equal for
    // two tooth counts exactly when every column that does not vary with the
    // tooth count has the same text, and never the same for two BeltTables.
    std::uint64_t constantsOf(int teeth) const { return (teeth > 20 ? above20_ : upTo20_).id; }

    // The ranges of the belt type's segment lines, in the order written.
    const std::vector<ToothRange>& segments() const { return segments_; }

private:
    struct Prepared {
        GrooveProfile profile;
        std::array<std::string, kTableColumns.size()> texts{};
        TableRow row{}; // texts, and the columns that vary as last written
        std::uint64_t id = 0;
    };
    void prepare(Prepared& prepared, std::string_view beltType, int teeth) const;

    Units units_;
    Prepared upTo20_;  // the catalogue row for 20 teeth or fewer
    Prepared above20_; // and for more; the same row for all but the T series
    std::vector<ToothRange> segments_;
    std::vector<std::string> firstTeethTexts_; // of each range, as shown in hobTeeth
    std::array<NumberBuffer, 4> numbers_;      // teeth and the three diameters
};

} // namespace quillon
