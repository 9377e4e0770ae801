// SPDX-License-Identifier: MIT
#pragma once
// The invoice of a date range: one line per day on which work started, with its hours,
// minutes and amount, then the total line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "time/calendar_date.h"
#include "time/elapsed_time.h"

namespace tally {

// One day of an invoice: the day on which its pairs' In times lie (rounded), and the seconds
// of those pairs.
struct InvoiceDay {
    CalendarDate date;
    std::int64_t seconds = 0;
};

// What an invoice bills: its days in log order and their total time, at a rate. The text
// invoice values them with its own lines (invoice_lines.h), a document with invoice_money.h.
struct InvoiceFigures {
    double rate = 0.0;
    std::vector<InvoiceDay> days;  // empty: nothing billed
    std::int64_t totalSeconds = 0;
};

// The figures of the pairs whose In time lies from 00:00:00 on start to 23:59:59 on end, as
// GenerateInvoice below bills them. Nothing when the time log cannot be opened.
std::optional<InvoiceFigures> ComputeInvoice(const std::string& timeLogPath,
                                             const CalendarDate& start, const CalendarDate& end,
                                             double rate, const RoundingOptions& rounding);

// The invoice text of those figures: a line per day, then the total line.
std::string InvoiceText(const InvoiceFigures& figures);

// The invoice text, with CR LF line ends, of the pairs whose In time lies from 00:00:00
// on start to 23:59:59 on end (the log's wall-clock times). A pair counts the wall-clock
// difference of its fields, as the scan counts it, so a clock change adds or drops no hour.
// Punch times are rounded by the unit when a rounding type is chosen. Nothing when the time
// log cannot be opened; the log is only read.
std::optional<std::string> GenerateInvoice(const std::string& timeLogPath,
                                           const CalendarDate& start, const CalendarDate& end,
                                           double rate, const RoundingOptions& rounding);

}  // namespace tally
