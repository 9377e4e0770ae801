#include "editor/pair_add.h"

#include <algorithm>

#include "core/c_format.h"
#include "core/local_day_cache.h"
#include "core/time_log_file.h"
#include "editor/time_entry_list.h"

namespace tally {
namespace {

constexpr int kFirstYear = 1990;
constexpr int kLastYear = 2050;

// Keeps the raw writer's message, without the caption it has for a message box.
class CollectingReporter final : public Reporter {
  public:
    void Report(const Message& message) override { text = message.text; }
    std::string text;
};

const CTimeEntry* OpenIn(const CTimeEntryList& list) {
    if (list.GetCount() == 0) return nullptr;
    const CTimeEntry* last = list.GetAt(list.GetCount() - 1);
    return last->m_bHasIn && !last->m_bHasOut ? last : nullptr;
}

std::string Named(const TimedSpan& span, const std::string& sourceWord, LocalDayCache& days) {
    const std::string times = LocalTimeText(span.in, days) + " - " + LocalTimeText(span.out, days);
    if (span.source == 0) return times;
    return sourceWord + ' ' + std::to_string(span.source) + " (" + times + ')';
}

std::string OverlapText(const SpanOverlap& overlap, TimeValue openIn, const std::string& sourceWord,
                        LocalDayCache& days) {
    std::string text = Named(overlap.added, sourceWord, days) + " overlaps ";
    if (!overlap.other.fromLog) return text + Named(overlap.other, sourceWord, days);
    if (overlap.other.source < 0) return text + "the open In of " + LocalTimeText(openIn, days);
    return text + "the pair " + LocalTimeText(overlap.other.in, days) + " - " +
           LocalTimeText(overlap.other.out, days) + " in the log";
}

}  // namespace

std::string LocalTimeText(TimeValue t, LocalDayCache& days) {
    const LocalFields f = days.Fields(t);
    return FormatC("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                   f.second);
}

bool InLoggableYears(TimeValue t, LocalDayCache& days) {
    const int year = days.Fields(t).year;
    return year >= kFirstYear && year <= kLastYear;
}

std::vector<TimedSpan> SplitAtMidnight(const TimedSpan& span, LocalDayCache& days) {
    std::vector<TimedSpan> pieces;
    TimeValue in = span.in;
    for (;;) {
        const LocalFields f = days.Fields(in);
        // Hour 24 carries to the next midnight.
        const TimeValue nextDay = days.Time(f.year, f.month, f.day, 24, 0, 0);
        if (span.out < nextDay) break;
        pieces.push_back({in, nextDay - 1, span.source, span.fromLog});
        in = nextDay;
    }
    if (pieces.empty() || span.out > in)
        pieces.push_back({in, span.out, span.source, span.fromLog});
    return pieces;
}

PairPlan PlanPairs(const CTimeEntryList& list, const std::vector<TimedSpan>& spans, TimeValue now,
                   const std::string& sourceWord, bool allowEmpty, std::size_t limit) {
    PairPlan plan;
    LocalDayCache days;
    for (const TimedSpan& span : spans) {
        if (plan.conflicts.size() >= limit) return plan;
        if (span.out < span.in || (span.out == span.in && !allowEmpty)) {
            plan.conflicts.push_back(Named(span, sourceWord, days) +
                                     ": the Out is not after the In");
        } else if (!InLoggableYears(span.in, days) || !InLoggableYears(span.out, days)) {
            plan.conflicts.push_back(Named(span, sourceWord, days) +
                                     ": the log holds only the years " +
                                     std::to_string(kFirstYear) + "-" + std::to_string(kLastYear));
        } else {
            for (const TimedSpan& piece : SplitAtMidnight(span, days)) plan.pairs.push_back(piece);
        }
    }
    std::vector<TimedSpan> logSpans;
    logSpans.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int position = 0; position < list.GetCount(); ++position) {
        const CTimeEntry& entry = *list.GetAt(position);
        if (entry.m_bHasIn && entry.m_bHasOut) {
            logSpans.push_back({entry.m_timeIn, entry.m_timeOut, 0, true});
        }
    }
    const CTimeEntry* open = OpenIn(list);
    if (open != nullptr)
        logSpans.push_back({open->m_timeIn, std::max(now, open->m_timeIn), -1, true});
    const std::size_t room = limit - plan.conflicts.size();
    for (const SpanOverlap& overlap : FindOverlaps(logSpans, plan.pairs, room)) {
        plan.conflicts.push_back(OverlapText(overlap, open ? open->m_timeIn : 0, sourceWord, days));
    }
    std::stable_sort(plan.pairs.begin(), plan.pairs.end(),
                     [](const TimedSpan& a, const TimedSpan& b) { return a.in < b.in; });
    return plan;
}

void MergePairs(CTimeEntryList& list, const std::vector<TimedSpan>& pairs) {
    std::vector<CTimeEntry> merged;
    merged.reserve(static_cast<std::size_t>(list.GetCount()) + pairs.size());
    const CTimeEntry* open = OpenIn(list);
    auto next = pairs.begin();
    const auto addUpTo = [&](const CTimeEntry* before) {
        for (; next != pairs.end() && (before == nullptr || next->in < before->m_timeIn); ++next) {
            CTimeEntry entry;
            entry.m_bHasIn = entry.m_bHasOut = entry.m_bHasElapsed = true;
            entry.m_timeIn = next->in;
            entry.m_timeOut = next->out;
            entry.m_nElapsed = next->out - next->in;
            merged.push_back(entry);
        }
    };
    for (int position = 0; position < list.GetCount(); ++position) {
        const CTimeEntry* entry = list.GetAt(position);
        if (entry == open) break;
        if (entry->m_bHasIn) addUpTo(entry);
        merged.push_back(*entry);
    }
    addUpTo(nullptr);
    if (open != nullptr) merged.push_back(*open);
    // Ids above every old one: the list never hands out an id twice.
    int id = 0;
    for (int position = 0; position < list.GetCount(); ++position) {
        id = std::max(id, list.GetIdAt(position));
    }
    list.RemoveAll();
    for (const CTimeEntry& entry : merged) list.SetEntry(++id, entry);
}

PairAddResult AddPairsToLog(const std::string& path, const std::vector<TimedSpan>& spans,
                            std::vector<std::string> problems, const std::string& sourceWord,
                            TimeValue now, bool allowEmpty, bool tryOnly, std::size_t limit) {
    PairAddResult result;
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (log.status != OpenedLog::Status::Missing && !log.Ok()) {
        result.failure = log.Reason(path, LogAccess::Read);
        return result;
    }
    CTimeEntryList list;
    list.Load(path);
    if (problems.size() > limit) problems.resize(limit);
    PairPlan plan = PlanPairs(list, spans, now, sourceWord, allowEmpty, limit - problems.size());
    result.pairs = std::move(plan.pairs);
    result.conflicts = std::move(problems);
    result.conflicts.insert(result.conflicts.end(), plan.conflicts.begin(), plan.conflicts.end());
    if (tryOnly || !result.conflicts.empty()) return result;
    MergePairs(list, result.pairs);
    CollectingReporter reporter;
    if (!list.Save(path, true, reporter)) result.failure = reporter.text;
    return result;
}

}  // namespace tally
