// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Every closed interval of another tracker's file (csv, timeclock, timewarrior, watson) as
// pairs, merged into the log in one save; nothing at all when anything conflicts.
int RunImport(CommandContext& context);

}  // namespace tally::cli
