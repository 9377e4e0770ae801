// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Scans the log, brings the totals up to now and prints state and both totals boxes.
int RunStatus(CommandContext& context);
void PrintStatus(CommandContext& context);

}  // namespace tally::cli
