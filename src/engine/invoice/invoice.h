// SPDX-License-Identifier: MIT
#pragma once
// The invoice of a date range: one line per day on which work started, with its hours,
// minutes and amount, then the total line.

#include <optional>
#include <string>

#include "core/calendar_date.h"
#include "core/elapsed_time.h"

namespace tally {

// The invoice text, with CR LF line ends, of the pairs whose In time lies from 00:00:00
// on start to 23:59:59 on end (the log's wall-clock times). A pair counts the wall-clock
// difference of its fields, as the scan counts it, so a clock change adds or drops no hour.
// Punch times are rounded by the unit when a rounding type is chosen. Nothing when the time
// log cannot be opened; the log is only read.
std::optional<std::string> GenerateInvoice(const std::string& timeLogPath,
                                           const CalendarDate& start, const CalendarDate& end,
                                           double rate, const RoundingOptions& rounding);

}  // namespace tally
