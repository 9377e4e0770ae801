#include "invoice/local_time_converter.h"

#include <algorithm>

namespace tally {
namespace {

constexpr std::int64_t kDaySeconds = 86400;

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

WallTime CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    WallTime w;
    w.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    w.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    w.year = static_cast<int>(yoe + era * 400 + (w.month <= 2));
    return w;
}

long OffsetAt(TimeValue t) {
    return ToLocalTm(t).tm_gmtoff;
}

}  // namespace

const LocalTimeConverter::Day& LocalTimeConverter::DayOf(std::int64_t number) {
    for (const Day& d : days_) {
        if (d.number == number) return d;
    }
    Day& d = days_[next_];
    next_ = (next_ + 1) % days_.size();
    d.number = number;
    d.date = CivilFromDays(number);
    // Every wall time of the day lies within this window whatever the zone's offset.
    TimeValue lo = number * kDaySeconds - 2 * kDaySeconds;
    TimeValue hi = number * kDaySeconds + 3 * kDaySeconds;
    d.before = OffsetAt(lo);
    d.after = OffsetAt(hi);
    while (d.before != d.after && hi - lo > 1) {
        const TimeValue mid = lo + (hi - lo) / 2;
        if (OffsetAt(mid) == d.before) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    d.change = hi;
    return d;
}

LocalInstant LocalTimeConverter::Convert(const WallTime& wall) {
    if (wall.year != lastYear_ || wall.month != lastMonth_ || wall.day != lastDay_) {
        const std::int64_t monthIndex = static_cast<std::int64_t>(wall.month) - 1;
        const std::int64_t year = wall.year + FloorDiv(monthIndex, 12);
        const int month = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
        lastNumber_ = DaysFromCivil(year, month, 1) + (wall.day - 1);
        lastYear_ = wall.year;
        lastMonth_ = wall.month;
        lastDay_ = wall.day;
    }
    std::int64_t dayNumber = lastNumber_;
    std::int64_t ofDay = static_cast<std::int64_t>(wall.hour) * 3600 +
                         static_cast<std::int64_t>(wall.minute) * 60 + wall.second;
    if (ofDay < 0 || ofDay >= kDaySeconds) {
        dayNumber += FloorDiv(ofDay, kDaySeconds);
        ofDay -= FloorDiv(ofDay, kDaySeconds) * kDaySeconds;
    }

    const Day& d = DayOf(dayNumber);
    const TimeValue asUtc = dayNumber * kDaySeconds + ofDay;
    const TimeValue early = asUtc - d.before;
    const TimeValue late = asUtc - d.after;
    const bool earlyOccurs = d.before == d.after || early < d.change;
    const bool lateOccurs = late >= d.change;
    LocalInstant result;
    if (earlyOccurs || lateOccurs) {
        // Of two occurrences (clocks put back) the first counts.
        result.time =
            earlyOccurs && lateOccurs ? std::min(early, late) : (earlyOccurs ? early : late);
        result.wall = {d.date.year,
                       d.date.month,
                       d.date.day,
                       static_cast<int>(ofDay / 3600),
                       static_cast<int>(ofDay % 3600 / 60),
                       static_cast<int>(ofDay % 60)};
    } else {
        // Skipped by clocks put forward: read at the earlier offset, it lands the gap's
        // length later.
        result.time = early;
        const std::tm t = ToLocalTm(early);
        result.wall = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    }
    return result;
}

}  // namespace tally
