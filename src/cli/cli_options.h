// SPDX-License-Identifier: MIT
#pragma once
// The command line of tally: options may stand anywhere; the rest are the command and
// its arguments.

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tally::cli {

// One bit per option a command may take, so that each command can name the ones it takes.
enum OptionBit : unsigned {
    kLogOption = 1u << 0,
    kTsvOption = 1u << 1,
    kJsonOption = 1u << 2,
    kRateOption = 1u << 3,
    kFormatOption = 1u << 4,
    kByOption = 1u << 5,
    kDryRunOption = 1u << 6,
    kClientOption = 1u << 7,
    kCurrencyOption = 1u << 8,
    kTaxOption = 1u << 9,
    kAddressOption = 1u << 10,
    kDaysOption = 1u << 11,
    kAllOption = 1u << 12,
    kPdfOption = 1u << 13,
    kAtOption = 1u << 14,
    kKeepOption = 1u << 15,
    kLinesOption = 1u << 16,
    kXmlOption = 1u << 17,
    kEInvoiceOption = 1u << 18,
};

struct CliOptions {
    std::optional<std::string> logPath;   // --log PATH
    std::optional<std::string> rate;      // --rate R
    std::optional<std::string> format;    // --format csv|timeclock|ical
    std::optional<std::string> by;        // --by day|week|month|period (report)
    std::optional<std::string> client;    // --client NAME
    std::optional<std::string> currency;  // --currency C (client add)
    std::optional<std::string> tax;       // --tax P (client add)
    std::optional<std::string> address;   // --address TEXT (client add)
    std::optional<std::string> days;      // --days N (client add)
    std::optional<std::string> pdf;       // --pdf FILE (invoice)
    std::optional<std::string> lines;     // --lines day|period (invoice --pdf)
    std::optional<std::string> xml;       // --xml FILE (invoice)
    std::optional<std::string> at;        // --at TIME (in, out)
    std::optional<std::string> keep;      // --keep log|copy (merge)
    bool tsv = false;
    bool json = false;      // --json: one JSON document (commands that take it)
    bool dryRun = false;    // --dry-run: import shows what it would add
    bool all = false;       // --all: status of every client
    bool einvoice = false;  // --einvoice: refuse an invoice that cannot be an e-invoice
    bool help = false;
    bool version = false;
    unsigned given = 0;         // the OptionBits on the line
    bool commandNamed = false;  // false: the default command, no word named it
    std::string command = "status";
    std::vector<std::string> args;
};

// An option as the help lists it and the parser reads it.
struct OptionEntry {
    const char* name;       // "--log"
    const char* shortName;  // "-h", or nullptr
    const char* value;      // what follows it in the help ("PATH"), nullptr for a flag
    unsigned bit;           // its OptionBit; 0 for --help and --version, which every command takes
    const char* help;       // one line for the help
};

// Every option in the order the help lists them.
std::span<const OptionEntry> OptionTable();
// The option of a bit; nullptr for none.
const OptionEntry* OptionOfBit(unsigned bit);

// Parses argv; on a usage error returns nothing and sets error to a one-line reason.
std::optional<CliOptions> ParseCommandLine(int argc, const char* const* argv, std::string& error);

}  // namespace tally::cli
