// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/open_in_record.h"
#include "engine_fixture.h"

namespace tally::test {
namespace {

class ClockOutAt : public EngineTest {};

TEST_F(ClockOutAt, writesWhatClockOutWritesAtThatTime) {
    struct Case {
        const char* in;
        TimeValue at;
    };
    for (const Case& c : {Case{"2026-12-07 09:40:50", At(2026, 12, 7, 10, 5, 10)},
                          Case{"2026-12-07 22:30:00", At(2026, 12, 8, 1, 15, 20)},
                          Case{"2026-12-07 23:59:59", At(2026, 12, 8, 0, 0, 0)},
                          Case{"2026-12-07 08:00:00", At(2026, 12, 7, 8, 0, 0)}}) {
        // The reference: Clock Out with the clock at that time, on a log of its own.
        TempDir other;
        const std::string otherLog = other.File("TALLYBK.DAT");
        WriteFile(otherLog, In(c.in));
        FakeClock then(c.at);
        TallyEngine reference(then, reporter);
        reference.Settings().DataLog = otherLog;
        ASSERT_TRUE(reference.OnClockOut()) << c.in;

        WriteFile(log(), In(c.in));
        clock.Set(c.at + 3600);  // now is later: the given time is what counts
        const std::optional<OpenInRecord> open = ReadOpenInRecord(log());
        ASSERT_TRUE(open) << c.in;
        EXPECT_TRUE(engine.OnClockOutAt(c.at, &*open)) << c.in;
        EXPECT_EQ(ReadFile(log()), ReadFile(otherLog)) << c.in;
        EXPECT_FALSE(engine.ClockedIn()) << c.in;
        EXPECT_TRUE(reporter.messages.empty()) << c.in;
    }
}

TEST_F(ClockOutAt, acrossMidnightTheDaysAreSplit) {
    WriteFile(log(), In("2026-12-07 23:10:00"));
    clock.Set(At(2026, 12, 8, 9, 0, 0));
    ASSERT_TRUE(engine.OnClockOutAt(At(2026, 12, 8, 0, 20, 5)));
    EXPECT_EQ(ReadFile(log()), Crlf("In...Mon Dec 07 23:10:00 2026\n"
                                    "Out..Mon Dec 07 23:59:59 2026\n"
                                    "Elapsed time of 00:49:59.\n"
                                    "In...Tue Dec 08 00:00:00 2026\n"
                                    "Out..Tue Dec 08 00:20:05 2026\n"
                                    "Elapsed time of 00:20:05.\n"));
}

TEST_F(ClockOutAt, aPunchSinceTheInWasReadChangesNothing) {
    WriteFile(log(), In("2026-12-07 09:00:00"));
    const std::optional<OpenInRecord> seen = ReadOpenInRecord(log());
    ASSERT_TRUE(seen);
    struct Case {
        const char* name;
        std::string log;
    };
    for (const Case& c : {
             Case{"clocked out elsewhere", Triple("2026-12-07 09:00:00", "2026-12-07 10:00:00")},
             Case{"out and in again elsewhere",
                  Triple("2026-12-07 09:00:00", "2026-12-07 10:00:00") + In("2026-12-07 10:00:05")},
             Case{"the same In again later in the file",
                  Triple("2026-12-07 08:00:00", "2026-12-07 08:30:00") + In("2026-12-07 09:00:00")},
         }) {
        WriteFile(log(), c.log);
        engine.ScanTimeLog();
        EXPECT_FALSE(engine.OnClockOutAt(At(2026, 12, 7, 9, 30, 0), &*seen)) << c.name;
        EXPECT_EQ(ReadFile(log()), c.log) << c.name;
        EXPECT_TRUE(reporter.messages.empty()) << c.name;
    }
}

TEST_F(ClockOutAt, theOpenInRecord) {
    EXPECT_FALSE(ReadOpenInRecord(log()));  // no log
    WriteFile(log(), Triple("2026-12-07 08:00:00", "2026-12-07 08:30:00"));
    EXPECT_FALSE(ReadOpenInRecord(log()));  // clocked out
    WriteFile(log(),
              Triple("2026-12-07 08:00:00", "2026-12-07 08:30:00") + In("2026-12-07 09:03:07"));
    const std::optional<OpenInRecord> open = ReadOpenInRecord(log());
    ASSERT_TRUE(open);
    EXPECT_EQ(open->text, "In...Mon Dec 07 09:03:07 2026");
    EXPECT_EQ(open->offset, 31 + 31 + 27);
    EXPECT_EQ(open->at, At(2026, 12, 7, 9, 3, 7));
    // A damaged month counts as January, as Clock Out reads it.
    WriteFile(log(), In("Mon Xyz 07 09:03:07 2026"));
    EXPECT_EQ(ReadOpenInRecord(log())->at, At(2026, 1, 7, 9, 3, 7));
}

}  // namespace
}  // namespace tally::test
