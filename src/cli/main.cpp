// SPDX-License-Identifier: MIT
// tally: the punch clock on the command line, on the same engine and settings as the window.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/cli_options.h"
#include "cli/command_context.h"
#include "cli/commands/client.h"
#include "cli/commands/help.h"
#include "core/tally_engine.h"
#include "core/version.h"
#include "log/time_log_file.h"
#include "settings/client_store.h"
#include "settings/settings_store.h"
#include "time/clock.h"

namespace {

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
    if (!options) return PrintUsageError(std::cerr, error);
    if (options->help && !options->commandNamed) {
        PrintHelp(std::cout);
        return kExitOk;
    }
    if (options->version) {
        std::cout << "tally " << kVersionString << '\n';
        return kExitOk;
    }
    const CommandEntry* command = FindCommand(options->command);
    if (command == nullptr) return PrintUsageError(std::cerr, UnknownCommand(options->command));
    // An option the command does not take would be silently ignored: a script that asks
    // for --tsv from invoice, or --by from add, would misread what it gets.
    if (const unsigned foreign = options->given & ~command->takes; foreign != 0 && !options->help) {
        const unsigned first = foreign & (~foreign + 1);
        return PrintUsageError(std::cerr,
                               options->command + " does not take " + OptionOfBit(first)->name);
    }
    if (options->help || command->run == nullptr) return ShowHelp(*options, std::cout, std::cerr);
    if (options->json && options->tsv)
        return PrintUsageError(std::cerr, "--json and --tsv do not go together");

    SettingsStore store;
    SystemClock clock;
    StderrReporter reporter;
    TallyEngine engine(clock, reporter);
    NoRows noRows;  // status, in and out show totals only; the list commands set their own
    engine.SetRowSink(&noRows);
    CommandContext context{*options, store, engine, std::cout, std::cerr, &reporter};

    // Never run on defaults because the store could not be read: a punch would land in the
    // default log, and config would write the store back without the user's options.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        std::cerr << "tally: " << problem << '\n';
        return kExitFailed;
    }
    if (options->command != "config") {
        store.Load(engine.Settings());
        context.clients = ReadClients(store.Raw());
        context.optionsRate = engine.Settings().Rate;
        // invoices takes a client's name as a filter: a removed client's invoices stay listed.
        if (options->client && options->command != "invoices") {
            if (options->logPath)
                return context.UsageError("--client and --log do not go together");
            const Client* client = FindClient(context.clients, *options->client);
            if (client == nullptr)
                return context.UsageError(UnknownClient(*options->client, context.clients));
            engine.Settings().DataLog = client->log;
        } else if (options->logPath) {
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
        engine.Settings().Rate =
            EffectiveRate(context.clients, engine.Settings().DataLog, engine.Settings().Rate);
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
