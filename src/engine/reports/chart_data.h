// SPDX-License-Identifier: MIT
#pragma once
// The bars of the Hours Chart: hours per day over the last three billing periods, or per week
// or month over the whole log, with the average day and the text that names each bar. Built
// from the days of the window's own scan, so every bar agrees with the lists and totals.

#include <optional>
#include <string>
#include <vector>

#include "core/current_settings.h"
#include "core/log_scan.h"
#include "reports/report_buckets.h"

namespace tally {

enum class ChartSpan { Days, Weeks, Months };

// How many billing periods the day view shows: the current one and the two before it.
inline constexpr int kChartPeriods = 3;

// Weeks or months without time between the first and the last one with time get an empty bar,
// unless that would make more bars than this (a hand-written year far off in the log).
inline constexpr int kMaxChartBars = 20000;

struct ChartBar {
    double hours = 0.0;
    int group = 0;       // Days: which of the periods shown, 0 the earliest; otherwise 0
    std::string label;   // Days: under the bar ("Nov 03"); otherwise empty
    std::string detail;  // when pointed at: the date or span, the time and the amount
};

// The first bar of a new year along the weeks or months.
struct ChartMark {
    int bar = 0;
    std::string label;  // "2026"
};

struct HoursChart {
    std::vector<ChartBar> bars;
    std::vector<std::string> groups;     // Days: each period shown, "Nov 16 - Nov 30: " total
    std::vector<ChartMark> marks;        // Weeks and Months
    std::optional<double> averageHours;  // Days: the average day the totals boxes show
    std::string averageText;             // "Average day 7:42:10", with its amount
    std::string valueTitle;              // "Hours", with the rate when amounts are shown
};

// days are those of one scan (DayCollector), scan its state: the average day is its grand
// total over its day count, as the second line of each totals box has it.
HoursChart MakeHoursChart(const std::vector<ScannedDay>& days, const ScanState& scan,
                          const CurrentSettings& settings, ChartSpan span);

}  // namespace tally
