// SPDX-License-Identifier: MIT
#pragma once
// Whether closed pairs to be added collide with the pairs already in the time log, with the
// open In (which runs until now) or with each other. A pair that ends when the next begins
// (Out == next In) touches it and does not overlap.

#include <cstddef>
#include <vector>

#include "time/local_time.h"

namespace tally {

struct TimedSpan {
    TimeValue in = 0;
    TimeValue out = 0;
    int source = 0;  // new spans: their line or entry number; spans of the log: 0
    bool fromLog = false;
};

struct SpanOverlap {
    TimedSpan added;
    TimedSpan other;  // in the log, or another added span
};

// True when the two spans share more than an instant.
bool SpansOverlap(const TimedSpan& a, const TimedSpan& b);

// The overlaps that involve an added span, at most limit of them, in the order of their
// time. Sorts and sweeps once: a million spans take a fraction of a second.
std::vector<SpanOverlap> FindOverlaps(const std::vector<TimedSpan>& logSpans,
                                      const std::vector<TimedSpan>& added, std::size_t limit);

}  // namespace tally
