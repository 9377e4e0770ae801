#pragma once
// Dates on the command line: YYYY-MM-DD, and only days the calendar has.

#include <optional>
#include <string>

#include "core/calendar_date.h"

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text);

}  // namespace tally::cli
