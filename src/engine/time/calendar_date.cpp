// SPDX-License-Identifier: MIT
#include "time/calendar_date.h"

#include "time/c_format.h"

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

std::string IsoDayText(const CalendarDate& date) {
    return FormatC("%04d-%02d-%02d", date.year, date.month, date.day);
}

std::optional<CalendarDate> ParseIsoDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CalendarDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (!IsRealDate(date)) return std::nullopt;
    return date;
}

}  // namespace tally
