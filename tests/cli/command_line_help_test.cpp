// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "folder_snapshot.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
    const auto lines = Lines(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Help on standard output (exit 0); usage errors on standard error (exit 2), nothing written.
TEST(CommandLineHelp, eachLineGetsItsAnswer) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* line;  // on standard output for 0, standard error else
    };
    const std::string add1 = "2024-03-01 09:00", add2 = "2024-03-01 10:00";
    const Case cases[] = {
        {{"--help"}, 0, "Usage: tally [OPTIONS] [COMMAND [ARGS]]"},
        {{"help", "report"}, 0, "Usage: tally report [START END] [OPTIONS]"},
        {{"report", "--help"}, 0, "Usage: tally report [START END] [OPTIONS]"},
        {{"in", "-h"}, 0, "Usage: tally in [OPTIONS]"},
        {{"export", "--help"}, 0, "                        what export writes (default csv)"},
        {{"export", "--help"}, 0, "  --format csv|timeclock|ical"},
        {{"--help"}, 0, "  --format csv|timeclock|ical"},
        {{"help", "import"}, 0, "  tally import timewarrior timew.json --dry-run"},
        {{"help", "frob"}, 2, "tally: unknown command 'frob'"},
        {{"help", "in", "out"}, 2, "tally: help takes at most one command"},
        {{"in", "--json"}, 2, "tally: in does not take --json"},
        {{"add", add1, add2, "--by", "day"}, 2, "tally: add does not take --by"},
        {{"export", "--rate", "5"}, 2, "tally: export does not take --rate"},
        {{"config", "--log", "x.dat"}, 2, "tally: config does not take --log"},
        {{"statsu"}, 2, "tally: unknown command 'statsu' (did you mean 'status'?)"},
        {{"help", "imprt"}, 2, "tally: unknown command 'imprt' (did you mean 'import'?)"},
        {{"xyzzy"}, 2, "tally: unknown command 'xyzzy'"},
        {{"--jsno"}, 2, "tally: unknown option --jsno (did you mean --json?)"},
        {{"report", "--by-week"}, 2, "tally: unknown option --by-week"},
        {{"import", "--dryrun"}, 2, "tally: unknown option --dryrun (did you mean --dry-run?)"},
    };
    TallyHarness tally;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProcessResult r = tally.Run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(HasLine(c.exitCode == 0 ? r.out : r.err, c.line)) << r.out << r.err;
        EXPECT_EQ(c.exitCode == 0 ? r.err : r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(tally.Log()));
}

// A refused value names what the key takes and leaves the store byte for byte as it was.
TEST(ConfigValues, aValueTheDialogWouldNotTakeIsRefused) {
    struct Case {
        const char* key;
        const char* value;
        const char* reason;
    };
    const Case cases[] = {
        {"WeekStartDay", "7", "WeekStartDay takes 0, 1, 2, 3, 4, 5 or 6, not '7'"},
        {"PeriodType", "2", "PeriodType takes 0 or 1, not '2'"},
        {"RoundingType", "4", "RoundingType takes 0, 1, 2 or 3, not '4'"},
        {"RoundingUnit", "20", "RoundingUnit takes 1, 15 or 30, not '20'"},
        {"Rate", "abc", "Rate takes a number from 0 to 1000000000, not 'abc'"},
        {"Rate", "-1", "Rate takes a number from 0 to 1000000000, not '-1'"},
        {"Rate", "1e10", "Rate takes a number from 0 to 1000000000, not '1e10'"},
        {"ShowDollars", "2", "ShowDollars takes 0 or 1, not '2'"},
        {"DataLog", "", "DataLog needs a path"},
    };
    TallyHarness tally;
    for (const auto& [key, value] : {std::pair{"Rate", "1e9"}, {"WeekStartDay", "6"}})
        ASSERT_EQ(tally.Run({"config", key, value}).exitCode, 0) << key;
    const auto folder = std::filesystem::path(tally.StoreFile()).parent_path();
    const FolderSnapshot before = SnapshotFolder(folder);
    for (const Case& c : cases) tally.ExpectUsageError({"config", "--", c.key, c.value}, c.reason);
    EXPECT_EQ(SnapshotFolder(folder), before);
}

// The README's list of commands is the one tally --help prints, line for line.
TEST(CommandLineHelp, readmeListsTheCommandsOfTheHelp) {
    const auto commandLines = [](const std::vector<std::string>& lines, const std::string& from,
                                 const std::string& to) {
        std::vector<std::string> found;
        auto line = std::find(lines.begin(), lines.end(), from);
        EXPECT_NE(line, lines.end()) << from;
        for (; line != lines.end() && *line != to; ++line) {
            if (line->size() > 2 && line->starts_with("  ") && std::islower((*line)[2]))
                found.push_back(*line);
        }
        return found;
    };
    const auto help = commandLines(Lines(TallyHarness().Run({"--help"}).out), "Commands:", "");
    EXPECT_GE(help.size(), 12u);
    EXPECT_EQ(
        commandLines(Lines(ReadFile(TALLY_README)), "tally [OPTIONS] [COMMAND [ARGS]]", "```"),
        help);
}

}  // namespace
}  // namespace tally::test
