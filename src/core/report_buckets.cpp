#include "core/report_buckets.h"

#include <algorithm>
#include <map>

#include "core/calendar.h"
#include "core/pair_time.h"
#include "core/punch_record.h"

namespace tally {
namespace {

int Weekday(std::int64_t dayNumber) {  // 0 Sunday; 1970-01-01 was a Thursday
    return static_cast<int>((dayNumber % 7 + 11) % 7);
}

std::int64_t WeekStart(std::int64_t dayNumber, int firstDay) {
    return dayNumber - (Weekday(dayNumber) - firstDay + 7) % 7;
}

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
    std::int64_t first;
    std::int64_t last;
};

// The calendar span of the bucket a day falls into.
Span SpanOf(std::int64_t dayNumber, BucketBy by, const CurrentSettings& settings) {
    const CalendarDate date = DateOfDayNumber(dayNumber);
    switch (by) {
        case BucketBy::Day:
            return {dayNumber, dayNumber};
        case BucketBy::Week: {
            const std::int64_t start = WeekStart(dayNumber, settings.WeekStartDay);
            return {start, start + 6};
        }
        case BucketBy::Month:
            return {DayNumber(date.year, date.month, 1),
                    DayNumber(date.year, date.month + 1, 1) - 1};
        case BucketBy::Period:
            if (settings.PeriodType == kPeriodWeekly)
                return SpanOf(dayNumber, BucketBy::Week, settings);
            if (date.day <= 15)
                return {DayNumber(date.year, date.month, 1), DayNumber(date.year, date.month, 15)};
            return {DayNumber(date.year, date.month, 16),
                    DayNumber(date.year, date.month + 1, 1) - 1};
    }
    return {dayNumber, dayNumber};
}

struct Bucket {
    Span span;
    int days = 0;
    ELAPSEDTIME time;
};

void AddDay(Bucket& bucket, std::int64_t dayNumber, const ELAPSEDTIME& total,
            const RoundingOptions& rounding) {
    // Days that go back in time stay in the scan's period; its span grows to hold them.
    bucket.span.first = std::min(bucket.span.first, dayNumber);
    bucket.span.last = std::max(bucket.span.last, dayNumber);
    ++bucket.days;
    AddElapsed(bucket.time, total, rounding);
}

ReportBucket ToReport(const Bucket& b, const std::optional<Span>& range) {
    Span span = b.span;
    if (range) span = {std::max(span.first, range->first), std::min(span.last, range->last)};
    return {DateOfDayNumber(span.first), DateOfDayNumber(span.last), b.days, b.time};
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
    if (range) limits = Span{DayNumber(range->start), DayNumber(range->end)};

    // Days and periods follow the scan's order; weeks and months are calendar keys.
    const bool byKey = by == BucketBy::Week || by == BucketBy::Month;
    std::vector<Bucket> sequence;
    std::map<std::int64_t, Bucket> keyed;
    Bucket total{{0, 0}, 0, {}};
    int lastPeriod = -1;
    for (const ScannedDay& day : days) {
        const std::int64_t number = DayNumber(day.date);
        if (limits && (number < limits->first || number > limits->last)) continue;
        const Span span = SpanOf(number, by, settings);
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
        AddDay(*bucket, number, day.total, rounding);
        if (total.days == 0) total.span = span;
        AddDay(total, number, day.total, rounding);
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
