#pragma once
// The scan that turns the whole time log into the rows of both lists, the totals of the
// last day, of its billing period and of the whole log, the counts and the clocked-in flag.

#include <cstdint>

#include "core/current_settings.h"
#include "core/elapsed_time.h"
#include "core/list_rows.h"

namespace tally {

struct ScanState {
    bool clockedIn = false;
    std::int64_t todayMark = 0;  // seconds count of the open In record, else 0
    std::int64_t periodMark = 0;
    ELAPSEDTIME dayTotal;
    ELAPSEDTIME periodTotal;
    ELAPSEDTIME grandTotal;
    int dayCount = 0;
    int periodCount = 0;
};

// Reads the log from the descriptor's current position to its end.
ScanState ScanRecords(int fd, const CurrentSettings& settings, RowSink& rows);

// The elapsed time of one pair, added to elapsed; false (and nothing added) when the Out
// lies before the In or more than a day after it. Both records are in split form.
bool PairElapsed(const PunchRecord& in, const PunchRecord& out, ELAPSEDTIME& elapsed,
                 const RoundingOptions& rounding);

}  // namespace tally
