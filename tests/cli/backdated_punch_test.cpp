// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

// The clock stands at TallyHarness::kNow, Monday 2026-12-07 09:00:00.
struct BackdatedCase {
    const char* name;
    std::string log;  // before; "" for no log at all
    std::vector<std::string> args;
    int exitCode;
    std::string after;  // the log afterwards
};

TEST(BackdatedPunch, writesAPunchAtTimeAsOneThenOrRefusesWritingNothing) {
    const std::string openIn = In("2026-12-07 08:00:00");
    const std::string closed = Triple("2026-12-07 06:00:00", "2026-12-07 07:00:00");
    const BackdatedCase cases[] = {
        {"todayTime", "", {"in", "--at", "08:15"}, 0, In("2026-12-07 08:15:00")},
        {"yesterday", "", {"in", "--at", "yesterday 17:30:05"}, 0, In("2026-12-06 17:30:05")},
        {"date", "", {"in", "--at=2026-12-01 10:00"}, 0, In("2026-12-01 10:00:00")},
        {"hoursMinutesAgo",
         closed,
         {"in", "--at", "-1h30m"},
         0,
         closed + In("2026-12-07 07:30:00")},
        {"minutesAgo",
         openIn,
         {"out", "--at", "-15m"},
         0,
         Triple("2026-12-07 08:00:00", "2026-12-07 08:45:00")},
        {"hoursAgo",
         In("2026-12-07 06:00:00"),
         {"out", "--at", "-2h"},
         0,
         Triple("2026-12-07 06:00:00", "2026-12-07 07:00:00")},
        {"acrossMidnight",
         In("2026-12-06 22:00:00"),
         {"out", "--at", "01:00"},
         0,
         Triple("2026-12-06 22:00:00", "2026-12-06 23:59:59") +
             Triple("2026-12-07 00:00:00", "2026-12-07 01:00:00")},
        {"inBeforeLastOut", closed, {"in", "--at", "06:59:59"}, 1, closed},
        {"outBeforeOpenIn", openIn, {"out", "--at", "-2h"}, 1, openIn},
        {"inAfterNow", "", {"in", "--at", "09:00:01"}, 1, ""},
        {"outAfterNow", openIn, {"out", "--at", "2026-12-08 08:00"}, 1, openIn},
        {"noSuchHour", openIn, {"out", "--at", "24:00"}, 2, openIn},
        {"noSuchUnit", "", {"in", "--at", "-15s"}, 2, ""},
        {"noSuchWord", openIn, {"out", "--at", "tomorrow 08:00"}, 2, openIn},
        {"noSuchDay", "", {"in", "--at", "2026-02-29 08:00"}, 2, ""},
    };
    for (const BackdatedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TallyHarness tally;
        if (!c.log.empty()) WriteFile(tally.Log(), c.log);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--log", tally.Log()});
        const ProcessResult r = tally.Run(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(r.out.empty(), c.exitCode != 0);
        EXPECT_EQ(r.err.empty(), c.exitCode == 0) << r.err;
        EXPECT_EQ(std::filesystem::exists(tally.Log()), !c.after.empty());
        EXPECT_EQ(ReadFile(tally.Log()), c.after);
    }
}

struct DateWordCase {
    int weekStartDay;
    std::vector<std::string> words;
    std::vector<std::string> dates;
};

// Each runs in two homes with the same log: the words must do what the dates do.
TEST(DateWords, standForTheDatesOfTheClocksToday) {
    const DateWordCase cases[] = {
        {0,
         {"report", "--by", "day", "last-week"},
         {"report", "--by", "day", "2026-11-29", "2026-12-05"}},
        {4,
         {"report", "--by", "day", "this-week"},
         {"report", "--by", "day", "2026-12-03", "2026-12-09"}},
        {1,
         {"report", "--by", "day", "last-week"},
         {"report", "--by", "day", "2026-11-30", "2026-12-06"}},
        {3,
         {"report", "--by", "day", "last-week"},
         {"report", "--by", "day", "2026-11-25", "2026-12-01"}},
        {0, {"export", "last-month"}, {"export", "2026-11-01", "2026-11-30"}},
        {0, {"invoice", "this-month"}, {"invoice", "2026-12-01", "2026-12-31"}},
        {0,
         {"report", "--by", "day", "yesterday", "today"},
         {"report", "--by", "day", "2026-12-06", "2026-12-07"}},
        {0,
         {"add", "yesterday 18:00", "today 08:00"},
         {"add", "2026-12-06 18:00", "2026-12-07 08:00"}},
    };
    for (const DateWordCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.words));
        ProcessResult results[2];
        std::string logs[2];
        for (int i = 0; i < 2; ++i) {
            TallyHarness tally;
            WriteFile(tally.Log(), WorkingDays(2026, 10, 20, 48));
            ASSERT_EQ(
                tally.Run({"config", "WeekStartDay", std::to_string(c.weekStartDay)}).exitCode, 0);
            results[i] = tally.Run(i == 0 ? c.words : c.dates);
            logs[i] = ReadFile(tally.Log());
        }
        EXPECT_EQ(results[0].exitCode, 0) << results[0].err;
        EXPECT_NE(results[1].out, "");
        EXPECT_EQ(results[0].out, results[1].out);
        EXPECT_EQ(results[0].err, results[1].err);
        EXPECT_EQ(logs[0], logs[1]);
    }
}

}  // namespace
}  // namespace tally::test
