// SPDX-License-Identifier: MIT
#pragma once
// The scan that turns the whole time log into the rows of both lists, the totals of the
// last day, of its billing period and of the whole log, the counts and the clocked-in flag.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/current_settings.h"
#include "core/list_rows.h"
#include "log/log_lines.h"
#include "time/elapsed_time.h"

namespace tally {

// What makes a place in the log unusable. The scan stops at the first five; the check adds
// the last two, which the scan reads past.
enum class LogFault : std::uint8_t {
    None,
    OutBeforeIn,
    PairOverADay,
    ElapsedMissing,  // no Elapsed line after an Out record
    ElapsedEmpty,    // an empty line where the Elapsed line is due
    Fragment,        // fewer bytes than a record where a record is due
    MalformedField,
    DayBeyondMonth,
};

// Where the scan stopped reading, and why; reason None when it used the whole log.
struct ScanStop {
    LogFault reason = LogFault::None;
    LogPlace place;                 // the record or line at fault
    std::int64_t linesIgnored = 0;  // lines after it that the scan never reads
};

struct ScanState {
    bool clockedIn = false;
    std::int64_t todayMark = 0;  // seconds count of the open In record, else 0
    std::int64_t periodMark = 0;
    ELAPSEDTIME dayTotal;
    ELAPSEDTIME periodTotal;
    ELAPSEDTIME grandTotal;
    int dayCount = 0;
    int periodCount = 0;
    ScanStop stop;
};

// Sees the bytes the scan reads, so that the check judges the records the scan used and no
// others. Offsets count from the start of the file.
class ScanObserver {
  public:
    virtual ~ScanObserver() = default;
    // A whole record as written (before any rounding), line end included; in: an In record
    // is due there, else an Out record.
    virtual void OnRecord(const char* bytes, bool in, std::int64_t offset) = 0;
    // An Elapsed line up to its line end, cut after kElapsedTextLength + 1 bytes.
    virtual void OnElapsedLine(std::string_view text, std::int64_t offset) = 0;
};

// Reads the log from the descriptor's current position to its end, showing the observer (if
// any) each record and Elapsed line it reads.
ScanState ScanRecords(int fd, const CurrentSettings& settings, RowSink& rows,
                      ScanObserver* observer = nullptr);

}  // namespace tally
