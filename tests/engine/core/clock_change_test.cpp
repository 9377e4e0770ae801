// SPDX-License-Identifier: MIT
// Clock Out when the clock went back or sprang forward since the In: the daylight-saving
// changes of New York, and a clock set back by hand. The pair must keep the time that
// really passed and stay readable by the scan.

#include <gtest/gtest.h>

#include <string>

#include "core/punch_lines.h"
#include "engine_fixture.h"

namespace tally::test {
namespace {

// America/New_York's rules since 2007, written out so that no zone database is needed:
// 2024-03-10 02:00 EST springs to 03:00 EDT, 2024-11-03 02:00 EDT falls back to 01:00 EST.
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";

class ClockChange : public EngineTest {
  protected:
    ClockChange() { PinTimeZone(kNewYork); }
    ~ClockChange() override { PinTimeZone(); }

    // The instant the clock shows a wall time; later marks the second 01:xx of the autumn.
    TimeValue At(int year, int month, int day, int hour, int minute, bool later = false) {
        clock.SetLocal(year, month, day, hour, minute, 0);
        return clock.Now() + (later ? 3600 : 0);
    }
};

// The open In record with the given timestamp, split as Clock Out reads it.
PunchRecord InRecord(const std::string& stamp) {
    const std::string text = "In..." + stamp;
    PunchRecord record = PunchRecord::FromText(text.data(), text.size());
    record.Split();
    return record;
}

TEST_F(ClockChange, clockOutLinesKeepTheTimeThatPassed) {
    struct Case {
        const char* what;
        const char* in;
        TimeValue now;
        std::string lines;  // LF line ends
    };
    const Case cases[] = {
        {"autumn: In before the change, Out in the repeated hour", "Sun Nov 03 01:30:00 2024",
         At(2024, 11, 3, 1, 10, true),
         "Out..Sun Nov 03 02:10:00 2024\nElapsed time of 00:40:00.\n"},
        {"autumn: In before the repeated hour, Out after it", "Sun Nov 03 00:30:00 2024",
         At(2024, 11, 3, 3, 0), "Out..Sun Nov 03 04:00:00 2024\nElapsed time of 03:30:00.\n"},
        // The In's wall time occurred twice; the later reading is the one that bills no hour
        // that may not have been worked.
        {"autumn: In and Out both in the repeated hour", "Sun Nov 03 01:30:00 2024",
         At(2024, 11, 3, 1, 50, true),
         "Out..Sun Nov 03 01:50:00 2024\nElapsed time of 00:20:00.\n"},
        {"autumn: In and Out both before the change", "Sun Nov 03 01:10:00 2024",
         At(2024, 11, 3, 1, 50), "Out..Sun Nov 03 01:50:00 2024\nElapsed time of 00:40:00.\n"},
        {"autumn: over midnight, the second pair keeps its hour", "Sat Nov 02 23:00:00 2024",
         At(2024, 11, 3, 3, 0),
         "Out..Sat Nov 02 23:59:59 2024\nElapsed time of 00:59:59.\n"
         "In...Sun Nov 03 00:00:00 2024\n"
         "Out..Sun Nov 03 04:00:00 2024\nElapsed time of 04:00:00.\n"},
        {"autumn: never past the end of the In's day", "Sun Nov 03 00:30:00 2024",
         At(2024, 11, 3, 23, 45), "Out..Sun Nov 03 23:59:59 2024\nElapsed time of 23:29:59.\n"},
        {"spring: Out after the skipped hour", "Sun Mar 10 01:30:00 2024", At(2024, 3, 10, 3, 10),
         "Out..Sun Mar 10 02:10:00 2024\nElapsed time of 00:40:00.\n"},
        {"spring: In before and Out well after the change", "Sun Mar 10 00:30:00 2024",
         At(2024, 3, 10, 5, 0), "Out..Sun Mar 10 04:00:00 2024\nElapsed time of 03:30:00.\n"},
        {"clock set back on the In's day", "Tue Jan 07 10:00:00 2025", At(2025, 1, 7, 9, 0),
         "Out..Tue Jan 07 10:00:00 2025\nElapsed time of 00:00:00.\n"},
        {"clock set back before the In's midnight", "Wed Jan 08 00:10:00 2025",
         At(2025, 1, 7, 23, 50), "Out..Wed Jan 08 00:10:00 2025\nElapsed time of 00:00:00.\n"},
        {"no change: as ever", "Tue Jan 07 09:40:50 2025", At(2025, 1, 7, 10, 5) + 10,
         "Out..Tue Jan 07 10:05:10 2025\nElapsed time of 00:24:20.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClockOutLines(InRecord(c.in), c.now), Crlf(c.lines)) << c.what;
    }
}

TEST_F(ClockChange, autumnPairIsCountedAndTheScanReadsOn) {
    clock.Set(At(2024, 11, 3, 1, 30));  // EDT
    ASSERT_TRUE(engine.OnClockIn());
    clock.Set(At(2024, 11, 3, 1, 10, true));  // 40 minutes later, in EST
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()), Crlf("In...Sun Nov 03 01:30:00 2024\n"
                                    "Out..Sun Nov 03 02:10:00 2024\n"
                                    "Elapsed time of 00:40:00.\n"));
    clock.Set(At(2024, 11, 3, 9, 0));
    ASSERT_TRUE(engine.OnClockIn());
    clock.Set(At(2024, 11, 3, 13, 0));
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(engine.Texts().todayFirst, "4:40:00");
    EXPECT_EQ(engine.Texts().periodFirst, "4:40:00");
    EXPECT_EQ(engine.Rows().raw.size(), 6u);
}

TEST_F(ClockChange, springPairIsCountedAndTheScanReadsOn) {
    clock.Set(At(2024, 3, 10, 1, 30));  // EST
    ASSERT_TRUE(engine.OnClockIn());
    clock.Set(At(2024, 3, 10, 3, 10));  // 40 minutes later, in EDT
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()), Crlf("In...Sun Mar 10 01:30:00 2024\n"
                                    "Out..Sun Mar 10 02:10:00 2024\n"
                                    "Elapsed time of 00:40:00.\n"));
    clock.Set(At(2024, 3, 10, 9, 0));
    ASSERT_TRUE(engine.OnClockIn());
    clock.Set(At(2024, 3, 10, 13, 0));
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(engine.Texts().todayFirst, "4:40:00");
    EXPECT_EQ(engine.Texts().periodFirst, "4:40:00");
    EXPECT_EQ(engine.Rows().raw.size(), 6u);
}

}  // namespace
}  // namespace tally::test
