#pragma once

#include "cli/command_context.h"
#include "editor/pair_add.h"

namespace tally::cli {

// Adds a closed pair that was never punched, START END as "YYYY-MM-DD HH:MM[:SS]" local
// time, split at midnight; refused when it overlaps the log or the open In.
int RunAdd(CommandContext& context);

// Prints what add or import did (or, trying only, would do): the pairs on standard output,
// the conflicts or the failure on standard error. The exit code.
int ReportPairsAdded(CommandContext& context, const PairAddResult& result, bool tryOnly);

}  // namespace tally::cli
