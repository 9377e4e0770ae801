// SPDX-License-Identifier: MIT
#include "entries/line_fields.h"

#include "log/record_layout.h"
#include "time/calendar.h"

namespace tally {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case is ignored for ASCII letters only, whatever locale the desktop sets.
bool EqualsNoCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[i]) != LowerAscii(word[i])) return false;
    }
    return true;
}

int Ranged(int value, int lo, int hi) {
    return value >= lo && value <= hi ? value : -1;
}

}  // namespace

bool IsInLine(std::string_view line) {
    return EqualsNoCase(LineField(line, 0, kPrefixLength), kInPrefix);
}

bool IsOutLine(std::string_view line) {
    return EqualsNoCase(LineField(line, 0, kPrefixLength), kOutPrefix);
}

bool IsElapsedLine(std::string_view line) {
    // The lead without its space: "Elapsed time of".
    std::string_view lead(kElapsedLead);
    lead.remove_suffix(1);
    return EqualsNoCase(LineField(line, 0, lead.size()), lead);
}

std::string_view LineField(std::string_view line, std::size_t offset, std::size_t length) {
    return offset < line.size() ? line.substr(offset, length) : std::string_view();
}

int ParseMonth(std::string_view line) {
    const std::string_view name = LineField(line, kMonthOffset, 3);
    for (int i = 0; i < 12; ++i) {
        if (EqualsNoCase(name, kMonthNames[i])) return i + 1;
    }
    return -1;
}

int ParseDay(std::string_view line) {
    return Ranged(FieldNumber(LineField(line, kDayOffset, 2)), 1, 31);
}

int ParseHour(std::string_view line) {
    return Ranged(FieldNumber(LineField(line, kHourOffset, 2)), 0, 23);
}

int ParseMinute(std::string_view line) {
    return Ranged(FieldNumber(LineField(line, kMinuteOffset, 2)), 0, 59);
}

int ParseSecond(std::string_view line) {
    return Ranged(FieldNumber(LineField(line, kSecondOffset, 2)), 0, 59);
}

int ParseYear(std::string_view line) {
    return Ranged(FieldNumber(LineField(line, kYearOffset, 4)), kFirstLoggableYear,
                  kLastLoggableYear);
}

}  // namespace tally
