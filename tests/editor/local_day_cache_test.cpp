// The day cache must give what localtime and mktime give, also on the days the clocks
// change, and whichever order the days come in.

#include <gtest/gtest.h>

#include "core/local_time.h"
#include "editor/local_day_cache.h"

namespace tally {
namespace {

TEST(LocalDayCache, FieldsMatchLocaltimeAroundClockChanges) {
    LocalDayCache days;
    for (const TimeValue night :
         {FromLocalTime(2004, 3, 27, 12, 0, 0), FromLocalTime(2004, 10, 30, 12, 0, 0)}) {
        // Two days, back and forth, every 7 minutes 13 seconds.
        for (TimeValue t = night; t < night + 2 * 86400; t += 433) {
            for (const TimeValue probe : {t, night + (t - night) / 2}) {
                const std::tm expected = ToLocalTm(probe);
                const LocalFields f = days.Fields(probe);
                ASSERT_EQ(f.year, expected.tm_year + 1900) << probe;
                ASSERT_EQ(f.month, expected.tm_mon + 1) << probe;
                ASSERT_EQ(f.day, expected.tm_mday) << probe;
                ASSERT_EQ(f.hour, expected.tm_hour) << probe;
                ASSERT_EQ(f.minute, expected.tm_min) << probe;
                ASSERT_EQ(f.second, expected.tm_sec) << probe;
                ASSERT_EQ(f.weekday, expected.tm_wday) << probe;
            }
        }
    }
}

TEST(LocalDayCache, TimesMatchFromLocalTimeAroundClockChanges) {
    LocalDayCache days;
    const int dates[][2] = {{3, 27},  {3, 28}, {3, 29}, {10, 30},
                            {10, 31}, {11, 1}, {3, 28}, {10, 31}};
    for (const auto& [month, day] : dates) {
        for (int minutes = 0; minutes < 24 * 60; minutes += 17) {
            const int hour = minutes / 60;
            const int minute = minutes % 60;
            ASSERT_EQ(days.Time(2004, month, day, hour, minute, 59),
                      FromLocalTime(2004, month, day, hour, minute, 59))
                << month << "-" << day << " " << hour << ":" << minute;
        }
    }
    // Days a month does not have count on into the next month.
    EXPECT_EQ(days.Time(2004, 6, 31, 9, 0, 0), FromLocalTime(2004, 7, 1, 9, 0, 0));
    EXPECT_EQ(days.Time(2005, 2, 29, 9, 0, 0), FromLocalTime(2005, 3, 1, 9, 0, 0));
    EXPECT_EQ(days.Time(2004, 12, 31, 23, 59, 59) + 1, days.Time(2005, 1, 1, 0, 0, 0));
}

}  // namespace
}  // namespace tally
