// SPDX-License-Identifier: MIT
#include "reports/chart_data.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine_fixture.h"

namespace tally::test {
namespace {

// 24 days from Monday 1 January 2024, 09:00 to an odd minute and second after 13:00, so that
// every rounding type gives other totals. Weekly periods from Monday: Jan 1-7, 8-14, 15-21 and
// 22-24.
std::string UnevenJanuary() {
    std::string text;
    for (int day = 1; day <= 24; ++day) {
        char in[32], out[32];
        std::snprintf(in, sizeof in, "2024-01-%02d 09:00:00", day);
        std::snprintf(out, sizeof out, "2024-01-%02d %02d:%02d:%02d", day, 13 + day % 5,
                      day * 7 % 60, day * 13 % 60);
        text += Triple(in, out);
    }
    return text;
}

double UnevenHours(int day) {
    return 4 + day % 5 + (day * 7 % 60) / 60.0 + (day * 13 % 60) / 3600.0;
}

std::int64_t Seconds(double hours) {
    return static_cast<std::int64_t>(hours * 3600 + 0.5);
}

// The time after "= " in the second line of a totals box.
std::string AverageOfBox(const std::string& second) {
    return second.substr(second.find("= ") + 2);
}

class ChartData : public EngineTest {
  protected:
    ChartData() {
        engine.Settings().PeriodType = kPeriodWeekly;
        engine.Settings().WeekStartDay = 1;
    }
    HoursChart Chart(ChartSpan span) {
        const std::vector<ScannedDay> days = ScanDays();
        return MakeHoursChart(days, engine.State(), engine.Settings(), span);
    }
};

TEST_F(ChartData, daysAreThoseOfTheCurrentAndTheTwoPreviousPeriods) {
    WriteLog(UnevenJanuary());
    const HoursChart chart = Chart(ChartSpan::Days);
    ASSERT_EQ(chart.bars.size(), 17u);
    for (int i = 0; i < 17; ++i) {
        const int day = 8 + i;
        EXPECT_NEAR(chart.bars[i].hours, UnevenHours(day), 1e-9) << day;
        EXPECT_EQ(chart.bars[i].group, day <= 14 ? 0 : day <= 21 ? 1 : 2) << day;
    }
    EXPECT_EQ(chart.bars.front().label, "Jan 08");
    EXPECT_EQ(chart.bars.back().label, "Jan 24");
    EXPECT_EQ(chart.bars.back().detail, "Wed Jan 24, 2024: 8:48:12");
    ASSERT_EQ(chart.groups.size(), 3u);
    EXPECT_EQ(chart.groups[2], "Jan 22 - Jan 28: " + engine.Texts().periodFirst);
    EXPECT_TRUE(chart.marks.empty());
    EXPECT_EQ(chart.valueTitle, "Hours");
}

TEST_F(ChartData, daysAndAverageAgreeWithTheListAndTotalsBoxesForEveryRounding) {
    WriteLog(UnevenJanuary());
    for (const int type : {kRoundNone, kRoundAllElapsed, kRoundInOut, kRoundDaily}) {
        engine.Settings().RoundingType = type;
        engine.Settings().RoundingUnit = 15;
        const HoursChart chart = Chart(ChartSpan::Days);
        // The list holds the days before the last, with a separator after each period.
        std::vector<std::int64_t> listed;
        for (const DailyRow& row : scannedRows.daily) {
            if (!row.separator) listed.push_back(ElapsedToSeconds(row.total));
        }
        ASSERT_EQ(listed.size(), 23u) << type;
        ASSERT_EQ(chart.bars.size(), 17u) << type;
        for (std::size_t i = 0; i + 1 < chart.bars.size(); ++i) {
            EXPECT_EQ(Seconds(chart.bars[i].hours), listed[7 + i]) << type << " bar " << i;
        }
        EXPECT_EQ(chart.bars.back().detail, "Wed Jan 24, 2024: " + engine.Texts().todayFirst)
            << type;
        EXPECT_EQ(chart.averageText, "Average day " + AverageOfBox(engine.Texts().todaySecond))
            << type;
        ASSERT_TRUE(chart.averageHours.has_value());
        int h = 0, m = 0, sec = 0;
        ASSERT_EQ(
            std::sscanf(AverageOfBox(engine.Texts().todaySecond).c_str(), "%d:%d:%d", &h, &m, &sec),
            3);
        EXPECT_EQ(Seconds(*chart.averageHours), h * 3600 + m * 60 + sec) << type;
    }
}

TEST_F(ChartData, amountsFollowShowDollarsAtTheRate) {
    WriteLog(UnevenJanuary());
    engine.Settings().ShowDollars = true;
    engine.Settings().Rate = 45;
    const HoursChart days = Chart(ChartSpan::Days);
    EXPECT_EQ(days.valueTitle, "Hours (amounts at 45.00 an hour)");
    EXPECT_EQ(days.bars.back().detail, "Wed Jan 24, 2024: 8:48:12 (396.15)");
    EXPECT_EQ(days.averageText, "Average day " + AverageOfBox(engine.Texts().todaySecond));
    EXPECT_NE(days.averageText.find(" ("), std::string::npos);
    const HoursChart months = Chart(ChartSpan::Months);
    ASSERT_EQ(months.bars.size(), 1u);
    EXPECT_EQ(months.bars[0].detail.substr(0, 10), "Jan 2024: ");
    EXPECT_NE(months.bars[0].detail.find(" ("), std::string::npos);
}

TEST_F(ChartData, aShortLogShowsWhatItHas) {
    WriteLog(WorkingDays(2024, 1, 3, 3));
    const HoursChart chart = Chart(ChartSpan::Days);
    ASSERT_EQ(chart.bars.size(), 3u);
    EXPECT_EQ(chart.groups, std::vector<std::string>{"Jan 01 - Jan 07: 24:00:00"});
    EXPECT_EQ(chart.averageText, "Average day 8:00:00");
    EXPECT_DOUBLE_EQ(*chart.averageHours, 8.0);
}

TEST_F(ChartData, aMissingLogHasNoBarsAndNoAverage) {
    for (const ChartSpan span : {ChartSpan::Days, ChartSpan::Weeks, ChartSpan::Months}) {
        const HoursChart chart = Chart(span);
        EXPECT_TRUE(chart.bars.empty());
        EXPECT_FALSE(chart.averageHours.has_value());
        EXPECT_EQ(chart.valueTitle, "Hours");
    }
}

struct BucketCase {
    const char* name;
    ChartSpan span;
    std::vector<double> hours;
    std::vector<std::pair<int, std::string>> marks;
    int detailBar;
    std::string detail;
};

// Thursday 28 December 2023, Tuesday 2 January and Tuesday 23 January 2024 (twice as long),
// weeks from Sunday.
TEST_F(ChartData, weeksAndMonthsCoverTheWholeLogWithEmptyBarsBetween) {
    WriteLog(WorkingDays(2023, 12, 28, 1) + WorkingDays(2024, 1, 2, 1) +
             Triple("2024-01-23 06:00:00", "2024-01-23 22:00:00"));
    engine.Settings().WeekStartDay = 0;
    const BucketCase cases[] = {
        {"weeks",
         ChartSpan::Weeks,
         {8, 8, 0, 0, 16},
         {{0, "2023"}, {1, "2024"}},
         2,
         "Week of Jan 07, 2024 to Jan 13, 2024: 0:00:00, no day worked"},
        {"months",
         ChartSpan::Months,
         {8, 24},
         {{0, "2023"}, {1, "2024"}},
         1,
         "Jan 2024: 24:00:00, 2 days worked"},
    };
    for (const BucketCase& c : cases) {
        const HoursChart chart = Chart(c.span);
        std::vector<double> hours;
        for (const ChartBar& bar : chart.bars) hours.push_back(bar.hours);
        EXPECT_EQ(hours, c.hours) << c.name;
        std::vector<std::pair<int, std::string>> marks;
        for (const ChartMark& mark : chart.marks) marks.emplace_back(mark.bar, mark.label);
        EXPECT_EQ(marks, c.marks) << c.name;
        ASSERT_GT(chart.bars.size(), static_cast<std::size_t>(c.detailBar)) << c.name;
        EXPECT_EQ(chart.bars[c.detailBar].detail, c.detail) << c.name;
        EXPECT_TRUE(chart.groups.empty()) << c.name;
        EXPECT_FALSE(chart.averageHours.has_value()) << c.name;
    }
    EXPECT_EQ(Chart(ChartSpan::Weeks).bars[1].detail,
              "Week of Dec 31, 2023 to Jan 06, 2024: 8:00:00, 1 day worked");
}

TEST_F(ChartData, emptyMonthsBetweenAreFilled) {
    WriteLog(WorkingDays(2023, 11, 30, 1) + WorkingDays(2024, 2, 1, 2));
    const HoursChart chart = Chart(ChartSpan::Months);
    ASSERT_EQ(chart.bars.size(), 4u);
    EXPECT_EQ(chart.bars[1].detail, "Dec 2023: 0:00:00, no day worked");
    EXPECT_EQ(chart.bars[3].detail, "Feb 2024: 16:00:00, 2 days worked");
}

// A hand-written year centuries away must not make millions of empty bars.
TEST(ChartDataFill, stopsFillingBeyondTheBarLimit) {
    const std::vector<ScannedDay> days = {{{2000, 1, 3}, {8, 0, 0}, 0},
                                          {{2500, 1, 3}, {8, 0, 0}, 1}};
    const CurrentSettings settings;
    const ScanState scan;
    EXPECT_EQ(MakeHoursChart(days, scan, settings, ChartSpan::Weeks).bars.size(), 2u);
    const HoursChart months = MakeHoursChart(days, scan, settings, ChartSpan::Months);
    EXPECT_EQ(months.bars.size(), 6001u);
    EXPECT_EQ(months.marks.size(), 501u);
}

}  // namespace
}  // namespace tally::test
