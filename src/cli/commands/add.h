// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"
#include "interchange/pair_add.h"

namespace tally::cli {

// Adds a closed pair that was never punched, START END as "YYYY-MM-DD HH:MM[:SS]" local
// time, split at midnight; refused when it overlaps the log or the open In.
int RunAdd(CommandContext& context);

// How add and import add their pairs: now from the engine's clock, the settings the log is
// checked with, and --dry-run.
AddOptions PairAddOptions(const CommandContext& context, const char* sourceWord, bool allowEmpty);

// Prints what add or import did (or, trying only, would do): the pairs on standard output,
// the conflicts or the failure on standard error. The exit code.
int ReportPairsAdded(CommandContext& context, const PairAddResult& result, bool tryOnly);

}  // namespace tally::cli
