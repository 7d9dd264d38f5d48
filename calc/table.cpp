#include "calc/table.h"

#include <algorithm>

namespace quillon {
namespace {

enum Column : std::size_t {
    Belt,
    Teeth,
    Pitch,
    PitchDiameter,
    OutsideDiameter,
    RootDiameter,
    BottomWidth,
    BottomWidthTol,
    TopWidth,
    TopWidthTol,
    GrooveDepth,
    GrooveDepthTol,
    HalfAngle,
    HalfAngleTol,
    TipRadius,
    TipRadiusTol,
    RootRadius,
    RootRadiusTol,
    TwiceTipOffset,
    FlankRadius,
    SegmentLine1,
    SegmentLine2,
    HobSegment,
    HobTeeth,
};

// The box of each column from Pitch to SegmentLine2.
constexpr std::array<std::string_view, kTableColumns.size()> kColumnBoxes = {
    "",
    "",
    "Text2",
    "Text13",
    "Text3",
    "Text4",
    "Text5",
    "Text14",
    "Text6",
    "Text21",
    "Text7",
    "Text15",
    "Text8",
    "Text16",
    "Text9",
    "Text17",
    "Text10",
    "Text18",
    "Text11",
    "Text12",
    "Text19",
    "Text20",
    "",
    "",
};

std::string lengthInInches(const ProfileValue& value)
{
    return value.isNumber() ? inchText(value.number()) : plainText(value);
}

// The columns that show lengths and length tolerances, which convert to
// inches; the half-angle and its tolerance are degrees and never do.
struct ColumnField {
    Column column;
    ProfileValue GrooveProfile::*field;
};
constexpr ColumnField kLengthColumns[] = {
    {Pitch, &GrooveProfile::pitch},
    {BottomWidth, &GrooveProfile::bottomWidth},
    {TopWidth, &GrooveProfile::topWidth},
    {GrooveDepth, &GrooveProfile::grooveDepth},
    {TipRadius, &GrooveProfile::tipRadius},
    {RootRadius, &GrooveProfile::rootRadius},
    {TwiceTipOffset, &GrooveProfile::twiceTipOffset},
    {FlankRadius, &GrooveProfile::flankRadius},
};
constexpr ColumnField kToleranceColumns[] = {
    {BottomWidthTol, &GrooveProfile::bottomWidthTol},
    {TopWidthTol, &GrooveProfile::topWidthTol},
    {GrooveDepthTol, &GrooveProfile::grooveDepthTol},
    {TipRadiusTol, &GrooveProfile::tipRadiusTol},
    {RootRadiusTol, &GrooveProfile::rootRadiusTol},
};

} // namespace

std::string_view boxOfColumn(std::string_view column)
{
    const auto at = std::ranges::find(kTableColumns, column);
    return at == kTableColumns.end() ? std::string_view()
                                     : kColumnBoxes[static_cast<std::size_t>(at - kTableColumns.begin())];
}

std::string_view columnOfBox(std::string_view box)
{
    const auto at = std::ranges::find(kColumnBoxes, box);
    return box.empty() || at == kColumnBoxes.end() ? std::string_view()
                                                   : kTableColumns[static_cast<std::size_t>(at - kColumnBoxes.begin())];
}

BeltTable::BeltTable(std::string_view beltType, Units units)
    : units_(units),
      upTo20_(prepare(beltType, 20)),
      above20_(prepare(beltType, 21)),
      segments_(hobSegments(upTo20_.profile))
{
    for (const ToothRange& range : segments_)
        firstTeethTexts_.push_back(wholeNumberText(range.first));
}

BeltTable::Prepared BeltTable::prepare(std::string_view beltType, int teeth) const
{
    Prepared prepared{.profile = selectProfile(beltType, teeth)};
    const RunResult shown = showPulley({.profile = prepared.profile});
    auto& texts = prepared.texts;
    texts[Belt] = beltType;
    for (std::size_t column = Pitch; column <= SegmentLine2; ++column)
        texts[column] = shown.text(kColumnBoxes[column]);
    if (units_ == Units::Inches) {
        for (const auto& [column, field] : kLengthColumns)
            texts[column] = lengthInInches(prepared.profile.*field);
        for (const auto& [column, field] : kToleranceColumns)
            texts[column] = toleranceInInches((prepared.profile.*field).text());
    }
    return prepared;
}

const TableRow& BeltTable::row(int teeth)
{
    const Prepared& prepared = teeth > 20 ? above20_ : upTo20_;
    for (std::size_t column = 0; column < row_.size(); ++column)
        row_[column] = prepared.texts[column];

    const Diameters diameters = pulleyDiameters(prepared.profile, teeth);
    const auto shown = [this](double diameter) {
        return units_ == Units::Inches ? inchText(diameter) : plainText(roundTo3(diameter));
    };
    scratch_[0] = wholeNumberText(teeth);
    scratch_[1] = shown(diameters.pitch);
    scratch_[2] = shown(diameters.outside);
    scratch_[3] = shown(diameters.root);
    row_[Teeth] = scratch_[0];
    row_[PitchDiameter] = scratch_[1];
    row_[OutsideDiameter] = scratch_[2];
    row_[RootDiameter] = scratch_[3];

    row_[HobSegment] = row_[HobTeeth] = {};
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (segments_[i].holds(teeth)) {
            row_[HobSegment] = segments_[i].text;
            row_[HobTeeth] = firstTeethTexts_[i];
            break;
        }
    }
    return row_;
}

} // namespace quillon
