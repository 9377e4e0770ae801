#include "invoice/local_time_converter.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tally {
namespace {

class LocalTimeConverterTest : public ::testing::Test {
  protected:
    void SetUp() override { test::PinTimeZone(); }

    // Every ten minutes of a day, converted by the cache and by mktime, agree; so do the
    // breakdowns.
    void ExpectSameAsLocalTime(int year, int month, int day) {
        for (int m = 0; m < 24 * 60; m += 10) {
            const WallTime wall{year, month, day, m / 60, m % 60, 30};
            const LocalInstant got = converter.Convert(wall);
            const TimeValue expected = FromLocalTime(year, month, day, m / 60, m % 60, 30);
            ASSERT_EQ(got.time, expected) << year << "-" << month << "-" << day << " minute " << m;
            const std::tm t = ToLocalTm(expected);
            EXPECT_EQ(got.wall.day, t.tm_mday);
            EXPECT_EQ(got.wall.hour, t.tm_hour);
            EXPECT_EQ(got.wall.minute, t.tm_min);
        }
    }

    LocalTimeConverter converter;
};

TEST_F(LocalTimeConverterTest, agreesWithMktimeOnOrdinaryAndClockChangeDays) {
    ExpectSameAsLocalTime(2004, 3, 27);
    ExpectSameAsLocalTime(2004, 3, 28);   // 02:00 to 03:00 does not occur
    ExpectSameAsLocalTime(2004, 10, 31);  // 02:00 to 03:00 occurs twice
    ExpectSameAsLocalTime(2004, 11, 1);
    ExpectSameAsLocalTime(1969, 12, 31);
}

TEST_F(LocalTimeConverterTest, agreesWithMktimeWestOfGreenwichAndSouthOfTheEquator) {
    test::PinTimeZone("EST5EDT,M3.2.0,M11.1.0");
    converter = LocalTimeConverter();
    ExpectSameAsLocalTime(2004, 3, 14);
    ExpectSameAsLocalTime(2004, 11, 7);
    test::PinTimeZone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    converter = LocalTimeConverter();
    ExpectSameAsLocalTime(2004, 4, 4);
    ExpectSameAsLocalTime(2004, 10, 3);
    ExpectSameAsLocalTime(2004, 12, 31);
}

TEST_F(LocalTimeConverterTest, revisitedDaysGiveTheSameTimes) {
    EXPECT_EQ(converter.Convert({1970, 1, 1, 12, 0, 0}).time, FromLocalTime(1970, 1, 1, 12, 0, 0));
    const WallTime a{2004, 6, 1, 9, 0, 0};
    const WallTime b{2004, 10, 31, 2, 30, 0};
    const TimeValue first = converter.Convert(a).time;
    for (int day = 1; day <= 10; ++day) converter.Convert({2005, 1, day, 12, 0, 0});
    EXPECT_EQ(converter.Convert(b).time, FromLocalTime(2004, 10, 31, 2, 30, 0));
    EXPECT_EQ(converter.Convert(a).time, first);
}

TEST_F(LocalTimeConverterTest, springGapMovesForwardAndAutumnTakesFirstOccurrence) {
    const LocalInstant gap = converter.Convert({2004, 3, 28, 2, 30, 0});
    EXPECT_EQ(gap.time, converter.Convert({2004, 3, 28, 3, 30, 0}).time);
    EXPECT_EQ(gap.wall.hour, 3);
    const LocalInstant twice = converter.Convert({2004, 10, 31, 2, 30, 0});
    EXPECT_EQ(converter.Convert({2004, 10, 31, 3, 30, 0}).time - twice.time, 2 * 3600);
}

TEST_F(LocalTimeConverterTest, fieldsOutsideTheirRangesCarryAsMktimeDoes) {
    const LocalInstant midnight = converter.Convert({2004, 12, 31, 24, 0, 0});
    EXPECT_EQ(midnight.time, FromLocalTime(2005, 1, 1, 0, 0, 0));
    EXPECT_EQ(midnight.wall.year, 2005);
    EXPECT_EQ(midnight.wall.month, 1);
    EXPECT_EQ(midnight.wall.day, 1);
    EXPECT_EQ(converter.Convert({2004, 3, 0, 9, 0, 0}).wall.day, 29);
    EXPECT_EQ(converter.Convert({2004, 1, 99, 0, 0, 0}).time, FromLocalTime(2004, 4, 8, 0, 0, 0));
    EXPECT_EQ(converter.Convert({2004, 6, 1, 9, 60, 0}).time, FromLocalTime(2004, 6, 1, 10, 0, 0));
    EXPECT_EQ(converter.Convert({2004, 6, 1, -1, 0, 0}).time, FromLocalTime(2004, 5, 31, 23, 0, 0));
}

}  // namespace
}  // namespace tally
