// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// Shows the seven options and the two reminder settings, one of them, or stores one.
int RunConfig(CommandContext& context);

}  // namespace tally::cli
