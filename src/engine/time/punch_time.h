// SPDX-License-Identifier: MIT
#pragma once
// Times and days as people type them on the command line, read against the clock's now:
// the TIME of a back-dated punch, "today" and "yesterday" for a date, and the words of a
// range of days.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "time/calendar_date.h"
#include "time/local_time.h"

namespace tally {

// The forms ParsePunchTime reads, for the message that refuses any other.
inline constexpr const char* kPunchTimeForms =
    "HH:MM[:SS] (today), yesterday HH:MM[:SS], YYYY-MM-DD HH:MM[:SS], or -15m, -2h, -1h30m "
    "(before now)";
// The words ParseRangeWord reads.
inline constexpr const char* kRangeWords = "this-week, last-week, this-month or last-month";

// A day: "YYYY-MM-DD" (only days the calendar has), "today" or "yesterday".
std::optional<CalendarDate> ParseDayText(std::string_view text, CalendarDate today);

// A leading "today" or "yesterday" of a local time text turned into its date:
// "yesterday 09:00" gives "2026-12-06 09:00". Any other text is returned as it is.
std::string WithDayWordDated(std::string_view text, CalendarDate today);

// A range word as the inclusive days it names; weeks begin on weekStartDay (0 Sunday to 6).
std::optional<std::pair<CalendarDate, CalendarDate>> ParseRangeWord(std::string_view word,
                                                                    CalendarDate today,
                                                                    int weekStartDay);

// The instant of a TIME in one of kPunchTimeForms: a wall time of today, of yesterday or of a
// date, or hours and minutes before now. Nothing for any other text.
std::optional<TimeValue> ParsePunchTime(std::string_view text, TimeValue now);

}  // namespace tally
