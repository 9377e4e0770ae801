// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Every closed pair of the time log (or those whose In lies in START..END) as CSV for
// spreadsheets or in the timeclock format that ledger and hledger read.
int RunExport(CommandContext& context);

}  // namespace tally::cli
