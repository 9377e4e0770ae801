// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

int RunIn(CommandContext& context);
int RunOut(CommandContext& context);

}  // namespace tally::cli
