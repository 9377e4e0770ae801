// SPDX-License-Identifier: MIT
#include "cli/commands/in_out.h"

#include "cli/commands/status.h"
#include "clients/client_clock_in.h"
#include "settings/client_store.h"
#include "time/punch_time.h"

namespace tally::cli {
namespace {

// Reads --at: nothing for now; false (the usage error printed) when it does not parse.
bool PunchTime(CommandContext& c, std::optional<TimeValue>& when) {
    if (!c.options.at) return true;
    when = ParsePunchTime(*c.options.at, c.engine.GetClock().Now());
    if (when) return true;
    c.UsageError("--at takes " + std::string(kPunchTimeForms) + ", not '" + *c.options.at + "'");
    return false;
}

int Finish(CommandContext& c, bool written) {
    if (!written) return kExitFailed;
    PrintStatus(c);
    return kExitOk;
}

}  // namespace

int RunIn(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("in takes no arguments");
    std::optional<TimeValue> when;
    if (!PunchTime(c, when)) return kExitUsage;
    const ClientClockIn in = ClockInForClient(c.engine, ClientBookOf(c.store.Raw()), when);
    if (in.openElsewhere) c.err << "tally: " << StillClockedInText(*in.openElsewhere) << '\n';
    return Finish(c, in.written);
}

int RunOut(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("out takes no arguments");
    std::optional<TimeValue> when;
    if (!PunchTime(c, when)) return kExitUsage;
    return Finish(c, when ? c.engine.OnClockOutBackdated(*when) : c.engine.OnClockOut());
}

}  // namespace tally::cli
