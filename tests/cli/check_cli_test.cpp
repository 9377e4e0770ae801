// SPDX-License-Identifier: MIT
// tally check as a user runs it: a clean log passes, each kind of fault is named at its
// line, and the three output forms say the same.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/json_text.h"
#include "log_text.h"
#include "tally_harness.h"
#include "time/local_time.h"

namespace tally::test {
namespace {

const std::string kMonday = Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004");
const std::string kWednesday = Triple("Wed Jan 07 09:00:00 2004", "Wed Jan 07 10:00:00 2004");

// Ten years of working days, two pairs each.
std::string TenYearLog() {
    std::string log;
    for (int day = 0; day < 3653; ++day) {
        const TimeValue morning = FromLocalTime(2010, 1, 1 + day, 9, 0, 0);
        const int weekday = ToLocalTm(morning).tm_wday;
        if (weekday == 0 || weekday == 6) continue;
        log += Triple(morning, FromLocalTime(2010, 1, 1 + day, 12, 30, 0));
        log += Triple(FromLocalTime(2010, 1, 1 + day, 13, 15, 0),
                      FromLocalTime(2010, 1, 1 + day, 17, 45, 10));
    }
    return log;
}

class CheckCli : public ::testing::Test {
  protected:
    ProcessResult Check(const std::string& log, std::vector<std::string> options = {}) {
        WriteFile(tally.Log(), log);
        options.insert(options.begin(), "check");
        return tally.Run(options);
    }

    TallyHarness tally;
};

TEST_F(CheckCli, aCleanTenYearLogPasses) {
    const std::string log = TenYearLog();
    const ProcessResult plain = Check(log);
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, tally.Log() + ": nothing found\n");
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(Check(log, {"--tsv"}).out, "");
    const ProcessResult json = Check(log, {"--json"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out, "{\"log\":\"" + tally.Log() + "\",\"exists\":true,\"lines\":" +
                            std::to_string(std::count(log.begin(), log.end(), '\n')) +
                            ",\"clean\":true,\"findings\":[],\"not_listed\":0}\n");
}

TEST_F(CheckCli, namesEachFaultAtItsLine) {
    const struct {
        const char* name;
        std::string log;
        std::string found;  // the --tsv line
    } kCases[] = {
        {"Out before In",
         kMonday + Triple("Tue Jan 06 10:00:00 2004", "Tue Jan 06 09:00:00 2004", "00:00:00") +
             kWednesday,
         "5\tout-before-in\t\t1\t4\tOut..Tue Jan 06 09:00:00 2004\n"},
        {"pair over 24 hours",
         kMonday + Triple("Tue Jan 06 08:00:00 2004", "Wed Jan 07 08:00:01 2004", "24:00:01") +
             kWednesday,
         "5\tpair-over-24-hours\t\t1\t4\tOut..Wed Jan 07 08:00:01 2004\n"},
        {"Elapsed line missing",
         kMonday + In("Tue Jan 06 09:00:00 2004") + Out("Tue Jan 06 10:00:00 2004"),
         "5\telapsed-missing\t\t1\t0\tOut..Tue Jan 06 10:00:00 2004\n"},
        {"Elapsed line empty",
         kMonday + In("Tue Jan 06 09:00:00 2004") + Out("Tue Jan 06 10:00:00 2004") + "\r\n" +
             kWednesday,
         "6\telapsed-empty\t\t1\t3\t\n"},
        {"malformed field",
         kMonday + Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:0O:00 2004", "01:00:00"),
         "5\tmalformed-field\tminute\t0\t0\tOut..Tue Jan 06 10:0O:00 2004\n"},
        {"fragment", kMonday + "In...Tue Jan", "4\tfragment\t\t1\t0\tIn...Tue Jan\n"},
        {"day beyond its month",
         kMonday + Triple("Tue Feb 30 09:00:00 2004", "Mon Mar 01 09:00:00 2004", "00:00:00"),
         "4\tday-beyond-month\t\t0\t0\tIn...Tue Feb 30 09:00:00 2004\n"},
    };
    for (const auto& c : kCases) {
        const ProcessResult result = Check(c.log, {"--tsv"});
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_EQ(result.out, c.found) << c.name;
        EXPECT_EQ(result.err, "") << c.name;
    }
}

TEST_F(CheckCli, tellsPeopleAndScriptsTheSame) {
    // A quote in the weekday: the text must survive JSON and stay readable.
    const std::string log = kMonday + In("T\"e Jan 06 09:00:00 2004") +
                            Out("Tue Jan 06 08:00:00 2004") + Elapsed("00:00:00") + kWednesday;
    const ProcessResult plain = Check(log);
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_EQ(plain.out,
              "line 4: malformed field (weekday): \"In...T\"e Jan 06 09:00:00 2004\"\n"
              "line 5: Out before In; the scan stops here and ignores the 4 lines after it: "
              "\"Out..Tue Jan 06 08:00:00 2004\"\n");
    const ProcessResult json = Check(log, {"--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(json.out,
              "{\"log\":\"" + tally.Log() +
                  "\",\"exists\":true,\"lines\":9,\"clean\":false,\"findings\":["
                  "{\"line\":4,\"reason\":\"malformed-field\",\"message\":\"malformed field "
                  "(weekday)\",\"field\":\"weekday\",\"text\":\"In...T\\\"e Jan 06 09:00:00 "
                  "2004\",\"stops_scan\":false,\"lines_ignored\":0},"
                  "{\"line\":5,\"reason\":\"out-before-in\",\"message\":\"Out before "
                  "In\",\"field\":\"\",\"text\":\"Out..Tue Jan 06 08:00:00 "
                  "2004\",\"stops_scan\":true,\"lines_ignored\":4}],\"not_listed\":0}\n");
}

TEST_F(CheckCli, listsTheConflictCopiesBesideTheLog) {
    const std::string syncthing = "TALLYBK.sync-conflict-20261205-101500-ABC7DEF.DAT";
    const std::string dropbox = "TALLYBK (Ann O'Neil's conflicted copy 2026-12-05).DAT";
    for (const std::string& name :
         {syncthing, dropbox, std::string("TALLYBK.merged-20261205-101500.DAT"),
          std::string("OTHER.sync-conflict-20261205-101500-ABC7DEF.DAT")}) {
        WriteFile(tally.home.File(name), kMonday);
    }
    // Not a file a sync tool made.
    std::filesystem::create_directory(
        tally.home.File("TALLYBK (conflicted copy 2026-12-05 101500).DAT"));

    const ProcessResult plain = Check(kMonday);
    EXPECT_EQ(plain.exitCode, 1);
    const std::string text = "conflict copy of the log (punches made only there count in no total)";
    EXPECT_EQ(plain.out, text + ": \"" + dropbox + "\"\n" + text + ": \"" + syncthing + "\"\n");
    const ProcessResult tsv = Check(kMonday, {"--tsv"});
    EXPECT_EQ(tsv.exitCode, 1);
    EXPECT_EQ(tsv.out, "0\tconflict-copy\t\t0\t0\t" + dropbox + "\n0\tconflict-copy\t\t0\t0\t" +
                           syncthing + "\n");
}

TEST_F(CheckCli, aMissingLogIsCleanAnUnreadableOneAnError) {
    const ProcessResult missing = tally.Run({"check"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, tally.Log() + ": no time log, nothing to check\n");
    EXPECT_EQ(
        tally.Run({"check", "--json"}).out,
        "{\"log\":\"" + tally.Log() +
            "\",\"exists\":false,\"lines\":0,\"clean\":true,\"findings\":[],\"not_listed\":0}\n");

    const ProcessResult folder = tally.Run({"check", "--log", tally.Home()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.out, "");
    EXPECT_NE(folder.err.find(tally.Home()), std::string::npos) << folder.err;
}

TEST_F(CheckCli, refusesArgumentsTwoOutputFormsAndJsonElsewhere) {
    for (const auto& args : {std::vector<std::string>{"check", "now"},
                             std::vector<std::string>{"check", "--json", "--tsv"},
                             std::vector<std::string>{"invoice", "--json"}}) {
        const ProcessResult result = tally.Run(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
    }
}

TEST(Utf8Text, keepsUtf8AndReadsOtherBytesAsTheirCodePoints) {
    const struct {
        std::string bytes;
        std::string text;
    } kCases[] = {
        {"plain \"q\" \\ \t", "plain \"q\" \\ \t"},
        {std::string("nul\0bel\a", 8), std::string("nul\0bel\a", 8)},
        {"J\xC3\xB6rg \xE2\x82\xAC \xF0\x9F\x98\x80", "J\xC3\xB6rg \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"cut \xC3 and \xFF", "cut \xC3\x83 and \xC3\xBF"},
        {"\xE2\x82", "\xC3\xA2\xC2\x82"},  // a sequence cut short at the end
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},  // an overlong slash
    };
    for (const auto& c : kCases) EXPECT_EQ(cli::Utf8Text(c.bytes), c.text) << c.text;
}

// The reading commands print what comes before a damaged line, and warn that it is not all.
TEST_F(CheckCli, readingCommandsWarnWhereTheScanStops) {
    const std::string damaged =
        kMonday + Triple("Wed Jan 07 10:00:00 2004", "Wed Jan 07 09:00:00 2004") + kWednesday;
    for (const char* command : {"status", "days", "log", "report"}) {
        WriteFile(tally.Log(), damaged);
        const ProcessResult run = tally.Run({command});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.err,
                  "tally: warning: line 5: Out before In; the scan stops here and ignores the 4 "
                  "lines after it (tally check lists what is wrong)\n")
            << command;
        WriteFile(tally.Log(), kMonday + kWednesday);
        EXPECT_EQ(tally.Run({command}).err, "") << command;
    }
}

}  // namespace
}  // namespace tally::test
