// The commands of quillon-cli as tables. Each checks its input first and
// throws InputError before any row is produced; the rows are the very texts
// the window shows.
#pragma once

#include "calc/derived/inches.h"
#include "calc/run.h"
#include "cli/inputs.h"
#include "cli/writers.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

// The 22 belt types in the window's list order: belt, family, pitch,
// segmentLine1, segmentLine2.
Table typesTable();

// One run, as 计算 does it. The tooth-count text is read as Text1 is read,
// full-width digits included; a tooth count beyond a double throws InputError.
RunResult calculateRun(std::string_view beltType, std::string_view teethText, std::string_view decimalSeparator);

// A run as a table: box, field, text for the twenty boxes in the window's
// writing order.
Table runTable(RunResult run);

// One row per belt type and tooth count, belt-major.
Table rowsTable(const std::vector<std::string_view>& beltTypes, const std::vector<TeethRange>& teeth, Units units);

// The hob plan: one row per range of the belt types' segment lines.
Table hobsTable(const std::vector<std::string_view>& beltTypes, Units units);

// The belt types whose outside diameter for `teeth` is within `tolerance` of
// the measured one, nearest first. Throws NothingFound when there is none.
Table identifyTable(double outsideDiameter, int teeth, double tolerance, Units units);

// A centre distance as the user gave it: in millimetres, and as typed, in
// the command's units, for messages.
struct GivenCentre {
    double millimetres = 0;
    std::string typed;
};

// Belts for two pulleys of one belt type: the belts nearest to a centre
// distance when one is given, else one row for each tooth count of beltTeeth
// that fits, in that order, each worked out as it is written. Columns: belt,
// teeth1, teeth2, beltTeeth, pitchLength, centreDistance, wrapAngle,
// teethInMesh. Warns of the belts with fewer than 6 teeth in mesh, and of a
// pulley with fewer teeth than the belt type's smallest hob segment. Throws
// InputError for a centre distance at which the pulleys touch or that needs
// more than kMaxTeeth belt teeth, NothingFound when no belt of the list fits.
Table driveTable(std::string_view beltType, int teeth1, int teeth2, const std::optional<GivenCentre>& centre,
    const std::vector<TeethRange>& beltTeeth, Units units);

// identify or drive found nothing: status 1.
class NothingFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace quillon::cli
