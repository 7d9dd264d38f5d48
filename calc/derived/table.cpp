#include "calc/derived/table.h"

#include "calc/algorithms.h"

#include <algorithm>
#include <atomic>
#include <charconv>

namespace quillon {
namespace {

constexpr std::size_t kBelt = columnNamed("belt");
constexpr std::size_t kTeeth = columnNamed("teeth");
constexpr std::size_t kHobSegment = columnNamed("hobSegment");
constexpr std::size_t kHobTeeth = columnNamed("hobTeeth");
static_assert(kHobTeeth < kTableColumns.size());

// The diameter columns, whose texts each row computes.
constexpr std::array<std::size_t, 3> kDiameterColumns
    = {columnNamed("pitchDiameter"), columnNamed("outsideDiameter"), columnNamed("rootDiameter")};
static_assert(allOf(kDiameterColumns, [](std::size_t c) { return kTableColumns[c].rule == Round; }));

std::uint64_t newPreparedId()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace

BeltTable::BeltTable(std::string_view beltType, Units units) : units_(units)
{
    prepare(upTo20_, beltType, 20);
    prepare(above20_, beltType, 21);
    segments_ = hobSegments(upTo20_.profile);
    for (const ToothRange& range : segments_)
        firstTeethTexts_.push_back(wholeNumberText(range.first));
}

void BeltTable::prepare(Prepared& prepared, std::string_view beltType, int teeth) const
{
    prepared.profile = selectProfile(beltType, teeth);
    prepared.id = newPreparedId();
    const Pulley pulley{.profile = prepared.profile};
    for (std::size_t column = 0; column < kTableColumns.size(); ++column) {
        const TableColumn& described = kTableColumns[column];
        if (variesWithTeeth(described) || described.box.empty())
            continue;
        const ProfileValue& value = prepared.profile.*described.field;
        std::string& text = prepared.texts[column];
        if (units_ == Units::Inches && described.kind == Length && value.isNumber())
            text = inchText(value.number());
        else if (units_ == Units::Inches && described.kind == Tolerance)
            text = toleranceInInches(value.text());
        else
            text = boxText(described, pulley);
    }
    prepared.texts[kBelt] = beltType;
    for (std::size_t column = 0; column < kTableColumns.size(); ++column)
        prepared.row[column] = prepared.texts[column];
}

const TableRow& BeltTable::row(int teeth)
{
    // Only the columns that vary are written; the rest were set once.
    Prepared& prepared = teeth > 20 ? above20_ : upTo20_;
    TableRow& row = prepared.row;
    const Diameters diameters = pulleyDiameters(prepared.profile, teeth);
    char* const teethEnd = std::to_chars(numbers_[0].data(), numbers_[0].data() + numbers_[0].size(), teeth).ptr;
    row[kTeeth] = std::string_view(numbers_[0].data(), static_cast<std::size_t>(teethEnd - numbers_[0].data()));
    for (std::size_t i = 0; i < kDiameterColumns.size(); ++i) {
        const double millimetres = diameters.*kTableColumns[kDiameterColumns[i]].diameter;
        row[kDiameterColumns[i]] = units_ == Units::Inches ? inchText(millimetres, numbers_[i + 1])
                                                           : diameterText(millimetres, numbers_[i + 1]);
    }

    row[kHobSegment] = row[kHobTeeth] = {};
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (segments_[i].holds(teeth)) {
            row[kHobSegment] = segments_[i].text;
            row[kHobTeeth] = firstTeethTexts_[i];
            break;
        }
    }
    return row;
}

} // namespace quillon
