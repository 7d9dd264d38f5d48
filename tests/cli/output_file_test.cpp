// Where quillon-cli writes: links, devices, pipes, and what is left behind
// when writing fails or is interrupted. POSIX only: these need a shell, links,
// signals and resource limits.

#include "run_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
extern char** environ;
#endif

using namespace quillon::cli::test;
namespace fs = std::filesystem;

namespace {

#ifndef _WIN32

// Runs a shell command line in which PROGRAM stands for quillon-cli, and
// returns its exit status.
int shell(std::string command)
{
    for (std::size_t at; (at = command.find("PROGRAM")) != std::string::npos;)
        command.replace(at, 7, "'" + programPath() + "'");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t entriesIn(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class OutputFile : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }
    const std::string folder = makeScratchFolder();
};

TEST_F(OutputFile, ALinkStaysAndItsFileKeepsItsPermissions)
{
    writeFile(folder + "/pulleys.csv", "before");
    fs::permissions(folder + "/pulleys.csv", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("pulleys.csv", folder + "/link.csv");

    ASSERT_EQ(runCli({"types", "--format", "csv", "--output", folder + "/link.csv"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder + "/link.csv"));
    EXPECT_EQ(readFile(folder + "/pulleys.csv"), runCli({"types", "--format", "csv"}).out);
    EXPECT_EQ(fs::status(folder + "/pulleys.csv").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entriesIn(folder), 2u);
}

TEST_F(OutputFile, APipeOrADeviceIsWrittenNotReplaced)
{
    const std::string fifo = folder + "/fifo";
    ASSERT_EQ(shell("mkfifo '" + fifo + "'"), 0);
    ASSERT_EQ(shell("cat '" + fifo + "' > '" + folder + "/read' & PROGRAM types --output '" + fifo + "'; wait"), 0);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(readFile(folder + "/read"), runCli({"types"}).out);

    const auto full = runCli({"types", "--output", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("cannot write /dev/full"), std::string::npos) << full.err;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(OutputFile, AnInterruptionLeavesNoTemporaryFile)
{
    // Interrupted once the temporary file is there, while rows are written.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string program = programPath();
        const std::string target = folder + "/big.csv";
        const char* argv[]
            = {program.c_str(), "table", "--all", "--teeth", "1-1000000", "--output", target.c_str(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        for (int wait = 0; wait < 1000 && entriesIn(folder) == 0; ++wait)
            usleep(10'000);
        ASSERT_EQ(entriesIn(folder), 1u) << "no temporary file appeared";
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(entriesIn(folder), 0u) << signal;
    }
}

TEST_F(OutputFile, AFailedWriteLeavesTheFileAsItWas)
{
    // A file size limit makes the write fail half-way (SIGXFSZ ignored).
    writeFile(folder + "/pulleys.csv", "before");
    const int status = shell("cd '" + folder
        + "' && trap '' XFSZ && ulimit -f 8 && PROGRAM table --all --teeth 1-1000 --output pulleys.csv 2>err");
    EXPECT_EQ(status, 1);
    EXPECT_NE(readFile(folder + "/err").find("cannot write pulleys.csv"), std::string::npos);
    EXPECT_EQ(readFile(folder + "/pulleys.csv"), "before");
    EXPECT_EQ(entriesIn(folder), 2u); // and err
}

TEST_F(OutputFile, AClosedPipeIsQuietAlsoWhenSIGPIPEIsIgnored)
{
    const int status
        = shell("trap '' PIPE; PROGRAM table --all --teeth 1-100000 2>'" + folder + "/err' | head -n 1 >/dev/null");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(folder + "/err"), "");
}

TEST_F(OutputFile, HelpThatCannotBeWrittenIsAFailure)
{
    const auto help = runCli({"--help"}, "/dev/full");
    EXPECT_EQ(help.status, 1);
    EXPECT_NE(help.err.find("cannot write"), std::string::npos);
}

#endif

} // namespace
