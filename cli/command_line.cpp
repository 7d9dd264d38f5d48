#include "cli/command_line.h"

#include "calc/catalogue/catalogue.h"
#include "calc/out_of_range.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/writers.h"

#include <CLI/CLI.hpp>

#include <map>
#include <memory>

namespace quillon::cli {
namespace {

Format formatOf(const std::string& name)
{
    static const std::map<std::string, Format> formats
        = {{"text", Format::Text}, {"csv", Format::Csv}, {"tsv", Format::Tsv}, {"json", Format::Json}};
    return formats.at(name);
}

std::vector<std::string_view> beltTypesOf(const std::vector<std::string>& named, bool all)
{
    if (all && !named.empty())
        throw InputError("name belt types or give --all, not both");
    if (!all && named.empty())
        throw InputError("name one or more belt types (see 'quillon-cli types'), or give --all");
    if (all)
        return {kBeltTypes.begin(), kBeltTypes.end()};
    std::vector<std::string_view> beltTypes;
    for (const std::string& name : named)
        beltTypes.push_back(knownBeltType(name));
    return beltTypes;
}

// The belt types a command is given: named ones, or --all.
struct BeltTypesArgument {
    std::vector<std::string> named;
    bool all = false;
};

void addBeltTypesArgument(CLI::App& command, BeltTypesArgument& beltTypes)
{
    command.add_option("BELT", beltTypes.named, "Belt types, in the order wanted");
    command.add_flag("--all", beltTypes.all, "All 22 belt types in the window's order");
}

} // namespace

// What writes a table as the options ask; the columns are checked here,
// before anything is written.
Writer tableWriter(Table table, const TableOptions& chosen)
{
    WriteOptions options{.format = formatOf(chosen.format), .byteOrderMark = chosen.byteOrderMark};
    if (options.byteOrderMark && options.format != Format::Csv && options.format != Format::Tsv)
        throw InputError("--bom goes with --format csv or tsv");
    options.columns = chosen.columns ? pickColumns(*chosen.columns, columnNames(table)) : defaultColumns(table);
    return [table = std::move(table), options](Output& output) {
        writeTable(table, options, output);
        if (table.warnings) {
            for (std::string& warning : table.warnings())
                output.warn(std::move(warning));
        }
    };
}

void addTableOptions(CLI::App& command, TableOptions& options, const DrawingFormats& drawings)
{
    std::vector<std::string> formats = {"text", "csv", "tsv", "json"};
    formats.insert(formats.end(), drawings.names.begin(), drawings.names.end());
    command
        .add_option("--format", options.format,
            "Output format: text (aligned columns, the default), csv, tsv or json" + drawings.help)
        ->check(CLI::IsMember(formats));
    command.add_option("--columns", options.columns, "Columns to write, in this order, separated by commas");
    command.add_flag("--bom", options.byteOrderMark, "Start CSV or TSV with a UTF-8 byte-order mark");
}

void addUnitsOption(CLI::App& command, UnitsOption& units, const std::string& help)
{
    command.add_option("--units", units.name, help)->check(CLI::IsMember({"mm", "in"}));
}

std::string outputPathOf(const CLI::App& command)
{
    const CLI::Option* output = command.get_option_no_throw("--output");
    return output && output->count() > 0 ? output->as<std::string>() : std::string();
}

std::string extensionOf(std::string_view path)
{
    const std::size_t name = path.find_last_of('/') == std::string_view::npos ? 0 : path.find_last_of('/') + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < name)
        return {};
    std::string extension(path.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension;
}

void addHobbedOptions(CLI::App& command, HobbedOption& option)
{
    command.add_flag("--hobbed", option.hobbed,
        "Draw the grooves as the hob of the tooth count's segment cuts them (see 'quillon-cli hob'); standard error "
        "says which hob and how far its grooves stray from the table's");
    command
        .add_option("--design-teeth", option.designTeeth,
            "With --hobbed: the hob designed for Z teeth rather than for the segment's first tooth count")
        ->option_text("Z");
}

void addBeltArgument(CLI::App& command, std::string& belt)
{
    command.add_option("BELT", belt, "Belt type, as in 'quillon-cli types'")->required();
}

void addOutputOption(CLI::App& command, std::string& path)
{
    // -o: the short form users type first, on every command.
    command
        .add_option("-o,--output", path,
            "Write into FILE instead of standard output, whole or not at all (see Output files below)")
        ->option_text("FILE");
}

Action declareTypes(CLI::App& command)
{
    auto options = std::make_shared<TableOptions>();
    addTableOptions(command, *options);
    return [options] { return tableWriter(typesTable(), *options); };
}

Action declareRun(CLI::App& command)
{
    struct Arguments {
        std::string belt;
        std::string teeth;
        std::string decimalSeparator = ".";
        TableOptions table;
    };
    auto given = std::make_shared<Arguments>();
    addBeltArgument(command, given->belt);
    command.add_option("TEETH", given->teeth, "Tooth count, read as the window reads it (\"40\", \"4 0\", \"&H28\")")
        ->required();
    command
        .add_option(
            "--decimal-separator", given->decimalSeparator, "Decimal separator of the numbers shown (default \".\")")
        ->option_text("SEP");
    addTableOptions(command, given->table);
    return [given] {
        const std::string_view beltType = knownBeltType(given->belt);
        const std::string& separator = given->decimalSeparator;
        if (separator.empty() || separator.find_first_of("\t\r\n") != std::string::npos)
            throw InputError("--decimal-separator: give a non-empty text without tabs or line ends");
        return tableWriter(runTable(calculateRun(beltType, given->teeth, separator)), given->table);
    };
}

Action declareTable(CLI::App& command)
{
    struct Arguments {
        BeltTypesArgument beltTypes;
        std::string teeth;
        UnitsOption units;
        TableOptions table;
    };
    auto given = std::make_shared<Arguments>();
    addBeltTypesArgument(command, given->beltTypes);
    command.add_option("--teeth", given->teeth, "Tooth counts: whole numbers and ranges, such as 10-30,40,60-80")
        ->required()
        ->option_text("LIST");
    addUnitsOption(command, given->units);
    addTableOptions(command, given->table);
    return [given] {
        const auto beltTypes = beltTypesOf(given->beltTypes.named, given->beltTypes.all);
        return tableWriter(rowsTable(beltTypes, readTeethList(given->teeth), given->units.units()), given->table);
    };
}

Action declareHobs(CLI::App& command)
{
    struct Arguments {
        BeltTypesArgument beltTypes;
        UnitsOption units;
        TableOptions table;
    };
    auto given = std::make_shared<Arguments>();
    addBeltTypesArgument(command, given->beltTypes);
    addUnitsOption(command, given->units);
    addTableOptions(command, given->table);
    return [given] {
        const auto beltTypes = beltTypesOf(given->beltTypes.named, given->beltTypes.all);
        return tableWriter(hobsTable(beltTypes, given->units.units()), given->table);
    };
}

Action declareIdentify(CLI::App& command)
{
    struct Arguments {
        std::string measured;
        std::string teeth;
        std::optional<std::string> tolerance;
        UnitsOption units;
        TableOptions table;
    };
    auto given = std::make_shared<Arguments>();
    command.add_option("--od", given->measured, "Measured outside diameter, in mm (in inches with --units in)")
        ->required()
        ->option_text("LENGTH");
    command.add_option("--teeth", given->teeth, "Tooth count")->required()->option_text("Z");
    command.add_option("--tolerance", given->tolerance, "Largest difference to list (default 0.10 mm or 0.004 in)")
        ->option_text("LENGTH");
    addUnitsOption(command, given->units);
    addTableOptions(command, given->table);
    return [given] {
        const Units units = given->units.units();
        const double measured = readDecimal(given->measured, "--od");
        if (!(measured > 0))
            throw InputError("--od: give the measured outside diameter, a positive number such as 25.36");
        const int teeth = readWholeTeeth(given->teeth, "--teeth");
        const double tolerance = given->tolerance ? readDecimal(*given->tolerance, "--tolerance")
                                                  : (units == Units::Inches ? 0.004 : 0.10);
        if (tolerance < 0)
            throw InputError("--tolerance: give a number of 0 or more");
        try {
            return tableWriter(identifyTable(measured, teeth, tolerance, units), given->table);
        } catch (const OutOfRange&) {
            throw InputError("--od: " + quotedArgument(given->measured)
                + " is beyond what can be compared; give a diameter such as 25.36");
        }
    };
}

Action declareDrive(CLI::App& command)
{
    struct Arguments {
        std::string belt;
        std::string teeth1;
        std::string teeth2;
        std::optional<std::string> centre;
        std::optional<std::string> beltTeeth;
        UnitsOption units;
        TableOptions table;
    };
    auto given = std::make_shared<Arguments>();
    addBeltArgument(command, given->belt);
    command.add_option("Z1", given->teeth1, "Tooth count of one pulley")->required();
    command.add_option("Z2", given->teeth2, "Tooth count of the other (may equal Z1)")->required();
    command
        .add_option("--centre", given->centre,
            "Centre distance wanted, in mm (in inches with --units in): the belts nearest to it, the one at or "
            "below and the one at or above")
        ->option_text("LENGTH");
    command
        .add_option(
            "--belt-teeth", given->beltTeeth, "Belt tooth counts, such as 100-120,150: one row for each that fits")
        ->option_text("LIST");
    addUnitsOption(command, given->units);
    addTableOptions(command, given->table);
    return [given] {
        const std::string_view beltType = knownBeltType(given->belt);
        const int teeth1 = readWholeTeeth(given->teeth1, "Z1");
        const int teeth2 = readWholeTeeth(given->teeth2, "Z2");
        if (given->centre.has_value() == given->beltTeeth.has_value())
            throw InputError("give either --centre LENGTH (the belts nearest to a centre distance) or --belt-teeth "
                             "LIST (the centre distance of each belt), not both or neither");
        const Units units = given->units.units();
        std::optional<GivenCentre> centre;
        if (given->centre) {
            const double length = readDecimal(*given->centre, "--centre");
            if (!(length > 0))
                throw InputError("--centre: give a positive centre distance, such as 130");
            centre = GivenCentre{
                .millimetres = units == Units::Inches ? length * 25.4 : length, .typed = shownArgument(*given->centre)};
        }
        const auto beltTeeth
            = given->beltTeeth ? readTeethList(*given->beltTeeth, "--belt-teeth") : std::vector<TeethRange>{};
        return tableWriter(driveTable(beltType, teeth1, teeth2, centre, beltTeeth, units), given->table);
    };
}

} // namespace quillon::cli
