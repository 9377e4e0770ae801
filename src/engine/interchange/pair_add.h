// SPDX-License-Identifier: MIT
#pragma once
// Adding closed pairs that were never punched to the time log: each split at midnight and
// written across a clock change as Clock Out writes it, checked against the log, and put
// between the log's bytes at its place in time order, all of them in one replacement under
// the lock, or none. No byte the log already holds changes.

#include <optional>
#include <string>
#include <vector>

#include "core/current_settings.h"
#include "interchange/log_pairs.h"
#include "interchange/pair_overlap.h"
#include "log/file_lock.h"
#include "time/local_day_cache.h"

namespace tally {

// A pair as the log will hold it: In and Out as wall-clock seconds (wall_clock.h) on one day.
struct PlannedPair {
    std::int64_t in = 0;
    std::int64_t out = 0;
    int source = 0;  // the span's source number
    friend bool operator==(const PlannedPair&, const PlannedPair&) = default;
};

// The pieces of a span (instants), one per local day: the first ends at 23:59:59 of its day,
// each later one begins at 00:00:00; a piece of no length at the end (a span that ends at
// midnight) is left out. As Clock Out writes a pair, the last piece ends at its In's wall
// time plus the time that really passed (never past 23:59:59), so that a clock change
// within the day neither adds nor takes away an hour.
std::vector<PlannedPair> PlanSpan(const TimedSpan& span, LocalDayCache& days);

struct AddOptions {
    std::string sourceWord;    // how conflicts name a span's source ("line", "entry"), or none
    TimeValue now = 0;         // a span may not end after it
    bool allowEmpty = false;   // spans of no length (an import may bring them; a log holds them)
    bool tryOnly = false;      // plan and report, write nothing
    std::size_t limit = 10;    // conflicts named at most
    CurrentSettings settings;  // how the scan reads the log, for the check
    LockOptions lock;
};

struct PairPlan {
    std::vector<PlannedPair> pairs;      // in time order
    std::optional<std::int64_t> openIn;  // the open In to end the log with (wall-clock seconds)
    std::vector<std::string> conflicts;
};

// Checks spans against the log's pairs, its open In (from which on nothing may be added)
// and each other. An Out not after its In, years outside the loggable ones, an Out after
// now and overlaps are conflicts. Pairs that only touch do not overlap. An interval still
// running (open, its out unused) becomes the log's open In when it starts after every pair,
// the log's and the new ones, not after now, and the log has no open In; else a conflict.
PairPlan PlanPairs(const LogPairs& log, const std::vector<TimedSpan>& spans,
                   const AddOptions& options, const std::optional<TimedSpan>& open = {});

// Where each planned pair goes in the old log, as byte offsets: before the first In record
// (in file order) that begins after it, and before the open In; else at the end.
std::vector<std::int64_t> InsertionOffsets(const LogPairs& log,
                                           const std::vector<PlannedPair>& pairs);

// What adding spans to a time log did or would do.
struct PairAddResult {
    std::vector<PlannedPair> pairs;      // the pairs added, or that would be
    std::optional<std::int64_t> openIn;  // the open In added, or that would be
    std::vector<std::string> conflicts;  // why nothing was added; empty when all was well
    std::optional<std::string> failure;  // the log could not be read, checked or written
};

// Adds the spans to the time log at path in one replacement (backups kept, under the lock
// from the first read to the rename), or nothing at all when problems (those a reader
// found already), conflicts or a log the check does not find clean stand in the way, or
// when only trying. A missing log is made only when there is a pair to put in it. An open
// interval is written as Clock In writes its In record, at the end of the log.
PairAddResult AddPairsToLog(const std::string& path, const std::vector<TimedSpan>& spans,
                            std::vector<std::string> problems, const AddOptions& options,
                            const std::optional<TimedSpan>& open = {});

// Why the log at path, open on fd, cannot take new lines between its bytes: the first
// thing the check finds, after the words saying what was not done; none when it is clean.
std::optional<std::string> UncleanLogReason(int fd, const std::string& path,
                                            const CurrentSettings& settings,
                                            const char* nothingDone);

// "2024-03-01 09:00:00": the local time of an instant as the add and import messages show it.
std::string LocalTimeText(TimeValue t, LocalDayCache& days);

}  // namespace tally
