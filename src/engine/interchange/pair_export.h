// SPDX-License-Identifier: MIT
#pragma once
// The closed pairs of the time log as text for other programs: CSV for spreadsheets, the
// timeclock format that ledger and hledger read, or iCalendar events for calendars. The pairs are
// those the scan counts, each with the time the scan counts for it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/log_scan.h"
#include "time/calendar_date.h"
#include "time/pair_time.h"
#include "time/wall_clock.h"

namespace tally {

enum class ExportFormat { Csv, Timeclock, Ical };

// The CSV's first line; import takes a file that begins with it as one tally export wrote.
inline constexpr std::string_view kExportCsvHeader = "in,out,elapsed_seconds,hours,amount";

// What an iCalendar export needs beyond the pairs.
struct CalendarExportOptions {
    std::string summary = "Work";     // every event's title
    std::int64_t stamp = 0;           // the export's instant (DTSTAMP), seconds since 1970 UTC
    std::optional<std::string> zone;  // the local zone's name; none: times in UTC
};

struct PairExportOptions {
    ExportFormat format = ExportFormat::Csv;
    std::optional<CalendarDate> first;  // with last: only pairs whose In date lies in between
    std::optional<CalendarDate> last;
    double rate = 0.0;  // per hour, for the CSV's amount
    CalendarExportOptions calendar;
};

// One closed pair as the exports write it: its times as the log's fields say (a time the
// clock skipped in spring included), never shifted by a clock change.
struct ExportedPair {
    WallTime in;
    WallTime out;
    std::int64_t seconds = 0;  // Out - In on the wall clock, as the scan counts the pair
    double hours = 0.0;        // seconds / 3600, unrounded
    double amount = 0.0;       // hours x rate, unrounded
};

// How a reading of the log went.
struct ExportRead {
    // The log exists but cannot be read: nothing was exported. A missing log exports nothing
    // and is no error.
    std::optional<std::string> error;
    // Where the scan stops (no rounding applied): no pair after it is exported.
    ScanStop stop;
    // Pairs the scan reads past but that have no place in the calendar (a damaged year or
    // day, which tally check reports): left out.
    std::int64_t undated = 0;
};

// Reads the log at path and hands its export to write in blocks of about a megabyte.
ExportRead ExportTimeLog(const std::string& path, const PairExportOptions& options,
                         const std::function<void(std::string_view)>& write);
// The same reading, each selected pair handed to visit in log order.
ExportRead ReadExportedPairs(const std::string& path, const PairExportOptions& options,
                             const std::function<void(const ExportedPair&)>& visit);

}  // namespace tally
