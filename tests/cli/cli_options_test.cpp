// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace tally::cli {
namespace {

std::optional<CliOptions> Parse(std::vector<const char*> args, std::string* error = nullptr) {
    args.insert(args.begin(), "tally");
    std::string ignored;
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), error ? *error : ignored);
}

TEST(CommandLine, optionsMayStandAnywhere) {
    const auto o =
        Parse({"--tsv", "invoice", "2004-06-01", "--log", "x.dat", "2004-06-30", "--rate=12.5"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->tsv);
    EXPECT_EQ(o->command, "invoice");
    EXPECT_EQ(o->args, (std::vector<std::string>{"2004-06-01", "2004-06-30"}));
    EXPECT_EQ(o->logPath, "x.dat");
    EXPECT_EQ(o->rate, "12.5");
}

TEST(CommandLine, statusIsTheDefaultCommand) {
    const auto o = Parse({});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->command, "status");
    EXPECT_TRUE(o->args.empty());
}

TEST(CommandLine, rejectsUnknownOptionsAndMissingValues) {
    std::string error;
    EXPECT_FALSE(Parse({"--frobnicate"}, &error));
    EXPECT_EQ(error, "unknown option --frobnicate");
    EXPECT_FALSE(Parse({"status", "--log"}, &error));
    EXPECT_EQ(error, "option --log needs a value");
}

TEST(CommandLine, doubleDashEndsOptions) {
    const auto o = Parse({"config", "Rate", "--", "-5"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->args, (std::vector<std::string>{"Rate", "-5"}));
}

}  // namespace
}  // namespace tally::cli
