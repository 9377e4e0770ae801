// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

int RunDays(CommandContext& context);  // the Daily Elapsed Time rows
int RunLog(CommandContext& context);   // the Raw Time Data rows

}  // namespace tally::cli
