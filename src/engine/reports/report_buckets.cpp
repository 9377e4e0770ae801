// SPDX-License-Identifier: MIT
#include "reports/report_buckets.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "time/calendar.h"
#include "time/pair_time.h"
#include "time/punch_record.h"

namespace tally {
namespace {

namespace chrono = std::chrono;

// The date of a day row, from the fields of its split day record; nothing for a damaged
// date that the seconds count does not cover.
std::optional<CalendarDate> DateOfFields(const char* fields) {
    PunchFields f;
    f.year = FieldNumber(fields + (kYearOffset - kWeekdayOffset));
    f.month = MonthIndex(fields + (kMonthOffset - kWeekdayOffset));
    f.day = FieldNumber(fields + (kDayOffset - kWeekdayOffset));
    return CountedDate(f);
}

struct Span {
    chrono::sys_days first;
    chrono::sys_days last;
};

// The calendar span of the bucket a day falls into.
Span SpanOf(chrono::sys_days day, BucketBy by, const CurrentSettings& settings) {
    const chrono::year_month_day date{day};
    const chrono::year_month month = date.year() / date.month();
    const chrono::sys_days monthEnd{month / chrono::last};
    switch (by) {
        case BucketBy::Day:
            return {day, day};
        case BucketBy::Week: {
            const chrono::sys_days start = WeekStart(day, settings.WeekStartDay);
            return {start, start + chrono::days{6}};
        }
        case BucketBy::Month:
            return {chrono::sys_days{month / 1}, monthEnd};
        case BucketBy::Period:
            if (settings.PeriodType == kPeriodWeekly) return SpanOf(day, BucketBy::Week, settings);
            if (date.day() <= chrono::day{15})
                return {chrono::sys_days{month / 1}, chrono::sys_days{month / 15}};
            return {chrono::sys_days{month / 16}, monthEnd};
    }
    return {day, day};
}

struct Bucket {
    Span span;
    int days = 0;
    ELAPSEDTIME time;
};

void AddDay(Bucket& bucket, chrono::sys_days day, const ELAPSEDTIME& total,
            const RoundingOptions& rounding) {
    // Days that go back in time stay in the scan's period; its span grows to hold them.
    bucket.span.first = std::min(bucket.span.first, day);
    bucket.span.last = std::max(bucket.span.last, day);
    ++bucket.days;
    AddElapsed(bucket.time, total, rounding);
}

ReportBucket ToReport(const Bucket& b, const std::optional<Span>& range) {
    Span span = b.span;
    if (range) span = {std::max(span.first, range->first), std::min(span.last, range->last)};
    return {DateOf(span.first), DateOf(span.last), b.days, b.time};
}

}  // namespace

void DayCollector::Clear() {
    days_.clear();
    undated_ = 0;
    anyIn_ = false;
    period_ = 0;
    if (next_ != nullptr) next_->Clear();
}

void DayCollector::AddRawRow(const RawRow& row) {
    if (row.kind == RawKind::In) {
        if (!anyIn_) dayRecord_ = row;
        anyIn_ = true;
        lastIn_ = row;
    }
    if (next_ != nullptr) next_->AddRawRow(row);
}

void DayCollector::AddDailyRow(const DailyRow& row) {
    if (row.separator) {
        ++period_;
    } else {
        AddDay(days_, row.fields, row.total);
        dayRecord_ = lastIn_;  // the scan closes a day when the In row of the next one arrived
    }
    if (next_ != nullptr) next_->AddDailyRow(row);
}

void DayCollector::AddDay(std::vector<ScannedDay>& days, const char* fields,
                          const ELAPSEDTIME& total) {
    if (const auto date = DateOfFields(fields)) {
        days.push_back({*date, total, period_});
    } else {
        ++undated_;
    }
}

std::vector<ScannedDay> DayCollector::Finish(const ScanState& state) {
    std::vector<ScannedDay> days = std::move(days_);
    days_.clear();
    if (anyIn_ && state.dayCount > 0) AddDay(days, dayRecord_.fields, state.dayTotal);
    return days;
}

BucketReport MakeBuckets(const std::vector<ScannedDay>& days, BucketBy by,
                         const CurrentSettings& settings, const std::optional<DateRange>& range) {
    const RoundingOptions rounding = settings.Rounding();
    std::optional<Span> limits;
    if (range) limits = Span{DaysOf(range->start), DaysOf(range->end)};

    // Days and periods follow the scan's order; weeks and months are calendar keys.
    const bool byKey = by == BucketBy::Week || by == BucketBy::Month;
    std::vector<Bucket> sequence;
    std::map<chrono::sys_days, Bucket> keyed;
    Bucket total{{}, 0, {}};
    int lastPeriod = -1;
    for (const ScannedDay& day : days) {
        const chrono::sys_days date = DaysOf(day.date);
        if (limits && (date < limits->first || date > limits->last)) continue;
        const Span span = SpanOf(date, by, settings);
        Bucket* bucket = nullptr;
        if (byKey) {
            bucket = &keyed.try_emplace(span.first, Bucket{span, 0, {}}).first->second;
        } else {
            if (sequence.empty() || by == BucketBy::Day || day.period != lastPeriod) {
                sequence.push_back(Bucket{span, 0, {}});
            }
            bucket = &sequence.back();
        }
        lastPeriod = day.period;
        AddDay(*bucket, date, day.total, rounding);
        if (total.days == 0) total.span = span;
        AddDay(total, date, day.total, rounding);
        total.span.first = std::min(total.span.first, span.first);
        total.span.last = std::max(total.span.last, span.last);
    }

    BucketReport report;
    for (const Bucket& b : sequence) report.buckets.push_back(ToReport(b, limits));
    for (const auto& entry : keyed) report.buckets.push_back(ToReport(entry.second, limits));
    if (total.days > 0) report.total = ToReport(total, limits);
    return report;
}

double ElapsedHours(const ELAPSEDTIME& e) {
    return static_cast<double>(ElapsedToSeconds(e)) / 3600.0;
}

}  // namespace tally
