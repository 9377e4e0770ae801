// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <cstring>

namespace tally::cli {

std::optional<CliOptions> ParseCommandLine(int argc, const char* const* argv, std::string& error) {
    CliOptions options;
    std::vector<std::string> positional;
    struct Valued {
        const char* name;
        std::optional<std::string> CliOptions::*field;
    };
    static constexpr Valued kValued[] = {{"--log", &CliOptions::logPath},
                                         {"--rate", &CliOptions::rate},
                                         {"--format", &CliOptions::format},
                                         {"--by", &CliOptions::by}};
    bool onlyPositional = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (onlyPositional || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg == "--tsv") {
            options.tsv = true;
            continue;
        }
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        if (arg == "--dry-run") {
            options.dryRun = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version" || arg == "-V") {
            options.version = true;
            continue;
        }
        bool matched = false;
        for (const Valued& v : kValued) {
            const std::size_t n = std::strlen(v.name);
            if (arg == v.name) {
                if (i + 1 >= argc) {
                    error = std::string("option ") + v.name + " needs a value";
                    return std::nullopt;
                }
                options.*(v.field) = argv[++i];
                matched = true;
            } else if (arg.compare(0, n, v.name) == 0 && arg.size() > n && arg[n] == '=') {
                options.*(v.field) = arg.substr(n + 1);
                matched = true;
            }
            if (matched) break;
        }
        if (!matched) {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (!positional.empty()) {
        options.command = positional.front();
        options.args.assign(positional.begin() + 1, positional.end());
    }
    return options;
}

}  // namespace tally::cli
