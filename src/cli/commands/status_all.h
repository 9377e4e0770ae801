// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// status --all: one row per client with its state, today's and the period's time and
// amount at its own rate, and the total time.
int PrintClientsStatus(CommandContext& context);

}  // namespace tally::cli
