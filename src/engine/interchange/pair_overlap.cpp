// SPDX-License-Identifier: MIT
#include "interchange/pair_overlap.h"

#include <algorithm>

namespace tally {

bool SpansOverlap(const TimedSpan& a, const TimedSpan& b) {
    // A pair of no length inside another still overlaps it; at its ends it only touches.
    if (a.in == a.out) return b.in < a.in && a.in < b.out;
    if (b.in == b.out) return a.in < b.in && b.in < a.out;
    return a.in < b.out && b.in < a.out;
}

std::vector<SpanOverlap> FindOverlaps(const std::vector<TimedSpan>& logSpans,
                                      const std::vector<TimedSpan>& added, std::size_t limit) {
    std::vector<TimedSpan> all;
    all.reserve(logSpans.size() + added.size());
    all.insert(all.end(), logSpans.begin(), logSpans.end());
    all.insert(all.end(), added.begin(), added.end());
    // At one In the shorter span comes first, so that the sweep's span reaching furthest
    // is never one that only touches the next.
    std::stable_sort(all.begin(), all.end(), [](const TimedSpan& a, const TimedSpan& b) {
        return a.in != b.in ? a.in < b.in : a.out < b.out;
    });
    std::vector<SpanOverlap> found;
    // The span seen so far that ends last; every later span that starts before its end
    // overlaps it.
    const TimedSpan* reach = nullptr;
    for (const TimedSpan& span : all) {
        if (found.size() >= limit) break;
        if (reach != nullptr && (!span.fromLog || !reach->fromLog) && SpansOverlap(span, *reach)) {
            if (span.fromLog) {
                found.push_back({*reach, span});
            } else {
                found.push_back({span, *reach});
            }
        }
        if (reach == nullptr || span.out > reach->out) reach = &span;
    }
    return found;
}

}  // namespace tally
