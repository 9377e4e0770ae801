// SPDX-License-Identifier: MIT
#include "time/punch_record.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "time/calendar.h"

namespace tally {
namespace {

constexpr int kSeparators[] = {8, 12, 15, 18, 21, 24};
constexpr char kSeparatorChars[] = {' ', ' ', ' ', ':', ':', ' '};

void PutNumber(char* dst, std::size_t width, int value, const char* format) {
    char text[16] = {};
    std::snprintf(text, sizeof text, format, value);
    std::memcpy(dst, text, width);
}

// The white space that atoi skips in the C locale.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int FieldNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    // Counted up to one past INT_MAX, the magnitude of INT_MIN, and held there.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = std::min(value * 10 + (field[i] - '0'), kLimit);
    }
    return static_cast<int>(negative ? -value : std::min<std::int64_t>(value, INT_MAX));
}

void PunchRecord::Join() {
    for (std::size_t i = 0; i < std::size(kSeparators); ++i)
        buf[kSeparators[i]] = kSeparatorChars[i];
}

int PunchRecord::DayNumber() const {
    return FieldNumber(Day());
}
int PunchRecord::HourNumber() const {
    return FieldNumber(Hour());
}
int PunchRecord::MinuteNumber() const {
    return FieldNumber(Minute());
}
int PunchRecord::SecondNumber() const {
    return FieldNumber(Second());
}
int PunchRecord::YearNumber() const {
    return FieldNumber(Year());
}

void PunchRecord::SetTimeOfDay(const char* hour, const char* minute, const char* second) {
    std::memcpy(buf + kHourOffset, hour, 2);
    std::memcpy(buf + kMinuteOffset, minute, 2);
    std::memcpy(buf + kSecondOffset, second, 2);
}

void PutTwoDigits(char* dst, int value) {
    // Rounding punch times writes three fields per record during the scan: spare it snprintf.
    if (value >= 0 && value <= 99) {
        dst[0] = static_cast<char>('0' + value / 10);
        dst[1] = static_cast<char>('0' + value % 10);
        return;
    }
    PutNumber(dst, 2, value, "%02d");
}

std::string FormatTimestamp(const std::tm& t) {
    char out[kTimestampSize + 1];
    auto name = [](const char* const* table, int count, int index) {
        return table[index >= 0 && index < count ? index : 0];
    };
    std::memcpy(out, name(kWeekdayNames, 7, t.tm_wday), 3);
    out[3] = ' ';
    std::memcpy(out + 4, name(kMonthNames, 12, t.tm_mon), 3);
    out[7] = ' ';
    PutTwoDigits(out + 8, t.tm_mday);
    out[10] = ' ';
    PutTwoDigits(out + 11, t.tm_hour);
    out[13] = ':';
    PutTwoDigits(out + 14, t.tm_min);
    out[16] = ':';
    PutTwoDigits(out + 17, t.tm_sec);
    out[19] = ' ';
    PutNumber(out + 20, 4, t.tm_year + 1900, "%04d");
    return std::string(out, kTimestampSize);
}

PunchRecord ParseTimestamp(const char* text, std::size_t length) {
    struct Field {
        int offset;
        int width;  // the slot's size up to its terminator
        bool startsOnDigit;
    };
    static constexpr Field kFields[] = {{kWeekdayOffset, 3, false}, {kMonthOffset, 3, false},
                                        {kDayOffset, 2, false},     {kHourOffset, 2, true},
                                        {kMinuteOffset, 2, true},   {kSecondOffset, 2, true},
                                        {kYearOffset, 4, true}};
    PunchRecord r;
    int field = 0;
    int filled = 0;
    bool inField = false;
    for (std::size_t i = 0; i < length && text[i] != '\0' && field < 7; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const Field& f = kFields[field];
        if (!inField) {
            const bool starts = f.startsOnDigit ? std::isdigit(c) != 0 : std::isprint(c) != 0;
            if (!starts) continue;
            inField = true;
            filled = 0;
        } else {
            bool ends;
            if (field < 3) {
                ends = std::isspace(c) != 0;
            } else if (field == 3) {
                ends = c == ':';
            } else {
                ends = std::isdigit(c) == 0;
            }
            if (ends) {
                inField = false;
                ++field;
                continue;
            }
        }
        if (filled < f.width) r.buf[f.offset + filled] = static_cast<char>(c);
        ++filled;
    }
    return r;
}

}  // namespace tally
