// SPDX-License-Identifier: MIT
#include "cli/commands/add.h"

#include <ostream>

#include "time/local_time_text.h"
#include "time/punch_time.h"
#include "time/wall_clock.h"

namespace tally::cli {
namespace {

constexpr std::size_t kConflictsShown = 10;

}  // namespace

AddOptions PairAddOptions(const CommandContext& c, const char* sourceWord, bool allowEmpty) {
    AddOptions options;
    options.sourceWord = sourceWord;
    options.now = c.engine.GetClock().Now();
    options.allowEmpty = allowEmpty;
    options.tryOnly = c.options.dryRun;
    options.limit = kConflictsShown;
    options.settings = c.engine.Settings();
    return options;
}

int ReportPairsAdded(CommandContext& c, const PairAddResult& result, bool tryOnly) {
    if (result.failure) {
        c.err << "tally: " << *result.failure << '\n';
        return kExitFailed;
    }
    if (tryOnly || result.conflicts.empty()) {
        for (const PlannedPair& pair : result.pairs) {
            c.out << (tryOnly ? "would add " : "added ") << WallTimeText(pair.in) << " - "
                  << WallTimeText(pair.out) << '\n';
        }
        if (result.openIn) {
            c.out << (tryOnly ? "would add " : "added ") << "the open In "
                  << WallTimeText(*result.openIn) << '\n';
        }
    }
    if (result.conflicts.empty()) return kExitOk;
    c.err << "tally: nothing " << (tryOnly ? "would be " : "") << "added:\n";
    for (const std::string& conflict : result.conflicts) c.err << "  " << conflict << '\n';
    if (result.conflicts.size() >= kConflictsShown)
        c.err << "  (the first " << kConflictsShown << " only)\n";
    return kExitFailed;
}

int RunAdd(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() != 2)
        return c.UsageError("add takes two times: START END (YYYY-MM-DD HH:MM[:SS])");
    TimedSpan span;
    LocalDayCache days;
    for (std::size_t i = 0; i < 2; ++i) {
        const auto time = ParseLocalTimeText(WithDayWordDated(args[i], c.Today()), days);
        if (!time) {
            return c.UsageError("'" + args[i] + "' is not a local time (YYYY-MM-DD HH:MM[:SS])");
        }
        (i == 0 ? span.in : span.out) = *time;
    }
    const PairAddResult result =
        AddPairsToLog(c.engine.Settings().DataLog, {span}, {}, PairAddOptions(c, "", false));
    return ReportPairsAdded(c, result, false);
}

}  // namespace tally::cli
