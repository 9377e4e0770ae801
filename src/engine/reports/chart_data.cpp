// SPDX-License-Identifier: MIT
#include "reports/chart_data.h"

#include <algorithm>
#include <chrono>

#include "core/totals_text.h"
#include "time/c_format.h"
#include "time/calendar.h"

namespace tally {
namespace {

namespace chrono = std::chrono;

// "Nov 03, 2026", the date as the daily list writes it.
std::string DateText(const CalendarDate& d) {
    return FormatC("%s %02d, %d", kMonthNames[d.month - 1], d.day, d.year);
}

// "Nov 03": short enough to stand under a bar, and three times in the legend's line.
std::string DayLabel(const CalendarDate& d) {
    return FormatC("%s %02d", kMonthNames[d.month - 1], d.day);
}

std::string WeekdayText(const CalendarDate& d) {
    return kWeekdayNames[WeekdayOf(DaysOf(d))];
}

// A time as the totals boxes show it: rounded, with its amount when amounts are shown.
class TimeTexts {
  public:
    explicit TimeTexts(const CurrentSettings& settings)
        : rounding_(settings.Rounding()), money_{settings.ShowDollars, settings.Rate} {}

    ELAPSEDTIME Shown(ELAPSEDTIME e) const {
        RoundElapsed(e, rounding_);
        return e;
    }
    std::string Text(const ELAPSEDTIME& e) const { return TotalText(Shown(e), money_); }
    // An average is shown as it comes out, unrounded, as the totals boxes show it.
    std::string AverageText(const ELAPSEDTIME& average) const {
        return "Average day " + TotalText(average, money_);
    }
    double Hours(const ELAPSEDTIME& e) const { return ElapsedHours(Shown(e)); }

  private:
    RoundingOptions rounding_;
    MoneyOptions money_;
};

std::string DaysWorkedText(int days) {
    if (days == 0) return "no day worked";
    return days == 1 ? "1 day worked" : FormatC("%d days worked", days);
}

HoursChart DaysChart(const std::vector<ScannedDay>& days, const ScanState& scan,
                     const CurrentSettings& settings) {
    HoursChart chart;
    const TimeTexts times(settings);
    if (scan.dayCount > 0) {
        const ELAPSEDTIME average = AverageElapsed(times.Shown(scan.grandTotal), scan.dayCount);
        chart.averageHours = ElapsedHours(average);
        chart.averageText = times.AverageText(average);
    }
    if (days.empty()) return chart;

    // Periods count up in scan order, so the last ones shown are the days at the end.
    const int firstPeriod = days.back().period - (kChartPeriods - 1);
    const auto first = std::find_if(days.begin(), days.end(), [firstPeriod](const ScannedDay& d) {
        return d.period >= firstPeriod;
    });
    const std::vector<ScannedDay> shown(first, days.end());
    for (const ReportBucket& period : MakeBuckets(shown, BucketBy::Period, settings).buckets) {
        chart.groups.push_back(DayLabel(period.first) + " - " + DayLabel(period.last) + ": " +
                               times.Text(period.time));
    }
    for (const ScannedDay& day : shown) {
        chart.bars.push_back(
            {times.Hours(day.total), day.period - shown.front().period, DayLabel(day.date),
             WeekdayText(day.date) + " " + DateText(day.date) + ": " + times.Text(day.total)});
    }
    return chart;
}

// The calendar steps between weeks or months, to fill the ones without time.
struct BucketSteps {
    ChartSpan span;

    CalendarDate Next(const CalendarDate& first) const {
        if (span == ChartSpan::Weeks) return DateOf(DaysOf(first) + chrono::days{7});
        return DateOf(RunOnDays(first.year, first.month + 1, 1));
    }
    CalendarDate Last(const CalendarDate& first) const {
        return DateOf(DaysOf(Next(first)) - chrono::days{1});
    }
    long long Count(const CalendarDate& from, const CalendarDate& to) const {
        if (span == ChartSpan::Weeks) return (DaysOf(to) - DaysOf(from)).count() / 7 + 1;
        return (to.year - from.year) * 12LL + (to.month - from.month) + 1;
    }
    std::string Name(const ReportBucket& b) const {
        if (span == ChartSpan::Weeks)
            return "Week of " + DateText(b.first) + " to " + DateText(b.last);
        return FormatC("%s %d", kMonthNames[b.first.month - 1], b.first.year);
    }
};

HoursChart BucketsChart(const std::vector<ScannedDay>& days, const CurrentSettings& settings,
                        ChartSpan span) {
    HoursChart chart;
    const BucketSteps steps{span};
    const std::vector<ReportBucket> buckets =
        MakeBuckets(days, span == ChartSpan::Weeks ? BucketBy::Week : BucketBy::Month, settings)
            .buckets;
    if (buckets.empty()) return chart;

    std::vector<ReportBucket> filled;
    const bool fill = steps.Count(buckets.front().first, buckets.back().first) <= kMaxChartBars;
    for (const ReportBucket& bucket : buckets) {
        while (fill && !filled.empty() &&
               DaysOf(steps.Next(filled.back().first)) < DaysOf(bucket.first)) {
            const CalendarDate next = steps.Next(filled.back().first);
            filled.push_back({next, steps.Last(next), 0, {}});
        }
        filled.push_back(bucket);
    }

    const TimeTexts times(settings);
    chart.bars.reserve(filled.size());
    for (std::size_t i = 0; i < filled.size(); ++i) {
        const ReportBucket& bucket = filled[i];
        // A week is counted in the year it ends in, so the one holding 1 January opens it.
        if (i == 0 || bucket.last.year != filled[i - 1].last.year) {
            chart.marks.push_back({static_cast<int>(i), FormatC("%d", bucket.last.year)});
        }
        chart.bars.push_back({times.Hours(bucket.time),
                              0,
                              {},
                              steps.Name(bucket) + ": " + times.Text(bucket.time) + ", " +
                                  DaysWorkedText(bucket.days)});
    }
    return chart;
}

}  // namespace

HoursChart MakeHoursChart(const std::vector<ScannedDay>& days, const ScanState& scan,
                          const CurrentSettings& settings, ChartSpan span) {
    HoursChart chart = span == ChartSpan::Days ? DaysChart(days, scan, settings)
                                               : BucketsChart(days, settings, span);
    chart.valueTitle =
        settings.ShowDollars ? FormatC("Hours (amounts at %.2f an hour)", settings.Rate) : "Hours";
    return chart;
}

}  // namespace tally
