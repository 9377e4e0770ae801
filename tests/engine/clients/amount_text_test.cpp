// SPDX-License-Identifier: MIT
// A rate or amount as config, tally client and the Clients dialog take it.

#include <gtest/gtest.h>

#include "clients/amount_text.h"

namespace tally::test {
namespace {

TEST(AmountText, aRateIsTheWholeTextFromZeroToTheBound) {
    const struct {
        const char* typed;
        std::optional<double> read;
    } cases[] = {
        {"90", 90.0},
        {"12.5", 12.5},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e9", 1e9},
        {"1000000000", 1e9},
        {"0", 0.0},
        {"1e10", std::nullopt},
        {"1000000000.5", std::nullopt},
        {"-0", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"12,5", std::nullopt},
        {"12abc", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseRate(c.typed), c.read) << '"' << c.typed << '"';
    EXPECT_EQ(ParseAmount("100", 100.0), 100.0);
    EXPECT_EQ(ParseAmount("100.01", 100.0), std::nullopt);
    EXPECT_EQ(MaxRateText(), "1000000000");
}

}  // namespace
}  // namespace tally::test
