#include "cli/app.h"

#include "calc/catalogue/catalogue.h"
#include "calc/out_of_range.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "cli/platform.h"
#include "cli/writers.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <optional>
#include <sstream>

#ifndef QUILLON_VERSION_TEXT
#define QUILLON_VERSION_TEXT "1.00"
#endif

namespace quillon::cli {
namespace {

// What every command takes.
struct CommonOptions {
    std::string format = "text";
    std::optional<std::string> columns;
    std::string output;
    bool byteOrderMark = false;
};

struct UnitsOption {
    std::string name = "mm";
};

void addCommonOptions(CLI::App& command, CommonOptions& options)
{
    command
        .add_option("--format", options.format, "Output format: text (aligned columns, the default), csv, tsv or json")
        ->check(CLI::IsMember({"text", "csv", "tsv", "json"}));
    command.add_option("--columns", options.columns, "Columns to write, in this order, separated by commas");
    command.add_option("--output", options.output, "Write into FILE, whole or not at all, instead of standard output")
        ->option_text("FILE");
    command.add_flag("--bom", options.byteOrderMark, "Start CSV or TSV with a UTF-8 byte-order mark");
}

void addUnitsOption(CLI::App& command, UnitsOption& units)
{
    command.add_option("--units", units.name, "Lengths in mm (the default) or in (inches, four decimals)")
        ->check(CLI::IsMember({"mm", "in"}));
}

Units unitsOf(const UnitsOption& option)
{
    return option.name == "in" ? Units::Inches : Units::Millimetres;
}

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

WriteOptions writeOptionsFor(const Table& table, const CommonOptions& common)
{
    WriteOptions options{.format = formatOf(common.format), .byteOrderMark = common.byteOrderMark};
    if (options.byteOrderMark && options.format != Format::Csv && options.format != Format::Tsv)
        throw InputError("--bom goes with --format csv or tsv");
    options.columns = common.columns ? pickColumns(*common.columns, columnNames(table)) : defaultColumns(table);
    return options;
}

void report(const std::string& message)
{
    writeStandard(stderr, "quillon-cli: " + message + "\n");
}

// Help and version texts, written like every other output so that a Windows
// console shows their Chinese.
int printHelp(CLI::App& app, const CLI::Error& request)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = app.exit(request, out, err);
    if (writeStandard(stdout, out.str()) < 0 || std::fflush(stdout) != 0) {
        if (errno != EPIPE)
            report(std::string("cannot write the output: ") + std::strerror(errno));
        return 1;
    }
    writeStandard(stderr, err.str());
    return status;
}

constexpr std::array<std::string_view, 6> kCommands = {"types", "run", "table", "hobs", "identify", "drive"};

// Example lines for the help texts.
constexpr auto kTypesExample = "Example:\n  quillon-cli types --format csv";
constexpr auto kRunExample = "Example:\n  quillon-cli run MXL 40\n  quillon-cli run T5 -- -.5";
constexpr auto kTableExample
    = "Example:\n  quillon-cli table HTD5M T5 --teeth \"10-30, 40\" --format csv --output htd.csv";
constexpr auto kHobsExample = "Example:\n  quillon-cli hobs --all --units in";
constexpr auto kIdentifyExample = "Example:\n  quillon-cli identify --od 25.36 --teeth 40";
constexpr auto kDriveExample = "Example:\n  quillon-cli drive HTD5M 20 40 --centre 130\n  quillon-cli drive HTD3M 20 "
                               "20 --belt-teeth 100-120 --format csv";

int runCommandLine(const std::vector<std::string>& arguments)
{
    CLI::App app("Groove data of timing-belt pulleys, exactly as the Quillon window shows it, as tables for scripts "
                 "and spreadsheets.",
        "quillon-cli");
    app.set_version_flag("--version", "quillon-cli " QUILLON_VERSION_TEXT, "Print the version and exit");
    app.require_subcommand(1);
    app.footer("Examples:\n  quillon-cli run MXL 40\n  quillon-cli table --all --teeth 10-200 --format csv --output "
               "pulleys.csv\n\n'quillon-cli COMMAND --help' tells more about each command.");

    CommonOptions common;
    UnitsOption units;

    CLI::App* types = app.add_subcommand("types", "List the 22 belt types in the window's order");
    addCommonOptions(*types, common);
    types->footer(kTypesExample);

    CLI::App* run = app.add_subcommand("run", "One calculation, exactly as the window's 计算 does it");
    std::string runBelt;
    std::string runTeeth;
    std::string decimalSeparator = ".";
    run->add_option("BELT", runBelt, "Belt type, as in 'quillon-cli types'")->required();
    run->add_option("TEETH", runTeeth, "Tooth count, read as the window reads it (\"40\", \"4 0\", \"&H28\")")
        ->required();
    run->add_option("--decimal-separator", decimalSeparator, "Decimal separator of the numbers shown (default \".\")")
        ->option_text("SEP");
    addCommonOptions(*run, common);
    run->footer(kRunExample);

    CLI::App* table = app.add_subcommand("table", "One row per belt type and tooth count");
    std::vector<std::string> tableBelts;
    bool tableAll = false;
    std::string teethList;
    table->add_option("BELT", tableBelts, "Belt types, in the order wanted");
    table->add_flag("--all", tableAll, "All 22 belt types in the window's order");
    table->add_option("--teeth", teethList, "Tooth counts: whole numbers and ranges, such as 10-30,40,60-80")
        ->required()
        ->option_text("LIST");
    addUnitsOption(*table, units);
    addCommonOptions(*table, common);
    table->footer(kTableExample);

    CLI::App* hobs = app.add_subcommand("hobs", "The hob plan: one row per tooth-count segment");
    std::vector<std::string> hobBelts;
    bool hobsAll = false;
    hobs->add_option("BELT", hobBelts, "Belt types, in the order wanted");
    hobs->add_flag("--all", hobsAll, "All 22 belt types in the window's order");
    addUnitsOption(*hobs, units);
    addCommonOptions(*hobs, common);
    hobs->footer(kHobsExample);

    CLI::App* identify = app.add_subcommand("identify", "Which belt types have this outside diameter?");
    std::string measuredText;
    std::string identifyTeeth;
    std::optional<std::string> toleranceText;
    identify->add_option("--od", measuredText, "Measured outside diameter, in mm (in inches with --units in)")
        ->required()
        ->option_text("LENGTH");
    identify->add_option("--teeth", identifyTeeth, "Tooth count")->required()->option_text("Z");
    identify->add_option("--tolerance", toleranceText, "Largest difference to list (default 0.10 mm or 0.004 in)")
        ->option_text("LENGTH");
    addUnitsOption(*identify, units);
    addCommonOptions(*identify, common);
    identify->footer(kIdentifyExample);

    CLI::App* drive = app.add_subcommand("drive", "The belt and the centre distance for two pulleys");
    std::string driveBelt;
    std::string driveTeeth1;
    std::string driveTeeth2;
    std::optional<std::string> centreText;
    std::optional<std::string> beltTeethList;
    drive->add_option("BELT", driveBelt, "Belt type, as in 'quillon-cli types'")->required();
    drive->add_option("Z1", driveTeeth1, "Tooth count of one pulley")->required();
    drive->add_option("Z2", driveTeeth2, "Tooth count of the other (may equal Z1)")->required();
    drive
        ->add_option("--centre", centreText,
            "Centre distance wanted, in mm (in inches with --units in): the belts nearest to it, the one at or "
            "below and the one at or above")
        ->option_text("LENGTH");
    drive
        ->add_option(
            "--belt-teeth", beltTeethList, "Belt tooth counts, such as 100-120,150: one row for each that fits")
        ->option_text("LIST");
    addUnitsOption(*drive, units);
    addCommonOptions(*drive, common);
    drive->footer(kDriveExample);

    if (arguments.size() > 1 && !arguments[1].starts_with('-')
        && std::ranges::find(kCommands, arguments[1]) == kCommands.end()) {
        report(
            "unknown command \"" + arguments[1] + "\"; the commands are types, run, table, hobs, identify and drive");
        return 2;
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp& help) {
        return printHelp(app, help);
    } catch (const CLI::CallForVersion& version) {
        return printHelp(app, version);
    } catch (const CLI::ParseError& error) {
        report(std::string(error.what()) + "; see 'quillon-cli --help'");
        return 2;
    }

    try {
        // Everything is read and checked before the output is opened, so that
        // an input error leaves an --output file untouched.
        Table result;
        if (types->parsed()) {
            result = typesTable();
        } else if (run->parsed()) {
            const std::string_view beltType = knownBeltType(runBelt);
            if (decimalSeparator.empty() || decimalSeparator.find_first_of("\t\r\n") != std::string::npos)
                throw InputError("--decimal-separator: give a non-empty text without tabs or line ends");
            result = runTable(calculateRun(beltType, runTeeth, decimalSeparator));
        } else if (table->parsed()) {
            const auto beltTypes = beltTypesOf(tableBelts, tableAll);
            result = rowsTable(beltTypes, readTeethList(teethList), unitsOf(units));
        } else if (hobs->parsed()) {
            result = hobsTable(beltTypesOf(hobBelts, hobsAll), unitsOf(units));
        } else if (drive->parsed()) {
            const std::string_view beltType = knownBeltType(driveBelt);
            const int teeth1 = readWholeTeeth(driveTeeth1, "Z1");
            const int teeth2 = readWholeTeeth(driveTeeth2, "Z2");
            if (centreText.has_value() == beltTeethList.has_value())
                throw InputError("give either --centre LENGTH (the belts nearest to a centre distance) or --belt-teeth "
                                 "LIST (the centre distance of each belt), not both or neither");
            const Units chosen = unitsOf(units);
            std::optional<double> centre;
            if (centreText) {
                centre = readDecimal(*centreText, "--centre");
                if (!(*centre > 0))
                    throw InputError("--centre: give a positive centre distance, such as 130");
                if (chosen == Units::Inches)
                    *centre *= 25.4;
            }
            result = driveTable(beltType, teeth1, teeth2, centre,
                beltTeethList ? readTeethList(*beltTeethList, "--belt-teeth") : std::vector<TeethRange>{}, chosen);
        } else {
            const Units chosen = unitsOf(units);
            const double measured = readDecimal(measuredText, "--od");
            if (!(measured > 0))
                throw InputError("--od: give the measured outside diameter, a positive number such as 25.36");
            const int teeth = readWholeTeeth(identifyTeeth, "--teeth");
            const double tolerance
                = toleranceText ? readDecimal(*toleranceText, "--tolerance") : (chosen == Units::Inches ? 0.004 : 0.10);
            if (tolerance < 0)
                throw InputError("--tolerance: give a number of 0 or more");
            try {
                result = identifyTable(measured, teeth, tolerance, chosen);
            } catch (const OutOfRange&) {
                throw InputError(
                    "--od: " + measuredText + " is beyond what can be compared; give a diameter such as 25.36");
            }
        }
        const WriteOptions options = writeOptionsFor(result, common);

        Output output(common.output);
        writeTable(result, options, output);
        output.commit();
        return 0;
    } catch (const InputError& error) {
        report(error.what());
        return 2;
    } catch (const NothingFound& error) {
        report(error.what());
        return 1;
    } catch (const OutputError& error) {
        if (!error.closedPipe)
            report(error.what());
        return 1;
    }
}

} // namespace

int runCli(const std::vector<std::string>& arguments)
{
    // Whatever goes wrong ends here, as one message and a status: 2 for what
    // the user gave, 1 for anything else.
    try {
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            if (!isUtf8(arguments[i])) {
                report("argument " + std::to_string(i)
                    + " is not UTF-8 text; give belt types, numbers and file names in UTF-8 (a terminal in another "
                      "encoding, such as GBK, sends other bytes)");
                return 2;
            }
        }
        return runCommandLine(arguments);
    } catch (const OutOfRange& error) {
        report(std::string("a number is beyond what can be calculated: ") + error.what());
        return 2;
    } catch (const std::bad_alloc&) {
        report("out of memory");
        return 1;
    } catch (const std::exception& error) {
        report(error.what());
        return 1;
    }
}

} // namespace quillon::cli
