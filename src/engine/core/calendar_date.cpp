// SPDX-License-Identifier: MIT
#include "core/calendar_date.h"

namespace tally {

namespace chrono = std::chrono;

chrono::sys_days RunOnDays(int year, int month1, int day) {
    const chrono::year_month month =
        chrono::year{year} / chrono::January + chrono::months{month1 - 1};
    return chrono::sys_days{month / 1} + chrono::days{day - 1};
}

CalendarDate DateOf(chrono::sys_days days) {
    const chrono::year_month_day ymd{days};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

chrono::sys_days WeekStart(chrono::sys_days day, int firstDay) {
    return day - (chrono::weekday{day} - chrono::weekday{static_cast<unsigned>(firstDay)});
}

CalendarDate LocalDateOf(TimeValue t) {
    const std::tm local = ToLocalTm(t);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace tally
