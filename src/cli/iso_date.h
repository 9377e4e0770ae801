// SPDX-License-Identifier: MIT
#pragma once
// Dates on the command line: YYYY-MM-DD, and only days the calendar has.

#include <optional>
#include <string>
#include <utility>

#include "core/calendar_date.h"

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text);

// START END as an inclusive range of days; nothing, with the reason for a usage error, when
// either is not a calendar date or the range ends before it starts.
std::optional<std::pair<CalendarDate, CalendarDate>> ParseIsoRange(const std::string& start,
                                                                   const std::string& end,
                                                                   std::string& reason);

}  // namespace tally::cli
