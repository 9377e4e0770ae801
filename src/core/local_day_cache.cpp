#include "core/local_day_cache.h"

#include "core/calendar.h"
#include "core/elapsed_time.h"

namespace tally {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int SecondsIntoDay(const std::tm& t) {
    return t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
}

bool SameDate(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

}  // namespace

const LocalDayCache::Day* LocalDayCache::Remember(TimeValue start) {
    const std::tm first = ToLocalTm(start);
    const std::tm last = ToLocalTm(start + kSecondsPerDay - 1);
    if (SecondsIntoDay(first) != 0 || SecondsIntoDay(last) != kSecondsPerDay - 1 ||
        !SameDate(first, last) || first.tm_gmtoff != last.tm_gmtoff) {
        return nullptr;
    }
    Day& slot = days_[next_];
    next_ = (next_ + 1) % days_.size();
    slot = {true,
            DaysFromCivil(first.tm_year + 1900, first.tm_mon + 1, first.tm_mday),
            start,
            first.tm_year + 1900,
            first.tm_mon + 1,
            first.tm_mday,
            first.tm_wday};
    return &slot;
}

LocalFields LocalDayCache::Fields(TimeValue t) {
    for (const Day& d : days_) {
        if (d.valid && t >= d.start && t - d.start < kSecondsPerDay) {
            const ELAPSEDTIME clock = SplitWithinDay(t - d.start);
            return {d.year,         d.month,        d.day,    clock.nHours,
                    clock.nMinutes, clock.nSeconds, d.weekday};
        }
    }
    const std::tm local = ToLocalTm(t);
    Remember(t - SecondsIntoDay(local));
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     local.tm_wday};
}

TimeValue LocalDayCache::Time(int year, int month1, int day, int hour, int minute, int second,
                              LocalFields* fields) {
    // Most calls name a kept day within its 24 hours: no day number to work out.
    if (hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60) {
        for (const Day& d : days_) {
            if (d.valid && d.day == day && d.month == month1 && d.year == year) {
                if (fields != nullptr) {
                    *fields = {year, month1, day, hour, minute, second, d.weekday};
                }
                return d.start + hour * 3600 + minute * 60 + second;
            }
        }
    }
    const TimeValue t = TimeByDayNumber(year, month1, day, hour, minute, second);
    if (fields != nullptr) *fields = Fields(t);
    return t;
}

TimeValue LocalDayCache::TimeByDayNumber(int year, int month1, int day, int hour, int minute,
                                         int second) {
    // The carries as timegm does them, on day numbers: months into years, then days and
    // seconds.
    const std::int64_t months = static_cast<std::int64_t>(year) * 12 + (month1 - 1);
    const std::int64_t yearOfMonth = FloorDiv(months, 12);
    std::int64_t ofDay =
        static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second;
    const std::int64_t carriedDays = FloorDiv(ofDay, kSecondsPerDay);
    ofDay -= carriedDays * kSecondsPerDay;
    const std::int64_t number =
        DaysFromCivil(yearOfMonth, static_cast<int>(months - yearOfMonth * 12) + 1, 1) + (day - 1) +
        carriedDays;
    for (const Day& d : days_) {
        if (d.valid && d.number == number) return d.start + ofDay;
    }
    // Where the day starts, guessed and then checked by Remember: most days have the UTC
    // offset of the day kept last; a whole day has one offset throughout, also at noon UTC.
    const TimeValue midnight = number * kSecondsPerDay;
    const Day& latest = days_[(next_ + days_.size() - 1) % days_.size()];
    const Day* d = latest.valid
                       ? Remember(midnight - (latest.number * kSecondsPerDay - latest.start))
                       : nullptr;
    if (d == nullptr || d->number != number) {
        d = Remember(midnight - ToLocalTm(midnight + kSecondsPerDay / 2).tm_gmtoff);
    }
    if (d != nullptr && d->number == number) return d->start + ofDay;
    return FromLocalTime(year, month1, day, hour, minute, second);
}

}  // namespace tally
