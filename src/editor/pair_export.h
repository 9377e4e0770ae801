#pragma once
// The closed pairs of the time log as text for other programs: CSV for spreadsheets, or the
// timeclock format that ledger and hledger read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/calendar_date.h"
#include "core/local_day_cache.h"

namespace tally {

class CTimeEntryList;

enum class ExportFormat { Csv, Timeclock };

struct PairExportOptions {
    ExportFormat format = ExportFormat::Csv;
    std::optional<CalendarDate> first;  // with last: only pairs whose In date lies in between
    std::optional<CalendarDate> last;
    double rate = 0.0;  // per hour, for the CSV's amount
};

// One closed pair as the exports write it.
struct ExportedPair {
    LocalFields in;
    LocalFields out;
    std::int64_t seconds = 0;  // Out - In
    double hours = 0.0;        // seconds / 3600, unrounded
    double amount = 0.0;       // hours x rate, unrounded
};

// "2004-06-02 17:47:39", or with another character between the date's parts.
std::string ExportTimeText(const LocalFields& fields, char dateSeparator = '-');

// Hands each closed pair the options select to visit, in list order.
void ForEachExportedPair(const CTimeEntryList& list, const PairExportOptions& options,
                         const std::function<void(const ExportedPair&)>& visit);

// Hands the export of the loaded entries to write in blocks of about a megabyte.
void ExportPairs(const CTimeEntryList& list, const PairExportOptions& options,
                 const std::function<void(std::string_view)>& write);

// Reads the log at path and exports it. A missing log exports nothing at all; a log that exists but
// cannot be read gives its reason and writes nothing. A damaged line ends the reading; every pair
// read before it still counts.
std::optional<std::string> ExportTimeLog(const std::string& path, const PairExportOptions& options,
                                         const std::function<void(std::string_view)>& write);
// The same reading, each selected pair handed to visit.
std::optional<std::string> ReadExportedPairs(const std::string& path,
                                             const PairExportOptions& options,
                                             const std::function<void(const ExportedPair&)>& visit);

}  // namespace tally
