// Runs quillon-cli as a user does, as a separate process, and collects its
// exit status, standard output and standard error as bytes.
#pragma once

#include <string>
#include <vector>

namespace quillon::cli::test {

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// The folder of quillon-cli, set from the test program's own path.
void setProgramFolder(const std::string& testProgramPath);

// The path of quillon-cli.
std::string programPath();

// Runs quillon-cli with the given arguments (UTF-8). stdoutPath, when given,
// receives the standard output instead (such as "/dev/full").
ProgramResult runCli(const std::vector<std::string>& arguments, const std::string& stdoutPath = {});

// A new empty folder for the files of one test, removed by the caller.
std::string makeScratchFolder();

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);

} // namespace quillon::cli::test
