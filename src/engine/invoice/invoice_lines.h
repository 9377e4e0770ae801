// SPDX-License-Identifier: MIT
#pragma once
// The lines of an invoice and their arithmetic: whole minutes and hours of a day sum or
// of the total, valued at the hourly rate.

#include <cstdint>
#include <string>

#include "time/calendar_date.h"

namespace tally {

inline constexpr const char* kNothingBilledText = "No billing times within the specified period";

// A day's amount as its line charges it: only the whole minutes left after whole days.
double DayAmount(std::int64_t seconds, double rate);
// The total's amount: every whole minute of the total time, whole days as 24 hours each.
double TotalAmount(std::int64_t seconds, double rate);

// "2004-06-01 8:15 = 82.50" CR LF, from the seconds worked on a day: only what is left
// after whole days shows and is charged, seconds are dropped. The last day line of an
// invoice pads its hours to two digits ("08:15").
std::string DayLine(const CalendarDate& day, std::int64_t seconds, double rate, bool last);

// "8 hours,  5 minutes = 80.83" CR LF, counting whole days as 24 hours each; the amount
// is computed from the total time, not summed from the day lines.
std::string TotalLine(std::int64_t seconds, double rate);

}  // namespace tally
