// SPDX-License-Identifier: MIT
#include "time/local_day_cache.h"

#include <chrono>

#include "time/calendar.h"
#include "time/calendar_date.h"
#include "time/elapsed_time.h"

namespace tally {
namespace {

namespace chrono = std::chrono;

// Whether RunOnDays can count the day: its year, the months carried, is one std::chrono's
// calendar holds. Times of other years are left to localtime and FromLocalTime.
bool InChronoYears(int year, int month1) {
    const std::int64_t carried = static_cast<std::int64_t>(year) + (month1 - 1) / 12;
    return carried > static_cast<int>(chrono::year::min()) &&
           carried < static_cast<int>(chrono::year::max());
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
        !SameDate(first, last) || first.tm_gmtoff != last.tm_gmtoff ||
        !InChronoYears(first.tm_year + 1900, 1)) {
        return nullptr;
    }
    const int year = first.tm_year + 1900;
    const std::int64_t number =
        RunOnDays(year, first.tm_mon + 1, first.tm_mday).time_since_epoch().count();
    Day& slot = days_[next_];
    next_ = (next_ + 1) % days_.size();
    slot = {true, number, start, year, first.tm_mon + 1, first.tm_mday, first.tm_wday};
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
    if (!InChronoYears(year, month1)) return FromLocalTime(year, month1, day, hour, minute, second);
    // The carries as timegm does them: months into years, then days and seconds.
    const chrono::seconds clock =
        chrono::hours{hour} + chrono::minutes{minute} + chrono::seconds{second};
    const chrono::days carriedDays = chrono::floor<chrono::days>(clock);
    const std::int64_t ofDay = (clock - carriedDays).count();
    const std::int64_t number =
        (RunOnDays(year, month1, day) + carriedDays).time_since_epoch().count();
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
