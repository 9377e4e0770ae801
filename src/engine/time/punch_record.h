// SPDX-License-Identifier: MIT
#pragma once
// The bytes of the time log: 31-byte punch records ("In..." / "Out.." and an asctime-style
// timestamp), 27-byte Elapsed lines, CR LF line ends, and the split form in which each
// field of a record reads as a terminated string at a fixed offset.

#include <cstddef>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "time/elapsed_time.h"

namespace tally {

inline constexpr std::size_t kRecordSize = 31;       // "In...Mon Jan 05 09:03:07 2004" CR LF
inline constexpr std::size_t kElapsedLineSize = 27;  // "Elapsed time of 00:00:00." CR LF
inline constexpr std::size_t kTimestampSize = 24;    // "Mon Jan 05 09:03:07 2004"
inline constexpr const char* kInPrefix = "In...";
inline constexpr const char* kOutPrefix = "Out..";
inline constexpr std::size_t kPrefixLength = 5;  // of either record prefix
inline constexpr const char* kElapsedPrefix = "Elapsed";
inline constexpr const char* kLineEnd = "\r\n";

// The Elapsed line: this lead, then "hh:mm:ss." at the offsets below.
inline constexpr const char* kElapsedLead = "Elapsed time of ";
inline constexpr std::size_t kElapsedTextLength = 25;  // without the line end
inline constexpr std::size_t kElapsedHoursOffset = 16;
inline constexpr std::size_t kElapsedMinutesOffset = 19;
inline constexpr std::size_t kElapsedSecondsOffset = 22;

inline constexpr int kWeekdayOffset = 5;
inline constexpr int kMonthOffset = 9;
inline constexpr int kDayOffset = 13;
inline constexpr int kHourOffset = 16;
inline constexpr int kMinuteOffset = 19;
inline constexpr int kSecondOffset = 22;
inline constexpr int kYearOffset = 25;
inline constexpr int kRecordTextLength = 29;  // without the line end

// A punch record in memory. The buffer is larger than a record so that every field
// write stays inside it; position 29 onwards is always a terminator.
struct PunchRecord {
    char buf[32] = {};

    // Copies up to 29 bytes of record text and terminates it at 29.
    // Inline: the scan makes one per record, and a copy of constant length is a few moves.
    static PunchRecord FromText(const char* text, std::size_t length) {
        PunchRecord r;
        std::memcpy(r.buf, text, length < kRecordTextLength ? length : kRecordTextLength);
        return r;
    }

    // Replaces the separators (8, 12, 15, 18, 21, 24) by terminators, and back. Split is
    // inline: the scan splits every record.
    void Split() {
        buf[kMonthOffset - 1] = '\0';
        buf[kDayOffset - 1] = '\0';
        buf[kHourOffset - 1] = '\0';
        buf[kMinuteOffset - 1] = '\0';
        buf[kSecondOffset - 1] = '\0';
        buf[kYearOffset - 1] = '\0';
        buf[kRecordTextLength] = '\0';
    }
    void Join();

    const char* Weekday() const { return buf + kWeekdayOffset; }
    const char* Month() const { return buf + kMonthOffset; }
    const char* Day() const { return buf + kDayOffset; }
    const char* Hour() const { return buf + kHourOffset; }
    const char* Minute() const { return buf + kMinuteOffset; }
    const char* Second() const { return buf + kSecondOffset; }
    const char* Year() const { return buf + kYearOffset; }

    int DayNumber() const;
    int HourNumber() const;
    int MinuteNumber() const;
    int SecondNumber() const;
    int YearNumber() const;

    // Sets hour, minute and second of a split record, two characters each.
    void SetTimeOfDay(const char* hour, const char* minute, const char* second);
};

// atoi of a field's characters, never reading past them, whatever the locale: leading blanks
// (' ', '\t' to '\r'), an optional sign, then digits up to the first other character; no
// digits give 0. A number beyond int's range is held at INT_MAX or INT_MIN. A field of a
// split record is a terminated string, and reads as one: FieldNumber(record.Day()).
int FieldNumber(std::string_view field);

// Writes value into exactly two characters at dst ("%02d", cut to two characters).
void PutTwoDigits(char* dst, int value);

// The 24-character timestamp of a calendar time, with a zero-padded day of the month.
// Fields are used as given (no normalisation); each is cut to its width.
std::string FormatTimestamp(const std::tm& time);

// The split form of an asctime-style timestamp text (a line feed may follow), read by a
// state machine field by field. Each field is cut to its own slot.
PunchRecord ParseTimestamp(const char* text, std::size_t length);

std::string InRecordLine(const std::tm& time);        // "In..." timestamp CR LF
std::string OutRecordLine(const std::tm& time);       // "Out.." timestamp CR LF
std::string ElapsedLine(const ELAPSEDTIME& elapsed);  // "Elapsed time of hh:mm:ss." CR LF

}  // namespace tally
