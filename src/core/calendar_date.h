#pragma once
// A calendar day as people write it (month 1-12), for date ranges given by the user.

#include "core/calendar.h"

namespace tally {

struct CalendarDate {
    int year = 1980;
    int month = 1;  // 1-12
    int day = 1;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// True for a day that exists in the Gregorian calendar (years 1-9999).
inline bool IsRealDate(const CalendarDate& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= DaysInMonth(d.year, d.month - 1);
}

}  // namespace tally
