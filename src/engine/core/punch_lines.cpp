// SPDX-License-Identifier: MIT
#include "core/punch_lines.h"

#include <strings.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "time/c_format.h"
#include "time/calendar.h"

namespace tally {
namespace {

constexpr int kLastSecondOfDay = 86399;

// The time from the In record to the Out time, field by field with borrows; 24 hours more
// when the weekdays differ. Nothing is added when the In hour is later.
void ComputeOutElapsed(const PunchRecord& in, const PunchRecord& out, ELAPSEDTIME& elapsed) {
    int outHour = out.HourNumber();
    int outMinute = out.MinuteNumber();
    int outSecond = out.SecondNumber();
    const int inHour = in.HourNumber();
    const int inMinute = in.MinuteNumber();
    const int inSecond = in.SecondNumber();
    if (strcasecmp(in.Weekday(), out.Weekday()) != 0) outHour += 24;
    if (inSecond > outSecond) {
        --outMinute;
        outSecond += 60;
    }
    if (inMinute > outMinute) {
        --outHour;
        outMinute += 60;
    }
    if (inHour > outHour) return;
    elapsed.nSeconds += outSecond - inSecond;
    NormalizeElapsed(elapsed);
    elapsed.nMinutes += outMinute - inMinute;
    NormalizeElapsed(elapsed);
    elapsed.nHours += outHour - inHour;
}

// "Out.." with the timestamp of time and the Elapsed line from inFields to outFields.
void AppendOutRecord(std::string& lines, const std::tm& time, const PunchRecord& inFields,
                     const PunchRecord& outFields) {
    lines += OutRecordLine(time);
    ELAPSEDTIME elapsed;
    ComputeOutElapsed(inFields, outFields, elapsed);
    lines += ElapsedLine(elapsed);
}

int MonthOf(const PunchRecord& record) {
    const int month = LookupMonth(record.Month());
    return month < 0 ? 0 : month;  // an unknown month counts as January
}

int SecondOfDay(const PunchRecord& record) {
    return record.HourNumber() * 3600 + record.MinuteNumber() * 60 + record.SecondNumber();
}

std::int64_t WallCountOf(const PunchRecord& record) {
    return SecondsFromDate(record.YearNumber(), MonthOf(record), record.DayNumber() - 1,
                           record.HourNumber(), record.MinuteNumber(), record.SecondNumber());
}

// Local wall-clock time minus UTC at an instant (up to a constant).
std::int64_t OffsetAt(TimeValue t) {
    return SecondsCountOf(ToLocalTm(t)) - t;
}

// The instant at which the clock showed a record's wall time. Of the two instants of a
// wall time that the autumn change repeats, the later one is taken when it is not after
// now: the first would add the repeated hour to a pair that began after the change.
TimeValue InstantOf(const PunchRecord& record, TimeValue now) {
    const TimeValue first =
        FromLocalTime(record.YearNumber(), MonthOf(record) + 1, record.DayNumber(),
                      record.HourNumber(), record.MinuteNumber(), record.SecondNumber());
    const std::int64_t wentBack = OffsetAt(first) - OffsetAt(now);
    if (wentBack > 0) {
        const TimeValue second = first + wentBack;
        if (second <= now && SecondsCountOf(ToLocalTm(second)) == SecondsCountOf(ToLocalTm(first)))
            return second;
    }
    return first;
}

// A calendar time on the date of a record (its own weekday name) at a second of the day.
std::tm OnDayOf(const PunchRecord& record, int secondOfDay) {
    std::tm time{};
    time.tm_year = record.YearNumber() - 1900;
    time.tm_mon = MonthOf(record);
    time.tm_mday = record.DayNumber();
    time.tm_wday = WeekdayIndex(record.buf);
    const ELAPSEDTIME clock = SplitWithinDay(secondOfDay);
    time.tm_hour = clock.nHours;
    time.tm_min = clock.nMinutes;
    time.tm_sec = clock.nSeconds;
    return time;
}

bool SameDate(const PunchRecord& a, const PunchRecord& b) {
    return a.YearNumber() == b.YearNumber() && MonthOf(a) == MonthOf(b) &&
           a.DayNumber() == b.DayNumber();
}

// The Out record and Elapsed line of the pair from in (at the instant inInstant) to now.
void AppendLastPair(std::string& lines, const PunchRecord& in, TimeValue inInstant, TimeValue now,
                    const std::tm& nowTime, const PunchRecord& nowFields) {
    const std::int64_t passed = now - inInstant;
    const std::int64_t wall = SecondsCountOf(nowTime) - WallCountOf(in);
    if (passed >= 0 && (passed == wall || !SameDate(in, nowFields))) {
        AppendOutRecord(lines, nowTime, in, nowFields);
        return;
    }
    const int start = SecondOfDay(in);
    const std::int64_t room = std::max(0, kLastSecondOfDay - start);
    const int counted = static_cast<int>(std::clamp<std::int64_t>(passed, 0, room));
    lines += OutRecordLine(OnDayOf(in, start + counted));
    lines += ElapsedLine(SplitSeconds(counted));
}

}  // namespace

std::optional<SkippedDays> DaysClockOutSkips(const PunchRecord& inFields, TimeValue now) {
    const CalendarDate inDate{inFields.YearNumber(), MonthOf(inFields) + 1, inFields.DayNumber()};
    if (DateOf(DaysOf(inDate)) != inDate) return std::nullopt;  // a day beyond its month
    const std::tm today = ToLocalTm(now);
    const std::chrono::sys_days first = DaysOf(inDate) + std::chrono::days{1};
    const std::chrono::sys_days last =
        DaysOf({today.tm_year + 1900, today.tm_mon + 1, today.tm_mday}) - std::chrono::days{1};
    if (first > last) return std::nullopt;
    return SkippedDays{inDate, DateOf(first), DateOf(last)};
}

std::string DayText(const CalendarDate& date) {
    return FormatC("%s %s %02d %d", kWeekdayNames[WeekdayOf(DaysOf(date))],
                   kMonthNames[date.month - 1], date.day, date.year);
}

void AppendInRecord(std::string& lines, const std::tm& time) {
    lines += InRecordLine(time);
}

std::string ClockOutLines(const PunchRecord& inFields, TimeValue now) {
    const std::tm nowTime = ToLocalTm(now);
    const std::string stamp = FormatTimestamp(nowTime) + "\n";
    const PunchRecord nowFields = ParseTimestamp(stamp.data(), stamp.size());

    std::string lines;
    PunchRecord in = inFields;
    TimeValue inInstant = InstantOf(in, now);
    if (inInstant <= now && std::strcmp(in.Day(), nowFields.Day()) != 0) {
        PunchRecord closing = in;
        closing.SetTimeOfDay("23", "59", "59");
        AppendOutRecord(lines, OnDayOf(in, kLastSecondOfDay), in, closing);

        std::tm midnight = nowTime;
        midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
        AppendInRecord(lines, midnight);
        in = nowFields;
        in.SetTimeOfDay("00", "00", "00");
        inInstant = InstantOf(in, now);
    }
    AppendLastPair(lines, in, inInstant, now, nowTime, nowFields);
    return lines;
}

}  // namespace tally
