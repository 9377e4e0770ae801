// SPDX-License-Identifier: MIT
#include "cli/iso_date.h"

#include <cctype>

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CalendarDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (!IsRealDate(date)) return std::nullopt;
    return date;
}

std::optional<std::pair<CalendarDate, CalendarDate>> ParseIsoRange(const std::string& start,
                                                                   const std::string& end,
                                                                   std::string& reason) {
    CalendarDate dates[2];
    const std::string* texts[2] = {&start, &end};
    for (int i = 0; i < 2; ++i) {
        const auto date = ParseIsoDate(*texts[i]);
        if (!date) {
            reason = "'" + *texts[i] + "' is not a calendar date (YYYY-MM-DD)";
            return std::nullopt;
        }
        dates[i] = *date;
    }
    const auto key = [](const CalendarDate& d) { return (d.year * 100 + d.month) * 100 + d.day; };
    if (key(dates[1]) < key(dates[0])) {
        reason = "the range ends (" + end + ") before it starts (" + start + ")";
        return std::nullopt;
    }
    return std::pair{dates[0], dates[1]};
}

}  // namespace tally::cli
