// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// The invoice register's entries with their state today, all or one client's (--client).
int RunInvoices(CommandContext& context);

// invoice paid NUMBER [DATE] and invoice cancel NUMBER: the state of a registered invoice.
int RunInvoiceState(CommandContext& context);

}  // namespace tally::cli
