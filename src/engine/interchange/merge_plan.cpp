// SPDX-License-Identifier: MIT
#include "interchange/merge_plan.h"

#include <algorithm>

namespace tally {
namespace {

constexpr std::int64_t kLinesPerPair = 3;  // In, Out, Elapsed

struct Member {
    const MergeSpan* span;
    bool fromCopy;
};

bool InTimeOrder(const MergeSpan& a, const MergeSpan& b) {
    return a.in != b.in ? a.in < b.in : a.out < b.out;
}

// Groups of spans that overlap one another, in time order. Spans that only touch (an Out
// at the next In) stay apart; a pair of no length overlaps only what holds it inside.
std::vector<std::vector<Member>> OverlapGroups(std::vector<Member> members) {
    std::stable_sort(members.begin(), members.end(), [](const Member& a, const Member& b) {
        return InTimeOrder(*a.span, *b.span);
    });
    std::vector<std::vector<Member>> groups;
    const MergeSpan* reach = nullptr;  // the span of the group that ends last
    for (const Member& m : members) {
        const MergeSpan& s = *m.span;
        const bool joins =
            reach != nullptr && s.in < reach->out && (s.in != s.out || s.in > reach->in);
        if (!joins) groups.emplace_back();
        groups.back().push_back(m);
        if (!joins || s.out > reach->out) reach = &s;
    }
    return groups;
}

bool Overlap(const MergeSpan& a, const MergeSpan& b) {
    return a.in < b.out && b.in < a.out;
}

}  // namespace

std::vector<MergeSpan> SpansOf(const LogPairs& pairs) {
    std::vector<MergeSpan> spans;
    spans.reserve(pairs.closed.size() + 1);
    const std::int64_t openBegin = pairs.open ? pairs.open->offset : pairs.size;
    for (std::size_t i = 0; i < pairs.closed.size(); ++i) {
        const LogPair& p = pairs.closed[i];
        const std::int64_t end =
            i + 1 < pairs.closed.size() ? pairs.closed[i + 1].offset : openBegin;
        spans.push_back(
            {p.in, p.out, static_cast<std::int64_t>(i) * kLinesPerPair + 1, p.offset, end});
    }
    if (pairs.open) {
        spans.push_back({pairs.open->in, kStillOpen,
                         static_cast<std::int64_t>(pairs.closed.size()) * kLinesPerPair + 1,
                         pairs.open->offset, pairs.size});
    }
    return spans;
}

bool MergePlan::Settled() const {
    return std::none_of(conflicts.begin(), conflicts.end(),
                        [](const MergeConflict& c) { return c.kept == MergeSide::Undecided; });
}

MergePlan PlanMerge(const std::vector<MergeSpan>& log, const std::vector<MergeSpan>& copy,
                    MergeSide keep, const std::vector<MergeSide>& choices) {
    MergePlan plan;
    std::vector<std::pair<std::int64_t, std::int64_t>> logTimes;  // (in, out), sorted
    logTimes.reserve(log.size());
    const MergeSpan* logOpen = nullptr;
    for (const MergeSpan& s : log) {
        logTimes.emplace_back(s.in, s.out);
        if (s.Open()) logOpen = &s;
    }
    std::sort(logTimes.begin(), logTimes.end());
    const auto holds = [&](std::int64_t in, std::int64_t out) {
        return std::binary_search(logTimes.begin(), logTimes.end(), std::pair(in, out));
    };
    // A closed pair of the log from the copy's open In on: the log is ahead there.
    const auto closesAt = [&](std::int64_t in) {
        const auto at = std::lower_bound(logTimes.begin(), logTimes.end(), std::pair(in, in));
        return at != logTimes.end() && at->first == in && at->second != kStillOpen;
    };

    std::vector<Member> members;
    const MergeSpan* closing = nullptr;  // the copy's pair that closes the log's open In
    for (const MergeSpan& s : copy) {
        if (holds(s.in, s.out) || (s.Open() && closesAt(s.in))) {
            ++plan.duplicates;
            continue;
        }
        if (logOpen != nullptr && closing == nullptr && !s.Open() && s.in == logOpen->in &&
            std::none_of(log.begin(), log.end(),
                         [&](const MergeSpan& l) { return &l != logOpen && Overlap(l, s); })) {
            closing = &s;
        }
        members.push_back({&s, true});
    }
    for (const MergeSpan& s : log) {
        if (closing == nullptr || &s != logOpen) members.push_back({&s, false});
    }

    for (const std::vector<Member>& group : OverlapGroups(std::move(members))) {
        const bool fromLog =
            std::any_of(group.begin(), group.end(), [](const Member& m) { return !m.fromCopy; });
        const bool fromCopy =
            std::any_of(group.begin(), group.end(), [](const Member& m) { return m.fromCopy; });
        if (!fromCopy) continue;
        if (!fromLog) {
            for (const Member& m : group) plan.added.push_back(*m.span);
            continue;
        }
        MergeConflict conflict;
        for (const Member& m : group)
            (m.fromCopy ? conflict.copy : conflict.log).push_back(*m.span);
        const std::size_t index = plan.conflicts.size();
        conflict.kept = index < choices.size() && choices[index] != MergeSide::Undecided
                            ? choices[index]
                            : keep;
        if (conflict.kept == MergeSide::Copy) {
            plan.removed.insert(plan.removed.end(), conflict.log.begin(), conflict.log.end());
            plan.added.insert(plan.added.end(), conflict.copy.begin(), conflict.copy.end());
        }
        plan.conflicts.push_back(std::move(conflict));
    }
    // The log's open In gives way only to the copy's pair that is added in its place.
    if (closing != nullptr &&
        std::find(plan.added.begin(), plan.added.end(), *closing) != plan.added.end()) {
        plan.removed.push_back(*logOpen);
    }
    // An open In is the last record a log may hold.
    std::stable_sort(plan.added.begin(), plan.added.end(),
                     [](const MergeSpan& a, const MergeSpan& b) {
                         return a.Open() != b.Open() ? b.Open() : InTimeOrder(a, b);
                     });
    return plan;
}

}  // namespace tally
