// SPDX-License-Identifier: MIT
#include "cli/commands/merge.h"

#include <ostream>

#include "cli/json_text.h"
#include "interchange/conflict_copies.h"
#include "interchange/log_merge.h"
#include "time/wall_clock.h"

namespace tally::cli {
namespace {

std::string SpanText(const MergeSpan& span) {
    return WallTimeText(span.in) + " - " + (span.Open() ? "still open" : WallTimeText(span.out));
}

const char* SideName(MergeSide side) {
    return side == MergeSide::Log ? "log" : side == MergeSide::Copy ? "copy" : nullptr;
}

Json SpansJson(const std::vector<MergeSpan>& spans) {
    Json list = Json::array();
    for (const MergeSpan& s : spans) {
        list.push_back({{"line", s.line},
                        {"in", WallTimeText(s.in)},
                        {"out", s.Open() ? Json() : Json(WallTimeText(s.out))}});
    }
    return list;
}

Json ResultJson(const std::string& copy, const MergeResult& result) {
    Json conflicts = Json::array();
    for (const MergeConflict& c : result.plan.conflicts) {
        const char* kept = SideName(c.kept);
        conflicts.push_back({{"kept", kept != nullptr ? Json(kept) : Json()},
                             {"log", SpansJson(c.log)},
                             {"copy", SpansJson(c.copy)}});
    }
    return {{"copy", Utf8Text(copy)},
            {"merged_as", result.mergedName.empty() ? Json() : Json(Utf8Text(result.mergedName))},
            {"added", SpansJson(result.plan.added)},
            {"removed", SpansJson(result.plan.removed)},
            {"duplicates", result.plan.duplicates},
            {"conflicts", std::move(conflicts)},
            {"error", result.failure ? Json(Utf8Text(*result.failure)) : Json()}};
}

void PrintConflicts(std::ostream& out, const MergePlan& plan) {
    for (std::size_t i = 0; i < plan.conflicts.size(); ++i) {
        const MergeConflict& c = plan.conflicts[i];
        const char* kept = SideName(c.kept);
        out << "  conflict " << i + 1
            << (kept != nullptr ? std::string(", the ") + kept + "'s pairs kept" : std::string())
            << ":\n";
        for (const MergeSpan& s : c.log)
            out << "    log  line " << s.line << ": " << SpanText(s) << '\n';
        for (const MergeSpan& s : c.copy)
            out << "    copy line " << s.line << ": " << SpanText(s) << '\n';
    }
}

// What one merge did or would do: the changes on out, a failure or undecided conflicts on
// err. True when it went through (or would).
bool PrintResult(CommandContext& c, const std::string& copy, const MergeResult& result) {
    const MergePlan& plan = result.plan;
    if (result.failure && result.mergedName.empty()) {
        c.err << "tally: " << *result.failure << '\n';
        return false;
    }
    if (!plan.Settled()) {
        c.err << "tally: nothing " << (c.options.dryRun ? "would be " : "") << "merged from "
              << copy << ": " << plan.conflicts.size()
              << (plan.conflicts.size() == 1 ? " conflict" : " conflicts")
              << " with the log (--keep log or --keep copy chooses the side of "
                 "every one):\n";
        PrintConflicts(c.err, plan);
        return false;
    }
    const char* verb = c.options.dryRun ? "would " : "";
    c.out << (c.options.dryRun ? "would merge " : "merged ") << copy << '\n';
    for (const MergeSpan& s : plan.added) {
        c.out << "  " << verb << (c.options.dryRun ? "add " : "added ")
              << (s.Open() ? "the open In " + WallTimeText(s.in) : SpanText(s)) << " (copy line "
              << s.line << ")\n";
    }
    for (const MergeSpan& s : plan.removed) {
        c.out << "  " << verb << (c.options.dryRun ? "remove " : "removed ") << SpanText(s)
              << " (log line " << s.line << ")\n";
    }
    if (plan.duplicates > 0) {
        c.out << "  " << plan.duplicates << (plan.duplicates == 1 ? " pair" : " pairs")
              << " in both, kept once\n";
    }
    PrintConflicts(c.out, plan);
    if (!result.mergedName.empty()) c.out << "  the copy is now " << result.mergedName << '\n';
    if (result.failure) {
        c.err << "tally: " << *result.failure << '\n';
        return false;
    }
    return true;
}

}  // namespace

int RunMerge(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() > 1) return c.UsageError("merge takes at most one conflict copy: [COPY]");
    MergeOptions options;
    if (c.options.keep) {
        if (*c.options.keep == "log") {
            options.keep = MergeSide::Log;
        } else if (*c.options.keep == "copy") {
            options.keep = MergeSide::Copy;
        } else {
            return c.UsageError("--keep takes log or copy, not '" + *c.options.keep + "'");
        }
    }
    if (!args.empty() && args[0].empty()) return c.UsageError("merge needs a copy's path");
    options.tryOnly = c.options.dryRun;
    options.now = c.engine.GetClock().Now();
    options.settings = c.engine.Settings();

    const std::string& log = options.settings.DataLog;
    // A bare name is one of the names check lists, in the log's folder.
    std::vector<std::string> copies;
    if (!args.empty()) {
        copies.push_back(args[0].find('/') == std::string::npos ? LogFolder(log) + '/' + args[0]
                                                                : args[0]);
    } else {
        for (const std::string& name : FindConflictCopies(log)) {
            copies.push_back(LogFolder(log) + '/' + name);
        }
    }
    bool ok = true;
    Json documents = Json::array();
    for (const std::string& copy : copies) {
        const MergeResult result = MergeCopyIntoLog(log, copy, options);
        ok = result.plan.Settled() && !result.failure && ok;
        if (c.options.json) {
            documents.push_back(ResultJson(copy, result));
        } else {
            PrintResult(c, copy, result);
        }
    }
    if (c.options.json) {
        PrintJson(c.out, {{"log", Utf8Text(log)},
                          {"dry_run", c.options.dryRun},
                          {"copies", std::move(documents)}});
    } else if (copies.empty()) {
        c.out << "no conflict copy of " << log << '\n';
    }
    return ok ? kExitOk : kExitFailed;
}

}  // namespace tally::cli
