// SPDX-License-Identifier: MIT
#pragma once
// The command line of tally: options may stand anywhere; the rest are the command and
// its arguments.

#include <optional>
#include <string>
#include <vector>

namespace tally::cli {

struct CliOptions {
    std::optional<std::string> logPath;  // --log PATH
    std::optional<std::string> rate;     // --rate R
    std::optional<std::string> format;   // --format csv|timeclock
    std::optional<std::string> by;       // --by day|week|month|period (report)
    bool tsv = false;
    bool json = false;    // --json: one JSON document (commands that take it)
    bool dryRun = false;  // --dry-run: import shows what it would add
    bool help = false;
    bool version = false;
    std::string command = "status";
    std::vector<std::string> args;
};

// Parses argv; on a usage error returns nothing and sets error to a one-line reason.
std::optional<CliOptions> ParseCommandLine(int argc, const char* const* argv, std::string& error);

}  // namespace tally::cli
