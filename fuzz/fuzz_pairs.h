// SPDX-License-Identifier: MIT
#pragma once
// What the import and add targets check of the pairs they would add to a log.

#include <vector>

#include "interchange/import/imported_spans.h"
#include "interchange/log_pairs.h"
#include "interchange/pair_add.h"

namespace tally::fuzz {

// The pairs of a small log of closed pairs in 2004, read once.
const LogPairs& SampleLog();

// What a reader gives: intervals numbered by their line or entry in file order.
void CheckImported(const ImportedSpans& read);

// Plans the spans against the sample log as tally add and import do, and checks the plan:
// without conflicts every pair is a piece of one day within its span (give or take the hour
// of a clock change), in the years a log holds, in time order, overlapping neither another
// pair nor the log.
void CheckPlannedPairs(const std::vector<TimedSpan>& spans, bool allowEmpty);

}  // namespace tally::fuzz
