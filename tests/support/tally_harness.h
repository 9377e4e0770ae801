// SPDX-License-Identifier: MIT
#pragma once
// Runs the built tally as a new user would: a fresh home with its own settings, a frozen
// clock through faketime. Targets that use it are declared with RUNS_TALLY (TALLY_BINARY).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "process.h"
#include "test_support.h"

namespace tally::test {

class TallyHarness {
  public:
    std::string Home() const { return home.Path().string(); }
    std::string Log() const { return home.File("TALLYBK.DAT"); }  // a new user's default log
    // The settings file tally reads and writes in this home, for a window under test to share.
    std::string StoreFile() const {
        return Home() + "/.config/Local AppWizard-Generated Applications/Quillfen's TallyBook.conf";
    }

    static constexpr const char* kNow = "2026-12-07 09:00:00";

    // The new user's home and settings folder, for running tally (or a wrapper around it)
    // without faketime.
    ProcessOptions InHome() const {
        ProcessOptions options;
        options.env = {{"HOME", Home()}, {"XDG_CONFIG_HOME", Home() + "/.config"}};
        return options;
    }

    // Runs tally in the new user's home with the clock frozen at a local time.
    ProcessResult Run(const std::vector<std::string>& args, const std::string& at = kNow,
                      ProcessOptions options = {}) const {
        options.env.merge(FrozenClock().env);
        return RunProcess(CommandLine(args, at), options);
    }

    // Runs several tally command lines at once, each as Run runs one; results in order.
    std::vector<ProcessResult> RunTogether(const std::vector<std::vector<std::string>>& commands,
                                           const std::string& at = kNow) const {
        std::vector<std::vector<std::string>> argvs;
        for (const auto& args : commands) argvs.push_back(CommandLine(args, at));
        return RunProcessesTogether(argvs, FrozenClock());
    }

    // Expects the arguments refused as a usage error: exit 2, nothing on standard output, and
    // on standard error one line with the reason (any, when none is given) and the hint.
    void ExpectUsageError(const std::vector<std::string>& args,
                          const std::string& reason = {}) const {
        const ProcessResult r = Run(args);
        const std::string hint = "\nTry 'tally --help' for more information.\n";
        EXPECT_EQ(r.exitCode, 2) << testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        if (!reason.empty()) {
            EXPECT_EQ(r.err, "tally: " + reason + hint);
        } else {
            EXPECT_TRUE(r.err.starts_with("tally: ") && r.err.ends_with(hint) &&
                        std::count(r.err.begin(), r.err.end(), '\n') == 2)
                << r.err;
        }
    }

    TempDir home;

  private:
    static std::vector<std::string> CommandLine(const std::vector<std::string>& args,
                                                const std::string& at) {
        std::vector<std::string> argv{"faketime", "-f", at, TALLY_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }

    ProcessOptions FrozenClock() const {
        ProcessOptions options = InHome();
        // Only the wall clock stands still: waits (the lock's) still end.
        options.env.emplace("FAKETIME_DONT_FAKE_MONOTONIC", "1");
        // faketime's library is loaded before the sanitizer's.
        options.env.emplace("ASAN_OPTIONS", "verify_asan_link_order=0");
        return options;
    }
};

}  // namespace tally::test
