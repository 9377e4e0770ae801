// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// issuer [set KEY VALUE]: the sender's block of every invoice ([Issuer]), or one of its values.
int RunIssuer(CommandContext& context);

}  // namespace tally::cli
