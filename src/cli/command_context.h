// SPDX-License-Identifier: MIT
#pragma once
// What every command of tally gets: its options, the settings store, the engine and the
// output streams.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "clients/client.h"
#include "core/tally_engine.h"
#include "settings/client_store.h"
#include "settings/settings_store.h"

namespace tally::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandContext {
    const CliOptions& options;
    SettingsStore& store;
    TallyEngine& engine;
    std::ostream& out;
    std::ostream& err;
    Reporter* reporter = nullptr;      // where the engine's messages go
    std::vector<Client> clients = {};  // every client in the store
    double optionsRate = 0.0;          // the stored Rate, for logs without a client rate

    // Prints a one-line usage error with the hint to --help; returns the usage exit code.
    int UsageError(const std::string& reason) const;
    // Scans the log; false (with the reason on err) when it exists but cannot be read. A
    // scan that stops early is a warning on err.
    bool Scan();
    // Scan() with the rows handed to rows, which the engine forgets again after the scan.
    bool ScanInto(RowSink& rows);
    // The hourly rate of --rate, else the log's effective rate (its client's, else Rate). A --rate
    // that is negative, not finite or above kMaxRate is a usage error: nothing, the reason printed.
    std::optional<double> Rate() const;
    // The local date of the engine's clock.
    CalendarDate Today() const;
    // The client of the log, where one is defined; else nullptr.
    const Client* LogClient() const { return ClientOfLog(clients, engine.Settings().DataLog); }
    // The warning of a scan that stopped early (nothing when it read the whole log).
    void WarnScanStop(const ScanStop& stop) const;
    // The warning that count days or pairs ("day", "days") were left out for a damaged date.
    void WarnDamagedDates(std::int64_t count, const char* one, const char* many) const;
    // True when the log can be read or is missing (nothing to read); else the reason is
    // printed on err.
    bool LogReadableOrMissing() const;
    // After a write to the settings store: kExitOk when it reached the file, else
    // kExitFailed with the reason on err.
    int StoreWritten() const;
    // A change made under the clients lock as an exit code: a bad value is a usage error, any
    // other failure is printed on err.
    int StoreChanged(const ClientStoreChange& change) const;
};

using CommandFunction = int (*)(CommandContext&);

// A command and its help: the help lives beside the command, so no list repeats the names.
struct CommandEntry {
    const char* name;
    CommandFunction run;
    unsigned takes;       // the OptionBits it takes (--help and --version go with every one)
    const char* args;     // its arguments as the synopsis shows them ("START END"), or ""
    const char* summary;  // one line for the list of commands
    const char* about;    // a few lines for its own help, each ending in a line feed
    const char* example;  // one command line
};

// The command table in the order the help lists it; status is the default.
const std::vector<CommandEntry>& Commands();
// The command of that name; nullptr for none.
const CommandEntry* FindCommand(const std::string& name);
// The usage error for a command that is none, with the one it is near to, if any.
std::string UnknownCommand(const std::string& name);

// A file path a user typed for a file the program will write: made absolute into path, or the
// reason it cannot be (empty, not a regular file, no such folder); empty when it can.
std::string WritableFilePath(const std::string& typed, const std::string& whatNeedsIt,
                             std::string& path);

// Prints a one-line usage error with the hint to --help; returns the usage exit code.
int PrintUsageError(std::ostream& err, const std::string& reason);

// Cells joined by TAB for --tsv (TAB, CR, LF inside a cell become blanks), or padded to
// the given widths for people.
void PrintRow(std::ostream& out, const std::vector<std::string>& cells, bool tsv,
              const std::vector<int>& widths);

}  // namespace tally::cli
