// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// The invoice text of START END (YYYY-MM-DD, both days included).
int RunInvoice(CommandContext& context);

}  // namespace tally::cli
