// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Merges the conflict copies a sync tool left beside the log (or the one named) into it:
// the pairs only the copy holds are added, then the copy is renamed; nothing is written
// while a conflict is undecided (--keep log|copy decides every one).
int RunMerge(CommandContext& context);

}  // namespace tally::cli
