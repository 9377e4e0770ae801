// SPDX-License-Identifier: MIT
#pragma once
// Dates on the command line: YYYY-MM-DD (only days the calendar has), today or yesterday,
// and the words of a range.

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "time/calendar_date.h"

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text, CalendarDate today);

// The days of a range: START END (both included, each a date as above), or one range word
// (this-week, last-week, this-month, last-month) in their place. Nothing, with the reason for
// a usage error, when a date is none, one word is not a range word, or the range ends before
// it starts.
std::optional<std::pair<CalendarDate, CalendarDate>> ParseIsoRange(
    std::span<const std::string> args, CalendarDate today, int weekStartDay, std::string& reason);

}  // namespace tally::cli
