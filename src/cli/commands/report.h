// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Time and amount per day, week, month or billing period, and their total.
int RunReport(CommandContext& context);

}  // namespace tally::cli
