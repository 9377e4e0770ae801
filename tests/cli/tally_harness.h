#pragma once
// Runs the built tally as a new user would: a fresh home with its own settings, a frozen
// clock through faketime.

#include <string>
#include <vector>

#include "process.h"
#include "test_support.h"

namespace tally::test {

class TallyHarness {
  public:
    std::string Home() const { return home.Path().string(); }
    std::string Log() const { return home.File("TALLYBK.DAT"); }

    // Runs tally with the clock frozen at a local time ("2026-12-07 09:00:00"), or the real
    // clock when at is empty.
    ProcessResult Run(const std::vector<std::string>& args, const std::string& at = {}) const {
        std::vector<std::string> argv;
        if (!at.empty()) argv = {"faketime", "-f", at};
        argv.push_back(TALLY_BINARY);
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProcess(argv, {{"HOME", Home()},
                                 {"XDG_CONFIG_HOME", Home() + "/.config"},
                                 {"ASAN_OPTIONS", "verify_asan_link_order=0"}});
    }

    TempDir home;
};

}  // namespace tally::test
