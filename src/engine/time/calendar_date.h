// SPDX-License-Identifier: MIT
#pragma once
// A calendar day as people write it (month 1-12), and the program's day arithmetic on
// std::chrono's days: every date that is walked, compared or given a weekday goes through
// these few functions.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "time/calendar.h"
#include "time/local_time.h"

namespace tally {

struct CalendarDate {
    int year = kFirstCountedYear;
    int month = 1;  // 1-12
    int day = 1;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// True for a day that exists in the Gregorian calendar (years 1-9999).
inline bool IsRealDate(const CalendarDate& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= DaysInMonth(d.year, d.month - 1);
}

// The day `day` counted on from the first of a month, as the seconds count reads the date
// fields of a record: day 0 is the last of the month before, Feb 30 lies in March, and a
// month past 12 (or before 1) carries into the years. For years within std::chrono::year.
std::chrono::sys_days RunOnDays(int year, int month1, int day);

// A date's day; one whose day lies beyond its month runs on as above.
inline std::chrono::sys_days DaysOf(const CalendarDate& d) {
    return RunOnDays(d.year, d.month, d.day);
}

CalendarDate DateOf(std::chrono::sys_days days);

// YYYY-MM-DD, and back (nothing for text that is not a calendar date in that shape).
std::string IsoDayText(const CalendarDate& date);
std::optional<CalendarDate> ParseIsoDay(std::string_view text);

// The local date of an instant: "today" of a clock's now.
CalendarDate LocalDateOf(TimeValue t);

// 0 Sunday to 6 Saturday: the index into kWeekdayNames.
inline int WeekdayOf(std::chrono::sys_days days) {
    return static_cast<int>(std::chrono::weekday{days}.c_encoding());
}

// The first day of the week that holds day, weeks beginning on firstDay (0 Sunday to 6).
std::chrono::sys_days WeekStart(std::chrono::sys_days day, int firstDay);

}  // namespace tally
