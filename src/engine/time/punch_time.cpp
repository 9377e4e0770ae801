// SPDX-License-Identifier: MIT
#include "time/punch_time.h"

#include <chrono>

#include "time/c_format.h"

namespace tally {
namespace {

namespace chrono = std::chrono;

// The number of count digits at text[from], or -1 when any is not a digit or text is short.
int Digits(std::string_view text, std::size_t from, std::size_t count) {
    if (text.size() < from + count) return -1;
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

CalendarDate DayBefore(const CalendarDate& date) {
    return DateOf(DaysOf(date) - chrono::days{1});
}

// "-1h30m", "-2h", "-15m": hours, then minutes, each at most once, before now.
std::optional<TimeValue> BeforeNow(std::string_view text, TimeValue now) {
    std::size_t i = 1;
    TimeValue seconds = 0;
    bool any = false;
    for (const auto& [unit, size] : {std::pair{'h', 3600}, std::pair{'m', 60}}) {
        std::size_t end = i;
        while (end < text.size() && end - i < 6 && text[end] >= '0' && text[end] <= '9') ++end;
        if (end == i || end >= text.size() || text[end] != unit) continue;
        seconds += static_cast<TimeValue>(Digits(text, i, end - i)) * size;
        i = end + 1;
        any = true;
    }
    if (!any || i != text.size()) return std::nullopt;
    return now - seconds;
}

}  // namespace

std::optional<CalendarDate> ParseDayText(std::string_view text, CalendarDate today) {
    if (text == "today") return today;
    if (text == "yesterday") return DayBefore(today);
    return ParseIsoDay(text);
}

std::string WithDayWordDated(std::string_view text, CalendarDate today) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return std::string(text);
    const std::string_view word = text.substr(0, space);
    if (word != "today" && word != "yesterday") return std::string(text);
    return IsoDayText(*ParseDayText(word, today)) + std::string(text.substr(space));
}

std::optional<std::pair<CalendarDate, CalendarDate>> ParseRangeWord(std::string_view word,
                                                                    CalendarDate today,
                                                                    int weekStartDay) {
    const chrono::sys_days day = DaysOf(today);
    if (word == "this-week" || word == "last-week") {
        const int first = weekStartDay >= 0 && weekStartDay <= 6 ? weekStartDay : 0;
        const chrono::sys_days start =
            WeekStart(day, first) - chrono::days{word == "last-week" ? 7 : 0};
        return std::pair{DateOf(start), DateOf(start + chrono::days{6})};
    }
    if (word == "this-month" || word == "last-month") {
        const chrono::year_month_day ymd{day};
        const chrono::year_month month =
            ymd.year() / ymd.month() - chrono::months{word == "last-month" ? 1 : 0};
        return std::pair{DateOf(chrono::sys_days{month / 1}),
                         DateOf(chrono::sys_days{month / chrono::last})};
    }
    return std::nullopt;
}

std::optional<TimeValue> ParsePunchTime(std::string_view text, TimeValue now) {
    if (text.starts_with('-')) return BeforeNow(text, now);
    const CalendarDate today = LocalDateOf(now);
    std::string full = WithDayWordDated(text, today);
    if (full.find(' ') == std::string::npos) full = IsoDayText(today) + ' ' + full;
    // "YYYY-MM-DD HH:MM" and then ":SS" or nothing.
    if ((full.size() != 16 && full.size() != 19) || full[10] != ' ' || full[13] != ':' ||
        (full.size() == 19 && full[16] != ':')) {
        return std::nullopt;
    }
    const auto date = ParseDayText(std::string_view(full).substr(0, 10), today);
    const int hour = Digits(full, 11, 2);
    const int minute = Digits(full, 14, 2);
    const int second = full.size() == 19 ? Digits(full, 17, 2) : 0;
    if (!date || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return FromLocalTime(date->year, date->month, date->day, hour, minute, second);
}

}  // namespace tally
