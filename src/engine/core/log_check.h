// SPDX-License-Identifier: MIT
#pragma once
// The check of a time log: every place where the scan stops or reads a record it cannot
// use, with the line, the line's text and the reason, so that the user can mend the log.

#include <cstdint>
#include <string>
#include <vector>

#include "core/current_settings.h"
#include "core/log_scan.h"

namespace tally {

struct LogFinding {
    LogFault fault = LogFault::None;
    LogPlace place;
    std::string field;              // the malformed field ("day", "line end", ...), else empty
    bool stopsScan = false;         // the scan reads nothing after this place
    std::int64_t linesIgnored = 0;  // lines after it that the scan never reads
};

// Findings listed at most, besides the place where the scan stops.
inline constexpr std::size_t kListedFindings = 1000;

struct LogCheck {
    std::int64_t lineCount = 0;
    std::vector<LogFinding> findings;    // in file order
    std::int64_t findingsNotListed = 0;  // found after the first kListedFindings
};

// Checks the log from the descriptor's current position on, reading it as the scan does
// with the given settings (rounding of punch times decides some pairs).
LogCheck CheckTimeLog(int fd, const CurrentSettings& settings);

// A stable name for scripts ("out-before-in") and a text for people ("Out before In").
const char* LogFaultKey(LogFault fault);
std::string LogFaultText(const LogFinding& finding);

// "line 12: Out before In; the scan stops here and ignores the 3 lines after it".
std::string DescribeFinding(const LogFinding& finding);
// The same for the place where a scan stopped.
std::string DescribeScanStop(const ScanStop& stop);

}  // namespace tally
