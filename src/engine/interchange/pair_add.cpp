// SPDX-License-Identifier: MIT
#include "interchange/pair_add.h"

#include <unistd.h>
#include <algorithm>
#include <limits>

#include "core/log_check.h"
#include "core/punch_lines.h"
#include "entries/entry_lines.h"
#include "interchange/log_splice.h"
#include "log/log_replacement.h"
#include "log/time_log_file.h"
#include "time/c_format.h"
#include "time/calendar.h"
#include "time/local_time.h"
#include "time/wall_clock.h"

namespace tally {
namespace {

constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max();

std::string Named(const TimedSpan& span, const std::string& times, const std::string& sourceWord) {
    if (span.source == 0) return times;
    return sourceWord + ' ' + std::to_string(span.source) + " (" + times + ')';
}

// A span as given (instants).
std::string NamedSpan(const TimedSpan& span, const std::string& sourceWord, LocalDayCache& days) {
    return Named(span, LocalTimeText(span.in, days) + " - " + LocalTimeText(span.out, days),
                 sourceWord);
}

// A planned pair or a pair of the log (wall-clock counts).
std::string WallTimes(const TimedSpan& span) {
    return WallTimeText(span.in) + " - " + WallTimeText(span.out);
}

std::string OverlapText(const SpanOverlap& overlap, const std::string& sourceWord) {
    std::string text = Named(overlap.added, WallTimes(overlap.added), sourceWord) + " overlaps ";
    if (!overlap.other.fromLog) {
        return text + Named(overlap.other, WallTimes(overlap.other), sourceWord);
    }
    if (overlap.other.out == kForever) {
        return text + "the open In of " + WallTimeText(overlap.other.in) +
               " (nothing can be added after it until it is closed)";
    }
    return text + "the pair " + WallTimes(overlap.other) + " in the log";
}

bool InLoggableYears(TimeValue t, LocalDayCache& days) {
    const int year = days.Fields(t).year;
    return year >= kFirstLoggableYear && year <= kLastLoggableYear;
}

// Why an interval still running cannot be the log's open In, or nothing. It must be the
// last record, as a Clock In's In is, and nothing may be added after an open In.
std::string OpenInConflict(const TimedSpan& open, const LogPairs& log,
                           const std::vector<PlannedPair>& pairs, const AddOptions& options,
                           LocalDayCache& days) {
    if (log.open) {
        return "the log has an open In already (of " + WallTimeText(log.open->in) + ")";
    }
    if (!InLoggableYears(open.in, days)) {
        return "the log holds only the years " + std::to_string(kFirstLoggableYear) + "-" +
               std::to_string(kLastLoggableYear);
    }
    if (open.in > options.now) return "it starts after now";
    const std::int64_t in = WallCountOf(days.Fields(open.in));
    const auto endsLater = [in](const auto& pair) { return pair.out > in; };
    if (std::any_of(log.closed.begin(), log.closed.end(), endsLater) ||
        std::any_of(pairs.begin(), pairs.end(), endsLater)) {
        return "it does not start after every pair, so it cannot be the log's open In";
    }
    return {};
}

// Reads, checks and plans: everything before the first write.
PairAddResult Plan(int fd, const std::string& path, const std::vector<TimedSpan>& spans,
                   const std::optional<TimedSpan>& open, std::vector<std::string> problems,
                   const AddOptions& options, LogPairs& log) {
    PairAddResult result;
    if (fd >= 0) {
        result.failure = UncleanLogReason(fd, path, options.settings, "nothing added");
        if (result.failure) return result;
        log = ReadLogPairs(fd);
    }
    AddOptions rest = options;
    rest.limit -= std::min(rest.limit, problems.size());
    PairPlan plan = PlanPairs(log, spans, rest, open);
    result.pairs = std::move(plan.pairs);
    result.openIn = plan.openIn;
    result.conflicts = std::move(problems);
    result.conflicts.insert(result.conflicts.end(), plan.conflicts.begin(), plan.conflicts.end());
    return result;
}

// The old log's bytes with the planned pairs' lines between them, at the offsets given.
std::optional<std::string> WriteWithInsertions(LogReplacement& replacement, const LogPairs& log,
                                               const std::vector<PlannedPair>& pairs,
                                               const std::vector<std::int64_t>& offsets,
                                               std::optional<TimeValue> openIn,
                                               const std::string& path) {
    LogSplice splice(replacement, path);
    std::string lines;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (auto failure = splice.CopyTo(offsets[i])) return failure;
        lines.clear();
        AppendPunchLine(lines, kInPrefix, WallFieldsOf(pairs[i].in));
        AppendPunchLine(lines, kOutPrefix, WallFieldsOf(pairs[i].out));
        AppendElapsedLine(lines, pairs[i].out - pairs[i].in);
        if (auto failure = splice.Insert(lines)) return failure;
    }
    if (auto failure = splice.CopyTo(log.size)) return failure;
    lines.clear();
    if (openIn) AppendInRecord(lines, ToLocalTm(*openIn));
    if (auto failure = splice.Insert(lines)) return failure;
    return splice.Finish(log.size);
}

}  // namespace

std::optional<std::string> UncleanLogReason(int fd, const std::string& path,
                                            const CurrentSettings& settings,
                                            const char* nothingDone) {
    lseek(fd, 0, SEEK_SET);
    const LogCheck check = CheckTimeLog(fd, settings);
    if (check.findings.empty()) return std::nullopt;
    return std::string(nothingDone) + ": " + path +
           " is not clean: " + DescribeFinding(check.findings.front()) +
           " (tally check lists what is wrong)";
}

std::string LocalTimeText(TimeValue t, LocalDayCache& days) {
    const LocalFields f = days.Fields(t);
    return FormatC("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                   f.second);
}

std::vector<PlannedPair> PlanSpan(const TimedSpan& span, LocalDayCache& days) {
    std::vector<PlannedPair> pieces;
    TimeValue in = span.in;
    for (;;) {
        const LocalFields f = days.Fields(in);
        const std::int64_t inCount = WallCountOf(f);
        const std::int64_t dayEnd =
            inCount - (f.hour * 3600 + f.minute * 60 + f.second) + kLastSecondOfDay;
        // Hour 24 carries to the next midnight.
        const TimeValue nextDay = days.Time(f.year, f.month, f.day, 24, 0, 0);
        if (span.out < nextDay) {
            if (pieces.empty() || span.out > in) {
                pieces.push_back(
                    {inCount, std::min(inCount + (span.out - in), dayEnd), span.source});
            }
            return pieces;
        }
        pieces.push_back({inCount, dayEnd, span.source});
        in = nextDay;
    }
}

PairPlan PlanPairs(const LogPairs& log, const std::vector<TimedSpan>& spans,
                   const AddOptions& options, const std::optional<TimedSpan>& open) {
    PairPlan plan;
    LocalDayCache days;
    const auto refuse = [&](const TimedSpan& span, const std::string& why) {
        plan.conflicts.push_back(NamedSpan(span, options.sourceWord, days) + ": " + why);
    };
    for (const TimedSpan& span : spans) {
        if (plan.conflicts.size() >= options.limit) return plan;
        if (span.out < span.in || (span.out == span.in && !options.allowEmpty)) {
            refuse(span, "the Out is not after the In");
        } else if (!InLoggableYears(span.in, days) || !InLoggableYears(span.out, days)) {
            refuse(span, "the log holds only the years " + std::to_string(kFirstLoggableYear) +
                             "-" + std::to_string(kLastLoggableYear));
        } else if (span.out > options.now) {
            refuse(span, "the Out is after now");
        } else {
            for (const PlannedPair& piece : PlanSpan(span, days)) plan.pairs.push_back(piece);
        }
    }
    std::vector<TimedSpan> logSpans;
    logSpans.reserve(log.closed.size() + 1);
    for (const LogPair& pair : log.closed) logSpans.push_back({pair.in, pair.out, 0, true});
    if (log.open) logSpans.push_back({log.open->in, kForever, 0, true});
    std::vector<TimedSpan> added;
    added.reserve(plan.pairs.size());
    for (const PlannedPair& pair : plan.pairs) added.push_back({pair.in, pair.out, pair.source});
    for (const SpanOverlap& overlap :
         FindOverlaps(logSpans, added, options.limit - plan.conflicts.size())) {
        plan.conflicts.push_back(OverlapText(overlap, options.sourceWord));
    }
    if (open && plan.conflicts.size() < options.limit) {
        const std::string why = OpenInConflict(*open, log, plan.pairs, options, days);
        if (why.empty()) {
            plan.openIn = WallCountOf(days.Fields(open->in));
        } else {
            plan.conflicts.push_back(Named(*open,
                                           LocalTimeText(open->in, days) + " - still running",
                                           options.sourceWord) +
                                     ": " + why);
        }
    }
    std::stable_sort(plan.pairs.begin(), plan.pairs.end(),
                     [](const PlannedPair& a, const PlannedPair& b) { return a.in < b.in; });
    return plan;
}

std::vector<std::int64_t> InsertionOffsets(const LogPairs& log,
                                           const std::vector<PlannedPair>& pairs) {
    // The latest In up to each record: the first record that begins after a time is the
    // first whose latest In does, and these rise along the file even where the log does not.
    std::vector<std::int64_t> latest;
    latest.reserve(log.closed.size());
    std::int64_t reach = std::numeric_limits<std::int64_t>::min();
    for (const LogPair& pair : log.closed) latest.push_back(reach = std::max(reach, pair.in));
    const std::int64_t last = log.open ? log.open->offset : log.size;
    std::vector<std::int64_t> offsets;
    offsets.reserve(pairs.size());
    for (const PlannedPair& pair : pairs) {
        const auto next = std::upper_bound(latest.begin(), latest.end(), pair.in);
        offsets.push_back(next == latest.end() ? last : log.closed[next - latest.begin()].offset);
    }
    return offsets;
}

PairAddResult AddPairsToLog(const std::string& path, const std::vector<TimedSpan>& spans,
                            std::vector<std::string> problems, const AddOptions& options,
                            const std::optional<TimedSpan>& open) {
    if (problems.size() > options.limit) problems.resize(options.limit);
    LogPairs log;
    if (options.tryOnly || !problems.empty() || (spans.empty() && !open)) {
        const OpenedLog opened = OpenTimeLogFile(path, LogAccess::Read);
        if (opened.status != OpenedLog::Status::Missing && !opened.Ok()) {
            PairAddResult result;
            result.failure = opened.Reason(path, LogAccess::Read);
            return result;
        }
        return Plan(opened.fd.Get(), path, spans, open, std::move(problems), options, log);
    }
    // Under the lock from the first read to the rename: a punch made meanwhile waits, and
    // nothing read goes stale.
    LogReplacement replacement(path);
    if (auto failure = replacement.Begin(options.lock)) {
        PairAddResult result;
        result.failure = failure->text;
        return result;
    }
    PairAddResult result =
        Plan(replacement.OldLog(), path, spans, open, std::move(problems), options, log);
    if (result.failure || !result.conflicts.empty()) return result;
    const std::vector<std::int64_t> offsets = InsertionOffsets(log, result.pairs);
    if (!log.endsWithLineEnd && (open || (!offsets.empty() && offsets.back() == log.size))) {
        result.failure = "nothing added: the last line of " + path +
                         " has no line end (Edit Raw Data writes the log anew with one)";
        return result;
    }
    result.failure = WriteWithInsertions(replacement, log, result.pairs, offsets,
                                         open ? std::optional(open->in) : std::nullopt, path);
    if (result.failure) return result;
    if (auto failure = replacement.Commit(true)) result.failure = failure->text;
    return result;
}

}  // namespace tally
