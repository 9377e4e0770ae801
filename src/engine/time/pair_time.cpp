// SPDX-License-Identifier: MIT
#include "time/pair_time.h"

namespace tally {

namespace chrono = std::chrono;

std::optional<CalendarDate> CountedDate(const PunchFields& f) {
    if (f.year < kFirstCountedYear || f.year > kLastCountedYear || f.day < 0 || f.day > 32) {
        return std::nullopt;
    }
    const CalendarDate date = DateOf(RunOnDays(f.year, f.month + 1, f.day));
    if (date.year > kLastCountedYear) return std::nullopt;  // 9999-12-32
    return date;
}

std::int64_t WallSeconds(const PunchFields& f) {
    return WallSeconds(RunOnDays(f.year, f.month + 1, f.day)) +
           static_cast<std::int64_t>(f.hour) * 3600 + static_cast<std::int64_t>(f.minute) * 60 +
           f.second;
}

WallTime WallTimeOf(std::int64_t wallSeconds) {
    const chrono::sys_seconds time{chrono::seconds{wallSeconds}};
    const chrono::sys_days day = chrono::floor<chrono::days>(time);
    const auto second = static_cast<int>((time - day).count());
    return {DateOf(day), second / 3600, second % 3600 / 60, second % 60};
}

}  // namespace tally
