#include "core/report_buckets.h"

#include <algorithm>
#include <map>

#include "core/calendar.h"
#include "core/punch_record.h"

namespace tally {
namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar; a day beyond its month (or
// before its first) runs on into the next (or previous) month, as the check reports it.
int DayNumber(int year, int month1, int day) {
    const int y = month1 <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month1 > 2 ? month1 - 3 : month1 + 9) + 2) / 5;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

int DayNumber(const CalendarDate& d) {
    return DayNumber(d.year, d.month, d.day);
}

CalendarDate DateOfDayNumber(int number) {
    const int z = number + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    const int month1 = mp < 10 ? mp + 3 : mp - 9;
    return {yearOfEra + era * 400 + (month1 <= 2 ? 1 : 0), month1,
            dayOfYear - (153 * mp + 2) / 5 + 1};
}

int Weekday(int dayNumber) {  // 0 Sunday; 1970-01-01 was a Thursday
    return ((dayNumber % 7) + 11) % 7;
}

int WeekStart(int dayNumber, int firstDay) {
    return dayNumber - (Weekday(dayNumber) - firstDay + 7) % 7;
}

// The date a day row shows, from the fields of its split day record.
CalendarDate DateOfFields(const char* fields) {
    const int year = FieldNumber(fields + (kYearOffset - kWeekdayOffset));
    const int month = MonthIndex(fields + (kMonthOffset - kWeekdayOffset)) + 1;
    const int day = FieldNumber(fields + (kDayOffset - kWeekdayOffset));
    return DateOfDayNumber(DayNumber(year, month, day));
}

struct Span {
    int first;
    int last;
};

// The calendar span of the bucket a day falls into.
Span SpanOf(int dayNumber, BucketBy by, const CurrentSettings& settings) {
    const CalendarDate date = DateOfDayNumber(dayNumber);
    switch (by) {
        case BucketBy::Day:
            return {dayNumber, dayNumber};
        case BucketBy::Week: {
            const int start = WeekStart(dayNumber, settings.WeekStartDay);
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

void AddDay(Bucket& bucket, int dayNumber, const ELAPSEDTIME& total,
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
        days_.push_back({DateOfFields(row.fields), row.total, period_});
        dayRecord_ = lastIn_;  // the scan closes a day when the In row of the next one arrived
    }
    if (next_ != nullptr) next_->AddDailyRow(row);
}

std::vector<ScannedDay> DayCollector::Finish(const ScanState& state) {
    std::vector<ScannedDay> days = std::move(days_);
    days_.clear();
    if (anyIn_ && state.dayCount > 0) {
        days.push_back({DateOfFields(dayRecord_.fields), state.dayTotal, period_});
    }
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
    std::map<int, Bucket> keyed;
    Bucket total{{0, 0}, 0, {}};
    int lastPeriod = -1;
    for (const ScannedDay& day : days) {
        const int number = DayNumber(day.date);
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
