// SPDX-License-Identifier: MIT
#include "cli/commands/help.h"

#include <ostream>

namespace tally::cli {
namespace {

// Names stand in a column this wide; a longer one puts its text on the next line.
constexpr std::size_t kNameColumn = 24;

void PrintItem(std::ostream& out, const std::string& name, const char* text) {
    std::string line = "  " + name;
    if (line.size() >= kNameColumn) {
        out << line << '\n';
        line.clear();
    }
    line.resize(kNameColumn, ' ');
    out << line << text << '\n';
}

std::string OptionWithValue(const OptionEntry& option) {
    std::string text = option.shortName ? std::string(option.shortName) + ", " : "";
    text += option.name;
    if (option.value) text += std::string(" ") + option.value;
    return text;
}

}  // namespace

void PrintHelp(std::ostream& out) {
    out << "Usage: tally [OPTIONS] [COMMAND [ARGS]]\n\n"
           "Clock in and out and read your time log from a terminal.\n\nCommands:\n";
    for (const CommandEntry& command : Commands()) {
        const std::string args = *command.args ? std::string(" ") + command.args : "";
        PrintItem(out, command.name + args, command.summary);
    }
    out << "\nOptions (anywhere on the line; 'tally help COMMAND' says which it takes):\n";
    for (const OptionEntry& option : OptionTable())
        PrintItem(out, OptionWithValue(option), option.help);
}

void PrintCommandHelp(std::ostream& out, const CommandEntry& command) {
    out << "Usage: tally " << command.name << (*command.args ? " " : "") << command.args
        << (command.takes != 0 ? " [OPTIONS]" : "") << "\n\n"
        << command.about;
    if (command.takes != 0) {
        out << "\nOptions:\n";
        for (const OptionEntry& option : OptionTable()) {
            if ((command.takes & option.bit) != 0)
                PrintItem(out, OptionWithValue(option), option.help);
        }
    }
    out << "\nExample:\n  " << command.example << '\n';
}

int ShowHelp(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const bool helpCommand = options.commandNamed && options.command == "help";
    if (!options.commandNamed || (helpCommand && options.args.empty())) {
        PrintHelp(out);
        return kExitOk;
    }
    if (!helpCommand) {
        PrintCommandHelp(out, *FindCommand(options.command));
        return kExitOk;
    }
    if (options.args.size() > 1) return PrintUsageError(err, "help takes at most one command");
    const CommandEntry* command = FindCommand(options.args[0]);
    if (command == nullptr) return PrintUsageError(err, UnknownCommand(options.args[0]));
    PrintCommandHelp(out, *command);
    return kExitOk;
}

}  // namespace tally::cli
