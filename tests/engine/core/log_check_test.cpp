// SPDX-License-Identifier: MIT
// The check of a time log: each fault named at its line with the reason, where the scan
// really stops, and what the scan records about its stop for the window.

#include <gtest/gtest.h>

#include <fcntl.h>

#include "core/log_check.h"
#include "engine_fixture.h"
#include "log/time_log_file.h"

namespace tally::test {
namespace {

const std::string kMonday = Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004");
const std::string kTuesday = Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004");
const std::string kWednesday = Triple("Wed Jan 07 09:00:00 2004", "Wed Jan 07 10:00:00 2004");

// "line:reason:field:stops:ignored:text" of each finding.
std::vector<std::string> Summary(const LogCheck& check) {
    std::vector<std::string> lines;
    for (const LogFinding& f : check.findings) {
        lines.push_back(std::to_string(f.place.line) + ":" + LogFaultKey(f.fault) + ":" + f.field +
                        ":" + (f.stopsScan ? "stops" : "reads on") + ":" +
                        std::to_string(f.linesIgnored) + ":" + f.place.text);
    }
    return lines;
}

class LogCheckTest : public EngineTest {
  protected:
    LogCheck Check(const std::string& text) {
        WriteLog(text);
        FileDescriptor fd(open(log().c_str(), O_RDONLY | O_CLOEXEC));
        return CheckTimeLog(fd.Get(), engine.Settings());
    }
};

TEST_F(LogCheckTest, namesEachFaultAtItsLine) {
    const std::string longLine = "In...Mon Jan 05 09:00:00 2004" + std::string(200, 'x');
    const struct {
        const char* name;
        std::string log;
        std::vector<std::string> findings;
    } kCases[] = {
        {"clean", kMonday + kTuesday, {}},
        {"out before in",
         kMonday + Triple("Tue Jan 06 10:00:00 2004", "Tue Jan 06 09:00:00 2004", "00:00:00") +
             kWednesday,
         {"5:out-before-in::stops:4:Out..Tue Jan 06 09:00:00 2004"}},
        {"pair over a day",
         kMonday + Triple("Tue Jan 06 22:00:00 2004", "Wed Jan 07 22:01:00 2004", "24:01:00") +
             kWednesday,
         {"5:pair-over-24-hours::stops:4:Out..Wed Jan 07 22:01:00 2004"}},
        {"elapsed line missing at the end",
         kMonday + In("Tue Jan 06 09:00:00 2004") + Out("Tue Jan 06 10:00:00 2004"),
         {"5:elapsed-missing::stops:0:Out..Tue Jan 06 10:00:00 2004"}},
        {"elapsed line empty",
         kMonday + In("Tue Jan 06 09:00:00 2004") + Out("Tue Jan 06 10:00:00 2004") + "\n" +
             kWednesday,
         {"6:elapsed-empty::stops:3:"}},
        {"fragment",
         kMonday + "In...Tue Jan 06 09:0",
         {"4:fragment::stops:0:In...Tue Jan 06 09:0"}},
        {"empty line at the end", kMonday + "\n", {"4:fragment::stops:0:"}},
        {"elapsed line missing in the middle",
         In("Mon Jan 05 09:00:00 2004") + Out("Mon Jan 05 10:00:00 2004") + kTuesday,
         {"3:elapsed-missing::reads on:0:In...Tue Jan 06 09:00:00 2004",
          "4:malformed-field:prefix:reads on:0:Out..Tue Jan 06 10:00:00 2004",
          "5:fragment::stops:0:Elapsed time of 01:00:00."}},
        {"malformed fields",
         Triple("Tue Jan 06 0x:00:00 2004", "Tue Jan 06 10:00:00 2004", "01:00:00") +
             Triple("Tue Foo 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004", "01:00:00") +
             Triple("Tue Jan 00 09:00:00 2004", "Tue Jan 00 10:00:00 2004", "01:00:00") +
             Triple("Tue Jan 06 09:00:00 1979", "Tue Jan 06 09:60:00 1979", "00:00:00") +
             "in...Tue Jan 06 09:00:00 2004\n" + Out("Tue Jan 06 10:00:00 2004") +
             "Elapsed time of 1:00:00.\n",
         {"1:malformed-field:hour:reads on:0:In...Tue Jan 06 0x:00:00 2004",
          "4:malformed-field:month:reads on:0:In...Tue Foo 06 09:00:00 2004",
          "7:malformed-field:day:reads on:0:In...Tue Jan 00 09:00:00 2004",
          "8:malformed-field:day:reads on:0:Out..Tue Jan 00 10:00:00 2004",
          "10:malformed-field:year:reads on:0:In...Tue Jan 06 09:00:00 1979",
          "11:malformed-field:minute:reads on:0:Out..Tue Jan 06 09:60:00 1979",
          "13:malformed-field:prefix:reads on:0:in...Tue Jan 06 09:00:00 2004",
          "15:malformed-field:elapsed time:reads on:0:Elapsed time of 1:00:00."}},
        {"a long line is cut",
         longLine + "\n" + Out("Mon Jan 05 10:00:00 2004") + Elapsed("01:00:00"),
         {"1:malformed-field:line end:reads on:0:" + longLine.substr(0, kLineTextLimit),
          "1:malformed-field:prefix:reads on:0:" + longLine.substr(0, kLineTextLimit),
          "1:out-before-in::stops:2:" + longLine.substr(0, kLineTextLimit)}},
        {"days beyond their month",
         Triple("Thu Feb 30 09:00:00 2006", "Thu Feb 30 10:00:00 2006", "01:00:00") +
             Triple("Mon Apr 31 09:00:00 2006", "Mon Apr 31 10:00:00 2006", "01:00:00") +
             Triple("Mon Dec 32 09:00:00 2006", "Mon Dec 32 10:00:00 2006", "01:00:00"),
         {"1:day-beyond-month::reads on:0:In...Thu Feb 30 09:00:00 2006",
          "2:day-beyond-month::reads on:0:Out..Thu Feb 30 10:00:00 2006",
          "4:day-beyond-month::reads on:0:In...Mon Apr 31 09:00:00 2006",
          "5:day-beyond-month::reads on:0:Out..Mon Apr 31 10:00:00 2006",
          "7:day-beyond-month::reads on:0:In...Mon Dec 32 09:00:00 2006",
          "8:day-beyond-month::reads on:0:Out..Mon Dec 32 10:00:00 2006"}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Summary(Check(c.log)), c.findings) << c.name;
    }
}

TEST_F(LogCheckTest, countsTheLinesOfTheLog) {
    EXPECT_EQ(Check("").lineCount, 0);
    EXPECT_EQ(Check(kMonday + kTuesday).lineCount, 6);
    EXPECT_EQ(Check(kMonday + "In...Tue").lineCount, 4);
}

TEST_F(LogCheckTest, listsTheFirstThousandFindingsAndCountsTheRest) {
    std::string log;
    for (int i = 0; i < 1500; ++i) log += "in...Mon Jan 05 09:00:00 2004\n" + kMonday.substr(31);
    const LogCheck check = Check(log + "\n");
    ASSERT_EQ(check.findings.size(), kListedFindings + 1);
    EXPECT_EQ(check.findings[999].place.line, 2998);
    EXPECT_EQ(check.findingsNotListed, 500);
    // The stop is always listed.
    EXPECT_EQ(check.findings.back().fault, LogFault::Fragment);
    EXPECT_EQ(check.findings.back().place.line, 4501);
}

TEST_F(LogCheckTest, readsPairsWithTheRoundingOfPunchTimes) {
    // 09:08:00 to 09:07:40 runs backwards, but rounded to the quarter hour both are 09:15.
    const std::string log =
        Triple("Mon Jan 05 09:08:00 2004", "Mon Jan 05 09:07:40 2004", "00:00:00") + kTuesday;
    EXPECT_EQ(Summary(Check(log)),
              (std::vector<std::string>{"2:out-before-in::stops:4:Out..Mon Jan 05 09:07:40 2004"}));
    engine.Settings().RoundingType = kRoundInOut;
    engine.Settings().RoundingUnit = 15;
    EXPECT_EQ(Summary(Check(log)), std::vector<std::string>{});
}

TEST_F(LogCheckTest, describesFindingsForPeople) {
    const struct {
        LogFinding finding;
        const char* text;
    } kCases[] = {
        {{LogFault::OutBeforeIn, {0, 5, ""}, "", true, 4},
         "line 5: Out before In; the scan stops here and ignores the 4 lines after it"},
        {{LogFault::PairOverADay, {0, 2, ""}, "", true, 1},
         "line 2: pair longer than 24 hours; the scan stops here and ignores the line after it"},
        {{LogFault::ElapsedMissing, {0, 9, ""}, "", true, 0},
         "line 9: Elapsed line missing after this Out record; the scan stops here"},
        {{LogFault::MalformedField, {0, 3, ""}, "day", false, 0}, "line 3: malformed field (day)"},
        {{LogFault::DayBeyondMonth, {0, 7, ""}, "", false, 0}, "line 7: day beyond its month"},
    };
    for (const auto& c : kCases) EXPECT_EQ(DescribeFinding(c.finding), c.text);
}

class ScanStopTest : public EngineTest {};

TEST_F(ScanStopTest, theScanRemembersWhereAndWhyItStopped) {
    WriteLog(kMonday + Triple("Tue Jan 06 10:00:00 2004", "Tue Jan 06 09:00:00 2004", "00:00:00") +
             kWednesday);
    engine.ScanTimeLog();
    const ScanStop& stop = engine.State().stop;
    EXPECT_EQ(stop.reason, LogFault::OutBeforeIn);
    EXPECT_EQ(stop.place.line, 5);
    EXPECT_EQ(stop.place.text, "Out..Tue Jan 06 09:00:00 2004");
    EXPECT_EQ(stop.linesIgnored, 4);
    EXPECT_EQ(DescribeScanStop(stop),
              "line 5: Out before In; the scan stops here and ignores the 4 lines after it");

    WriteLog(kMonday + kTuesday);  // mended
    engine.ScanTimeLog();
    EXPECT_EQ(engine.State().stop.reason, LogFault::None);

    WriteLog(kMonday + "\n");
    engine.ScanTimeLog();
    EXPECT_EQ(engine.State().stop.reason, LogFault::Fragment);
    std::filesystem::remove(log());  // a missing log is an empty one, not a damaged one
    engine.ScanTimeLog();
    EXPECT_EQ(engine.State().stop.reason, LogFault::None);
}

}  // namespace
}  // namespace tally::test
