// SPDX-License-Identifier: MIT
#pragma once
// Calendar arithmetic on the text fields of punch records: a seconds count from
// 1980-01-01 local wall-clock time, month and weekday names, and the week walk.

#include <cstdint>

namespace tally {

inline constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
inline constexpr const char* kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The years the seconds count covers: a record of another year has a damaged date.
inline constexpr int kFirstCountedYear = 1980;
inline constexpr int kLastCountedYear = 9999;
// The years a record may be written in: those the raw reader accepts, and so the only ones
// a pair is added in.
inline constexpr int kFirstLoggableYear = 1990;
inline constexpr int kLastLoggableYear = 2050;

inline constexpr std::int64_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kSecondsPerWeek = 7 * kSecondsPerDay;

bool IsLeapYear(int year);

// Seconds since 1980-01-01 00:00:00; 0 for a year outside 1980-9999, a month outside
// 0-11 or a day index outside 0-31. Hours, minutes and seconds are not range-checked.
std::int64_t SecondsFromDate(int year, int month, int dayIndex, int hour, int minute, int second);

int DaysInMonth(int year, int month);

// Case-insensitive whole-name lookups: MonthIndex gives 0 for an unknown name,
// LookupMonth gives -1, WeekdayIndex gives 0.
int MonthIndex(const char* name);
int LookupMonth(const char* name);
int WeekdayIndexOfName(const char* name);

// Weekday of a punch record in split form, from its weekday field.
int WeekdayIndex(const char* splitRecord);

// Moves the date of a split record back to the nearest day on or before it whose
// weekday is firstDay (0-6), trusting the record's weekday name.
void MoveToWeekStart(char* splitRecord, int firstDay);

}  // namespace tally
