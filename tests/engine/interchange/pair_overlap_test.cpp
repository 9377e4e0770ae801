// SPDX-License-Identifier: MIT
// The overlap rules of added pairs: touching ends, pairs of no length, the sweep over the log
// and the added pairs themselves, and its limit.

#include <gtest/gtest.h>

#include "interchange/pair_overlap.h"

namespace tally::test {
namespace {

TimedSpan Added(TimeValue in, TimeValue out, int source) {
    return {in, out, source, false};
}
TimedSpan Logged(TimeValue in, TimeValue out) {
    return {in, out, 0, true};
}

TEST(PairOverlap, rules) {
    const struct {
        TimeValue aIn, aOut, bIn, bOut;
        bool overlap;
    } cases[] = {
        {10, 20, 20, 30, false},  // Out == next In: touching
        {20, 30, 10, 20, false},  // the other way round
        {10, 21, 20, 30, true},   // one second in common
        {10, 40, 20, 30, true},   // one inside the other
        {20, 30, 20, 30, true},   // the same pair
        {10, 20, 30, 40, false},  // apart
        {25, 25, 20, 30, true},   // no length, inside
        {20, 20, 20, 30, false},  // no length, at the In
        {30, 30, 20, 30, false},  // no length, at the Out
        {20, 20, 20, 20, false},  // two of no length at one instant
    };
    for (const auto& c : cases) {
        const TimedSpan a = Added(c.aIn, c.aOut, 1), b = Added(c.bIn, c.bOut, 2);
        EXPECT_EQ(SpansOverlap(a, b), c.overlap) << c.aIn << "-" << c.aOut << " " << c.bIn;
        EXPECT_EQ(SpansOverlap(b, a), c.overlap) << c.aIn << "-" << c.aOut << " " << c.bIn;
    }
}

std::vector<int> AddedSources(const std::vector<SpanOverlap>& found) {
    std::vector<int> sources;
    for (const SpanOverlap& o : found) {
        EXPECT_FALSE(o.added.fromLog);
        EXPECT_TRUE(SpansOverlap(o.added, o.other));
        sources.push_back(o.added.source);
    }
    return sources;
}

TEST(PairOverlap, sweepFindsEveryAddedSpanThatCollides) {
    const std::vector<TimedSpan> log = {Logged(100, 200), Logged(300, 400), Logged(150, 160)};
    std::vector<TimedSpan> added = {
        Added(200, 300, 1),                      // between two pairs, touching both
        Added(390, 500, 2),                      // into the end of a pair of the log
        Added(50, 100, 3),                       // touching the first
        Added(600, 700, 4), Added(650, 800, 5),  // with each other
    };
    auto found = FindOverlaps(log, added, 100);
    EXPECT_EQ(AddedSources(found), (std::vector<int>{2, 5}));
    EXPECT_TRUE(found[0].other.fromLog);
    EXPECT_EQ(found[0].other.in, 300);
    EXPECT_EQ(found[1].other.source, 4);

    // One over everything: every span it meets is named once, in time order.
    added.push_back(Added(10, 1000, 6));
    found = FindOverlaps(log, added, 100);
    EXPECT_EQ(AddedSources(found), (std::vector<int>{3, 6, 6, 1, 6, 2, 4, 5}));
}

TEST(PairOverlap, pairsOfTheLogAloneAreNoConcernAndTheLimitHolds) {
    // The log overlapping itself is what the check command reports, not an import conflict.
    EXPECT_TRUE(FindOverlaps({Logged(0, 100), Logged(50, 150)}, {Added(150, 200, 1)}, 10).empty());
    std::vector<TimedSpan> added;
    for (int i = 0; i < 50; ++i) added.push_back(Added(i, i + 10, i + 1));
    const auto found = FindOverlaps({}, added, 10);
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found.front().added.source, 2);
    EXPECT_EQ(found.front().other.source, 1);
}

TEST(PairOverlap, manySpansInOneSweep) {
    std::vector<TimedSpan> log, added;
    for (int i = 0; i < 100000; ++i) log.push_back(Logged(i * 100, i * 100 + 50));
    for (int i = 0; i < 100000; ++i) added.push_back(Added(i * 100 + 50, i * 100 + 100, i + 1));
    EXPECT_TRUE(FindOverlaps(log, added, 10).empty());
    added.back().out += 1;  // the last has no next to run into
    added[1000].out += 1;
    const auto found = FindOverlaps(log, added, 10);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].added.source, 1001);
}

}  // namespace
}  // namespace tally::test
