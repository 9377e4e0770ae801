// SPDX-License-Identifier: MIT
#pragma once
// The plain values the date-time picker works with: a date and time in fields, the flags of
// its messages, its change notification, its two styles and its month-calendar colours.

#include <cstdint>

namespace tally {

// Seconds since 1970 UTC, the same time value the engine uses.
using TimeValue = std::int64_t;

// A local wall time in fields: month 1-12, day 1-31. The conversions never fill dayOfWeek.
struct SystemTime {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// Whether a change notification carries a date.
inline constexpr unsigned GDT_VALID = 0;
inline constexpr unsigned GDT_NONE = 1;

// Which limits of a picker's range are set.
inline constexpr unsigned GDTR_MIN = 1;
inline constexpr unsigned GDTR_MAX = 2;

class CQFDateTimeCtrl;

struct DateTimeChangeNotification {
    CQFDateTimeCtrl* control = nullptr;
    int controlId = 0;
    unsigned flags = GDT_VALID;
    SystemTime time;
};

// DropDown edits in place and drops a month calendar down; UpDown steps the field under the
// cursor with arrow buttons and has no calendar.
enum class PickerStyle { DropDown, UpDown };

// The month calendar's colours, by the index SetMonthCalColour takes.
enum MonthCalColour {
    MCSC_BACKGROUND = 0,  // around the month, and days outside the range
    MCSC_TEXT = 1,
    MCSC_TITLEBK = 2,  // title bar, also behind the selected day
    MCSC_TITLETEXT = 3,
    MCSC_MONTHBK = 4,
    MCSC_TRAILINGTEXT = 5,  // days of the neighbouring months
};
inline constexpr int kMonthCalColourCount = 6;

}  // namespace tally
