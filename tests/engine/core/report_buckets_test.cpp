// SPDX-License-Identifier: MIT
#include "reports/report_buckets.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine_fixture.h"

namespace tally::test {
namespace {

class ReportBuckets : public EngineTest {
  protected:
    // The days of one scan of the log, as the report gets them.
    std::vector<ScannedDay> ScanDays() {
        DayCollector collector(&lists);
        engine.SetRowSink(&collector);
        engine.ScanTimeLog();
        engine.SetRowSink(nullptr);
        return collector.Finish(engine.State());
    }
    BucketReport Report(BucketBy by, const std::optional<DateRange>& range = std::nullopt) {
        return MakeBuckets(ScanDays(), by, engine.Settings(), range);
    }

    RowLists lists;  // what the collector passes on
};

CalendarDate D(int y, int m, int d) {
    return {y, m, d};
}

ELAPSEDTIME Hours(int h) {
    return {h, 0, 0};
}

// Forty days from Thursday 1 January 2004, two pairs a day whose lengths differ by odd
// minutes and seconds, so that every rounding type gives other totals.
std::string UnevenDays() {
    std::string text;
    for (int d = 0; d < 40; ++d) {
        const int month = d < 31 ? 1 : 2;
        const int day = d < 31 ? d + 1 : d - 30;
        char a[32], b[32], c[32], e[32];
        std::snprintf(a, sizeof a, "2004-%02d-%02d 08:%02d:%02d", month, day, d % 60, (d * 7) % 60);
        std::snprintf(b, sizeof b, "2004-%02d-%02d 11:%02d:%02d", month, day, (d * 13) % 60,
                      d % 60);
        std::snprintf(c, sizeof c, "2004-%02d-%02d 12:%02d:%02d", month, day, (d * 3) % 60, 29);
        std::snprintf(e, sizeof e, "2004-%02d-%02d 17:%02d:%02d", month, day, (d * 11) % 60, 31);
        text += Triple(a, b) + Triple(c, e);
    }
    return text;
}

// 21 working days from Thursday 1 January 2004: the first week holds the days from
// 1 January up to the day before the next week start.
TEST_F(ReportBuckets, weeksBeginOnTheWeekStartDay) {
    WriteLog(WorkingDays(2004, 1, 1, 21));
    struct Case {
        int weekStartDay;
        CalendarDate firstWeek;
        int daysInFirstWeek;
        std::size_t weeks;
    };
    for (const Case& c : {Case{0, D(2003, 12, 28), 3, 4}, Case{1, D(2003, 12, 29), 4, 4},
                          Case{4, D(2004, 1, 1), 7, 3}, Case{5, D(2003, 12, 26), 1, 4},
                          Case{6, D(2003, 12, 27), 2, 4}}) {
        SCOPED_TRACE(c.weekStartDay);
        engine.Settings().WeekStartDay = c.weekStartDay;
        const BucketReport report = Report(BucketBy::Week);
        ASSERT_EQ(report.buckets.size(), c.weeks);
        EXPECT_EQ(report.buckets[0].first, c.firstWeek);
        EXPECT_EQ(report.buckets[0].days, c.daysInFirstWeek);
        EXPECT_EQ(report.buckets[0].time, Hours(8 * c.daysInFirstWeek));
        int days = 0;
        for (const ReportBucket& week : report.buckets) {
            EXPECT_EQ(
                week.last.day - week.first.day + (week.last.month != week.first.month ? 31 : 0), 6);
            days += week.days;
        }
        EXPECT_EQ(days, 21);
        EXPECT_EQ(report.total.days, 21);
        EXPECT_EQ(report.total.time, Hours(8 * 21));
        EXPECT_EQ(report.total.first, c.firstWeek);
    }
}

TEST_F(ReportBuckets, monthsSpanTheirWholeMonth) {
    WriteLog(WorkingDays(2004, 1, 30, 33));  // 30 January to 2 March, a leap February
    const BucketReport report = Report(BucketBy::Month);
    ASSERT_EQ(report.buckets.size(), 3u);
    const ReportBucket expected[] = {{D(2004, 1, 1), D(2004, 1, 31), 2, Hours(16)},
                                     {D(2004, 2, 1), D(2004, 2, 29), 29, Hours(232)},
                                     {D(2004, 3, 1), D(2004, 3, 31), 2, Hours(16)}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(report.buckets[i].first, expected[i].first);
        EXPECT_EQ(report.buckets[i].last, expected[i].last);
        EXPECT_EQ(report.buckets[i].days, expected[i].days);
        EXPECT_EQ(report.buckets[i].time, expected[i].time);
    }
}

// The periods are the scan's own: each bucket's time is the separator row that closes it,
// the last one the scan's period total, the total its grand total, for every period type,
// week start and rounding type.
TEST_F(ReportBuckets, periodsAgreeWithTheScan) {
    WriteLog(UnevenDays());
    for (int periodType : {kPeriodWeekly, kPeriodHalfMonth}) {
        for (int weekStart : {0, 3}) {
            for (int rounding = kRoundNone; rounding <= kRoundDaily; ++rounding) {
                for (int unit : {1, 15, 30}) {
                    SCOPED_TRACE(testing::Message() << periodType << " " << weekStart << " "
                                                    << rounding << " " << unit);
                    CurrentSettings& s = engine.Settings();
                    s.PeriodType = periodType;
                    s.WeekStartDay = weekStart;
                    s.RoundingType = rounding;
                    s.RoundingUnit = unit;
                    lists.Clear();
                    const BucketReport report = Report(BucketBy::Period);
                    std::vector<ELAPSEDTIME> separators;
                    for (const DailyRow& row : lists.daily) {
                        if (row.separator) separators.push_back(row.total);
                    }
                    const ScanState& state = engine.State();
                    separators.push_back(state.periodTotal);
                    ASSERT_EQ(report.buckets.size(), separators.size());
                    EXPECT_EQ(static_cast<int>(report.buckets.size()), state.periodCount);
                    for (std::size_t i = 0; i < separators.size(); ++i) {
                        EXPECT_EQ(report.buckets[i].time, separators[i]) << i;
                    }
                    EXPECT_EQ(report.total.time, state.grandTotal);
                    EXPECT_EQ(report.total.days, state.dayCount);
                }
            }
        }
    }
}

TEST_F(ReportBuckets, periodSpansFollowThePeriodType) {
    WriteLog(WorkingDays(2004, 2, 10, 10));  // Tuesday 10 to Thursday 19 February
    engine.Settings().PeriodType = kPeriodHalfMonth;
    BucketReport report = Report(BucketBy::Period);
    ASSERT_EQ(report.buckets.size(), 2u);
    EXPECT_EQ(report.buckets[0].first, D(2004, 2, 1));
    EXPECT_EQ(report.buckets[0].last, D(2004, 2, 15));
    EXPECT_EQ(report.buckets[1].first, D(2004, 2, 16));
    EXPECT_EQ(report.buckets[1].last, D(2004, 2, 29));

    engine.Settings().PeriodType = kPeriodWeekly;
    engine.Settings().WeekStartDay = 1;
    report = Report(BucketBy::Period);
    ASSERT_EQ(report.buckets.size(), 2u);
    EXPECT_EQ(report.buckets[0].first, D(2004, 2, 9));
    EXPECT_EQ(report.buckets[1].last, D(2004, 2, 22));
    EXPECT_EQ(report.buckets[1].days, 4);
}

// By day: the daily list, as shown, and the last day, rounded as the status shows it.
TEST_F(ReportBuckets, daysAreTheDailyListAndTheLastDay) {
    WriteLog(UnevenDays());
    for (int rounding = kRoundNone; rounding <= kRoundDaily; ++rounding) {
        SCOPED_TRACE(rounding);
        engine.Settings().RoundingType = rounding;
        engine.Settings().RoundingUnit = 15;
        lists.Clear();
        const BucketReport report = Report(BucketBy::Day);
        std::vector<ELAPSEDTIME> shown;
        for (const DailyRow& row : lists.daily) {
            if (!row.separator) shown.push_back(row.total);
        }
        ELAPSEDTIME last = engine.State().dayTotal;
        RoundElapsed(last, engine.Settings().Rounding());
        shown.push_back(last);
        ASSERT_EQ(report.buckets.size(), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(report.buckets[i].time, shown[i]) << i;
            EXPECT_EQ(report.buckets[i].days, 1);
            EXPECT_EQ(report.buckets[i].first, report.buckets[i].last);
        }
        EXPECT_EQ(report.buckets.back().first, D(2004, 2, 9));
    }
}

TEST_F(ReportBuckets, rangeKeepsTheDaysWithinItAndCutsTheSpans) {
    WriteLog(WorkingDays(2004, 1, 1, 21));
    engine.Settings().WeekStartDay = 1;
    const BucketReport report = Report(BucketBy::Week, DateRange{D(2004, 1, 3), D(2004, 1, 13)});
    ASSERT_EQ(report.buckets.size(), 3u);
    EXPECT_EQ(report.buckets[0].first, D(2004, 1, 3));  // not the week's Monday, 29 December
    EXPECT_EQ(report.buckets[0].days, 2);
    EXPECT_EQ(report.buckets[2].last, D(2004, 1, 13));
    EXPECT_EQ(report.buckets[2].days, 2);
    EXPECT_EQ(report.total.days, 11);
    EXPECT_EQ(report.total.time, Hours(88));
    EXPECT_EQ(report.total.first, D(2004, 1, 3));
    EXPECT_EQ(report.total.last, D(2004, 1, 13));

    EXPECT_TRUE(Report(BucketBy::Week, DateRange{D(2005, 1, 1), D(2005, 2, 1)}).buckets.empty());
    EXPECT_TRUE(Report(BucketBy::Week, DateRange{D(2004, 1, 13), D(2004, 1, 3)}).buckets.empty());
}

TEST_F(ReportBuckets, noDaysWithoutAnInRecord) {
    for (const std::string& text : {std::string(), std::string("garbage")}) {
        WriteLog(text);
        const BucketReport report = Report(BucketBy::Period);
        EXPECT_TRUE(report.buckets.empty());
        EXPECT_EQ(report.total.days, 0);
    }
    WriteLog(In("2004-01-05 09:00:00"));  // clocked in: the day is there, with no time yet
    const BucketReport open = Report(BucketBy::Day);
    ASSERT_EQ(open.buckets.size(), 1u);
    EXPECT_EQ(open.buckets[0].first, D(2004, 1, 5));
    EXPECT_EQ(open.buckets[0].time, ELAPSEDTIME{});
}

// A hand-written 30 February counts on 1 March; a day edited back in time stays in the
// period the scan gave it, whose span grows to hold it.
TEST_F(ReportBuckets, oddDatesLandWhereTheScanCountsThem) {
    WriteLog(Triple("Mon Feb 30 09:00:00 2004", "Mon Feb 30 10:00:00 2004", "01:00:00") +
             Triple("Tue Mar 02 09:00:00 2004", "Tue Mar 02 10:00:00 2004", "01:00:00") +
             Triple("Mon Feb 16 09:00:00 2004", "Mon Feb 16 10:00:00 2004", "01:00:00"));
    engine.Settings().PeriodType = kPeriodHalfMonth;
    const BucketReport days = Report(BucketBy::Day);
    ASSERT_EQ(days.buckets.size(), 3u);
    EXPECT_EQ(days.buckets[0].first, D(2004, 3, 1));
    const BucketReport periods = Report(BucketBy::Period);
    ASSERT_EQ(periods.buckets.size(), 1u);
    EXPECT_EQ(periods.buckets[0].first, D(2004, 2, 16));
    EXPECT_EQ(periods.buckets[0].last, D(2004, 3, 15));
    EXPECT_EQ(periods.buckets[0].days, 3);
}

TEST_F(ReportBuckets, collectorPassesEveryRowOn) {
    WriteLog(UnevenDays());
    engine.ScanTimeLog();
    const RowLists direct = engine.Rows();
    ScanDays();
    ASSERT_EQ(lists.raw.size(), direct.raw.size());
    ASSERT_EQ(lists.daily.size(), direct.daily.size());
    for (std::size_t i = 0; i < direct.daily.size(); ++i) {
        EXPECT_EQ(lists.daily[i].Cell(1), direct.daily[i].Cell(1));
        EXPECT_EQ(lists.daily[i].Cell(2), direct.daily[i].Cell(2));
    }
    EXPECT_EQ(lists.raw.back().Cell(3), direct.raw.back().Cell(3));
}

TEST(ElapsedHours, isSecondsOverAnHour) {
    EXPECT_DOUBLE_EQ(ElapsedHours({40, 0, 0}), 40.0);
    EXPECT_DOUBLE_EQ(ElapsedHours({1, 30, 36}), 1.51);
}

}  // namespace
}  // namespace tally::test
