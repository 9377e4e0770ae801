// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>

#include "cli/command_context.h"

namespace tally::cli {

// tally --help and tally help: every command with its summary, then every option.
void PrintHelp(std::ostream& out);
// tally help COMMAND and tally COMMAND --help: its synopsis, what it does, the options it
// takes and an example.
void PrintCommandHelp(std::ostream& out, const CommandEntry& command);
// The help the command line asks for (the command, when named, is known); an unknown
// command after help is a usage error.
int ShowHelp(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tally::cli
