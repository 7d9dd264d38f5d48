// quillon-cli hob and outline --hobbed as a user runs them: the refusals in
// the command line's words, the inch table's six decimals, and the hob named
// where a hobbed outline is written. The geometry is the core's tests'; the
// files are checked against a sweep by hob_check.py.

#include "run_program.h"

#include <gtest/gtest.h>

using namespace quillon::cli::test;

namespace {

TEST(Hob, RefusalsSayWhyAndWriteNothing)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"hob", "XL", "9"}, "9 teeth lies in none of its segments (Z10-20, Z21-72); give --design-teeth Z"},
        {{"hob", "XXL", "20"}, "XXL: its table gives no tooth-count segments"},
        {{"hob", "T5", "20", "--teeth", "21"}, "are on different rows of its table"},
        {{"hob", "HTD5M", "40"}, "; give --approximate to draw it so"},
        {{"hob", "STPD S8M", "40"}, "the table does not give where their centres lie"},
        {{"hob", "XL", "15", "--design-teeth", "2"}, "for 3 to 100000 teeth, not 2"},
        {{"hob", "XL", "15", "--format", "svg", "--teeth", "12"}, "--teeth go with the table formats"},
        {{"outline", "XL", "20", "--design-teeth", "12"}, "--design-teeth goes with --hobbed"},
        {{"outline", "XL", "9", "--hobbed"}, "give --design-teeth Z"},
    };
    const std::string folder = makeScratchFolder();
    const std::string file = folder + "/hob.txt";
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

TEST(Hob, InchesHaveSixDecimals)
{
    // A writer that took the tables' four-decimal inches would round the
    // 0.1 µm figures away.
    const auto result = runCli({"hob", "XL", "15", "--units", "in", "--format", "csv", "--teeth", "20"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(
        result.out.find("\r\nXL,Z10-20,10,20,0.001531,0.002573,0.001931,-0.000817,-0.003953,in\r\n"), std::string::npos)
        << result.out;
}

TEST(Hob, AHobbedOutlineNamesItsHobOnStandardErrorAndInItsDescription)
{
    const auto result = runCli({"outline", "XL", "20", "--hobbed"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string named = "grooves as the hob designed for 10 teeth (segment Z10-20) cuts them";
    EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    EXPECT_NE(result.out.find(named), std::string::npos);
}

} // namespace
