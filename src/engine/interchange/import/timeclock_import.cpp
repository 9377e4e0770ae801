// SPDX-License-Identifier: MIT
// Timeclock files as ledger and hledger read them: "i DATE TIME [ACCOUNT  DESCRIPTION]" opens
// an interval and "o DATE TIME" closes it, in local time unless a zone follows the time.
// Accounts and descriptions mean nothing here; comments (";", "#", "*"), blank lines and
// the time balance and required hours ("b", "h") are skipped, the last two counted.

#include "interchange/import/imported_spans.h"
#include "interchange/import/text_lines.h"
#include "time/c_format.h"
#include "time/local_time_text.h"

namespace tally {
namespace {

// Digits at the front of the text, from fewest to most of them: their value, the text moved
// past them; -1 and the text as it was when there are fewer.
int TakeNumber(std::string_view& text, std::size_t fewest, std::size_t most) {
    std::size_t n = 0;
    int value = 0;
    while (n < most && n < text.size() && text[n] >= '0' && text[n] <= '9') {
        value = value * 10 + (text[n++] - '0');
    }
    if (n < fewest) return -1;
    text.remove_prefix(n);
    return value;
}

bool Take(std::string_view& text, char c) {
    if (text.empty() || text[0] != c) return false;
    text.remove_prefix(1);
    return true;
}

std::size_t SkipBlanks(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && (text[n] == ' ' || text[n] == '\t')) ++n;
    text.remove_prefix(n);
    return n;
}

// The time after the code letter: "YYYY/M/D HH:MM[:SS]" (month and day of one or two
// digits, or "-" in the date), then a blank or the end. A zone "+HHMM" or "-HHMM" right after
// the time makes it that instant; without one it is a local time.
std::optional<TimeValue> StampAfterCode(std::string_view line, LocalDayCache& days) {
    std::string_view rest = line.substr(1);
    if (SkipBlanks(rest) == 0) return std::nullopt;
    const int year = TakeNumber(rest, 4, 4);
    const char separator = rest.empty() ? '\0' : rest[0];
    if ((separator != '/' && separator != '-') || !Take(rest, separator)) return std::nullopt;
    const int month = TakeNumber(rest, 1, 2);
    if (!Take(rest, separator)) return std::nullopt;
    const int day = TakeNumber(rest, 1, 2);
    if (SkipBlanks(rest) == 0) return std::nullopt;
    const int hour = TakeNumber(rest, 2, 2);
    if (!Take(rest, ':')) return std::nullopt;
    const int minute = TakeNumber(rest, 2, 2);
    const int second = Take(rest, ':') ? TakeNumber(rest, 2, 2) : 0;
    std::optional<int> zone;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        const int sign = rest[0] == '-' ? -1 : 1;
        rest.remove_prefix(1);
        const int zoneHours = TakeNumber(rest, 2, 2);
        const int zoneMinutes = TakeNumber(rest, 2, 2);
        if (zoneHours < 0 || zoneHours > 23 || zoneMinutes < 0 || zoneMinutes > 59)
            return std::nullopt;
        zone = sign * (zoneHours * 3600 + zoneMinutes * 60);
    }
    if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') return std::nullopt;
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    // The usual forms of the fields, so that they are checked as every other reader checks them.
    if (!zone) {
        return ParseLocalTimeText(
            FormatC("%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second), days);
    }
    const auto utc = ParseUtcStamp(
        FormatC("%04d%02d%02dT%02d%02d%02dZ", year, month, day, hour, minute, second));
    if (!utc) return std::nullopt;
    return *utc - *zone;
}

}  // namespace

ImportedSpans ReadTimeclockPairs(std::string_view text) {
    ImportedSpans result;
    std::optional<TimedSpan> open;
    LocalDayCache days;
    int skipped = 0;
    ForEachLine(text, [&](std::string_view line, int number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '*') return true;
        if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
        const char code = line[0];
        if (code == 'b' || code == 'B' || code == 'h' || code == 'H') {
            ++skipped;
            return true;
        }
        if (code != 'i' && code != 'I' && code != 'o' && code != 'O') {
            result.problems.push_back(where + "not an i, o, b or h line");
            return true;
        }
        const auto stamp = StampAfterCode(line, days);
        if (!stamp) {
            result.problems.push_back(where + "no time YYYY/MM/DD HH:MM:SS after '" + code + "'");
        } else if (code == 'i' || code == 'I') {
            if (open) {
                result.problems.push_back("line " + std::to_string(open->source) +
                                          ": an interval with no o line");
            }
            open = TimedSpan{*stamp, 0, number, false};
            return true;
        } else if (!open) {
            result.problems.push_back(where + "an o line with no i line before it");
        } else {
            open->out = *stamp;
            result.spans.push_back(*open);
        }
        open.reset();
        return true;
    });
    if (open) {
        result.problems.push_back("line " + std::to_string(open->source) +
                                  ": an interval with no o line (still open)");
    }
    if (skipped > 0) {
        result.notes.push_back(
            FormatC("skipped %d balance and required-hours lines (b, h)", skipped));
    }
    return result;
}

}  // namespace tally
