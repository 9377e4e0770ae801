// SPDX-License-Identifier: MIT
#include "time/calendar.h"

#include <gtest/gtest.h>

#include <string>

#include "time/calendar_date.h"
#include "time/punch_record.h"

namespace tally {
namespace {

TEST(SecondsFromDate, countsFrom1980WithLeapYears) {
    EXPECT_EQ(SecondsFromDate(1980, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(1981, 0, 0, 0, 0, 0), 31622400);  // 1980 has 366 days
    EXPECT_EQ(SecondsFromDate(1980, 2, 0, 0, 0, 0), 60 * 86400);
    EXPECT_EQ(SecondsFromDate(2004, 1, 0, 1, 0, 0) - SecondsFromDate(2004, 0, 30, 23, 0, 0),
              2 * 3600);
    // An hour of 24 is the next day's midnight.
    EXPECT_EQ(SecondsFromDate(2004, 5, 1, 24, 0, 0), SecondsFromDate(2004, 5, 2, 0, 0, 0));
}

TEST(SecondsFromDate, keepsCountingPast2020) {
    const std::int64_t end2020 = SecondsFromDate(2020, 11, 30, 23, 59, 59);
    EXPECT_EQ(SecondsFromDate(2021, 0, 0, 0, 0, 0), end2020 + 1);
    EXPECT_EQ(SecondsFromDate(2100, 2, 0, 0, 0, 0) - SecondsFromDate(2100, 1, 27, 0, 0, 0),
              86400);  // 2100 is no leap year
    EXPECT_EQ(SecondsFromDate(2000, 2, 0, 0, 0, 0) - SecondsFromDate(2000, 1, 27, 0, 0, 0),
              2 * 86400);  // 2000 is one
    EXPECT_GT(SecondsFromDate(9999, 11, 30, 23, 59, 59), int64_t{1} << 32);
}

TEST(SecondsFromDate, isZeroOutOfRange) {
    EXPECT_EQ(SecondsFromDate(1979, 11, 30, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(10000, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(2004, 12, 0, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(2004, -1, 0, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(2004, 0, 32, 0, 0, 0), 0);
    EXPECT_EQ(SecondsFromDate(2004, 0, -1, 0, 0, 0), 0);
    EXPECT_NE(SecondsFromDate(2004, 0, 31, 0, 0, 0), 0);
}

TEST(DaysInMonth, followsTheGregorianLeapRule) {
    EXPECT_EQ(DaysInMonth(2004, 1), 29);
    EXPECT_EQ(DaysInMonth(2003, 1), 28);
    EXPECT_EQ(DaysInMonth(2100, 1), 28);
    EXPECT_EQ(DaysInMonth(2000, 1), 29);
    const int expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m < 12; ++m) EXPECT_EQ(DaysInMonth(2003, m), expected[m]) << m;
}

TEST(RunOnDays, carriesDaysAndMonthsBeyondTheirRangeAndKnowsTheWeekday) {
    struct Case {
        int year, month, day;
        CalendarDate date;
        int weekday;  // 0 Sunday
    };
    const Case cases[] = {
        {2024, 2, 29, {2024, 2, 29}, 4}, {2023, 2, 29, {2023, 3, 1}, 3},
        {2024, 3, 0, {2024, 2, 29}, 4},  {1999, 12, 32, {2000, 1, 1}, 6},
        {2000, 13, 1, {2001, 1, 1}, 1},  {1970, 0, 1, {1969, 12, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                     std::to_string(c.day));
        const auto days = RunOnDays(c.year, c.month, c.day);
        EXPECT_EQ(DateOf(days), c.date);
        EXPECT_EQ(DaysOf(c.date), days);
        EXPECT_EQ(WeekdayOf(days), c.weekday);
    }
}

TEST(NameLookups, ignoreCaseAndCompareWholeNames) {
    EXPECT_EQ(MonthIndex("Dec"), 11);
    EXPECT_EQ(MonthIndex("dEC"), 11);
    EXPECT_EQ(MonthIndex("Decem"), 0);
    EXPECT_EQ(MonthIndex(""), 0);
    EXPECT_EQ(LookupMonth("Decem"), -1);
    EXPECT_EQ(LookupMonth("feb"), 1);
    PunchRecord r = PunchRecord::FromText("In...sat Jan 05 09:03:07 2004", 29);
    r.Split();
    EXPECT_EQ(WeekdayIndex(r.buf), 6);
    r.buf[5] = 'X';
    EXPECT_EQ(WeekdayIndex(r.buf), 0);
}

PunchRecord Split(const char* text) {
    PunchRecord r = PunchRecord::FromText(text, 29);
    r.Split();
    return r;
}

TEST(MoveToWeekStart, walksBackToTheFirstDayOfTheWeek) {
    PunchRecord r = Split("In...Mon Mar 01 09:00:00 2004");
    MoveToWeekStart(r.buf, 0);
    EXPECT_STREQ(r.Weekday(), "Sun");
    EXPECT_STREQ(r.Month(), "Feb");
    EXPECT_EQ(r.DayNumber(), 29);
    EXPECT_EQ(r.YearNumber(), 2004);

    PunchRecord same = Split("In...Mon Mar 01 09:00:00 2004");
    MoveToWeekStart(same.buf, 1);
    EXPECT_STREQ(same.Weekday(), "Mon");
    EXPECT_STREQ(same.Month(), "Mar");
    EXPECT_EQ(same.DayNumber(), 1);

    PunchRecord newYear = Split("In...Thu Jan 01 09:00:00 2004");
    MoveToWeekStart(newYear.buf, 6);  // back to Saturday 27 December 2003
    EXPECT_STREQ(newYear.Month(), "Dec");
    EXPECT_EQ(newYear.DayNumber(), 27);
    EXPECT_EQ(newYear.YearNumber(), 2003);
}

TEST(MoveToWeekStart, staysInsideItsFieldsOnGarbage) {
    PunchRecord r = Split("In...Sat Xyz 00 09:00:00 0000");
    MoveToWeekStart(r.buf, 0);
    EXPECT_STREQ(r.Weekday(), "Sun");
    EXPECT_EQ(r.buf[29], '\0');
    EXPECT_EQ(r.buf[24], '\0');
    EXPECT_EQ(std::string(r.Year()).size(), 4u);
}

}  // namespace
}  // namespace tally

#include "time/local_time.h"

namespace tally {
namespace {

TEST(LocalTime, settlesSkippedAndRepeatedWallTimes) {
    // 2004-03-28 02:30 does not exist in central Europe: moved forward by the hour skipped.
    const TimeValue skipped = FromLocalTime(2004, 3, 28, 2, 30, 0);
    EXPECT_EQ(skipped, FromLocalTime(2004, 3, 28, 3, 30, 0));
    // 2004-10-31 02:30 occurs twice: the first one, still in summer time.
    const TimeValue repeated = FromLocalTime(2004, 10, 31, 2, 30, 0);
    EXPECT_EQ(FromLocalTime(2004, 10, 31, 3, 30, 0) - repeated, 2 * 3600);
    EXPECT_EQ(ToLocalTm(repeated).tm_isdst, 1);
    // Fields beyond their range carry over, in summer as in winter.
    EXPECT_EQ(FromLocalTime(2004, 6, 1, 24, 0, 0), FromLocalTime(2004, 6, 2, 0, 0, 0));
    EXPECT_EQ(FromLocalTime(2004, 1, 31, 24, 0, 0), FromLocalTime(2004, 2, 1, 0, 0, 0));
    // Beyond 2038 and back.
    const TimeValue late = FromLocalTime(2089, 12, 31, 23, 59, 59);
    EXPECT_GT(late, TimeValue{1} << 31);
    const std::tm back = ToLocalTm(late);
    EXPECT_EQ(back.tm_year + 1900, 2089);
    EXPECT_EQ(back.tm_hour, 23);
}

}  // namespace
}  // namespace tally
