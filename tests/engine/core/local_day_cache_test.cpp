// SPDX-License-Identifier: MIT
// The day cache must give what localtime and FromLocalTime give, also on the days the clocks
// change, in zones either side of Greenwich and the equator, and whichever order the days
// come in.

#include "time/local_day_cache.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tally {
namespace {

class LocalDayCacheTest : public ::testing::Test {
  protected:
    void SetUp() override { test::PinTimeZone(); }
    // Tests after this one in the same process expect the usual zone again.
    void TearDown() override { test::PinTimeZone(); }

    // Every ten minutes of a day, converted by the cache and by mktime, agree; so do the
    // breakdowns.
    void ExpectSameAsLocalTime(int year, int month, int day) {
        for (int m = 0; m < 24 * 60; m += 10) {
            LocalFields f;
            const TimeValue got = days.Time(year, month, day, m / 60, m % 60, 30, &f);
            const TimeValue expected = FromLocalTime(year, month, day, m / 60, m % 60, 30);
            ASSERT_EQ(got, expected) << year << "-" << month << "-" << day << " minute " << m;
            const std::tm t = ToLocalTm(expected);
            EXPECT_EQ(f.day, t.tm_mday);
            EXPECT_EQ(f.hour, t.tm_hour);
            EXPECT_EQ(f.minute, t.tm_min);
        }
    }

    LocalDayCache days;
};

TEST_F(LocalDayCacheTest, fieldsMatchLocaltimeAroundClockChanges) {
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

TEST_F(LocalDayCacheTest, timesMatchFromLocalTimeAroundClockChanges) {
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

TEST_F(LocalDayCacheTest, agreesWithMktimeOnOrdinaryAndClockChangeDays) {
    ExpectSameAsLocalTime(2004, 3, 27);
    ExpectSameAsLocalTime(2004, 3, 28);   // 02:00 to 03:00 does not occur
    ExpectSameAsLocalTime(2004, 10, 31);  // 02:00 to 03:00 occurs twice
    ExpectSameAsLocalTime(2004, 11, 1);
    ExpectSameAsLocalTime(1969, 12, 31);
}

TEST_F(LocalDayCacheTest, agreesWithMktimeWestOfGreenwichAndSouthOfTheEquator) {
    test::PinTimeZone("EST5EDT,M3.2.0,M11.1.0");
    days = LocalDayCache();
    ExpectSameAsLocalTime(2004, 3, 14);
    ExpectSameAsLocalTime(2004, 11, 7);
    test::PinTimeZone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    days = LocalDayCache();
    ExpectSameAsLocalTime(2004, 4, 4);
    ExpectSameAsLocalTime(2004, 10, 3);
    ExpectSameAsLocalTime(2004, 12, 31);
}

TEST_F(LocalDayCacheTest, revisitedDaysGiveTheSameTimes) {
    EXPECT_EQ(days.Time(1970, 1, 1, 12, 0, 0), FromLocalTime(1970, 1, 1, 12, 0, 0));
    const TimeValue first = days.Time(2004, 6, 1, 9, 0, 0);
    for (int day = 1; day <= 10; ++day) days.Time(2005, 1, day, 12, 0, 0);
    EXPECT_EQ(days.Time(2004, 10, 31, 2, 30, 0), FromLocalTime(2004, 10, 31, 2, 30, 0));
    EXPECT_EQ(days.Time(2004, 6, 1, 9, 0, 0), first);
}

TEST_F(LocalDayCacheTest, springGapMovesForwardAndAutumnTakesFirstOccurrence) {
    LocalFields f;
    const TimeValue gap = days.Time(2004, 3, 28, 2, 30, 0, &f);
    EXPECT_EQ(gap, days.Time(2004, 3, 28, 3, 30, 0));
    EXPECT_EQ(f.hour, 3);
    const TimeValue twice = days.Time(2004, 10, 31, 2, 30, 0);
    EXPECT_EQ(days.Time(2004, 10, 31, 3, 30, 0) - twice, 2 * 3600);
}

TEST_F(LocalDayCacheTest, fieldsOutsideTheirRangesCarryAsMktimeDoes) {
    LocalFields f;
    EXPECT_EQ(days.Time(2004, 12, 31, 24, 0, 0, &f), FromLocalTime(2005, 1, 1, 0, 0, 0));
    EXPECT_EQ(f.year, 2005);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.day, 1);
    days.Time(2004, 3, 0, 9, 0, 0, &f);
    EXPECT_EQ(f.day, 29);
    EXPECT_EQ(days.Time(2004, 1, 99, 0, 0, 0), FromLocalTime(2004, 4, 8, 0, 0, 0));
    EXPECT_EQ(days.Time(2004, 6, 1, 9, 60, 0), FromLocalTime(2004, 6, 1, 10, 0, 0));
    EXPECT_EQ(days.Time(2004, 6, 1, -1, 0, 0), FromLocalTime(2004, 5, 31, 23, 0, 0));
}

}  // namespace
}  // namespace tally
