// SPDX-License-Identifier: MIT
#include "cli/commands/in_out.h"

#include "cli/commands/status.h"
#include "clients/open_client.h"
#include "core/punch_time.h"

namespace tally::cli {
namespace {

int Punch(CommandContext& c, bool (TallyEngine::*punch)(),
          bool (TallyEngine::*backdated)(TimeValue), const char* name) {
    if (!c.options.args.empty()) return c.UsageError(std::string(name) + " takes no arguments");
    bool written = false;
    if (c.options.at) {
        const auto when = ParsePunchTime(*c.options.at, c.engine.GetClock().Now());
        if (!when) {
            return c.UsageError("--at takes " + std::string(kPunchTimeForms) + ", not '" +
                                *c.options.at + "'");
        }
        written = (c.engine.*backdated)(*when);
    } else {
        written = (c.engine.*punch)();
    }
    if (!written) return kExitFailed;
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
    return Punch(c, &TallyEngine::OnClockIn, &TallyEngine::OnClockInBackdated, "in");
}

int RunOut(CommandContext& c) {
    return Punch(c, &TallyEngine::OnClockOut, &TallyEngine::OnClockOutBackdated, "out");
}

}  // namespace tally::cli
