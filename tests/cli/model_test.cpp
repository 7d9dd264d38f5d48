// quillon-cli model as a user runs it, where the platform could change its
// bytes: a binary file through a pipe and into a file, byte for byte (a
// Windows stream in text mode would turn each 0x0A into 0x0D 0x0A). The
// files themselves are read back by model_files_test.py.

#include "run_program.h"

#include <gtest/gtest.h>

#include <cstdint>

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

} // namespace
