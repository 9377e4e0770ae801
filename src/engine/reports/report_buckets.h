// SPDX-License-Identifier: MIT
#pragma once
// Time per day, week, month or billing period, summed from the day totals of a scan with
// the same rules as the scan's own period total, so a report never disagrees with the lists.

#include <optional>
#include <vector>

#include "core/current_settings.h"
#include "core/list_rows.h"
#include "core/log_scan.h"
#include "time/calendar_date.h"
#include "time/elapsed_time.h"

namespace tally {

// One day of the Daily Elapsed Time list (the last day included) as a report sees it.
struct ScannedDay {
    CalendarDate date;  // of the day record; a day beyond its month counts where it lands
    ELAPSEDTIME total;  // the day's total as the list shows it
    int period = 0;     // index of its billing period, in scan order
};

// Collects the days of a scan while passing every row on to another sink (if any), so the
// window can keep its lists and learn its days from one scan.
class DayCollector final : public RowSink {
  public:
    explicit DayCollector(RowSink* next = nullptr) : next_(next) {}

    void Clear() override;
    void AddRawRow(const RawRow& row) override;
    void AddDailyRow(const DailyRow& row) override;

    // The days listed so far, plus the scan's last day, which the list never shows; call
    // once after the scan with its state. A day whose record has a damaged date (a year
    // before 1980, say) is left out: it has no place in the calendar.
    std::vector<ScannedDay> Finish(const ScanState& state);
    // The days of this scan left out so far.
    int Undated() const { return undated_; }

  private:
    void AddDay(std::vector<ScannedDay>& days, const char* fields, const ELAPSEDTIME& total);

    RowSink* next_;
    std::vector<ScannedDay> days_;
    RawRow dayRecord_;  // the In row that began the current day
    RawRow lastIn_;
    bool anyIn_ = false;
    int period_ = 0;
    int undated_ = 0;
};

enum class BucketBy { Day, Week, Month, Period };

struct ReportBucket {
    CalendarDate first;  // the bucket's span: the day, the week, the month or the period,
    CalendarDate last;   // cut to the report's range
    int days = 0;        // days of the scan within it
    ELAPSEDTIME time;    // their totals added with AddElapsed
};

struct DateRange {
    CalendarDate start;  // both inclusive
    CalendarDate end;
};

struct BucketReport {
    std::vector<ReportBucket> buckets;  // by date; days and periods in scan order
    ReportBucket total;                 // every day within the range
};

// Groups the days into buckets: weeks begin on settings.WeekStartDay, periods are the
// scan's billing periods (spans by settings.PeriodType). Only days within the range count;
// a bucket without such a day is left out.
BucketReport MakeBuckets(const std::vector<ScannedDay>& days, BucketBy by,
                         const CurrentSettings& settings,
                         const std::optional<DateRange>& range = std::nullopt);

// Decimal hours of an elapsed time.
double ElapsedHours(const ELAPSEDTIME& e);

}  // namespace tally
