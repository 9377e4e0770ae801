#include "core/local_time.h"

#include "core/calendar.h"

namespace tally {

std::tm ToLocalTm(TimeValue t) {
    const std::time_t value = static_cast<std::time_t>(t);
    std::tm result{};
    localtime_r(&value, &result);
    return result;
}

TimeValue FromLocalTime(int year, int month1, int day, int hour, int minute, int second) {
    auto attempt = [&](int isdst, bool& exact) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month1 - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        t.tm_isdst = isdst;
        const std::time_t value = mktime(&t);
        exact = t.tm_isdst == isdst && t.tm_hour == hour && t.tm_min == minute &&
                t.tm_mday == day && t.tm_mon == month1 - 1;
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
