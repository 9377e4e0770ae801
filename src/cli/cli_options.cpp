// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <cstring>

#include "cli/near_miss.h"
#include "clients/amount_text.h"

namespace tally::cli {
namespace {

// Where each option's value goes: a text for those with a value, else a flag.
struct OptionField {
    std::optional<std::string> CliOptions::*text;
    bool CliOptions::*flag;
};

OptionField FieldOf(const OptionEntry& option) {
    switch (option.bit) {
        case kLogOption:
            return {&CliOptions::logPath, nullptr};
        case kTsvOption:
            return {nullptr, &CliOptions::tsv};
        case kJsonOption:
            return {nullptr, &CliOptions::json};
        case kRateOption:
            return {&CliOptions::rate, nullptr};
        case kFormatOption:
            return {&CliOptions::format, nullptr};
        case kByOption:
            return {&CliOptions::by, nullptr};
        case kDryRunOption:
            return {nullptr, &CliOptions::dryRun};
        case kClientOption:
            return {&CliOptions::client, nullptr};
        case kCurrencyOption:
            return {&CliOptions::currency, nullptr};
        case kTaxOption:
            return {&CliOptions::tax, nullptr};
        case kAddressOption:
            return {&CliOptions::address, nullptr};
        case kDaysOption:
            return {&CliOptions::days, nullptr};
        case kAllOption:
            return {nullptr, &CliOptions::all};
        case kPdfOption:
            return {&CliOptions::pdf, nullptr};
        case kLinesOption:
            return {&CliOptions::lines, nullptr};
        case kXmlOption:
            return {&CliOptions::xml, nullptr};
        case kEInvoiceOption:
            return {nullptr, &CliOptions::einvoice};
        case kAtOption:
            return {&CliOptions::at, nullptr};
        case kKeepOption:
            return {&CliOptions::keep, nullptr};
        default:
            break;
    }
    return {nullptr,
            std::strcmp(option.name, "--help") == 0 ? &CliOptions::help : &CliOptions::version};
}

std::string UnknownOption(const std::string& arg) {
    std::vector<std::string> names;
    for (const OptionEntry& option : OptionTable()) names.emplace_back(option.name);
    // Only the name counts: "--jsno=x" is near "--json" as "--jsno" is.
    const auto nearest = NearestName(arg.substr(0, arg.find('=')), names);
    return "unknown option " + arg + (nearest ? " (did you mean " + *nearest + "?)" : "");
}

}  // namespace

std::span<const OptionEntry> OptionTable() {
    // Made at the first call (inside main's handler) to name the one bound of a rate.
    static const std::string rateHelp =
        "hourly rate from 0 to " + MaxRateText() + " instead of Rate";
    static const OptionEntry options[] = {
        {"--log", nullptr, "PATH", kLogOption, "this time log instead of DataLog's (not stored)"},
        {"--tsv", nullptr, nullptr, kTsvOption, "tab-separated cells, no alignment, for scripts"},
        {"--json", nullptr, nullptr, kJsonOption, "one JSON document, for scripts"},
        {"--rate", nullptr, "R", kRateOption, rateHelp.c_str()},
        {"--format", nullptr, "csv|timeclock|ical", kFormatOption,
         "what export writes (default csv)"},
        {"--by", nullptr, "day|week|month|period", kByOption, "report's buckets (default period)"},
        {"--dry-run", nullptr, nullptr, kDryRunOption, "show what would be added, add nothing"},
        {"--client", nullptr, "NAME", kClientOption, "that client's time log and rate"},
        {"--currency", nullptr, "C", kCurrencyOption, "the client's currency (EUR, USD)"},
        {"--tax", nullptr, "P", kTaxOption, "the client's tax rate in percent (0: none)"},
        {"--address", nullptr, "TEXT", kAddressOption,
         "the client's billing address (\\n: a new line)"},
        {"--days", nullptr, "N", kDaysOption, "the client's payment days (default 14)"},
        {"--all", nullptr, nullptr, kAllOption, "one row per client"},
        {"--pdf", nullptr, "FILE", kPdfOption, "issue the client's numbered PDF invoice to FILE"},
        {"--lines", nullptr, "day|period", kLinesOption,
         "the PDF's lines: one per day (default) or one for the period"},
        {"--xml", nullptr, "FILE", kXmlOption,
         "the invoice's e-invoice XML (EN 16931 CII) to FILE"},
        {"--einvoice", nullptr, nullptr, kEInvoiceOption,
         "refuse an invoice that cannot be an e-invoice"},
        {"--at", nullptr, "TIME", kAtOption,
         "punch at TIME instead of now (forms: tally in --help)"},
        {"--keep", nullptr, "log|copy", kKeepOption, "merge: the side that wins every conflict"},
        {"--help", "-h", nullptr, 0, "show the help (of the command, after one)"},
        {"--version", "-V", nullptr, 0, "show the version"},
    };
    return options;
}

const OptionEntry* OptionOfBit(unsigned bit) {
    for (const OptionEntry& option : OptionTable()) {
        if (option.bit == bit) return &option;
    }
    return nullptr;
}

std::optional<CliOptions> ParseCommandLine(int argc, const char* const* argv, std::string& error) {
    CliOptions options;
    std::vector<std::string> positional;
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
        const OptionEntry* matched = nullptr;
        std::optional<std::string> inlineValue;  // --name=value
        for (const OptionEntry& option : OptionTable()) {
            const std::size_t n = std::strlen(option.name);
            if (arg == option.name || (option.shortName && arg == option.shortName)) {
                matched = &option;
            } else if (option.value && arg.compare(0, n, option.name) == 0 && arg.size() > n &&
                       arg[n] == '=') {
                matched = &option;
                inlineValue = arg.substr(n + 1);
            }
            if (matched) break;
        }
        if (!matched) {
            error = UnknownOption(arg);
            return std::nullopt;
        }
        const OptionField field = FieldOf(*matched);
        if (field.flag) {
            options.*(field.flag) = true;
        } else if (inlineValue) {
            options.*(field.text) = *inlineValue;
        } else if (i + 1 < argc) {
            options.*(field.text) = argv[++i];
        } else {
            error = std::string("option ") + matched->name + " needs a value";
            return std::nullopt;
        }
        options.given |= matched->bit;
    }
    if (!positional.empty()) {
        options.command = positional.front();
        options.commandNamed = true;
        options.args.assign(positional.begin() + 1, positional.end());
    }
    return options;
}

}  // namespace tally::cli
