// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "cli/command_context.h"
#include "invoice/unbilled.h"

namespace tally::cli {

// unbilled: one row per client (or --client's) with its time and amount not invoiced yet.
int RunUnbilled(CommandContext& context);

// The register of the settings; nothing, with the reason on err, when it cannot be read.
std::optional<InvoiceRegister> ReadInvoiceRegister(CommandContext& context);
// A client's unbilled time at its effective rate; nothing, with the reason on err.
std::optional<Unbilled> ClientUnbilled(CommandContext& context, const InvoiceRegister& reg,
                                       const Client& client);

}  // namespace tally::cli
