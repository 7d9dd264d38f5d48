#include "cli/app.h"

#include "calc/out_of_range.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/platform.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sstream>

#ifndef QUILLON_VERSION_TEXT
#define QUILLON_VERSION_TEXT "1.00"
#endif

namespace quillon::cli {
namespace {

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

// Said in the program's help and in each command's, which all take --output.
constexpr std::string_view kOutputFiles = R"(Output files:
  With -o, --output FILE, the output goes into a new file beside FILE, readable by its
  owner only, which is renamed over FILE once it is whole and on the disk, with FILE's
  owner and permissions: an input error or an interruption leaves FILE as it was.
  Where a rename would change the file (it has more than one name, belongs to a user
  or group the new file cannot be given, or stands in a folder that refuses new
  files), the whole output is made first and then written into FILE in place, as the
  shell's > does; a failure while it is written may then leave it cut short. A file
  that > may not write, such as a read-only one, is refused with status 1. Devices and
  pipes are written directly, and /dev/stdout, /dev/stderr and /dev/fd/N through the
  descriptor they name, as > writes them (appending where >> opened it).)";

constexpr std::string_view kProgramExamples = "quillon-cli run MXL 40\n"
                                              "quillon-cli table --all --teeth 10-200 --format csv -o pulleys.csv";

// "Examples:" and the examples, one a line, indented.
std::string examplesSection(std::string_view examples)
{
    std::string out = "Examples:";
    for (std::size_t start = 0; start <= examples.size();) {
        const std::size_t end = std::min(examples.find('\n', start), examples.size());
        out += "\n  " + std::string(examples.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// A command: its name, what the help says of it, its examples (one a line,
// the last lines of its help), and the function that declares its arguments.
struct Command {
    std::string_view name;
    std::string_view summary;
    std::string_view examples;
    Action (*declare)(CLI::App& command);
};

constexpr std::array kCommands = {
    Command{"types", "List the 22 belt types in the window's order", "quillon-cli types --format csv", declareTypes},
    Command{"run", "One calculation, exactly as the window's 计算 does it",
        "quillon-cli run MXL 40\nquillon-cli run T5 -- -.5", declareRun},
    Command{"table", "One row per belt type and tooth count",
        "quillon-cli table HTD5M T5 --teeth \"10-30, 40\" --format csv --output htd.csv", declareTable},
    Command{"hobs", "The hob plan: one row per tooth-count segment", "quillon-cli hobs --all --units in", declareHobs},
    Command{"identify", "Which belt types have this outside diameter?", "quillon-cli identify --od 25.36 --teeth 40",
        declareIdentify},
    Command{"drive", "The belt and the centre distance for two pulleys",
        "quillon-cli drive HTD5M 20 40 --centre 130\nquillon-cli drive HTD3M 20 20 --belt-teeth 100-120 --format csv",
        declareDrive},
    Command{"outline", "The pulley's contour as a drawing file (SVG or DXF) for CAD, CAM and cutters",
        "quillon-cli outline XL 20 -o xl20.svg\nquillon-cli outline T5 40 --format dxf --output t5-40.dxf\n"
        "quillon-cli outline HTD5M 30 --approximate --format dxf --units in",
        declareOutline},
    Command{"model", "The pulley as a 3D solid: 3MF or STL for printers, STEP for CAD",
        "quillon-cli model XL 20 --width 10 --flanges 1.5 --hub 20,8 --bore 5 --keyway 2,1 --output xl20.3mf\n"
        "quillon-cli model T5 40 --width 12 --bore 8 --output t5-40.step\n"
        "quillon-cli model HTD5M 30 --approximate --width 15 --format stl | gzip > htd5m-30.stl.gz",
        declareModel},
    Command{"hob", "The hob that cuts a segment's grooves, and how true it cuts each pulley of the segment",
        "quillon-cli hob XL 15\n"
        "quillon-cli hob HTD5M 80 --approximate --format csv\n"
        "quillon-cli hob XL 15 --format svg --output xl-hob.svg",
        declareHob},
};

// "a, b and c"
std::string listed(const std::vector<std::string_view>& names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += std::string(i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + std::string(names[i]);
    return out;
}

// CLI11's message with each long argument it repeats shortened, as the
// program's own messages show them.
std::string withLongArgumentsShortened(std::string message, const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument.size() <= kShownCharacters)
            continue;
        const std::string shown = shownArgument(argument);
        for (std::size_t at = 0; (at = message.find(argument, at)) != std::string::npos; at += shown.size())
            message.replace(at, argument.size(), shown);
    }
    return message;
}

// An option given to a command that does not take it, when others do: CLI11
// would say only that "in --units" was not expected.
//   types --units in -> "types takes no --units; table, hobs, identify, drive, outline, model and hob take it"
std::string misplacedOption(
    const std::vector<std::string>& arguments, const std::vector<std::pair<CLI::App*, Action>>& declared)
{
    if (arguments.size() < 2)
        return {};
    const auto command
        = std::ranges::find(declared, arguments[1], [](const auto& pair) { return pair.first->get_name(); });
    if (command == declared.end())
        return {};
    for (std::size_t i = 2; i < arguments.size() && arguments[i] != "--"; ++i) {
        const std::string option = arguments[i].substr(0, arguments[i].find('='));
        if (!option.starts_with("--") || command->first->get_option_no_throw(option))
            continue;
        std::vector<std::string_view> takers;
        for (const auto& [other, action] : declared) {
            if (other->get_option_no_throw(option))
                takers.push_back(other->get_name());
        }
        if (!takers.empty())
            return arguments[1] + " takes no " + option + "; " + listed(takers) + " take"
                + (takers.size() == 1 ? "s" : "") + " it";
    }
    return {};
}

// Writes what the command's action gives into standard output or --output.
// Everything is read and checked before the output is opened, so that an
// input error leaves an --output file untouched.
int runCommand(const Action& action, const std::string& outputPath)
{
    try {
        const Writer write = action();
        Output output(outputPath);
        write(output);
        output.commit();
        for (const std::string& note : output.notes())
            report(note);
        for (const std::string& warning : output.warnings())
            report("warning: " + warning);
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

int runCommandLine(const std::vector<std::string>& arguments)
{
    CLI::App app("Groove data of timing-belt pulleys, exactly as the Quillon window shows it, as tables for scripts "
                 "and spreadsheets.",
        "quillon-cli");
    app.set_version_flag("--version", "quillon-cli " QUILLON_VERSION_TEXT, "Print the version and exit");
    app.require_subcommand(1);

    std::string outputPath;
    std::vector<std::pair<CLI::App*, Action>> declared;
    for (const Command& command : kCommands) {
        CLI::App* declaring = app.add_subcommand(std::string(command.name), std::string(command.summary));
        declared.emplace_back(declaring, command.declare(*declaring));
        addOutputOption(*declaring, outputPath);
        // What a command says beyond its options, the output files, then its
        // own examples. (A command given the program's footer before it is
        // declared would inherit its examples.)
        const std::string notes = declaring->get_footer();
        declaring->footer((notes.empty() ? "" : notes + "\n\n") + std::string(kOutputFiles) + "\n\n"
            + examplesSection(command.examples));
    }
    app.footer(std::string(kOutputFiles) + "\n\n" + examplesSection(kProgramExamples)
        + "\n\n'quillon-cli COMMAND --help' tells more about each command.");

    if (arguments.size() > 1 && !arguments[1].starts_with('-')
        && std::ranges::none_of(kCommands, [&](const Command& command) { return command.name == arguments[1]; })) {
        std::vector<std::string_view> names;
        for (const Command& command : kCommands)
            names.push_back(command.name);
        report("unknown command " + quotedArgument(arguments[1]) + "; the commands are " + listed(names));
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
        const std::string misplaced = misplacedOption(arguments, declared);
        report((misplaced.empty() ? withLongArgumentsShortened(error.what(), arguments) : misplaced)
            + "; see 'quillon-cli --help'");
        return 2;
    }
    for (const auto& [command, action] : declared) {
        if (command->parsed())
            return runCommand(action, outputPath);
    }
    return 2; // require_subcommand(1) leaves no other way
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
