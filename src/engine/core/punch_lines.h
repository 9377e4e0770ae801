// SPDX-License-Identifier: MIT
#pragma once
// The lines a punch appends, gathered in memory so that one write puts them all in the
// file: the In record of Clock In, and the Out records and Elapsed lines of Clock Out.

#include <ctime>
#include <optional>
#include <string>

#include "log/record_layout.h"
#include "time/calendar_date.h"
#include "time/local_time.h"

namespace tally {

// Adds "In..." with the timestamp of time.
void AppendInRecord(std::string& lines, const std::tm& time);

// The lines of Clock Out at the instant now for the open In record (split form): the Out
// record and the Elapsed line (the time between them field by field, 24 hours more when
// the weekdays differ). When the day changed, the In's day closes at 23:59:59 and now's
// day opens at 00:00:00 first.
//
// When the clock went back or sprang forward since the In (a daylight-saving change), the
// wall-clock difference is not the time that passed: the pair then ends at the In's wall
// time plus the time that really passed, never past 23:59:59 of its day, so that the scan,
// which reads the wall-clock fields, counts the real duration. A clock set back before the
// In closes the pair at the In's own time with 00:00:00.
std::string ClockOutLines(const PunchRecord& inFields, TimeValue now);

// The days that Clock Out at now leaves without any record: those after the open In's date
// (an unknown month read as January, as ClockOutLines closes it) and before now's date.
// None when the In is of yesterday, today or later, or its date does not exist.
struct SkippedDays {
    CalendarDate in;  // the In's date
    CalendarDate first;
    CalendarDate last;
};
std::optional<SkippedDays> DaysClockOutSkips(const PunchRecord& inFields, TimeValue now);

// "Sat Dec 05 2026": a date as the records write it, its weekday from the calendar.
std::string DayText(const CalendarDate& date);

}  // namespace tally
