// SPDX-License-Identifier: MIT
// Timeclock files as ledger and hledger read them: "i DATE TIME [ACCOUNT  DESCRIPTION]" opens
// an interval and "o DATE TIME" closes it, in local time. Accounts and descriptions mean
// nothing here; comments (";", "#", "*") and blank lines are skipped.

#include "interchange/import/imported_spans.h"
#include "interchange/import/local_time_text.h"
#include "interchange/import/text_lines.h"

namespace tally {
namespace {

// The time after the code letter: "YYYY/MM/DD HH:MM[:SS]" (or with "-"), then a blank or
// the end.
std::optional<TimeValue> StampAfterCode(std::string_view line, LocalDayCache& days) {
    std::size_t start = 1;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start == 1) return std::nullopt;
    const std::string_view rest = line.substr(start);
    if (rest.size() < 16) return std::nullopt;
    const char separator = rest[4];
    if (separator != '/' && separator != '-') return std::nullopt;
    const std::size_t length = rest.size() >= 19 && rest[16] == ':' ? 19 : 16;
    if (rest.size() > length && rest[length] != ' ' && rest[length] != '\t') return std::nullopt;
    return ParseLocalTimeText(rest.substr(0, length), days, separator);
}

}  // namespace

ImportedSpans ReadTimeclockPairs(std::string_view text) {
    ImportedSpans result;
    std::optional<TimedSpan> open;
    LocalDayCache days;
    ForEachLine(text, [&](std::string_view line, int number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '*') return true;
        if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
        const char code = line[0];
        if (code != 'i' && code != 'I' && code != 'o' && code != 'O') {
            result.problems.push_back(where + "not an i or o line");
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
    return result;
}

}  // namespace tally
