#include "cli/commands/add.h"

#include <ostream>

#include "editor/import/local_time_text.h"

namespace tally::cli {
namespace {

constexpr std::size_t kConflictsShown = 10;

}  // namespace

int ReportPairsAdded(CommandContext& c, const PairAddResult& result, bool tryOnly) {
    if (result.failure) {
        c.err << "tally: " << *result.failure << '\n';
        return kExitFailed;
    }
    if (tryOnly || result.conflicts.empty()) {
        LocalDayCache days;
        for (const TimedSpan& pair : result.pairs) {
            c.out << (tryOnly ? "would add " : "added ") << LocalTimeText(pair.in, days) << " - "
                  << LocalTimeText(pair.out, days) << '\n';
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
        const auto time = ParseLocalTimeText(args[i], days);
        if (!time) {
            return c.UsageError("'" + args[i] + "' is not a local time (YYYY-MM-DD HH:MM[:SS])");
        }
        (i == 0 ? span.in : span.out) = *time;
    }
    const PairAddResult result =
        AddPairsToLog(c.engine.Settings().DataLog, {span}, {}, "", c.engine.GetClock().Now(), false,
                      false, kConflictsShown);
    return ReportPairsAdded(c, result, false);
}

}  // namespace tally::cli
