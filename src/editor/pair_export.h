#pragma once
// The closed pairs of the time log as text for other programs: CSV for spreadsheets, or the
// timeclock format that ledger and hledger read.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/calendar_date.h"

namespace tally {

class CTimeEntryList;

enum class ExportFormat { Csv, Timeclock };

struct PairExportOptions {
    ExportFormat format = ExportFormat::Csv;
    std::optional<CalendarDate> first;  // with last: only pairs whose In date lies in between
    std::optional<CalendarDate> last;
    double rate = 0.0;  // per hour, for the CSV's amount
};

// Hands the export of the loaded entries to write in blocks of about a megabyte.
void ExportPairs(const CTimeEntryList& list, const PairExportOptions& options,
                 const std::function<void(std::string_view)>& write);

// Reads the log at path and exports it. A missing log exports nothing at all; a log that exists but
// cannot be read gives its reason and writes nothing. A damaged line ends the reading; every pair
// read before it still counts.
std::optional<std::string> ExportTimeLog(const std::string& path, const PairExportOptions& options,
                                         const std::function<void(std::string_view)>& write);

}  // namespace tally
