// The commands of quillon-cli as the command line declares them: each one
// function that declares its arguments and returns what runs it. Adding a
// command is one such function and one line in app.cpp's list of commands.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/outline.h"
#include "cli/output.h"
#include "cli/writers.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace quillon::cli {

// What a command writes, once its arguments are read and checked.
using Writer = std::function<void(Output&)>;

// Runs a command on its parsed arguments: reads and checks all of them
// (throwing InputError, or NothingFound, before anything is written) and
// returns what writes its output. The output, standard output or --output,
// is opened only after that.
using Action = std::function<Writer()>;

// The options of a command whose output is a table (cli/writers.h).
struct TableOptions {
    std::string format = "text";
    std::optional<std::string> columns;
    bool byteOrderMark = false;
};

// Drawing formats a table command also writes, such as svg and dxf, and
// what the help says of them (after "…, csv, tsv or json").
struct DrawingFormats {
    std::vector<std::string> names{};
    std::string help{};
};

// Declares --format (text, csv, tsv, json and the drawing formats), --columns
// and --bom.
void addTableOptions(CLI::App& command, TableOptions& options, const DrawingFormats& drawings = {});

// What writes a table as the options ask (a table format); the columns are
// checked here, before anything is written. Throws InputError.
Writer tableWriter(Table table, const TableOptions& chosen);

// The units of a command's lengths, as --units names them.
struct UnitsOption {
    std::string name = "mm";
    Units units() const { return name == "in" ? Units::Inches : Units::Millimetres; }
};

// Declares --units mm|in; inches have four decimals unless said otherwise.
void addUnitsOption(CLI::App& command, UnitsOption& units,
    const std::string& help = "Lengths in mm (the default) or in (inches, four decimals)");

// --hobbed and --design-teeth of a command that draws a pulley.
struct HobbedOption {
    bool hobbed = false;
    std::optional<std::string> designTeeth;
};

// The path given to --output (or -o) of a parsed command; empty without one.
std::string outputPathOf(const CLI::App& command);

// The extension of a path, lower case, without its full stop: "XL20.DXF" ->
// "dxf", "a.b/c" -> "".
std::string extensionOf(std::string_view path);

// Declares --hobbed and --design-teeth Z.
void addHobbedOptions(CLI::App& command, HobbedOption& option);

// Declares the BELT argument of a command about one belt type.
void addBeltArgument(CLI::App& command, std::string& belt);

// Declares -o, --output FILE, which every command takes.
void addOutputOption(CLI::App& command, std::string& path);

// The declarations of the commands, in the order of the help.
Action declareTypes(CLI::App& command);
Action declareRun(CLI::App& command);
Action declareTable(CLI::App& command);
Action declareHobs(CLI::App& command);
Action declareIdentify(CLI::App& command);
Action declareDrive(CLI::App& command);
Action declareOutline(CLI::App& command); // cli/outline_command.cpp
Action declareModel(CLI::App& command);   // cli/model_command.cpp
Action declareHob(CLI::App& command);     // cli/hob_command.cpp

// A refusal to make a hob or to draw the pulley it cuts, for the command
// line: each of the hob's reasons (calc/geometry/hob/hob_refusal.h) in
// English, anything else as outlineRefusedMessage words it.
std::string hobRefusedMessage(const OutlineRefused& refused);

} // namespace quillon::cli
