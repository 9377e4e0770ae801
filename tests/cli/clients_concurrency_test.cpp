// SPDX-License-Identifier: MIT
// Three clients clocked in at once from three programs, with a switch among them: whatever
// order the clients lock lets them through in, one client is In afterwards, and status --all
// says what each log holds. TALLY_CONCURRENT_ROUNDS sets the rounds (a few by default).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "json_output.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

int Rounds() {
    const char* text = std::getenv("TALLY_CONCURRENT_ROUNDS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 4;
}

// The local time of a round's punches: two minutes apart, from 08:00 on.
std::string RoundTime(int round, int second) {
    const int minutes = 2 * round;
    return FormatC("2026-12-07 %02d:%02d:%02d", 8 + minutes / 60, minutes % 60, second);
}

bool EndsWithIn(const std::string& log) {
    const std::string bytes = ReadFile(log);
    return bytes.size() >= 31 && bytes.compare(bytes.size() - 31, 2, "In") == 0;
}

TEST(ClientsConcurrency, threeInsAndASwitchAtOnceLeaveOneClientIn) {
    TallyHarness tally;
    const std::vector<std::string> names = {"Acme", "Beta", "Gamma"};
    for (const std::string& name : names)
        ASSERT_EQ(
            tally.Run({"client", "add", name, "--log", tally.home.File(name + ".dat")}).exitCode,
            0);
    const int rounds = Rounds();
    int twoIn = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::vector<std::string>> commands;
        for (const std::string& name : names) commands.push_back({"--client", name, "in"});
        commands.push_back({"switch", names[round % 3]});
        for (const ProcessResult& r : tally.RunTogether(commands, RoundTime(round, 0)))
            EXPECT_FALSE(r.timedOut) << r.err;

        const OrderedJson all = ParseJsonOutput(tally.Run({"status", "--all", "--json"}).out);
        std::vector<std::string> in;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool open = EndsWithIn(tally.home.File(names[i] + ".dat"));
            EXPECT_EQ(all["clients"][i]["state"], open ? "In" : "Out") << names[i];
            if (open) in.push_back(names[i]);
        }
        EXPECT_EQ(in.size(), 1u) << testing::PrintToString(in);
        if (in.size() > 1) ++twoIn;
        for (const std::string& name : in)
            ASSERT_EQ(tally.Run({"--client", name, "out"}, RoundTime(round, 30)).exitCode, 0);
    }
    std::printf("%d rounds of three concurrent ins and a switch: %d with two clients In\n", rounds,
                twoIn);
}

}  // namespace
}  // namespace tally::test
