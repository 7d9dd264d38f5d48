// quillon-cli outline as a user runs it: what it refuses, and what it says of
// an approximate outline. The files themselves are read back by
// outline_files_test.py.

#include "run_program.h"

#include <gtest/gtest.h>

using namespace quillon::cli::test;

namespace {

TEST(Outline, RefusalsAreInputErrorsThatWriteNothing)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        // The core's reasons are its own tests'; here they reach the user.
        {{"outline", "HTD5M", "40"}, "; give --approximate to draw it so"},
        {{"outline", "T2.5", "6"}, "T2.5 at 6 teeth cannot be drawn: no land"},
    };
    const std::string folder = makeScratchFolder();
    const std::string file = folder + "/pulley.svg";
    writeFile(file, "before");
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--output", file});
        const auto result = runCli(arguments);
        EXPECT_EQ(result.status, 2) << c.arguments[1];
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(readFile(file), "before") << c.arguments[1];
    }
}

TEST(Outline, ReadsTheToothCountAsRunDoesThenWantsAWholeNumberFrom3)
{
    // The texts the window and run read as 20 draw XL 20.
    const std::string twenty = runCli({"outline", "XL", "20"}).out;
    for (const char* teeth : {"&H14", "2 0", "20abc", "２０", "&Ｈ１４"}) {
        const auto result = runCli({"outline", "XL", teeth});
        EXPECT_EQ(result.status, 0) << teeth << ": " << result.err;
        EXPECT_EQ(result.out, twenty) << teeth;
    }
    EXPECT_EQ(runCli({"outline", "XL", "1e400"}).err, runCli({"run", "XL", "1e400"}).err);
    const struct {
        const char* teeth;
        const char* message;
    } refused[] = {
        {"abc", "quillon-cli: TEETH \"abc\" reads as 0: an outline is drawn for a whole number of teeth from 3\n"},
        {"４.５",
            "quillon-cli: TEETH \"４.５\" reads as 4.5: an outline is drawn for a whole number of teeth from 3\n"},
        {"2", "quillon-cli: TEETH \"2\": an outline is drawn for a whole number of teeth from 3\n"},
    };
    for (const auto& c : refused) {
        const auto result = runCli({"outline", "XL", c.teeth});
        EXPECT_EQ(result.status, 2) << c.teeth;
        EXPECT_EQ(result.err, c.message);
    }
}

TEST(Outline, AnApproximateOutlineSaysSoOnStandardError)
{
    const auto result = runCli({"outline", "HTD5M", "30", "--approximate", "--units", "in"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("width=\"1.92in\" height=\"1.92in\""), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("approximate"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("where the table gives 0.128 in"), std::string::npos) << result.err;
    // An exact outline is quiet.
    EXPECT_EQ(runCli({"outline", "XL", "20"}).err, "");
}

} // namespace
