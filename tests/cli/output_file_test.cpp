// Where quillon-cli writes: links, devices, pipes, and what is left behind
// when writing fails or is interrupted; on POSIX with a shell, links, signals
// and resource limits, on Windows its devices, names and sharing.

#include "run_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/stat.h>
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

TEST_F(OutputFile, ADescriptorsNameIsWrittenThroughTheDescriptorAsTheShellDoes)
{
    // Followed as links, these names lead to the file the shell opened (whose
    // replacement loses what >> appended to) or to "pipe:[…]", not a file.
    const std::string table = runCli({"identify", "--od", "62.6", "--teeth", "40"}).out;
    const struct {
        const char* command; // in the scratch folder, writing into "out"; WRITE writes the table
        std::string expected;
    } cases[] = {
        {"echo previous > out; WRITE /dev/stdout >> out", "previous\n" + table},
        {"echo previous > out; ln -s /dev/stdout link; WRITE link >> out", "previous\n" + table},
        {"WRITE /dev/stdout | cat > out", table},
        {"bash -c \"WRITE >(cat > out); wait \\$!\"", table}, // process substitution
        {"WRITE /dev/stderr 2> out", table},
        {"WRITE /dev/fd/3 3> out", table},
        {"echo previous > out; WRITE /proc/self/fd/4 4>> out", "previous\n" + table},
        {"echo previous > out; WRITE /dev/../dev/fd/4 4>> out", "previous\n" + table},
    };
    for (const auto& c : cases) {
        fs::remove_all(folder);
        fs::create_directory(folder);
        std::string command = c.command;
        command.replace(command.find("WRITE"), 5, "PROGRAM identify --od 62.6 --teeth 40 --output");
        EXPECT_EQ(shell("cd '" + folder + "' && " + command), 0) << c.command;
        EXPECT_EQ(readFile(folder + "/out"), c.expected) << c.command;
    }
    const auto closed = runCli({"types", "--output", "/dev/fd/9"});
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err, "quillon-cli: cannot write /dev/fd/9: Bad file descriptor\n");
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

TEST_F(OutputFile, WrittenAsTheShellWouldWriteItAsAnOrdinaryUser)
{
    // Root may write any file, so the program runs as nobody; the files
    // belong to root where they are another user's.
    if (geteuid() != 0 || shell("setpriv --reuid=nobody --regid=nogroup --clear-groups test -x PROGRAM") != 0)
        GTEST_SKIP() << "needs root, setpriv, and quillon-cli where nobody may run it";
    fs::permissions(folder, fs::perms::all);
    const auto asNobody = [&](const std::string& command) {
        return shell("cd '" + folder + "' && setpriv --reuid=nobody --regid=nogroup --clear-groups sh -c '" + command
            + "' 2>err");
    };
    ASSERT_EQ(asNobody("echo old > ro.csv && chmod 444 ro.csv"), 0);
    fs::create_directory(folder + "/sticky");
    fs::permissions(folder + "/sticky", fs::perms::all | fs::perms::sticky_bit);
    fs::create_directory(folder + "/closed"); // no new files for nobody
    for (const char* file : {"/sticky/shared.csv", "/closed/open.csv"}) {
        writeFile(folder + file, std::string(1000, 'x')); // longer than the table
        fs::permissions(folder + file, fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all);
    }
    const std::string types = runCli({"types", "--format", "csv", "--columns", "belt"}).out;

    const struct {
        const char* file;
        int status;
        const char* error; // in standard error
    } cases[] = {
        {"ro.csv", 1, "quillon-cli: cannot write ro.csv: Permission denied\n"},
        {"sticky/shared.csv", 0, ""},
        {"closed/open.csv", 0, ""},
    };
    for (const auto& c : cases) {
        const std::string path = folder + "/" + c.file;
        const std::string before = readFile(path);
        struct stat was { };
        ASSERT_EQ(stat(path.c_str(), &was), 0);
        EXPECT_EQ(asNobody("PROGRAM types --format csv --columns belt --output " + std::string(c.file)), c.status)
            << c.file;
        EXPECT_EQ(readFile(folder + "/err"), c.error) << c.file;
        EXPECT_EQ(readFile(path), c.status == 0 ? types : before) << c.file;
        // The same file: its owner, mode and identity kept.
        struct stat is { };
        ASSERT_EQ(stat(path.c_str(), &is), 0);
        EXPECT_EQ(std::tuple(is.st_ino, is.st_uid, is.st_mode), std::tuple(was.st_ino, was.st_uid, was.st_mode))
            << c.file;
    }
    EXPECT_EQ(entriesIn(folder + "/sticky"), 1u);
}

TEST_F(OutputFile, AFileWithTwoNamesIsWrittenInPlace)
{
    writeFile(folder + "/a.csv", std::string(1000, 'x'));
    fs::create_hard_link(folder + "/a.csv", folder + "/b.csv");
    ASSERT_EQ(runCli({"types", "--columns", "belt", "--output", folder + "/a.csv"}).status, 0);
    const std::string types = runCli({"types", "--columns", "belt"}).out;
    EXPECT_EQ(readFile(folder + "/a.csv"), types);
    EXPECT_EQ(readFile(folder + "/b.csv"), types);
    EXPECT_EQ(entriesIn(folder), 2u);
}

TEST_F(OutputFile, ANameNearTheLimitIsWrittenAsTheShellWouldWriteIt)
{
    // 250 bytes: a temporary name made by adding to it would be too long.
    const std::string file = folder + "/" + std::string(246, 'p') + ".csv";
    ASSERT_EQ(runCli({"types", "--columns", "belt", "--output", file}).status, 0);
    EXPECT_EQ(readFile(file), runCli({"types", "--columns", "belt"}).out);
    EXPECT_EQ(entriesIn(folder), 1u);
}

TEST_F(OutputFile, TheTemporaryFileIsPrivateAndOnTheDiskBeforeTheRename)
{
    if (shell("strace -V >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs strace";
    // LeakSanitizer cannot run under ptrace: without it in a sanitizer build.
    ASSERT_EQ(shell("cd '" + folder
                  + "' && umask 022 && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "
                    "strace -o trace -e trace=openat,fchmod,fsync,rename PROGRAM types --output new.csv"),
        0);
    // The calls on the temporary file and its folder, in order, without
    // their descriptors.
    std::string calls;
    std::istringstream trace(readFile(folder + "/trace"));
    for (std::string line; std::getline(trace, line);) {
        const auto has = [&](const char* part) { return line.find(part) != std::string::npos; };
        if (has("O_EXCL"))
            calls += has(", 0600)") ? "create 0600, " : "create, ";
        else if (line.starts_with("fchmod("))
            calls += "fchmod " + line.substr(line.find(", ") + 2, 4) + ", ";
        else if (line.starts_with("fsync(") || line.starts_with("rename("))
            calls += line.substr(0, line.find('(')) + ", ";
        else if (has("O_DIRECTORY"))
            calls += "folder, ";
    }
    EXPECT_EQ(calls, "create 0600, fchmod 0644, fsync, rename, folder, fsync, ");
    EXPECT_EQ(fs::status(folder + "/new.csv").permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(OutputFile, HelpThatCannotBeWrittenIsAFailure)
{
    const auto help = runCli({"--help"}, "/dev/full");
    EXPECT_EQ(help.status, 1);
    EXPECT_NE(help.err.find("cannot write"), std::string::npos);
}

#else

TEST(OutputFile, WindowsDevicesNamesAndFilesInUse)
{
    const std::string folder = makeScratchFolder();
    const auto path = [&](const std::string& name) { return fs::path(std::u8string(name.begin(), name.end())); };
    writeFile(folder + "/held.csv", "before");
    // Held open as Excel holds a workbook: no one else may write it.
    HANDLE held = CreateFileW(path(folder + "/held.csv").wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const struct {
        std::string output;
        int status;
        const char* error; // a part of standard error
    } cases[] = {
        {"NUL", 0, ""}, {folder + "/a?b.csv", 1, "Windows does not allow this name"},
        {folder + "/held.csv", 1, "held.csv: it is in use by another program"},
        {"CON", 1, "CON is the console, and this program has none"}, // ctest gives it none
    };
    for (const auto& c : cases) {
        const auto result = runCli({"types", "--output", c.output});
        EXPECT_EQ(result.status, c.status) << c.output;
        EXPECT_NE(result.err.find(c.error), std::string::npos) << c.output << ": " << result.err;
        EXPECT_EQ(c.status != 0, !result.err.empty()) << result.err;
    }
    CloseHandle(held);
    EXPECT_EQ(readFile(folder + "/held.csv"), "before");
    EXPECT_EQ(std::distance(fs::directory_iterator(path(folder)), fs::directory_iterator()), 1);
    fs::remove_all(path(folder));
}

#endif

} // namespace