// SPDX-License-Identifier: MIT
#include "cli/commands/in_out.h"

#include "cli/commands/status.h"

namespace tally::cli {
namespace {

int Punch(CommandContext& c, bool (TallyEngine::*punch)(), const char* name) {
    if (!c.options.args.empty()) return c.UsageError(std::string(name) + " takes no arguments");
    if (!(c.engine.*punch)()) return kExitFailed;
    PrintStatus(c);
    return kExitOk;
}

}  // namespace

int RunIn(CommandContext& c) {
    return Punch(c, &TallyEngine::OnClockIn, "in");
}

int RunOut(CommandContext& c) {
    return Punch(c, &TallyEngine::OnClockOut, "out");
}

}  // namespace tally::cli
