#include "fuzz_pairs.h"

#include <algorithm>
#include <functional>

#include "fuzz_support.h"

namespace tally::fuzz {
namespace {

constexpr std::size_t kConflictsShown = 10;
// Pairs compared with each other at most, so that a long file stays quick.
constexpr std::size_t kPairsCompared = 300;
// Spans planned at most this long: one of decades splits into some ten thousand days, by the
// same arithmetic as one of a few days, and made each run a hundred times slower.
constexpr TimeValue kLongestSpan = 400 * 86400;

bool SameDay(const LocalFields& a, const LocalFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

const CTimeEntryList& SampleLog() {
    static const CTimeEntryList& log = [] {
        static CTimeEntryList list;
        const MemoryFile file(
            "In...Mon Jan 05 09:00:00 2004\r\nOut..Mon Jan 05 12:30:00 2004\r\n"
            "Elapsed time of 03:30:00.\r\n"
            "In...Tue Jan 06 22:00:00 2004\r\nOut..Wed Jan 07 01:00:00 2004\r\n"
            "Elapsed time of 03:00:00.\r\n");
        TALLY_FUZZ_CHECK(list.Load(file.Path()));
        return std::ref(list);
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
    const CTimeEntryList& log = SampleLog();
    const TimeValue now = FixedClock().Now();
    const PairPlan plan = PlanPairs(log, spans, now, "line", allowEmpty, kConflictsShown);
    TALLY_FUZZ_CHECK(plan.conflicts.size() <= kConflictsShown);
    if (!plan.conflicts.empty()) return;
    LocalDayCache days;
    for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
        const TimedSpan& pair = plan.pairs[i];
        TALLY_FUZZ_CHECK(pair.in <= pair.out && (allowEmpty || pair.in < pair.out));
        TALLY_FUZZ_CHECK(SameDay(days.Fields(pair.in), days.Fields(pair.out)));
        TALLY_FUZZ_CHECK(InLoggableYears(pair.in, days) && InLoggableYears(pair.out, days));
        TALLY_FUZZ_CHECK(std::any_of(spans.begin(), spans.end(), [&](const TimedSpan& span) {
            return span.source == pair.source && span.in <= pair.in && pair.out <= span.out;
        }));
        if (i > 0) TALLY_FUZZ_CHECK(plan.pairs[i - 1].in <= pair.in);
        // Pairs of no length may touch others at either end; no two pairs overlap.
        for (std::size_t j = 0; j < i && i < kPairsCompared; ++j) {
            TALLY_FUZZ_CHECK(!SpansOverlap(plan.pairs[j], pair));
        }
        for (int e = 0; e < log.GetCount(); ++e) {
            const CTimeEntry& entry = *log.GetAt(e);
            TALLY_FUZZ_CHECK(!SpansOverlap(pair, {entry.m_timeIn, entry.m_timeOut, 0, true}));
        }
    }
    // Every span gives at least one pair unless it has no length.
    for (const TimedSpan& span : spans) {
        TALLY_FUZZ_CHECK(span.in == span.out || std::any_of(plan.pairs.begin(), plan.pairs.end(),
                                                            [&](const TimedSpan& pair) {
                                                                return pair.source == span.source;
                                                            }));
    }
}

}  // namespace tally::fuzz
