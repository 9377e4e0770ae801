#include "cli/commands/status.h"

#include <ostream>

namespace tally::cli {

void PrintStatus(CommandContext& c) {
    c.engine.BringUpToNow();
    const TotalsTexts& t = c.engine.Texts();
    const char* state = c.engine.ClockedIn() ? "In" : "Out";
    if (c.options.tsv) {
        c.out << "state\t" << state << "\ntoday\t" << t.todayFirst << '\t' << t.todaySecond
              << "\nperiod\t" << t.periodFirst << '\t' << t.periodSecond << '\n';
        return;
    }
    const std::string indent(26, ' ');
    c.out << "State:                    " << state << '\n'
          << "Time Today:               " << t.todayFirst << '\n'
          << indent << t.todaySecond << '\n'
          << "Time This Billing Period: " << t.periodFirst << '\n'
          << indent << t.periodSecond << '\n';
}

int RunStatus(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("status takes no arguments");
    if (!c.Scan()) return kExitFailed;
    PrintStatus(c);
    return kExitOk;
}

}  // namespace tally::cli
