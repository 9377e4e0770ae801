// SPDX-License-Identifier: MIT
// tally export run as a user runs it: the built program in a fresh home, and hledger and an
// iCalendar parser reading what it exports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "json_output.h"
#include "log_text.h"
#include "tally_harness.h"
#include "time/calendar.h"
#include "time/local_time.h"

namespace tally::test {
namespace {

class ExportCommandTest : public ::testing::Test {
  protected:
    TallyHarness tally;
    TempDir scratch;
    std::string log = tally.Log();
};

TEST_F(ExportCommandTest, csvListsEveryClosedPairWithUnroundedAmounts) {
    WriteFile(log, Triple(At(2004, 6, 2, 17, 47, 39), At(2004, 6, 2, 18, 0, 0)) +
                       Triple(At(2004, 6, 3, 9, 0, 0), At(2004, 6, 3, 17, 30, 15)) +
                       In("2004-06-04 09:00:00"));
    ASSERT_EQ(tally.Run({"config", "Rate", "10"}).exitCode, 0);
    ASSERT_EQ(tally.Run({"config", "RoundingType", "1"}).exitCode, 0);
    ASSERT_EQ(tally.Run({"config", "RoundingUnit", "15"}).exitCode, 0);
    const ProcessResult run = tally.Run({"export"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    // 741 s are 0.2058 h: 2.06 at 10 an hour, not the 2.10 of the rounded hours.
    EXPECT_EQ(run.out,
              "in,out,elapsed_seconds,hours,amount\n"
              "2004-06-02 17:47:39,2004-06-02 18:00:00,741,0.21,2.06\n"
              "2004-06-03 09:00:00,2004-06-03 17:30:15,30615,8.50,85.04\n");
    EXPECT_EQ(tally.Run({"export", "--format=csv"}).out, run.out);
}

// Nothing after the place where the scan stops (here an Out before its In), and the warning
// that the other reading commands give.
TEST_F(ExportCommandTest, stopsWhereTheScanStopsWithItsWarning) {
    WriteFile(log, Triple(At(2004, 6, 2, 9, 5, 0), At(2004, 6, 2, 12, 0, 1)) +
                       Triple(At(2004, 6, 4, 12, 0, 0), At(2004, 6, 4, 11, 0, 0)) +
                       Triple(At(2004, 12, 24, 23, 0, 0), At(2004, 12, 25, 1, 0, 0)));
    const std::string warning = tally.Run({"status"}).err;
    ASSERT_TRUE(warning.starts_with("tally: warning: line 5: Out before In")) << warning;
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"export", "--format", "timeclock"},
         "i 2004/06/02 09:05:00 TallyBook\no 2004/06/02 12:00:01\n"},
        {{"export", "2004-06-04", "2004-12-31"}, "in,out,elapsed_seconds,hours,amount\n"},
        {{"export", "--json"},
         R"({"pairs":[{"in":"2004-06-02 09:05:00","out":"2004-06-02 12:00:01","seconds":10501,)"
         R"("hours":2.92,"amount":0.0}]})"
         "\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = tally.Run(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args[1];
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, warning);
    }
}

TEST_F(ExportCommandTest, aRangeSelectsPairsByTheLocalDateOfTheirIn) {
    const std::string other = scratch.File("other.dat");
    WriteFile(other, Triple(At(2004, 6, 1, 23, 30, 0), At(2004, 6, 2, 0, 30, 0)) +
                         Triple(At(2004, 6, 2, 0, 0, 0), At(2004, 6, 2, 1, 0, 0)) +
                         Triple(At(2004, 6, 3, 23, 59, 59), At(2004, 6, 4, 0, 0, 0)) +
                         Triple(At(2004, 6, 4, 0, 0, 0), At(2004, 6, 4, 1, 0, 0)));
    const ProcessResult run =
        tally.Run({"--log", other, "export", "2004-06-02", "2004-06-03", "--format", "timeclock"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "i 2004/06/02 00:00:00 TallyBook\n"
              "o 2004/06/02 01:00:00\n"
              "i 2004/06/03 23:59:59 TallyBook\n"
              "o 2004/06/04 00:00:00\n");
}

TEST_F(ExportCommandTest, aMissingLogPrintsNothingAnEmptyOneTheHeaderAFolderFails) {
    ProcessResult run = tally.Run({"export"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    WriteFile(log, "");
    run = tally.Run({"export"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "in,out,elapsed_seconds,hours,amount\n");
    EXPECT_EQ(tally.Run({"export", "--format", "timeclock"}).out, "");
    run = tally.Run({"--log", tally.Home(), "export"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tally: cannot read " + tally.Home() + ": Is a directory\n");
}

TEST_F(ExportCommandTest, refusesWhatItCannotUnderstand) {
    WriteFile(log, "");
    tally.ExpectUsageError({"export", "2004-06-01"});
    tally.ExpectUsageError({"export", "2004-06-01", "2004-06-02", "2004-06-03"});
    tally.ExpectUsageError({"export", "2004-02-30", "2004-03-01"});
    tally.ExpectUsageError({"export", "2004-06-01", "2004-6-2"});
    tally.ExpectUsageError({"export", "--format", "xml"});
    tally.ExpectUsageError({"export", "--rate", "5"});
    EXPECT_EQ(tally.Run({"export", "2004-02-29", "2004-02-29"}).exitCode, 0);
}

TEST_F(ExportCommandTest, numbersKeepTheirPointUnderADesktopLocale) {
    WriteFile(log, Triple(At(2004, 6, 3, 9, 0, 0), At(2004, 6, 3, 17, 30, 15)));
    ASSERT_EQ(tally.Run({"config", "Rate", "12.5"}).exitCode, 0);
    ProcessOptions german;
    german.env = {{"LC_ALL", "de_DE.UTF-8"}};
    const ProcessResult run = tally.Run({"export"}, TallyHarness::kNow, german);
    EXPECT_EQ(run.out,
              "in,out,elapsed_seconds,hours,amount\n"
              "2004-06-03 09:00:00,2004-06-03 17:30:15,30615,8.50,106.30\n");
}

// "Jun 02, 2004" as "2004-06-02".
std::string IsoDate(const std::string& listDate) {
    const int month = LookupMonth(listDate.substr(0, 3).c_str()) + 1;
    char text[16];
    std::snprintf(text, sizeof text, "%s-%02d-%s", listDate.substr(8, 4).c_str(), month,
                  listDate.substr(4, 2).c_str());
    return text;
}

// The fields of one CSV line, quotes removed; commas inside quotes stay in their field.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> SplitOn(const std::string& line, char separator) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, separator);) cells.push_back(cell);
    return cells;
}

TEST_F(ExportCommandTest, hledgerCountsTheSameHoursAsTheDailyList) {
    // Three years of working days: one or two pairs starting between seven and eight o'clock.
    // hledger keeps each session to hundredths of an hour before it adds them up, so two
    // sessions a day stay within 0.01 h of the exact total.
    std::mt19937 rng(5);
    std::string text;
    for (TimeValue noon = At(2019, 1, 1, 12, 0, 0); noon < At(2022, 1, 1, 0, 0, 0); noon += 86400) {
        const std::tm day = ToLocalTm(noon);
        const int y = day.tm_year + 1900;
        const int m = day.tm_mon + 1;
        noon = At(y, m, day.tm_mday, 12, 0, 0);  // keep to noon over clock changes
        if (day.tm_wday == 0 || day.tm_wday == 6) continue;
        char date[40];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m, day.tm_mday);
        TimeValue at = At(y, m, day.tm_mday, 7, 0, 0) + static_cast<TimeValue>(rng() % 3600);
        const int pairs = 1 + static_cast<int>(rng() % 2);
        for (int pair = 0; pair < pairs; ++pair) {
            const TimeValue out = at + 1800 + static_cast<TimeValue>(rng() % 14000);
            text += Triple(at, out);
            at = out + 600 + static_cast<TimeValue>(rng() % 3000);
        }
    }
    WriteFile(log, text);

    const ProcessResult days = tally.Run({"days", "--tsv"});
    ASSERT_EQ(days.exitCode, 0);
    std::map<std::string, double> listed;
    for (const std::string& row : SplitOn(days.out, '\n')) {
        const std::vector<std::string> cells = SplitOn(row, '\t');
        ASSERT_EQ(cells.size(), 3u) << row;
        if (cells[0].empty()) continue;  // a billing period's separator
        const std::vector<std::string> hms = SplitOn(cells[2], ':');
        listed[IsoDate(cells[1])] = std::atoi(hms[0].c_str()) + std::atoi(hms[1].c_str()) / 60.0 +
                                    std::atoi(hms[2].c_str()) / 3600.0;
    }
    ASSERT_GT(listed.size(), 700u);

    const ProcessResult exported = tally.Run({"export", "--format", "timeclock"});
    ASSERT_EQ(exported.exitCode, 0);
    const std::string timeclock = scratch.File("hours.timeclock");
    WriteFile(timeclock, exported.out);
    const ProcessResult ledger =
        RunProcess({"hledger", "-f", "timeclock:" + timeclock, "register", "--daily", "-O", "csv"});
    ASSERT_EQ(ledger.exitCode, 0) << ledger.err;
    std::map<std::string, double> counted;
    for (const std::string& row : SplitOn(ledger.out, '\n')) {
        const std::vector<std::string> cells = CsvFields(row);
        ASSERT_EQ(cells.size(), 7u) << row;
        if (cells[0] == "txnidx") continue;
        counted[cells[1]] = std::atof(cells[5].c_str());
    }
    // The daily list leaves out the last day, which the totals box shows.
    EXPECT_EQ(counted.size(), listed.size() + 1);
    for (const auto& [date, hours] : listed) {
        ASSERT_EQ(counted.count(date), 1u) << date;
        EXPECT_NEAR(counted.at(date), hours, 0.01) << date;
    }
}

// Each pair as a calendar event: starting at its In, lasting what the pair counts across a
// clock change, in Europe/Berlin or, for a zone with no name, in UTC; a UID that the pair and
// its log give, whatever else the export holds. Debian's icalendar package reads the files
// (tests/cli/ical_check.py), with its own zone data and with the file's VTIMEZONE.
TEST_F(ExportCommandTest, icalEventsAreThePairsInTheirZoneWithStableUids) {
    const struct {
        const char *in, *out, *start, *end;  // the end: none for a pair of no length
    } rows[] = {
        {"2024-03-28 09:00:00", "2024-03-28 17:30:15", "2024-03-28T09:00:00+01:00",
         "2024-03-28T17:30:15+01:00"},
        // Clock Out's record of 90 minutes across the spring change, and the autumn one
        // ending in the hour the clock shows twice.
        {"2024-03-31 01:30:00", "2024-03-31 03:00:00", "2024-03-31T01:30:00+01:00",
         "2024-03-31T04:00:00+02:00"},
        {"2024-10-27 01:30:00", "2024-10-27 03:00:00", "2024-10-27T01:30:00+02:00",
         "2024-10-27T02:00:00+01:00"},
        // Split at midnight into a new year.
        {"2024-12-31 22:00:00", "2024-12-31 23:59:59", "2024-12-31T22:00:00+01:00",
         "2024-12-31T23:59:59+01:00"},
        {"2025-01-01 00:00:00", "2025-01-01 01:15:00", "2025-01-01T00:00:00+01:00",
         "2025-01-01T01:15:00+01:00"},
        // Typed into the hour the clock skipped: read as the time after the gap.
        {"2025-03-30 02:15:00", "2025-03-30 02:45:00", "2025-03-30T03:15:00+02:00",
         "2025-03-30T03:45:00+02:00"},
        {"2027-07-01 12:00:00", "2027-07-01 12:00:00", "2027-07-01T12:00:00+02:00", ""},
    };
    std::string text;
    OrderedJson expected = {{"rows", OrderedJson::array()}, {"exports", OrderedJson::array()}};
    for (const auto& row : rows) {
        text += Triple(row.in, row.out);
        expected["rows"].push_back({row.start, row.end});
    }
    WriteFile(log, text);
    const std::string other = scratch.File("other log.dat");
    WriteFile(other, text);
    const std::string name = "Müller, Weiß & Söhne; Bäckerei und Konditorei am Marktplatz GmbH";
    ASSERT_EQ(tally.Run({"client", "add", name, "--log", other}).exitCode, 0);

    const std::string berlin = "Europe/Berlin";
    const struct {
        std::vector<std::string> args;
        std::string zone, summary, uids;
        std::vector<int> rows;
    } exports[] = {
        {{}, berlin, "Work", "same", {0, 1, 2, 3, 4, 5, 6}},
        {{"2024-10-27", "2025-03-30"}, berlin, "Work", "same", {2, 3, 4, 5}},
        {{}, "", "Work", "same", {0, 1, 2, 3, 4, 5, 6}},  // the tests' zone, a rule without a name
        {{"--client", name}, berlin, name, "other", {0, 1, 2, 3, 4, 5, 6}},
    };
    int n = 0;
    for (const auto& e : exports) {
        std::vector<std::string> args{"export", "--format", "ical"};
        args.insert(args.end(), e.args.begin(), e.args.end());
        ProcessOptions options;
        if (!e.zone.empty()) options.env["TZ"] = e.zone;
        // Every other one at another time: no UID depends on it.
        const ProcessResult run =
            tally.Run(args, n % 2 ? "2027-01-02 03:04:05" : tally.kNow, options);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string file = scratch.File("export" + std::to_string(n++) + ".ics");
        WriteFile(file, run.out);
        expected["exports"].push_back(
            {{"file", file},
             {"zone", e.zone.empty() ? OrderedJson() : OrderedJson(e.zone)},
             {"summary", e.summary},
             {"uids", e.uids},
             {"rows", e.rows}});
    }
    const std::string expectedFile = scratch.File("expected.json");
    WriteFile(expectedFile, expected.dump());
    // Debian's interpreter, which the package installs the parser for.
    const ProcessResult check = RunProcess({"/usr/bin/python3", TALLY_ICAL_CHECK, expectedFile});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

}  // namespace
}  // namespace tally::test
