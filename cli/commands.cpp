#include "cli/commands.h"

#include "calc/catalogue/catalogue.h"
#include "calc/derived/drive.h"
#include "calc/derived/identify.h"
#include "calc/derived/table.h"
#include "calc/full_width.h"
#include "calc/run.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace quillon::cli {
namespace {

std::string_view familyName(std::string_view beltType)
{
    switch (beltFamily(beltType).value_or(BeltFamily::Stpd)) {
    case BeltFamily::TrapezoidalInch:
        return "inch";
    case BeltFamily::T:
        return "T";
    case BeltFamily::Htd:
        return "HTD";
    case BeltFamily::Stpd:
        break;
    }
    return "STPD";
}

// Belt makers advise at least this many teeth in mesh on the smaller pulley.
constexpr int kAdvisedTeethInMesh = 6;

// A warning names this many belts, and counts the rest.
constexpr std::size_t kNamedBelts = 5;

// The tooth-count segment of a belt type that starts lowest; none when it has
// no segments.
std::optional<ToothRange> smallestHobSegment(std::string_view beltType, int teeth)
{
    const std::vector<ToothRange> segments = hobSegments(selectProfile(beltType, teeth));
    const auto smallest = std::ranges::min_element(segments, {}, &ToothRange::first);
    return smallest == segments.end() ? std::nullopt : std::optional(*smallest);
}

} // namespace

Table typesTable()
{
    Table table{
        .columns = {{"belt"}, {"family"}, {"pitch", Length}, {"segmentLine1"}, {"segmentLine2"}}, .units = "mm"};
    table.forEachRow = [](const RowSink& sink) {
        for (std::string_view beltType : kBeltTypes) {
            const RunResult shown = runCalculation(beltType, "1");
            const std::array<std::string_view, 5> row
                = {beltType, familyName(beltType), shown.text("Text2"), shown.text("Text19"), shown.text("Text20")};
            sink({row});
        }
    };
    return table;
}

RunResult calculateRun(std::string_view beltType, std::string_view teethText, std::string_view decimalSeparator)
{
    try {
        return runCalculation(beltType, foldFullWidth(teethText), decimalSeparator);
    } catch (const OutOfRange& error) {
        throw InputError(tooManyTeethMessage(teethText, error.what()));
    }
}

Table runTable(RunResult run)
{
    auto result = std::make_shared<const RunResult>(std::move(run));
    Table table{.columns = {{"box"}, {"field"}, {"text"}}, .units = "mm"};
    table.forEachRow = [result](const RowSink& sink) {
        for (const RunResult::Box& box : result->boxes()) {
            const std::array<std::string_view, 3> row = {box.name, columnOfBox(box.name), box.text};
            sink({row});
        }
    };
    return table;
}

Table rowsTable(const std::vector<std::string_view>& beltTypes, const std::vector<TeethRange>& teeth, Units units)
{
    Table table{.units = unitsName(units)};
    for (const TableColumn& column : kTableColumns) {
        table.columns.push_back({column.name, column.kind});
        table.varies.push_back(variesWithTeeth(column));
    }
    table.forEachRow = [beltTypes, teeth, units](const RowSink& sink) {
        for (std::string_view beltType : beltTypes) {
            BeltTable rows(beltType, units);
            for (const TeethRange& range : teeth) {
                for (int count = range.first; count <= range.last; ++count)
                    sink({rows.row(count), rows.constantsOf(count)});
            }
        }
    };
    return table;
}

Table hobsTable(const std::vector<std::string_view>& beltTypes, Units units)
{
    Table table{
        .columns = {{"belt"}, {"segment"}, {"firstTeeth", Count}, {"lastTeeth", Count}}, .units = unitsName(units)};
    // The data columns, taken from the table row at the range's first tooth count.
    constexpr std::array<std::size_t, 6> picked = {columnNamed("pitchDiameter"), columnNamed("outsideDiameter"),
        columnNamed("rootDiameter"), columnNamed("grooveDepth"), columnNamed("topWidth"), columnNamed("bottomWidth")};
    static_assert(std::ranges::none_of(picked, [](std::size_t column) { return column == kTableColumns.size(); }));
    for (std::size_t column : picked)
        table.columns.push_back(Column{kTableColumns[column].name, kTableColumns[column].kind});
    for (std::string_view beltType : beltTypes) {
        if (hobSegments(selectProfile(beltType, 20)).empty())
            table.notes.push_back(std::string(beltType) + ": no tooth-count segments, so no hob plan");
    }
    table.forEachRow = [beltTypes, units, picked](const RowSink& sink) {
        for (std::string_view beltType : beltTypes) {
            BeltTable rows(beltType, units);
            for (const ToothRange& range : rows.segments()) {
                const std::string first = wholeNumberText(range.first);
                const std::string last = range.last ? wholeNumberText(*range.last) : std::string();
                const TableRow& full = rows.row(range.first);
                std::array<std::string_view, 10> row = {beltType, range.text, first, last};
                for (std::size_t i = 0; i < picked.size(); ++i)
                    row[4 + i] = full[picked[i]];
                sink({row});
            }
        }
    };
    return table;
}

Table identifyTable(double outsideDiameter, int teeth, double tolerance, Units units)
{
    auto matches
        = std::make_shared<const std::vector<PulleyMatch>>(identifyPulley(outsideDiameter, teeth, tolerance, units));
    if (matches->empty())
        throw NothingFound("no belt type has an outside diameter within " + plainText(tolerance) + " "
            + std::string(unitsName(units)) + " of " + plainText(outsideDiameter) + " " + std::string(unitsName(units))
            + " at " + wholeNumberText(teeth) + " teeth; check the tooth count, or widen --tolerance");
    Table table{.columns = {{"belt"}, {"teeth", Count}, {"outsideDiameter", Length}, {"difference", Length}},
        .units = unitsName(units)};
    table.forEachRow = [matches, teeth = wholeNumberText(teeth)](const RowSink& sink) {
        for (const PulleyMatch& match : *matches) {
            const std::array<std::string_view, 4> row
                = {match.beltType, teeth, match.outsideDiameter, match.difference};
            sink({row});
        }
    };
    return table;
}

Table driveTable(std::string_view beltType, int teeth1, int teeth2, const std::optional<GivenCentre>& centre,
    const std::vector<TeethRange>& beltTeeth, Units units)
{
    const PulleyPair pulleys = pulleyPair(beltType, teeth1, teeth2);
    std::vector<BeltFit> nearCentre;
    if (centre) {
        const std::string at = centre->typed + " " + std::string(unitsName(units));
        if (!(centre->millimetres > pulleys.touchingCentre))
            throw InputError("--centre: at " + at + " the pulleys touch: half the sum of their outside diameters is "
                + plainText(pulleys.touchingCentre) + " mm"
                + (units == Units::Inches ? " (" + inchText(pulleys.touchingCentre) + " in)" : std::string())
                + "; give " + leastCentreText(pulleys, units) + " " + std::string(unitsName(units)) + " or more");
        nearCentre = beltsNearCentre(pulleys, centre->millimetres, kMaxTeeth);
        if (nearCentre.empty())
            throw InputError("--centre: " + at + " needs a belt of more than " + wholeNumberText(kMaxTeeth)
                + " teeth; give a shorter centre distance");
    } else {
        // A longer belt has a longer centre distance: if the longest of the
        // list does not fit, none does.
        int longest = 0;
        for (const TeethRange& range : beltTeeth)
            longest = std::max(longest, range.last);
        if (!fitBelt(pulleys, longest))
            throw NothingFound("no belt of the list fits " + std::string(beltType) + " pulleys of "
                + wholeNumberText(teeth1) + " and " + wholeNumberText(teeth2)
                + " teeth: each is too short to go round them without their touching; give more belt teeth");
    }

    Table table{.columns = {{"belt"}, {"teeth1", Count}, {"teeth2", Count}, {"beltTeeth", Count},
                    {"pitchLength", Length}, {"centreDistance", Length}, {"wrapAngle", Angle}, {"teethInMesh", Count}},
        .units = unitsName(units)};
    // The belts with few teeth in mesh, as the last pass over the rows met
    // them: a few named, the rest counted, so that memory stays flat.
    struct FewInMesh {
        std::vector<long long> named;
        long long more = 0;
    };
    auto fewInMesh = std::make_shared<FewInMesh>();
    table.forEachRow = [=, teeth1 = wholeNumberText(teeth1), teeth2 = wholeNumberText(teeth2)](const RowSink& sink) {
        *fewInMesh = {};
        const auto put = [&](const BeltFit& fit) {
            if (fit.teethInMesh < kAdvisedTeethInMesh)
                fewInMesh->named.size() < kNamedBelts ? fewInMesh->named.push_back(fit.beltTeeth)
                                                      : void(++fewInMesh->more);
            const auto shown = showBeltFit(fit, units);
            const std::array<std::string_view, 8> row
                = {beltType, teeth1, teeth2, shown[0], shown[1], shown[2], shown[3], shown[4]};
            sink({row});
        };
        for (const BeltFit& fit : nearCentre)
            put(fit);
        for (const TeethRange& range : beltTeeth) {
            for (int count = range.first; count <= range.last; ++count) {
                if (const auto fit = fitBelt(pulleys, count))
                    put(*fit);
            }
        }
    };

    std::vector<std::string> belowHobs;
    for (const auto& [name, teeth] : {std::pair{"Z1", teeth1}, std::pair{"Z2", teeth2}}) {
        if (const auto smallest = smallestHobSegment(beltType, teeth); smallest && teeth < smallest->first)
            belowHobs.push_back(std::string(name) + " " + wholeNumberText(teeth) + ": fewer teeth than "
                + std::string(beltType) + "'s smallest hob segment, " + std::string(smallest->text));
    }
    table.warnings = [fewInMesh, belowHobs] {
        std::vector<std::string> warnings = belowHobs;
        if (fewInMesh->named.empty())
            return warnings;
        std::string belts;
        for (long long teeth : fewInMesh->named)
            belts += (belts.empty() ? "" : ", ") + std::to_string(teeth);
        if (fewInMesh->more > 0)
            belts += " and " + std::to_string(fewInMesh->more) + " more";
        warnings.push_back("beltTeeth " + belts + ": fewer than " + wholeNumberText(kAdvisedTeethInMesh)
            + " teeth in mesh on the smaller pulley; belt makers advise at least "
            + wholeNumberText(kAdvisedTeethInMesh));
        return warnings;
    };
    return table;
}

} // namespace quillon::cli
