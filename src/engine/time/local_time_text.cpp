// SPDX-License-Identifier: MIT
#include "time/local_time_text.h"

#include "time/calendar_date.h"

namespace tally {
namespace {

// The number of exactly `digits` decimal digits at text[at], or -1.
int Digits(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool ValidFields(int year, int month, int day, int hour, int minute, int second) {
    return IsRealDate({year, month, day}) && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 &&
           second >= 0 && second < 60;
}

}  // namespace

std::optional<TimeValue> ParseLocalTimeText(std::string_view text, LocalDayCache& days,
                                            char dateSeparator) {
    if (text.size() != 16 && text.size() != 19) return std::nullopt;
    if (text[4] != dateSeparator || text[7] != dateSeparator || text[10] != ' ' ||
        text[13] != ':' || (text.size() == 19 && text[16] != ':')) {
        return std::nullopt;
    }
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
    const int second = text.size() == 19 ? Digits(text, 17, 2) : 0;
    if (!ValidFields(year, month, day, hour, minute, second)) return std::nullopt;
    return days.Time(year, month, day, hour, minute, second);
}

std::optional<TimeValue> ParseUtcStamp(std::string_view text) {
    if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z') return std::nullopt;
    const int year = Digits(text, 0, 4), month = Digits(text, 4, 2), day = Digits(text, 6, 2);
    const int hour = Digits(text, 9, 2), minute = Digits(text, 11, 2), second = Digits(text, 13, 2);
    if (!ValidFields(year, month, day, hour, minute, second)) return std::nullopt;
    const std::chrono::sys_seconds stamp = DaysOf({year, month, day}) + std::chrono::hours{hour} +
                                           std::chrono::minutes{minute} +
                                           std::chrono::seconds{second};
    return stamp.time_since_epoch().count();
}

}  // namespace tally
