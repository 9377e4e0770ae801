// SPDX-License-Identifier: MIT
#include "fuzz_pairs.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>

#include "time/calendar.h"
#include "time/wall_clock.h"

#include "fuzz_support.h"

namespace tally::fuzz {
namespace {

constexpr std::size_t kConflictsShown = 10;
// Pairs compared with each other at most, so that a long file stays quick.
constexpr std::size_t kPairsCompared = 300;
// Spans planned at most this long: one of decades splits into some ten thousand days, by the
// same arithmetic as one of a few days, and made each run a hundred times slower.
constexpr TimeValue kLongestSpan = 400 * 86400;

bool SameDay(std::int64_t a, std::int64_t b) {
    return a / 86400 == b / 86400;
}

}  // namespace

const LogPairs& SampleLog() {
    static const LogPairs log = [] {
        const MemoryFile file(
            "In...Mon Jan 05 09:00:00 2004\r\nOut..Mon Jan 05 12:30:00 2004\r\n"
            "Elapsed time of 03:30:00.\r\n"
            "In...Tue Jan 06 22:00:00 2004\r\nOut..Wed Jan 07 01:00:00 2004\r\n"
            "Elapsed time of 03:00:00.\r\n");
        const int fd = open(file.Path().c_str(), O_RDONLY);
        TALLY_FUZZ_CHECK(fd >= 0);
        LogPairs pairs = ReadLogPairs(fd);
        close(fd);
        TALLY_FUZZ_CHECK(pairs.closed.size() == 2);
        return pairs;
    }();
    return log;
}

void CheckImported(const ImportedSpans& read) {
    for (std::size_t i = 0; i < read.spans.size(); ++i) {
        TALLY_FUZZ_CHECK(read.spans[i].source >= 1);
        if (i > 0) TALLY_FUZZ_CHECK(read.spans[i - 1].source < read.spans[i].source);
    }
    for (const std::string& problem : read.problems) TALLY_FUZZ_CHECK(!problem.empty());
}

void CheckPlannedPairs(const std::vector<TimedSpan>& spans, bool allowEmpty) {
    for (const TimedSpan& span : spans) {
        if (span.out - span.in > kLongestSpan) return;
    }
    const LogPairs& log = SampleLog();
    AddOptions options;
    options.sourceWord = "line";
    options.now = FixedClock().Now();
    options.allowEmpty = allowEmpty;
    options.limit = kConflictsShown;
    const PairPlan plan = PlanPairs(log, spans, options);
    TALLY_FUZZ_CHECK(plan.conflicts.size() <= kConflictsShown);
    if (!plan.conflicts.empty()) return;
    LocalDayCache days;
    const auto wall = [&days](TimeValue t) { return WallCountOf(days.Fields(t)); };
    const auto loggable = [](std::int64_t count) {
        const int year = WallFieldsOf(count).year;
        return year >= kFirstLoggableYear && year <= kLastLoggableYear;
    };
    for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
        const PlannedPair& pair = plan.pairs[i];
        TALLY_FUZZ_CHECK(pair.in <= pair.out && (allowEmpty || pair.in < pair.out));
        TALLY_FUZZ_CHECK(SameDay(pair.in, pair.out));
        TALLY_FUZZ_CHECK(loggable(pair.in) && loggable(pair.out));
        TALLY_FUZZ_CHECK(std::any_of(spans.begin(), spans.end(), [&](const TimedSpan& span) {
            return span.source == pair.source && wall(span.in) <= pair.in &&
                   pair.out <= wall(span.out) + 3600;
        }));
        if (i > 0) TALLY_FUZZ_CHECK(plan.pairs[i - 1].in <= pair.in);
        // Pairs of no length may touch others at either end; no two pairs overlap.
        const TimedSpan asSpan{pair.in, pair.out, pair.source, false};
        for (std::size_t j = 0; j < i && i < kPairsCompared; ++j) {
            TALLY_FUZZ_CHECK(
                !SpansOverlap({plan.pairs[j].in, plan.pairs[j].out, 0, false}, asSpan));
        }
        for (const LogPair& logged : log.closed) {
            TALLY_FUZZ_CHECK(!SpansOverlap(asSpan, {logged.in, logged.out, 0, true}));
        }
    }
    // Every span gives at least one pair unless it has no length.
    for (const TimedSpan& span : spans) {
        TALLY_FUZZ_CHECK(span.in == span.out || std::any_of(plan.pairs.begin(), plan.pairs.end(),
                                                            [&](const PlannedPair& pair) {
                                                                return pair.source == span.source;
                                                            }));
    }
}

}  // namespace tally::fuzz
