// quillon-cli hob: the hob that cuts a segment's grooves, and how true it
// cuts every pulley of the segment.

#include "calc/catalogue/catalogue.h"
#include "calc/geometry/files/hob_dxf.h"
#include "calc/geometry/files/hob_svg.h"
#include "calc/geometry/hob/hob_refusal.h"
#include "calc/geometry/hob/hobbed_outline.h"
#include "calc/run.h"
#include "calc/segments.h"
#include "cli/command_line.h"
#include "cli/inputs.h"
#include "cli/outline_refusal.h"

#include <CLI/CLI.hpp>

#include <array>
#include <memory>

namespace quillon::cli {
namespace {

// Rows of an open segment ("Z24-R") go up to this many teeth.
constexpr int kOpenSegmentEnd = 200;

// At most this many rows; each is a groove cut and compared.
constexpr std::size_t kMostRows = 10'000;

std::string countText(double count)
{
    return plainText(count);
}

// The segments of a belt type's row at a tooth count, as its lines write them.
std::string segmentsOf(std::string_view beltType, double teeth)
{
    std::string texts;
    for (const ToothRange& range : hobSegments(selectProfile(beltType, teeth)))
        texts += (texts.empty() ? "" : ", ") + std::string(range.text);
    return texts;
}

struct Arguments {
    std::string belt;
    std::string teeth;
    std::optional<std::string> designTeeth;
    std::optional<std::string> teethList;
    bool approximate = false;
    UnitsOption units;
    TableOptions table;
};

// The tooth counts to cut: --teeth, or the segment's (an open one up to
// kOpenSegmentEnd), or the tooth count alone when it lies in no segment.
std::vector<int> countsToCut(const Arguments& given, const HobChoice& choice, int teeth)
{
    std::vector<int> counts;
    if (given.teethList) {
        for (const TeethRange& range : readTeethList(*given.teethList)) {
            for (int count = range.first; count <= range.last && counts.size() <= kMostRows; ++count)
                counts.push_back(count);
        }
    } else if (choice.firstTeeth == 0) {
        counts.push_back(teeth);
    } else {
        const int last = choice.lastTeeth.value_or(std::max(kOpenSegmentEnd, choice.firstTeeth));
        for (int count = choice.firstTeeth; count <= last; ++count)
            counts.push_back(count);
    }
    if (counts.size() > kMostRows)
        throw InputError("--teeth: at most " + wholeNumberText(static_cast<int>(kMostRows)) + " tooth counts");
    return counts;
}

// The deviation of each count's generated groove from its table groove.
Table hobTable(const Arguments& given, const HobTooth& tooth, const HobChoice& choice, const std::vector<int>& counts)
{
    const Units units = given.units.units();
    Table table{
        .columns = {{"belt"}, {"segment"}, {"designTeeth", Count}, {"teeth", Count}, {"overcut", Length},
            {"metalLeft", Length}, {"widthQuarter", Length}, {"widthHalf", Length}, {"widthThreeQuarter", Length}},
        .units = unitsName(units)};
    table.heading = hobDescription(tooth, units);
    auto rows = std::make_shared<std::vector<std::array<std::string, 9>>>();
    for (const int count : counts) {
        if (!(selectProfile(tooth.beltType, count) == tooth.profile))
            throw HobRefused(HobRefusal::DifferentRows, tooth.beltType, count, tooth.designTeeth);
        PulleyOutline target;
        try {
            target = pulleyOutline(tooth.beltType, count, given.approximate);
        } catch (const OutlineRefused& refused) {
            throw InputError(outlineRefusalText(refused.reason()) + ", so no groove of " + wholeNumberText(count)
                + " teeth is there to compare with");
        }
        const GeneratedGroove generated = generatedGroove(tooth, count);
        const GrooveDeviation d = grooveDeviation(generated, target);
        if (d.groovesMeet)
            table.notes.push_back(wholeNumberText(count)
                + " teeth: the hob cuts the land away, the grooves meet (outline --hobbed refuses to draw it)");
        rows->push_back({std::string(tooth.beltType), std::string(choice.segment), wholeNumberText(tooth.designTeeth),
            wholeNumberText(count), deviationText(d.overcut, units), deviationText(d.metalLeft, units),
            deviationText(d.widthQuarter, units), deviationText(d.widthHalf, units),
            deviationText(d.widthThreeQuarter, units)});
    }
    table.forEachRow = [rows](const RowSink& sink) {
        for (const auto& row : *rows) {
            const std::array<std::string_view, 9> texts
                = {row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8]};
            sink({texts});
        }
    };
    return table;
}

std::string hobRefusalText(const HobRefused& refused)
{
    const std::string belt(refused.beltType);
    const std::string teeth = countText(refused.teeth);
    const std::string design = countText(refused.designTeeth);
    switch (refused.hobReason) {
    case HobRefusal::FlanksCross:
        return belt + " at " + design
            + " teeth: the hob tooth's flanks cross, so that it comes to a point; design "
              "the hob for more teeth";
    case HobRefusal::NoContact:
        return belt + " at " + design
            + " teeth: a point of the groove or of the hob's tooth touches the other at no roll angle (its normal "
              "misses the pitch circle or line), so no hob cuts this groove";
    case HobRefusal::OutsideSegments:
        return belt + ": " + teeth + " teeth lies in none of its segments ("
            + segmentsOf(refused.beltType, refused.teeth) + "); give --design-teeth Z to design a hob for it";
    case HobRefusal::NoSegments:
        return belt + ": its table gives no tooth-count segments; give --design-teeth Z to design a hob";
    case HobRefusal::DifferentRows:
        return belt + ": " + design + " and " + teeth
            + " teeth are on different rows of its table (up to 20 and more than 20 teeth have different grooves), "
              "so one hob cannot cut both";
    case HobRefusal::GroovesMeet:
        return belt + " at " + teeth + " teeth: the hob designed for " + design
            + " teeth cuts the land away and the grooves meet; there is no outline to draw";
    case HobRefusal::NotWhole:
        return "a pulley has a whole number of teeth, not " + teeth;
    case HobRefusal::TooFewTeeth:
        return "a hob is designed and a pulley cut for 3 to " + wholeNumberText(kMaxOutlineTeeth) + " teeth, not "
            + teeth;
    }
    return outlineRefusalText(refused.reason());
}

} // namespace

std::string hobRefusedMessage(const OutlineRefused& refused)
{
    if (const auto* hob = dynamic_cast<const HobRefused*>(&refused))
        return hobRefusalText(*hob);
    return outlineRefusedMessage(refused);
}

Action declareHob(CLI::App& command)
{
    auto given = std::make_shared<Arguments>();
    addBeltArgument(command, given->belt);
    command.add_option("TEETH", given->teeth, "A tooth count of the segment whose hob is wanted")->required();
    command
        .add_option("--design-teeth", given->designTeeth,
            "Design the hob for Z teeth rather than for the segment's first tooth count")
        ->option_text("Z");
    command
        .add_option("--teeth", given->teethList,
            "Tooth counts to cut, such as 10-30,40 (by default the segment's, an open segment up to 200)")
        ->option_text("LIST");
    command.add_flag("--approximate", given->approximate,
        "Design HTD3M to HTD14M hobs for the approximate groove that 'outline --approximate' draws");
    addUnitsOption(command, given->units, "Lengths in mm (the default, four decimals) or in (inches, six decimals)");
    addTableOptions(command, given->table,
        {{"svg", "dxf"}, "; or svg or dxf: the hob's tooth profile, one pitch of the rack, for the tool drawing"});
    command.footer(
        "The hob is a rack whose pitch line rolls on the pitch circle. Its tooth is everything no roll position "
        "carries into the design pulley (the groove exactly as 'outline' draws it), found where each groove point's "
        "normal passes through the pitch point; where that curve crosses itself it is trimmed, and the design pulley "
        "keeps a little metal there. Each row cuts the pulley of that tooth count with this hob and compares the "
        "groove with the table's: overcut is the most metal removed that the table keeps, metalLeft the most left "
        "in the table's groove, both along the table groove's normals; the widths are the cut groove's minus the "
        "table's at 1/4, 1/2 and 3/4 of the groove depth below the outside circle.");
    return [given]() -> Writer {
        const std::string_view beltType = knownBeltType(given->belt);
        const double teeth = drawnTeeth(given->teeth);
        const std::optional<double> designTeeth
            = given->designTeeth ? std::optional(readDecimal(*given->designTeeth, "--design-teeth")) : std::nullopt;
        try {
            const HobChoice choice = hobFor(beltType, teeth, designTeeth, given->approximate);
            const HobTooth tooth = hobTooth(beltType, choice.designTeeth, given->approximate);
            const std::string& format = given->table.format;
            if (format == "svg" || format == "dxf") {
                if (given->table.columns || given->teethList)
                    throw InputError("--columns and --teeth go with the table formats, not with --format " + format);
                auto file = std::make_shared<const std::string>(
                    format == "dxf" ? hobDxf(tooth, given->units.units()) : hobSvg(tooth, given->units.units()));
                return [file](Output& output) { output.write(*file); };
            }
            const std::vector<int> counts = countsToCut(*given, choice, static_cast<int>(teeth));
            return tableWriter(hobTable(*given, tooth, choice, counts), given->table);
        } catch (const OutlineRefused& refused) {
            throw InputError(hobRefusedMessage(refused));
        }
    };
}

} // namespace quillon::cli
