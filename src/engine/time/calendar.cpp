// SPDX-License-Identifier: MIT
#include "time/calendar.h"

#include <strings.h>
#include <array>
#include <cstdio>
#include <cstring>

#include "time/punch_record.h"

namespace tally {
namespace {

// Seconds from 1980-01-01 to January 1st of each year, so a count needs no loop.
const std::array<std::int64_t, kLastCountedYear - kFirstCountedYear + 1>& YearStarts() {
    static const auto table = [] {
        std::array<std::int64_t, kLastCountedYear - kFirstCountedYear + 1> t{};
        std::int64_t total = 0;
        for (int y = kFirstCountedYear; y <= kLastCountedYear; ++y) {
            t[y - kFirstCountedYear] = total;
            total += (IsLeapYear(y) ? 366 : 365) * kSecondsPerDay;
        }
        return t;
    }();
    return table;
}

constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// The tables hold three-letter names. A name spelt as in the table is found by comparing
// bytes, which the scan does for every record; any other spelling by strcasecmp.
int FindName(const char* name, const char* const* table, int count) {
    for (int i = 0; i < count; ++i) {
        const char* t = table[i];
        if (name[0] == t[0] && name[1] == t[1] && name[2] == t[2] && name[3] == '\0') return i;
    }
    for (int i = 0; i < count; ++i) {
        if (strcasecmp(name, table[i]) == 0) return i;
    }
    return -1;
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t SecondsFromDate(int year, int month, int dayIndex, int hour, int minute, int second) {
    if (year < kFirstCountedYear || year > kLastCountedYear || month < 0 || month > 11 ||
        dayIndex < 0 || dayIndex > 31) {
        return 0;
    }
    std::int64_t days = kDaysBeforeMonth[month] + dayIndex;
    if (month > 1 && IsLeapYear(year)) ++days;
    return YearStarts()[year - kFirstCountedYear] + days * kSecondsPerDay +
           static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second;
}

int DaysInMonth(int year, int month) {
    switch (month) {
        case 3:
        case 5:
        case 8:
        case 10:
            return 30;
        case 1:
            return IsLeapYear(year) ? 29 : 28;
        default:
            return 31;
    }
}

int MonthIndex(const char* name) {
    const int i = FindName(name, kMonthNames, 12);
    return i < 0 ? 0 : i;
}

int LookupMonth(const char* name) {
    return FindName(name, kMonthNames, 12);
}

int WeekdayIndexOfName(const char* name) {
    const int i = FindName(name, kWeekdayNames, 7);
    return i < 0 ? 0 : i;
}

int WeekdayIndex(const char* splitRecord) {
    return WeekdayIndexOfName(splitRecord + kWeekdayOffset);
}

void MoveToWeekStart(char* rec, int firstDay) {
    int year = FieldNumber(rec + kYearOffset);
    int month = MonthIndex(rec + kMonthOffset);
    int day = FieldNumber(rec + kDayOffset);
    int weekday = WeekdayIndex(rec);
    while (weekday != firstDay) {
        weekday = weekday == 0 ? 6 : weekday - 1;
        if (--day < 1) {
            if (--month < 0) {
                month = 11;
                --year;
            }
            day = DaysInMonth(year, month);
        }
    }
    // Each field keeps to its own slot: an odd year is cut rather than spilling over.
    char text[16] = {};
    std::snprintf(text, sizeof text, "%4d", year);
    std::memcpy(rec + kYearOffset, text, 4);
    rec[kYearOffset + 4] = '\0';
    std::memcpy(rec + kMonthOffset, kMonthNames[month], 4);
    std::snprintf(text, sizeof text, "%d", day);
    std::memcpy(rec + kDayOffset, text, 3);
    rec[kDayOffset + 2] = '\0';
    std::memcpy(rec + kWeekdayOffset, kWeekdayNames[weekday], 4);
}

}  // namespace tally
