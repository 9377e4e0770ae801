// SPDX-License-Identifier: MIT
#pragma once
// The time of a pair as every figure counts it (the scan, the invoice, the export): the
// wall-clock difference of the fields of its In and Out records. The log holds wall times
// without their offset, and Clock Out writes a pair across a clock change so that this
// difference is the time that really passed; turning the fields into instants of a time zone
// would count an hour more or less on such a day. Dates are walked the same way: by the
// calendar, never through the platform's local-time conversion.

#include <chrono>
#include <cstdint>
#include <optional>

#include "time/calendar.h"
#include "time/calendar_date.h"
#include "time/elapsed_time.h"
#include "time/punch_record.h"

namespace tally {

// The numbers of a split record as the scan reads them (atoi of each field).
struct PunchFields {
    int year = 0;
    int month = 0;  // MonthIndex: 0-11, an unknown name reads as January
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

inline PunchFields FieldsOf(const PunchRecord& splitRecord) {
    const PunchRecord& r = splitRecord;
    return {r.YearNumber(), MonthIndex(r.Month()), r.DayNumber(),
            r.HourNumber(), r.MinuteNumber(),      r.SecondNumber()};
}

// The two ends of a pair as seconds counts (SecondsFromDate, so 0 for a date it does not
// cover). With In/Out rounding both times of day are rounded first; one rounded past 23:59
// carries into the next day.
struct PairCounts {
    std::int64_t in = 0;
    std::int64_t out = 0;
    std::int64_t Seconds() const { return out - in; }
    // The scan stops at a pair whose Out lies before its In or more than a day after it.
    bool Counted() const { return in <= out && out - in <= kSecondsPerDay; }
};

inline PairCounts CountsOfPair(const PunchFields& in, const PunchFields& out,
                               const RoundingOptions& rounding) {
    ELAPSEDTIME inTime{in.hour, in.minute, in.second};
    ELAPSEDTIME outTime{out.hour, out.minute, out.second};
    if (rounding.type == kRoundInOut) {
        RoundElapsed(inTime, rounding);
        RoundElapsed(outTime, rounding);
    }
    // The day of the month itself serves as the day index: the offset is the same at both ends.
    return {
        SecondsFromDate(in.year, in.month, in.day, inTime.nHours, inTime.nMinutes, inTime.nSeconds),
        SecondsFromDate(out.year, out.month, out.day, outTime.nHours, outTime.nMinutes,
                        outTime.nSeconds)};
}

// The day a record's date fields name, as the seconds count places it: day 0 is the last of
// the month before, Feb 30 lies in March. Nothing for a year outside 1980-9999 or a day
// outside 0-32, which the count does not cover (tally check reports such a field).
std::optional<CalendarDate> CountedDate(const PunchFields& fields);

// A wall-clock time with its fields carried into range (hour 24 is the next midnight).
struct WallTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970-01-01 00:00:00 of the wall clock, the fields carried as they stand; a
// count of wall time, never an instant.
std::int64_t WallSeconds(const PunchFields& fields);
// The wall seconds of 00:00:00 of a day.
inline std::int64_t WallSeconds(std::chrono::sys_days day) {
    return std::chrono::sys_seconds{day}.time_since_epoch().count();
}
WallTime WallTimeOf(std::int64_t wallSeconds);

}  // namespace tally
