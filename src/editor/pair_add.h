#pragma once
// Adding closed pairs that were never punched to the time log: each split at midnight as
// Clock Out splits a span, checked against the log, and merged in time order into the
// entry list in one go, so that one Save writes them all or nothing.

#include <optional>
#include <string>
#include <vector>

#include "core/local_day_cache.h"
#include "editor/pair_overlap.h"

namespace tally {

class CTimeEntryList;

// The pieces of a span, one per local day: the first ends at 23:59:59 of its day, each
// later one begins at 00:00:00. A piece of no length at the end (a span that ends at
// midnight) is left out. Source numbers are kept.
std::vector<TimedSpan> SplitAtMidnight(const TimedSpan& span, LocalDayCache& days);

// True when the local year of the instant is one the raw reader accepts (1990-2050).
bool InLoggableYears(TimeValue t, LocalDayCache& days);

// Why spans cannot be added: one text per conflict, at most limit, each naming the span by
// its source number with the word given ("line", "entry"; none for a source of 0).
struct PairPlan {
    std::vector<TimedSpan> pairs;  // split at midnight, in time order
    std::vector<std::string> conflicts;
};

// Checks spans against the loaded list and the open In (the last entry when it has no Out),
// which runs until now. Spans whose Out is before their In, years the raw reader refuses, and
// overlaps are conflicts; spans of no length are allowed only when allowEmpty.
PairPlan PlanPairs(const CTimeEntryList& list, const std::vector<TimedSpan>& spans, TimeValue now,
                   const std::string& sourceWord, bool allowEmpty, std::size_t limit);

// Puts the pairs (in time order) among the entries: the entries keep their order, each pair
// goes before the first entry that begins after it, and an open In stays last.
void MergePairs(CTimeEntryList& list, const std::vector<TimedSpan>& pairs);

// What adding spans to a time log did or would do.
struct PairAddResult {
    std::vector<TimedSpan> pairs;        // the pairs added, or that would be
    std::vector<std::string> conflicts;  // why nothing was added; empty when all was well
    std::optional<std::string> failure;  // the log could not be read or written
};

// Adds the spans to the time log at path in one Save (with backups, under the lock), or
// nothing at all when problems (those a reader found already) or conflicts stand in the
// way, or when only trying. Spans of no length as PlanPairs takes them; at most limit
// conflicts are named.
PairAddResult AddPairsToLog(const std::string& path, const std::vector<TimedSpan>& spans,
                            std::vector<std::string> problems, const std::string& sourceWord,
                            TimeValue now, bool allowEmpty, bool tryOnly, std::size_t limit);

// "2024-03-01 09:00:00": the local time as the add and import messages show it.
std::string LocalTimeText(TimeValue t, LocalDayCache& days);

}  // namespace tally
