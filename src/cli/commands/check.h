// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Where the scan of the time log stops, and which records it cannot use; exit 1 when
// anything is found.
int RunCheck(CommandContext& context);

}  // namespace tally::cli
