// SPDX-License-Identifier: MIT
#pragma once
// A punch record's text ("In..." / "Out.." and an asctime-style timestamp) and the split
// form in which each field of it reads as a terminated string at a fixed offset: the fields
// the calendar counts with. The lines of the file around it are log/record_layout.h.

#include <cstddef>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

namespace tally {

inline constexpr std::size_t kTimestampSize = 24;  // "Mon Jan 05 09:03:07 2004"

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

}  // namespace tally
