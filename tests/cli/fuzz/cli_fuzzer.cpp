// Feeds arbitrary command lines to quillon-cli as the program runs them: the
// bytes are the arguments, separated by NUL. Whatever they say, the program
// must end with status 0, 1 or 2 and throw nothing; a sanitizer report or a
// crash is a fault. Standard output goes to /dev/null, and --output and -o
// (also among other short options, as in -ho) are taken away from the
// fuzzer, so that it writes no files.
// The readers of tooth lists, decimals and belt types get the raw bytes too.

#include "cli/app.h"
#include "cli/inputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    using namespace quillon::cli;
    for (const auto& read :
        {+[](std::string_view text) { readTeethList(text); }, +[](std::string_view text) { readDecimal(text, "--od"); },
            +[](std::string_view text) { readWholeTeeth(text, "--teeth"); },
            +[](std::string_view text) { knownBeltType(text); }}) {
        try {
            read(input);
        } catch (const InputError&) {
        }
    }

    std::vector<std::string> arguments = {"quillon-cli"};
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        arguments.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (std::string& argument : arguments) {
        const bool shortOptions = argument.starts_with('-') && !argument.starts_with("--");
        if (argument.starts_with("--ou") || (shortOptions && argument.find('o') != std::string::npos))
            argument = "--format";
    }
    // Keeps a run short: a table of a million rows is right, and slow.
    std::size_t rows = 1;
    for (const std::string& argument : arguments) {
        try {
            for (const TeethRange& range : readTeethList(argument))
                rows += static_cast<std::size_t>(range.last - range.first + 1);
        } catch (const InputError&) {
        }
    }
    if (rows > 5000 || input.find("--all") != std::string_view::npos)
        return 0;
    const int status = runCli(arguments);
    if (status < 0 || status > 2)
        std::abort();
    return 0;
}
