// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "cli/command_context.h"

namespace tally::cli {

// client add|set|list|remove: the clients in the settings store.
int RunClient(CommandContext& context);
// switch NAME: out of the open client's log and into NAME's at the same second.
int RunSwitch(CommandContext& context);

// The usage error's reason for a client name that is none, with the nearest name, if any.
std::string UnknownClient(const std::string& name, const std::vector<Client>& clients);

}  // namespace tally::cli
