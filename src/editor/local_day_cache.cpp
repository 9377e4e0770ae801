#include "editor/local_day_cache.h"

#include "core/calendar.h"

namespace tally {
namespace {

int SecondsIntoDay(const std::tm& t) {
    return t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
}

bool SameDate(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

}  // namespace

bool LocalDayCache::MakeDay(TimeValue start, Day& day) {
    const std::tm first = ToLocalTm(start);
    const std::tm last = ToLocalTm(start + kSecondsPerDay - 1);
    if (SecondsIntoDay(first) != 0 || SecondsIntoDay(last) != kSecondsPerDay - 1 ||
        !SameDate(first, last) || first.tm_gmtoff != last.tm_gmtoff) {
        return false;
    }
    day = {true, start, first.tm_year + 1900, first.tm_mon + 1, first.tm_mday, first.tm_wday};
    return true;
}

const LocalDayCache::Day* LocalDayCache::Remember(const Day& day) {
    Day& slot = days_[next_];
    next_ = (next_ + 1) % days_.size();
    slot = day;
    return &slot;
}

LocalFields LocalDayCache::Fields(TimeValue t) {
    for (const Day& d : days_) {
        if (d.valid && t >= d.start && t - d.start < kSecondsPerDay) {
            const int s = static_cast<int>(t - d.start);
            return {d.year, d.month, d.day, s / 3600, s / 60 % 60, s % 60, d.weekday};
        }
    }
    const std::tm local = ToLocalTm(t);
    Day day;
    if (MakeDay(t - SecondsIntoDay(local), day)) Remember(day);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     local.tm_wday};
}

TimeValue LocalDayCache::Time(int year, int month1, int day, int hour, int minute, int second) {
    const bool inDay =
        hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
    if (!inDay) return FromLocalTime(year, month1, day, hour, minute, second);
    const TimeValue offset = hour * 3600 + minute * 60 + second;
    for (const Day& d : days_) {
        if (d.valid && d.year == year && d.month == month1 && d.day == day) return d.start + offset;
    }
    // A day beyond its month's length is the start of a later day: the result is right,
    // it only never matches the cache.
    Day fresh;
    if (MakeDay(FromLocalTime(year, month1, day, 0, 0, 0), fresh)) {
        return Remember(fresh)->start + offset;
    }
    return FromLocalTime(year, month1, day, hour, minute, second);
}

}  // namespace tally
