// SPDX-License-Identifier: MIT
#include "time/iso_date.h"

#include "time/punch_time.h"

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text, CalendarDate today) {
    return ParseDayText(text, today);
}

std::optional<std::pair<CalendarDate, CalendarDate>> ParseIsoRange(
    std::span<const std::string> args, CalendarDate today, int weekStartDay, std::string& reason) {
    if (args.size() == 1) {
        const auto range = ParseRangeWord(args[0], today, weekStartDay);
        if (!range) reason = "'" + args[0] + "' is not " + kRangeWords + " (or give START END)";
        return range;
    }
    CalendarDate dates[2];
    for (int i = 0; i < 2; ++i) {
        const auto date = ParseIsoDate(args[i], today);
        if (!date) {
            reason = "'" + args[i] + "' is not a calendar date (YYYY-MM-DD)";
            return std::nullopt;
        }
        dates[i] = *date;
    }
    if (DaysOf(dates[1]) < DaysOf(dates[0])) {
        reason = "the range ends (" + args[1] + ") before it starts (" + args[0] + ")";
        return std::nullopt;
    }
    return std::pair{dates[0], dates[1]};
}

}  // namespace tally::cli
