// SPDX-License-Identifier: MIT
// No time log, however malformed, may crash tally or make it read or write out of bounds
// (the sanitizer build turns any such access into a failing exit code).

#include <gtest/gtest.h>

#include <random>

#include "tally_harness.h"

namespace tally::test {
namespace {

const std::string kValidLog = Crlf(
    "In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 12:30:00 2004\nElapsed time of 03:30:00.\n"
    "In...Tue Jan 06 08:00:00 2004\nOut..Tue Jan 06 10:00:00 2004\nElapsed time of 02:00:00.\n"
    "In...Wed Jan 07 08:00:00 2004\n");

std::string RandomBytes(std::mt19937& rng, std::size_t length) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(rng() & 0xff);
    return bytes;
}

// A valid log with a few bytes replaced, inserted or removed.
std::string Mutated(std::mt19937& rng) {
    std::string log = kValidLog;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < edits && !log.empty(); ++i) {
        const std::size_t at = rng() % log.size();
        switch (rng() % 3) {
            case 0:
                log[at] = static_cast<char>(rng() & 0xff);
                break;
            case 1:
                log.insert(at, 1, static_cast<char>(rng() & 0xff));
                break;
            default:
                log.erase(at, 1 + rng() % 40);
                break;
        }
    }
    return log;
}

TEST(TallyFuzz, malformedLogsNeverCrashTheReaders) {
    TallyHarness tally;
    std::mt19937 rng(20261207);
    for (int round = 0; round < 40; ++round) {
        std::string log;
        switch (round % 4) {
            case 0:
                log = RandomBytes(rng, rng() % 400);
                break;
            case 1:
                log = RandomBytes(rng, 31 * (1 + rng() % 6));
                break;
            default:
                log = Mutated(rng);
                break;
        }
        WriteFile(tally.Log(), log);
        for (const char* command : {"status", "days", "log"}) {
            const ProcessResult r = tally.Run({command, "--tsv"}, "2026-12-07 09:00:00");
            ASSERT_EQ(r.exitCode, 0) << command << " round " << round << "\n" << r.err;
        }
        // A punch on a damaged log either appends whole lines or refuses and changes nothing.
        const ProcessResult punch = tally.Run({round % 2 ? "in" : "out"}, "2026-12-07 09:00:00");
        ASSERT_TRUE(punch.exitCode == 0 || punch.exitCode == 1) << punch.err;
        const std::string after = ReadFile(tally.Log());
        if (punch.exitCode == 1) {
            EXPECT_EQ(after, log);
        } else {
            EXPECT_EQ(after.compare(0, log.size(), log), 0);
            const std::size_t added = after.size() - log.size();
            EXPECT_TRUE(added == 31 || added == 58 || added == 147) << added;  // In, Out, split
        }
    }
}

}  // namespace
}  // namespace tally::test
