// quillon-cli model as a user runs it, where the platform could change its
// bytes: a binary file through a pipe and into a file, byte for byte (a
// Windows stream in text mode would turn each 0x0A into 0x0D 0x0A). The
// files themselves are read back by model_files_test.py.

#include "run_program.h"

#include <gtest/gtest.h>

#include <cstdint>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#endif

using namespace quillon::cli::test;

namespace {

TEST(Model, BinaryFilesReachAPipeAndAFileUnchanged)
{
    const std::string folder = makeScratchFolder();
    for (const char* format : {"stl", "3mf"}) {
        const std::vector<std::string> pulley = {"model", "XL", "20", "--width", "10", "--bore", "5"};
        std::vector<std::string> piped = pulley;
        piped.insert(piped.end(), {"--format", format});
        const auto throughPipe = runCli(piped);
        ASSERT_EQ(throughPipe.status, 0) << throughPipe.err;
        std::vector<std::string> toFile = pulley;
        const std::string file = folder + "/pulley." + format;
        toFile.insert(toFile.end(), {"--output", file});
        ASSERT_EQ(runCli(toFile).status, 0);
        EXPECT_EQ(throughPipe.out, readFile(file)) << format;
        if (std::string(format) == "stl") {
            ASSERT_GE(throughPipe.out.size(), 84U);
            std::uint32_t count = 0;
            for (int i = 3; i >= 0; --i)
                count = count << 8 | static_cast<unsigned char>(throughPipe.out[80 + static_cast<std::size_t>(i)]);
            EXPECT_EQ(throughPipe.out.size(), 84 + 50 * std::size_t{count});
        } else {
            EXPECT_EQ(throughPipe.out.substr(0, 4), std::string("PK\x03\x04", 4));
        }
    }
}

#ifndef _WIN32
// A terminal reached through a path rather than as standard output: the
// terminal's own name, and /dev/stdout while standard output is one.
TEST(Model, BinaryFileIsNotWrittenOntoATerminalNamedByItsPath)
{
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const std::string device = ptsname(terminal);
    // Read whatever reaches the terminal, so that a file written onto it in
    // error fails the test instead of filling the terminal and waiting.
    std::atomic<bool> done{false};
    std::thread reader([&] {
        std::array<char, 4096> buffer{};
        while (!done)
            if (read(terminal, buffer.data(), buffer.size()) <= 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });
    const std::vector<std::string> pulley = {"model", "XL", "20", "--width", "10", "--format", "stl", "-o"};
    for (const auto& [output, stdoutPath] :
        {std::pair{device, std::string()}, std::pair{std::string("/dev/stdout"), device}}) {
        std::vector<std::string> arguments = pulley;
        arguments.push_back(output);
        const auto result = runCli(arguments, stdoutPath);
        EXPECT_EQ(result.status, 2) << output;
        EXPECT_NE(result.err.find("of no use on a terminal"), std::string::npos) << result.err;
    }
    done = true;
    reader.join();
    close(terminal);
}
#endif

} // namespace
