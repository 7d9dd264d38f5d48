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
    // The 3D model reads it through the same door.
    const std::string modelOf20 = runCli({"model", "XL", "20", "--width", "6", "--format", "stl"}).out;
    EXPECT_EQ(runCli({"model", "XL", "&H14", "--width", "6", "--format", "stl"}).out, modelOf20);
    EXPECT_EQ(runCli({"model", "XL", "abc", "--width", "6", "--format", "stl"}).err,
        "quillon-cli: TEETH \"abc\" reads as 0: an outline is drawn for a whole number of teeth from 3\n");
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

// The core gives the reason as data; the command words it, the whole
// message as it has always read (scripts match on these).
TEST(Outline, WordsEachObstacleInEnglish)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"STPD S2M", "20"},
            "STPD S2M cannot be drawn: its flanks are arcs of radius RA, and the table does not give where their "
            "centres lie"},
        {{"HTD3M", "3"}, "HTD3M at 3 teeth cannot be drawn: its root diameter -0.457 mm is not above 0"},
        {{"XL", "3"}, "XL at 3 teeth cannot be drawn: the bottom width 1.32 mm does not fit in the root circle"},
        {{"T2.5", "3"},
            "T2.5 at 3 teeth cannot be drawn: the tip fillet (radius 0.2 mm) does not fit between the flank and the "
            "outside circle"},
        {{"H", "5"}, "H at 5 teeth cannot be drawn: no straight flank is left between the tip and root fillets"},
        {{"HTD3M", "8", "--approximate"},
            "HTD3M at 8 teeth cannot be drawn: no straight flank is left between the tip fillet and the bottom arc"},
        {{"HTD20M", "40", "--approximate"},
            "HTD20M at 40 teeth cannot be drawn: a bottom arc with flanks tangent to it gives a top width of 14.166 mm "
            "where the table gives 14.8 mm; the table does not give the shape of this groove"},
        {{"HTD5M", "40"},
            "HTD5M is drawn only approximately: its numbers over-determine a bottom arc with straight flanks tangent "
            "to it, whose top width (3.28 mm) differs from the table's (3.25 mm); give --approximate to draw it so"},
        {{"T2.5", "6"}, "T2.5 at 6 teeth cannot be drawn: no land is left on the outside circle between the grooves"},
        {{"T20", "3"}, "T20 at 3 teeth cannot be drawn: neighbouring grooves overlap below the outside circle"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"outline"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(runCli(arguments).err, std::string("quillon-cli: ") + c.message + "\n");
    }
}

TEST(Outline, TheFormatFollowsTheOutputFilesExtensionUnlessGiven)
{
    // An xl20.dxf that held an SVG would be opened by a CAD program as a
    // broken drawing.
    const std::string folder = makeScratchFolder();
    const std::string dxf = runCli({"outline", "XL", "20", "--format", "dxf"}).out;
    const std::string svg = runCli({"outline", "XL", "20"}).out;
    const struct {
        const char* name;
        std::vector<std::string> format;
        const std::string& expected;
    } cases[] = {
        {"xl20.dxf", {}, dxf},
        {"XL20.DXF", {}, dxf},
        {"xl20.svg", {}, svg},
        {"xl20.dxf.txt", {}, svg},
        {"xl20.dxf", {"--format", "svg"}, svg},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"outline", "XL", "20", "-o", folder + "/" + c.name};
        arguments.insert(arguments.end(), c.format.begin(), c.format.end());
        ASSERT_EQ(runCli(arguments).status, 0) << c.name;
        EXPECT_EQ(readFile(folder + "/" + c.name), c.expected) << c.name;
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
