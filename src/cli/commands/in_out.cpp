// SPDX-License-Identifier: MIT
#include "cli/commands/in_out.h"

#include "cli/commands/status.h"
#include "clients/open_client.h"

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
    const auto open = c.options.args.empty()
                          ? OpenClientElsewhere(c.clients, c.engine.Settings().DataLog)
                          : std::nullopt;
    if (open) {
        c.err << "tally: " << StillClockedInText(*open) << '\n';
        return kExitFailed;
    }
    return Punch(c, &TallyEngine::OnClockIn, "in");
}

int RunOut(CommandContext& c) {
    return Punch(c, &TallyEngine::OnClockOut, "out");
}

}  // namespace tally::cli
