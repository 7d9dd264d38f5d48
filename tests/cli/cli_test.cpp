// quillon-cli as a user runs it: a separate process, its output read back.

#include "run_program.h"

#include "calc/catalogue/catalogue.h"
#include "calc/derived/table.h"
#include "calc/run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

using namespace quillon;
using namespace quillon::cli::test;

namespace {

// A small RFC 4180 reader: quoted fields, doubled quotes, CRLF line ends.
std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                rows.back().back() += text[++i];
            else if (c == '"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back() == std::vector<std::string>(1))
        rows.pop_back();
    return rows;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(text.substr(start, end - start));
    return out;
}

TEST(Table, EveryRowIsWhatTheWindowShows)
{
    // Both sides of the T series' 20 teeth, and the ends of the segments.
    const auto result = runCli({"table", "--all", "--teeth", "1-3, 19-22, 40, 200-201, 1000000", "--format", "csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto rows = readCsv(result.out);
    ASSERT_EQ(rows.size(), 1 + 22 * 11u);
    std::vector<std::string> names;
    for (const TableColumn& column : kTableColumns)
        names.emplace_back(column.name);
    ASSERT_EQ(rows[0], names);
    std::size_t next = 1;
    for (std::string_view beltType : kBeltTypes) {
        for (int teeth : {1, 2, 3, 19, 20, 21, 22, 40, 200, 201, 1000000}) {
            const auto& row = rows[next++];
            const RunResult shown = runCalculation(beltType, std::to_string(teeth));
            EXPECT_EQ(row[0], beltType);
            EXPECT_EQ(row[1], std::to_string(teeth));
            for (std::size_t column = 2; column < 22; ++column)
                EXPECT_EQ(row[column], shown.text(kTableColumns[column].box))
                    << beltType << " " << teeth << " " << kTableColumns[column].name;
        }
    }
}

TEST(Table, HobSegmentAndItsTeeth)
{
    const auto result = runCli({"table", "MXL", "STPD S14M", "T20", "--teeth", "9,10,24,100,101,201", "--format", "tsv",
        "--columns", "belt,teeth,hobSegment,hobTeeth"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
        "belt\tteeth\thobSegment\thobTeeth\n"
        "MXL\t9\t\t\nMXL\t10\tZ10-23\t10\nMXL\t24\tZ24-R\t24\nMXL\t100\tZ24-R\t24\nMXL\t101\tZ24-R\t24\n"
        "MXL\t201\tZ24-R\t24\n"
        "STPD S14M\t9\t\t\nSTPD S14M\t10\t\t\nSTPD S14M\t24\t\t\nSTPD S14M\t100\t52-100\t52\n"
        "STPD S14M\t101\tZ101-200\t101\nSTPD S14M\t201\t\t\n"
        "T20\t9\t\t\nT20\t10\t\t\nT20\t24\tZ21-R\t21\nT20\t100\tZ21-R\t21\nT20\t101\tZ21-R\t21\nT20\t201\tZ21-R\t21\n");
}

TEST(Table, InchesConvertLengthsAndTolerancesButNotAngles)
{
    const auto result = runCli({"table", "MXL", "--teeth", "40", "--units", "in", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto document = nlohmann::ordered_json::parse(result.out);
    EXPECT_EQ(document["units"], "in");
    const auto& row = document["rows"][0];
    const std::map<std::string, std::string> expected = {{"pitch", "0.08"}, {"pitchDiameter", "1.0186"},
        {"outsideDiameter", "0.9986"}, {"rootDiameter", "0.9443"}, {"bottomWidth", "0.0331"},
        {"bottomWidthTol", "±0.002"}, {"grooveDepth", "0.0272"}, {"grooveDepthTol", "-0.002"}, {"halfAngle", "20"},
        {"halfAngleTol", "±1.5"}, {"tipRadius", "0.0051"}, {"tipRadiusTol", "+0.002"}, {"rootRadius", "0.0138"},
        {"rootRadiusTol", "max"}, {"twiceTipOffset", "0.02"}, {"topWidth", ""}, {"flankRadius", ""}};
    for (const auto& [column, text] : expected)
        EXPECT_EQ(row[column], text) << column;
    EXPECT_EQ(row["teeth"], 40);
    EXPECT_EQ(row["hobTeeth"], 24);
}

TEST(Json, RowsKeepColumnOrderAndNumbers)
{
    const auto result = runCli({"hobs", "T5", "XXL", "--format", "json", "--columns", "segment,lastTeeth,firstTeeth"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
        "{\"units\": \"mm\", \"rows\": [\n"
        "{\"segment\":\"Z10-14\",\"lastTeeth\":14,\"firstTeeth\":10},\n"
        "{\"segment\":\"Z15-20\",\"lastTeeth\":20,\"firstTeeth\":15},\n"
        "{\"segment\":\"Z21-R\",\"lastTeeth\":null,\"firstTeeth\":21}\n]}\n");
    EXPECT_TRUE(nlohmann::json::accept(result.out));

    // run has the same writers: its columns can be picked in JSON too.
    const auto run = runCli({"run", "MXL", "4 0", "--format", "json", "--columns", "text,box"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto object = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(object["units"], "mm");
    ASSERT_EQ(object["rows"].size(), 20u);
    EXPECT_EQ(object["rows"][1], nlohmann::ordered_json::parse(R"({"text":"25.872","box":"Text13"})"));
    EXPECT_EQ(object["rows"][11]["text"], "±0.05");
}

TEST(Hobs, EachRangeAtItsFirstToothCount)
{
    const auto result = runCli({"hobs", "T5", "XXL", "--format", "csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto rows = readCsv(result.out);
    ASSERT_EQ(rows.size(), 4u); // XXL has no segments
    const std::vector<std::string> head = {"belt", "segment", "firstTeeth", "lastTeeth", "pitchDiameter",
        "outsideDiameter", "rootDiameter", "grooveDepth", "topWidth", "bottomWidth"};
    EXPECT_EQ(rows[0], head);
    // Z15-20 uses the row for 20 teeth or fewer, Z21-R the one above 20.
    for (const auto& row : {rows[2], rows[3]}) {
        const RunResult shown = runCalculation("T5", row[2]);
        EXPECT_EQ(row[4], shown.text("Text13"));
        EXPECT_EQ(row[5], shown.text("Text3"));
        EXPECT_EQ(row[6], shown.text("Text4"));
        EXPECT_EQ(row[7], shown.text("Text7"));
        EXPECT_EQ(row[8], shown.text("Text6"));
        EXPECT_EQ(row[9], shown.text("Text5"));
    }
    EXPECT_EQ(rows[3][7], "1.95");
    EXPECT_EQ(rows[2][7], "1.25");

    const auto text = runCli({"hobs", "XXL"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("XXL: no tooth-count segments"), std::string::npos) << text.out;
}

TEST(Run, ReadsTheToothCountAsTheWindowDoes)
{
    for (const char* teeth : {"40", "4 0", "&H28", "40abc", "４０", "　４０", "&Ｈ２８"}) {
        const auto result = runCli({"run", "MXL", teeth, "--format", "tsv", "--columns", "box,text"});
        ASSERT_EQ(result.status, 0) << teeth << result.err;
        EXPECT_NE(result.out.find("Text13\t25.872\n"), std::string::npos) << teeth;
    }
    const auto half = runCli({"run", "T5", "４.５", "--format", "tsv", "--columns", "text"});
    EXPECT_EQ(lines(half.out).at(2), "7.162"); // 4.5 teeth
    const auto negative = runCli({"run", "T5", "-5", "--columns", "text", "--format", "tsv"});
    EXPECT_EQ(lines(negative.out).at(2), "-7.958");
    const auto afterDashes = runCli({"run", "T5", "--format", "tsv", "--columns", "text", "--", "-.5"});
    EXPECT_EQ(afterDashes.status, 0) << afterDashes.err;
    EXPECT_EQ(lines(afterDashes.out).at(2), "-0.796");
}

TEST(Csv, QuotesOnlyWhereNeededAndReadsBack)
{
    const auto result = runCli({"run", "MXL", "40", "--decimal-separator", ",", "--format", "csv", "--bom"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(result.out.find("Text13,pitchDiameter,\"25,872\"\r\n"), std::string::npos);
    EXPECT_NE(result.out.find("Text14,bottomWidthTol,±0.05\r\n"), std::string::npos);
    const auto rows = readCsv(result.out.substr(3));
    ASSERT_EQ(rows.size(), 21u);
    const RunResult shown = runCalculation("MXL", "40", ",");
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(rows[i + 1][0], shown.boxes()[i].name);
        EXPECT_EQ(rows[i + 1][2], shown.boxes()[i].text);
    }
}

TEST(Csv, QuotesInAFieldAreDoubled)
{
    const auto result = runCli({"run", "MXL", "40", "--decimal-separator", "\"", "--format", "csv"});
    const auto rows = readCsv(result.out);
    ASSERT_EQ(rows.size(), 21u) << result.out;
    const RunResult shown = runCalculation("MXL", "40", "\"");
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(rows[i + 1][2], shown.boxes()[i].text);
}

TEST(Identify, ListsTheTypesNearTheMeasuredDiameter)
{
    // Full-width digits and a plus sign, as users type them.
    const auto one = runCli({"identify", "--od", "+25.36", "--teeth", "４０", "--format", "csv"});
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, "belt,teeth,outsideDiameter,difference\r\nMXL,40,25.364,-0.004\r\n");
    const auto between = runCli({"identify", "--od", "62.6", "--teeth", "40", "--format", "tsv"});
    EXPECT_EQ(
        between.out, "belt\tteeth\toutsideDiameter\tdifference\nT5\t40\t62.662\t-0.062\nHTD5M\t40\t62.522\t0.078\n");
    const auto inches = runCli({"identify", "--od", "1", "--teeth", "40", "--units", "in", "--format", "tsv"});
    // In inches the rows say so, in a column after the usual ones.
    EXPECT_EQ(inches.out, "belt\tteeth\toutsideDiameter\tdifference\tunits\nMXL\t40\t0.9986\t0.0014\tin\n");
}

TEST(Errors, EachSaysWhatWasWrongWithItsStatus)
{
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* message; // a part of the one line on stderr
    } cases[] = {
        {{"frobnicate"}, 2, "frobnicate"},
        {{"table", "--all", "--teeth", "10", "--frob"}, 2, "--frob"},
        {{"table", "MXL"}, 2, "--teeth"},
        {{"table", "MXL", "--teeth", "10-"}, 2, "whole number"},
        {{"table", "MXL", "--teeth", "30-10"}, 2, "ends below its start"},
        {{"table", "MXL", "--teeth", "0"}, 2, "from 1 to 1000000"},
        {{"table", "MXL", "--teeth", "1000001"}, 2, "from 1 to 1000000"},
        {{"table", "MXL", "--teeth", "99999999999"}, 2, "from 1 to 1000000"},
        {{"table", "MXL", "--teeth", "1 0"}, 2, "whole number"},
        {{"table", "MXL", "--teeth", "10,,20"}, 2, "empty item"},
        {{"table", "MXL", "--all", "--teeth", "10"}, 2, "not both"},
        {{"table", "--teeth", "10"}, 2, "--all"},
        {{"table", "mxl", "--teeth", "10"}, 2, "did you mean \"MXL\""},
        {{"run", "HTD 5M", "40"}, 2, "did you mean \"HTD5M\""},
        {{"run", "Nothing like it", "40"}, 2, "\"Nothing like it\". Belt types are matched exactly"},
        {{"run", "ＭＸＬ", "40"}, 2, "did you mean \"MXL\"?"}, // as a Chinese input method types it
        {{"types", "--units", "in"}, 2, "types takes no --units; table, hobs, identify"},
        {{"run", "MXL", "1e400"}, 2, "smaller tooth count"},
        {{"run", "MXL"}, 2, "TEETH"},
        {{"types", "--columns", "belt,colour"}, 2, "belt,family,pitch,segmentLine1,segmentLine2"},
        {{"types", "--format", "xml"}, 2, "xml"},
        {{"types", "--bom"}, 2, "--bom"},
        {{"identify", "--od", "abc", "--teeth", "40"}, 2, "not a number"},
        {{"identify", "--od", "25", "--teeth", "4.5"}, 2, "whole number"},
        {{"identify", "--od", "25", "--teeth", "40", "--tolerance", "-1"}, 2, "0 or more"},
        {{"identify", "--od", "25", "--teeth", "40", "--units", "ft"}, 2, "ft"},
        {{"identify", "--od", "1000", "--teeth", "40"}, 1, "no belt type"},
        {{"run", "", "40"}, 2, "give a belt type"},
        {{"identify", "--od", "1e306", "--teeth", "40"}, 2, "--od"},
        {{"identify", "--od", "0", "--teeth", "40"}, 2, "positive"},
        {{"table", "MXL", "--teeth", "-1"}, 2, "below 1"},
        {{"types", "--columns", ""}, 2, "empty name"},
        {{"types", "--columns", "belt,pitch,belt"}, 2, "named twice"},
        {{"drive", "HTD5M", "20", "40"}, 2, "not both or neither"},
        {{"drive", "HTD5M", "20", "40", "--centre", "100", "--belt-teeth", "90"}, 2, "not both or neither"},
        {{"drive", "HTD5M", "20", "0", "--centre", "100"}, 2, "Z2"},
        {{"drive", "HTD5M", "20", "40", "--centre", "-5"}, 2, "positive"},
        {{"drive", "HTD5M", "20", "40", "--centre", "46.6065"}, 2, "touch"},
        {{"drive", "HTD5M", "20", "40", "--centre", "1e9"}, 2, "more than 1000000 teeth"},
        {{"drive", "HTD5M", "20", "40", "--belt-teeth", "1-40"}, 1, "no belt of the list fits"},
    };
    for (const auto& c : cases) {
        const auto result = runCli(c.arguments);
        const std::string call = c.arguments.front() + " ... " + c.arguments.back();
        EXPECT_EQ(result.status, c.status) << call;
        EXPECT_EQ(result.out, "") << call;
        EXPECT_EQ(result.err.rfind("quillon-cli: ", 0), 0u) << call << ": " << result.err;
        EXPECT_EQ(lines(result.err).size(), 1u) << call << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << call << ": " << result.err;
    }
#ifndef _WIN32 // Windows hands arguments over as UTF-16, always well formed
    const auto gbk = runCli({"run", "MXL", "\xff\x34\x30", "--format", "json"}); // GBK bytes
    EXPECT_EQ(gbk.status, 2);
    EXPECT_NE(gbk.err.find("not UTF-8"), std::string::npos) << gbk.err;
#endif
}

TEST(Errors, ALongArgumentIsShownByItsStartAndLength)
{
    // 10,000 characters: as long as a Windows command line lets the test be.
    std::string list;
    while (list.size() < 9998)
        list += "1,";
    list += "x";
    const std::string big = "1" + std::string(9999, '0'); // beyond a double
    const struct {
        std::vector<std::string> arguments;
        const char* shown; // as the message shows the argument
    } cases[] = {
        {{"table", "MXL", "--teeth", list},
            "--teeth \"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,...\" (9999 characters)"},
        {{"run", "MXL", big}, "TEETH \"1000000000000000000000000000000000000000...\" (10000 characters)"},
        {{"identify", "--od", list, "--teeth", "40"},
            "\"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,...\" (9999 characters)"},
        {{list}, "unknown command \"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,...\" (9999 characters)"},
        {{"types", "--format", list}, "--format: 1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,... (9999 characters) not in"},
        {{"types", list}, "not expected: 1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,... (9999 characters)"},
    };
    for (const auto& c : cases) {
        const auto result = runCli(c.arguments);
        EXPECT_EQ(result.status, 2) << c.shown;
        EXPECT_LT(result.err.size(), 250u) << result.err;
        EXPECT_NE(result.err.find(c.shown), std::string::npos) << result.err;
    }
    // Up to 43 characters an argument is shown whole: "..." would save nothing.
    const std::string whole(43, '9');
    EXPECT_NE(runCli({"table", "MXL", "--teeth", whole}).err.find("--teeth \"" + whole + "\": \""), std::string::npos);
}

TEST(Output, TheFileIsWrittenWholeOrNotAtAll)
{
    const std::string folder = makeScratchFolder();
    const std::string file = folder + "/结果.csv";
    writeFile(file, "before");

    // An input error leaves the file as it was.
    EXPECT_EQ(runCli({"table", "MXL", "--teeth", "0", "--output", file}).status, 2);
    EXPECT_EQ(readFile(file), "before");

    const auto written = runCli({"table", "MXL", "--teeth", "10-12", "--format", "csv", "--output", file});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    // Its status too: a program that died would look like one that wrote nothing.
    const auto expected = runCli({"table", "MXL", "--teeth", "10-12", "--format", "csv"});
    ASSERT_EQ(expected.status, 0) << expected.err;
    EXPECT_EQ(readFile(file), expected.out);

    // A folder cannot be replaced by the finished file: status 1, the folder
    // stays, and no temporary file is left beside it.
    const std::string target = folder + "/a folder";
    std::filesystem::create_directory(std::filesystem::path(std::u8string(target.begin(), target.end())));
    const auto failed = runCli({"types", "--output", target});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("quillon-cli: cannot write"), std::string::npos) << failed.err;
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
        std::filesystem::directory_iterator(std::filesystem::path(std::u8string(folder.begin(), folder.end()))))
        ++entries;
    EXPECT_EQ(entries, 2u); // 结果.csv and the folder

    EXPECT_EQ(runCli({"types", "--output", folder + "/no such folder/x.csv"}).status, 1);
    std::filesystem::remove_all(std::filesystem::path(std::u8string(folder.begin(), folder.end())));
}

#ifndef _WIN32
TEST(Output, AFullDeviceIsAFailure)
{
    const auto result = runCli({"table", "--all", "--teeth", "1-100"}, "/dev/full");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("quillon-cli: cannot write the output"), std::string::npos) << result.err;
}

TEST(Output, AClosedPipeEndsQuietly)
{
    const std::string folder = makeScratchFolder();
    const std::string command
        = "'" + programPath() + "' table --all --teeth 1-100000 2>'" + folder + "/err' | head -n 1 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readFile(folder + "/err"), "");
    std::filesystem::remove_all(folder);
}
#endif

TEST(Help, EachCommandEndsWithItsOwnExamplesAndTakesDashO)
{
    const auto version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillon-cli 1.00\n");
    for (const char* command : {"types", "run", "table", "hobs", "identify", "drive", "outline"}) {
        const auto help = runCli({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        // One section of examples, the last, every line an example of this command.
        const std::size_t examples = help.out.find("\nExamples:\n");
        ASSERT_NE(examples, std::string::npos) << help.out;
        EXPECT_EQ(help.out.find("Examples:", examples + 2), std::string::npos) << help.out;
        for (const std::string& line : lines(help.out.substr(examples + 11)))
            EXPECT_EQ(line.rfind("  quillon-cli " + std::string(command) + " ", 0), 0u) << command << ": " << line;
        EXPECT_NE(help.out.find("-o,--output FILE"), std::string::npos) << command;
    }
    const auto help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("identify"), std::string::npos);

    const std::string folder = makeScratchFolder();
    EXPECT_EQ(runCli({"types", "-o", folder + "/types.txt"}).status, 0);
    EXPECT_EQ(readFile(folder + "/types.txt"), runCli({"types"}).out);
    std::filesystem::remove_all(folder);
}

TEST(Drive, InchesAndTheNoteOnTeethInMesh)
{
    // --centre is read in inches too: 2 in lies between the belts of 40
    // teeth (50 mm) and 41 (52.5 mm).
    const auto inches = runCli({"drive", "HTD5M", "20", "20", "--centre", "2", "--units", "in", "--format", "tsv",
        "--columns", "beltTeeth,pitchLength,centreDistance"});
    EXPECT_EQ(inches.out, "beltTeeth\tpitchLength\tcentreDistance\n40\t7.874\t1.9685\n41\t8.0709\t2.0669\n");

    // In list order; 30 teeth is too short; 10 teeth of the small pulley
    // meet fewer than 6 teeth of belt with the long belt. The warning goes
    // to standard error in every format, the data alone to standard output.
    const std::string fewInMesh = "quillon-cli: warning: beltTeeth 200, 100: fewer than 6 teeth in mesh on the "
                                  "smaller pulley; belt makers advise at least 6\n";
    for (const char* format : {"text", "csv", "json"}) {
        const auto result = runCli({"drive", "MXL", "80", "10", "--belt-teeth", "200,30,100", "--format", format});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, fewInMesh) << format;
        if (std::string(format) == "text") {
            EXPECT_EQ(result.out,
                "belt  teeth1  teeth2  beltTeeth  pitchLength  centreDistance  wrapAngle  teethInMesh\n"
                "MXL   80      10      200        406.4        155.833         163.29     4\n"
                "MXL   80      10      100        203.2        50.741          127.01     3\n");
        }
    }

    // A few belts named and the rest counted; a pulley below the smallest
    // hob segment of its type (MXL's is Z10-23) warned of too.
    const auto many = runCli({"drive", "MXL", "9", "10", "--belt-teeth", "900-1000, 30-40", "--format", "csv"});
    EXPECT_EQ(many.status, 0) << many.err;
    EXPECT_EQ(many.err,
        "quillon-cli: warning: Z1 9: fewer teeth than MXL's smallest hob segment, Z10-23\n"
        "quillon-cli: warning: beltTeeth 900, 901, 902, 903, 904 and 107 more: fewer than 6 teeth in mesh on the "
        "smaller pulley; belt makers advise at least 6\n");
}

TEST(Drive, MessagesEchoTheCentreAndGiveALimitThatIsAccepted)
{
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--centre", "46.6065"},
            "at 46.6065 mm the pulleys touch: half the sum of their outside diameters is "
            "46.6065 mm; give 46.607 mm or more\n"},
        {{"--centre", "1e-300"}, "at 1e-300 mm the pulleys touch"},
        {{"--centre", "1.834901", "--units", "in"}, "at 1.834901 in the pulleys touch"},
        {{"--centre", "1e9"}, "--centre: 1e9 mm needs a belt of more than 1000000 teeth"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"drive", "HTD5M", "20", "40"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto result = runCli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    // The limit given in inches, typed back, is accepted.
    const auto refused = runCli({"drive", "HTD5M", "20", "40", "--centre", "1.8349", "--units", "in"});
    EXPECT_NE(refused.err.find("give 1.835 in or more"), std::string::npos) << refused.err;
    EXPECT_EQ(runCli({"drive", "HTD5M", "20", "40", "--centre", "1.835", "--units", "in"}).status, 0);
    // The longest belt there is, 1000000 teeth, at its own centre distance.
    const auto longest = runCli({"drive", "HTD5M", "20", "20", "--centre", "2499950", "--format", "tsv"});
    EXPECT_EQ(longest.status, 0) << longest.err;
    EXPECT_NE(longest.out.find("\t1000000\t5000000\t2499950\t"), std::string::npos) << longest.out;
}

TEST(Text, ColumnsAlignUnderTheirHeader)
{
    // Aligned by characters: "±0.05" is five wide, though six bytes. The box
    // column starts at the same character on every line.
    const auto run = runCli({"run", "MXL", "40", "--columns", "text,box"});
    std::set<std::size_t> boxColumns;
    for (const std::string& line : lines(run.out)) {
        const std::string before = line.substr(0, line.rfind(' ') + 1);
        boxColumns.insert(before.size() - static_cast<std::size_t>(std::ranges::count_if(before, [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        })));
    }
    EXPECT_EQ(boxColumns.size(), 1u) << run.out;

    const auto result = runCli({"identify", "--od", "62.6", "--teeth", "40"});
    EXPECT_EQ(result.out,
        "belt   teeth  outsideDiameter  difference\n"
        "T5     40     62.662           -0.062\n"
        "HTD5M  40     62.522           0.078\n");
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    setProgramFolder(argv[0]);
    return RUN_ALL_TESTS();
}
