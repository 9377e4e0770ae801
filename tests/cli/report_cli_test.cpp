// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

class ReportCli : public ::testing::Test {
  protected:
    TallyHarness tally;

    std::vector<std::vector<std::string>> Lines(const std::string& tsv) {
        std::vector<std::vector<std::string>> lines;
        std::istringstream in(tsv);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> cells;
            std::istringstream cellsIn(line);
            for (std::string cell; std::getline(cellsIn, cell, '\t');) cells.push_back(cell);
            lines.push_back(cells);
        }
        return lines;
    }
};

// "h:mm:ss" or "hh:mm:ss" as seconds.
long long Seconds(const std::string& time) {
    long long h = 0, m = 0, s = 0;
    EXPECT_EQ(std::sscanf(time.c_str(), "%lld:%lld:%lld", &h, &m, &s), 3) << time;
    return h * 3600 + m * 60 + s;
}

// Three years of working days from Monday 2 January 2017, two pairs a day of uneven
// lengths, so that each rounding type gives other totals.
std::string ThreeYears() {
    using namespace std::chrono;
    std::string text;
    const sys_days first = year{2017} / January / 2;
    for (int i = 0; i < 3 * 365; ++i) {
        const sys_days day = first + days(i);
        if (weekday(day) == Saturday || weekday(day) == Sunday) continue;
        const year_month_day ymd(day);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                      static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
        char times[4][16];
        std::snprintf(times[0], 16, " 08:%02d:%02d", i % 60, (i * 7) % 60);
        std::snprintf(times[1], 16, " 12:%02d:%02d", (i * 13) % 60, i % 60);
        std::snprintf(times[2], 16, " 13:%02d:%02d", (i * 3) % 60, 29);
        std::snprintf(times[3], 16, " 17:%02d:%02d", (i * 11) % 60, 31);
        text += Triple(date + std::string(times[0]), date + std::string(times[1])) +
                Triple(date + std::string(times[2]), date + std::string(times[3]));
    }
    return text;
}

// The periods of the report are the separator rows of days and, last, the status's period
// total; its days the daily list and the status's today; for both period types and every
// rounding type.
TEST_F(ReportCli, agreesWithDaysAndStatusOnAThreeYearLog) {
    WriteFile(tally.Log(), Crlf(ThreeYears()));
    struct Case {
        const char* periodType;
        const char* rounding;
        const char* unit;
    };
    for (const Case& c :
         {Case{"1", "0", "1"}, Case{"0", "1", "15"}, Case{"1", "2", "30"}, Case{"0", "3", "15"}}) {
        SCOPED_TRACE(testing::Message() << c.periodType << " " << c.rounding << " " << c.unit);
        ASSERT_EQ(tally.Run({"config", "PeriodType", c.periodType}).exitCode, 0);
        ASSERT_EQ(tally.Run({"config", "RoundingType", c.rounding}).exitCode, 0);
        ASSERT_EQ(tally.Run({"config", "RoundingUnit", c.unit}).exitCode, 0);
        ASSERT_EQ(tally.Run({"config", "WeekStartDay", "3"}).exitCode, 0);

        std::vector<long long> separators;
        std::vector<long long> dayTotals;
        for (const auto& row : Lines(tally.Run({"days", "--tsv"}).out)) {
            (row[0].empty() ? separators : dayTotals).push_back(Seconds(row[2]));
        }
        const auto status = Lines(tally.Run({"status", "--tsv"}).out);
        ASSERT_EQ(status.size(), 3u);
        separators.push_back(Seconds(status[2][1]));
        dayTotals.push_back(Seconds(status[1][1]));
        ASSERT_GT(separators.size(), 70u);  // half months or weeks over three years

        const auto periods = Lines(tally.Run({"report", "--tsv"}).out);
        ASSERT_EQ(periods.size(), separators.size() + 1);
        for (std::size_t i = 0; i < separators.size(); ++i) {
            EXPECT_EQ(periods[i][0], "period");
            EXPECT_EQ(Seconds(periods[i][4]), separators[i]) << i;
        }
        const auto days = Lines(tally.Run({"report", "--by", "day", "--tsv"}).out);
        ASSERT_EQ(days.size(), dayTotals.size() + 1);
        long long sum = 0;
        for (std::size_t i = 0; i < dayTotals.size(); ++i) {
            EXPECT_EQ(Seconds(days[i][4]), dayTotals[i]) << i;
            sum += dayTotals[i];
        }
        EXPECT_EQ(days.back()[0], "total");
        EXPECT_EQ(days.back()[3], std::to_string(dayTotals.size()));
        EXPECT_EQ(Seconds(days.back()[4]), sum);
        // The same days and time; the dates are those of the first and last bucket.
        EXPECT_EQ(std::vector(periods.back().begin() + 3, periods.back().end()),
                  std::vector(days.back().begin() + 3, days.back().end()));
    }
}

TEST_F(ReportCli, printsWeeksWithHoursAndAmount) {
    WriteFile(tally.Log(), Crlf(WorkingDays(2024, 3, 4, 9)));  // Monday 4 to Tuesday 12 March
    ASSERT_EQ(tally.Run({"config", "WeekStartDay", "1"}).exitCode, 0);
    ASSERT_EQ(tally.Run({"config", "Rate", "20"}).exitCode, 0);
    const ProcessResult text = tally.Run({"report", "--by=week"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "By      First       Last        Days  Time        Hours      Amount\n"
              "week    2024-03-04  2024-03-10  7     56:00:00    56.00      1120.00\n"
              "week    2024-03-11  2024-03-17  2     16:00:00    16.00      320.00\n"
              "total   2024-03-04  2024-03-17  9     72:00:00    72.00      1440.00\n");
    EXPECT_EQ(
        tally.Run({"report", "2024-03-05", "2024-03-11", "--by", "month", "--rate", "1.5", "--tsv"})
            .out,
        "month\t2024-03-05\t2024-03-11\t7\t56:00:00\t56.00\t84.00\n"
        "total\t2024-03-05\t2024-03-11\t7\t56:00:00\t56.00\t84.00\n");
}

TEST_F(ReportCli, jsonHoldsTheDocumentedKeys) {
    WriteFile(tally.Log(), Crlf(WorkingDays(2024, 3, 4, 5) +
                                Triple("2024-03-11 09:00:00", "2024-03-11 09:20:15")));
    ASSERT_EQ(tally.Run({"config", "WeekStartDay", "1"}).exitCode, 0);
    const ProcessResult r = tally.Run({"report", "--by", "week", "--rate", "20", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["by"], "week");
    EXPECT_EQ(doc["rate"], 20.0);
    ASSERT_EQ(doc["buckets"].size(), 2u);
    EXPECT_EQ(doc["buckets"][0],
              nlohmann::json::parse(R"({"first":"2024-03-04","last":"2024-03-10","days":5,
                  "seconds":144000,"time":"40:00:00","hours":40.0,"amount":800.0})"));
    EXPECT_EQ(doc["buckets"][1]["time"], "0:20:15");
    EXPECT_DOUBLE_EQ(doc["buckets"][1]["hours"].get<double>(), 1215.0 / 3600);
    EXPECT_EQ(doc["buckets"][1]["amount"], 6.75);
    EXPECT_EQ(doc["total"]["seconds"], 145215);
    EXPECT_EQ(doc["total"]["days"], 6);
    EXPECT_EQ(doc["total"]["last"], "2024-03-17");
}

TEST_F(ReportCli, aMissingLogReportsNothing) {
    for (const char* by : {"day", "period"}) {
        const ProcessResult r = tally.Run({"report", "--by", by});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
    }
    const ProcessResult json = tally.Run({"report", "--json"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out, "{\"by\":\"period\",\"rate\":0.0,\"buckets\":[],\"total\":null}\n");
}

TEST_F(ReportCli, anUnreadableLogFails) {
    const ProcessResult r = tally.Run({"report", "--log", tally.Home()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("tally: ")) << r.err;
}

TEST_F(ReportCli, refusesAWrongCommandLine) {
    tally.ExpectUsageError({"report", "--by", "year"},
                           "--by takes day, week, month or period, not 'year'");
    tally.ExpectUsageError({"report", "2024-01-01"});
    tally.ExpectUsageError({"report", "2024-01-01", "2024-02-30"},
                           "'2024-02-30' is not a calendar date (YYYY-MM-DD)");
    tally.ExpectUsageError({"report", "--by"});
}

// A rate no invoice can bill (below 0, not a number, or so high that amounts overflow) and a
// range that ends before it starts are usage errors on every command that takes them; the
// highest rate taken still gives finite amounts.
TEST(MoneyArguments, ratesOutsideZeroToABillionAndReversedRangesAreUsageErrors) {
    TallyHarness tally;
    WriteFile(tally.Log(), Triple("2024-03-04 09:00:00", "2024-03-04 17:00:00"));
    for (const char* rate : {"-5", "-0.01", "inf", "-inf", "nan", "1e308", "1000000000.5"}) {
        for (std::vector<std::string> args :
             {std::vector<std::string>{"invoice", "2024-03-01", "2024-03-31"},
              {"report"},
              {"report", "--json"}}) {
            args.insert(args.end(), {"--rate", rate});
            tally.ExpectUsageError(args, std::string("--rate takes an hourly rate from 0 to "
                                                     "1000000000, not '") +
                                             rate + "'");
        }
    }
    for (const char* command : {"invoice", "report", "export"}) {
        tally.ExpectUsageError({command, "2024-02-01", "2024-01-31"},
                               "the range ends (2024-01-31) before it starts (2024-02-01)");
    }
    EXPECT_EQ(tally.Run({"invoice", "2024-03-01", "2024-03-31", "--rate", "1e9"}).out,
              "2024-03-04 08:00 = 8000000000.00\n8 hours,  0 minutes = 8000000000.00\n");
}

// A day whose In record has a damaged year has no place in the calendar: left out, with a
// warning, never shown as a date such as "-001-12-16".
TEST_F(ReportCli, aDayWithADamagedDateIsLeftOutWithAWarning) {
    WriteFile(tally.Log(), Triple("2024-03-04 09:00:00", "2024-03-04 17:00:00") +
                               Triple("Mon Dec 16 09:00:00 -001", "Mon Dec 16 10:00:00 -001") +
                               Triple("2024-03-05 09:00:00", "2024-03-05 10:00:00"));
    const ProcessResult r = tally.Run({"report", "--by", "day", "--tsv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              "day\t2024-03-04\t2024-03-04\t1\t8:00:00\t8.00\t0.00\n"
              "day\t2024-03-05\t2024-03-05\t1\t1:00:00\t1.00\t0.00\n"
              "total\t2024-03-04\t2024-03-05\t2\t9:00:00\t9.00\t0.00\n");
    EXPECT_EQ(r.err,
              "tally: warning: 1 day with a damaged date left out (tally check lists what is "
              "wrong)\n");
}

}  // namespace
}  // namespace tally::test
