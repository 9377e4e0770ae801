// SPDX-License-Identifier: MIT
#pragma once
// What merging a conflict copy of the time log into the log would do, decided on the pairs
// of both files alone: the copy's pairs the log lacks are added, those it holds are kept
// once, and pairs that overlap without being equal are conflicts, which a side chosen for
// them settles. An open In runs until now, so it overlaps every later pair of the other
// file and a different open In there; the log ends with the open In that survives.

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "interchange/log_pairs.h"

namespace tally {

inline constexpr std::int64_t kStillOpen = std::numeric_limits<std::int64_t>::max();

// A pair of one of the two files, wall-clock seconds (time/pair_time.h); an open In has the
// out kStillOpen.
struct MergeSpan {
    std::int64_t in = 0;
    std::int64_t out = kStillOpen;
    std::int64_t line = 0;   // its In record's line in its file
    std::int64_t begin = 0;  // its records' bytes in its file: [begin, end)
    std::int64_t end = 0;
    bool Open() const { return out == kStillOpen; }
    friend bool operator==(const MergeSpan&, const MergeSpan&) = default;
};

// The closed pairs and the open In of a file as spans, in file order; a clean log holds
// each pair as three lines and an open In as its last line.
std::vector<MergeSpan> SpansOf(const LogPairs& pairs);

enum class MergeSide { Undecided, Log, Copy };

// Pairs of the two files that overlap one another (directly or through each other).
struct MergeConflict {
    std::vector<MergeSpan> log;   // in time order
    std::vector<MergeSpan> copy;  // in time order
    MergeSide kept = MergeSide::Undecided;
};

struct MergePlan {
    std::vector<MergeSpan> added;          // the copy's, in time order; an open In last
    std::vector<MergeSpan> removed;        // the log's, that a conflict settled for the copy
    std::int64_t duplicates = 0;           // the copy's pairs the log holds already
    std::vector<MergeConflict> conflicts;  // in time order, settled or not
    bool Settled() const;
    bool ChangesLog() const { return !added.empty() || !removed.empty(); }
};

// Plans the merge. Each conflict is settled by its choice (choices[i] for the i-th), else by
// keep; an undecided one adds and removes nothing. A copy's open In at a pair the log
// closed is held already; a copy's pair from the log's open In closes it (the log's In
// record gives way to the copy's identical one, followed by its Out).
MergePlan PlanMerge(const std::vector<MergeSpan>& log, const std::vector<MergeSpan>& copy,
                    MergeSide keep, const std::vector<MergeSide>& choices = {});

}  // namespace tally
