// SPDX-License-Identifier: MIT
#pragma once
// The pairs of a clean time log with the place of each in the file, so that new lines can go
// between the existing bytes without changing any of them.

#include <cstdint>
#include <optional>
#include <vector>

namespace tally {

// An In record and, when closed, its Out record, as wall-clock seconds (time/pair_time.h).
struct LogPair {
    std::int64_t offset = 0;  // where the In record begins
    std::int64_t in = 0;
    std::int64_t out = 0;
};

struct LogPairs {
    std::vector<LogPair> closed;  // in file order
    std::optional<LogPair> open;  // the last In, still without an Out
    std::int64_t size = 0;        // bytes in the file
    bool endsWithLineEnd = true;  // an empty file, or its last byte a line feed
};

// Reads the records from the start of the file the descriptor is open on. Meant for a log
// that the check found clean: it trusts every field and line.
LogPairs ReadLogPairs(int fd);

}  // namespace tally
