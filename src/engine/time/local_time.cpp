// SPDX-License-Identifier: MIT
#include "time/local_time.h"

#include "time/calendar.h"

namespace tally {

std::tm ToLocalTm(TimeValue t) {
    const std::time_t value = static_cast<std::time_t>(t);
    std::tm result{};
    localtime_r(&value, &result);
    return result;
}

TimeValue FromLocalTime(int year, int month1, int day, int hour, int minute, int second) {
    // Carry out-of-range fields first (hour 24 is the next midnight), so that the checks
    // below compare with the wall time actually meant.
    std::tm wall{};
    wall.tm_year = year - 1900;
    wall.tm_mon = month1 - 1;
    wall.tm_mday = day;
    wall.tm_hour = hour;
    wall.tm_min = minute;
    wall.tm_sec = second;
    const std::time_t asUtc = timegm(&wall);
    gmtime_r(&asUtc, &wall);

    auto attempt = [&](int isdst, bool& exact) {
        std::tm t = wall;
        t.tm_isdst = isdst;
        const std::time_t value = mktime(&t);
        exact = t.tm_isdst == isdst && t.tm_hour == wall.tm_hour && t.tm_min == wall.tm_min &&
                t.tm_mday == wall.tm_mday && t.tm_mon == wall.tm_mon;
        return static_cast<TimeValue>(value);
    };
    bool standardExact = false;
    bool summerExact = false;
    const TimeValue standard = attempt(0, standardExact);
    const TimeValue summer = attempt(1, summerExact);
    if (standardExact && summerExact) return standard < summer ? standard : summer;
    if (summerExact) return summer;
    // Either the standard reading is exact, or the time falls in a spring gap: read as
    // standard time it lands the gap's length later, which is the forward move we want.
    return standard;
}

std::int64_t SecondsCountOf(const std::tm& local) {
    return SecondsFromDate(local.tm_year + 1900, local.tm_mon, local.tm_mday - 1, local.tm_hour,
                           local.tm_min, local.tm_sec);
}

}  // namespace tally
