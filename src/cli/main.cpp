// SPDX-License-Identifier: MIT
// tally: the punch clock on the command line, on the same engine and settings as the window.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/cli_options.h"
#include "cli/command_context.h"
#include "core/clock.h"
#include "core/tally_engine.h"
#include "core/time_log_file.h"
#include "core/version.h"
#include "settings/settings_store.h"

namespace {

constexpr const char* kHelp = R"(Usage: tally [OPTIONS] [COMMAND [ARGS]]

Clock in and out and read your time log from a terminal.

Commands:
  status (default)      state and the two totals boxes, brought up to now  [--json]
  in | out              clock in / clock out, then the status
  days                  the daily elapsed times  [--json]
  log                   every raw punch  [--json]
  invoice START END     invoice text, START/END as YYYY-MM-DD  [--rate R]
  export [START END] [--format csv|timeclock|--json]
                        every closed pair (or those whose In date lies in the range)
  report [START END] [--by day|week|month|period] [--rate R]
                        time, hours and amount per day, week, month or billing
                        period (default), and their total  [--json]
  add START END         add a closed pair that was never punched, each time as
                        "YYYY-MM-DD HH:MM[:SS]" local time; split at midnight
  import FORMAT FILE [--dry-run]
                        add every closed interval of FILE (csv, timeclock,
                        timewarrior, watson); nothing at all when any conflicts
  config [KEY [VALUE]]  show the seven options and the two reminders, or set one;
                        IdleMinutes 0-1440, LongDayHours 0-24 (0 turns one off)
  check [--json]        where the scan of the log stops, and records it cannot use;
                        exit 1 when anything is found

Options (anywhere on the line):
  --log PATH            use this time log instead of the DataLog option (not stored)
  --tsv                 tab-separated cells, no alignment, for scripts
  --json                one JSON document, for scripts (status, days, log, export,
                        config, check)
  --dry-run             import: show what would be added, add nothing
  --help                show this help
  --version             show the version
)";

// Messages of the engine go to standard error, without their caption.
class StderrReporter final : public tally::Reporter {
  public:
    void Report(const tally::Message& message) override {
        std::cerr << message.text;
        if (message.text.empty() || message.text.back() != '\n') std::cerr << '\n';
    }
};

// Standard output is buffered: a write that failed (a full disk, /dev/full) shows only here.
int FlushOutput(int exitCode) {
    errno = 0;
    std::cout.flush();
    if (std::cout.good()) return exitCode;
    std::cerr << "tally: cannot write the output";
    if (errno != 0) std::cerr << ": " << std::strerror(errno);
    std::cerr << '\n';
    return tally::cli::kExitFailed;
}

int Run(int argc, char** argv) {
    using namespace tally;
    using namespace tally::cli;
    // No QCoreApplication: QSettings needs none, and a start-up without one is quicker.

    std::string error;
    const auto options = ParseCommandLine(argc, argv, error);
    if (!options) {
        std::cerr << "tally: " << error << "\nTry 'tally --help' for more information.\n";
        return kExitUsage;
    }
    if (options->help) {
        std::cout << kHelp;
        return kExitOk;
    }
    if (options->version) {
        std::cout << "tally " << kVersionString << '\n';
        return kExitOk;
    }

    SettingsStore store;
    SystemClock clock;
    StderrReporter reporter;
    TallyEngine engine(clock, reporter);
    NoRows noRows;  // status, in and out show totals only; the list commands set their own
    engine.SetRowSink(&noRows);
    CommandContext context{*options, store, engine, std::cout, std::cerr};

    const CommandEntry* command = nullptr;
    for (const CommandEntry& entry : Commands()) {
        if (options->command == entry.name) command = &entry;
    }
    if (command == nullptr) return context.UsageError("unknown command '" + options->command + "'");
    // Scripts that ask for JSON must not get text they would misread.
    if (options->json && !command->json) {
        return context.UsageError(options->command + " has no --json output");
    }
    if (options->json && options->tsv)
        return context.UsageError("--json and --tsv do not go together");

    if (options->dryRun && options->command != "import") {
        return context.UsageError("only import takes --dry-run");
    }

    // Never run on defaults because the store could not be read: a punch would land in the
    // default log, and config would write the store back without the user's options.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        std::cerr << "tally: " << problem << '\n';
        return kExitFailed;
    }
    if (options->command != "config") {
        store.Load(engine.Settings());
        if (options->logPath) {
            if (options->logPath->empty()) return context.UsageError("--log needs a file path");
            std::error_code error;
            const auto absolute = std::filesystem::absolute(*options->logPath, error);
            if (error) {
                std::cerr << "tally: cannot use " << *options->logPath << ": " << error.message()
                          << '\n';
                return kExitFailed;
            }
            engine.Settings().DataLog = absolute.string();
        }
    }
    return command->run(context);
}

}  // namespace

int main(int argc, char** argv) {
    tally::IgnoreFileSizeSignal();
    int exitCode = tally::cli::kExitFailed;
    try {
        exitCode = Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tally: " << e.what() << '\n';
        return tally::cli::kExitFailed;
    } catch (...) {
        std::cerr << "tally: unexpected failure\n";
        return tally::cli::kExitFailed;
    }
    return FlushOutput(exitCode);
}
