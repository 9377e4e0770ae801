// SPDX-License-Identifier: MIT
#include "time/elapsed_time.h"

#include <gtest/gtest.h>

#include <string>

namespace tally {
namespace {

struct RoundCase {
    int unit;
    ELAPSEDTIME in;
    ELAPSEDTIME out;
};

class RoundElapsedTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundElapsedTable, roundsToTheNearestUnitHalfUp) {
    ELAPSEDTIME e = GetParam().in;
    RoundElapsed(e, {kRoundAllElapsed, GetParam().unit});
    EXPECT_EQ(e, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Units, RoundElapsedTable,
    ::testing::Values(RoundCase{15, {1, 7, 29}, {1, 0, 0}}, RoundCase{15, {1, 7, 30}, {1, 15, 0}},
                      RoundCase{15, {1, 22, 29}, {1, 15, 0}},
                      RoundCase{15, {1, 22, 30}, {1, 30, 0}},
                      RoundCase{15, {1, 37, 30}, {1, 45, 0}},
                      RoundCase{15, {1, 52, 29}, {1, 45, 0}}, RoundCase{15, {1, 52, 30}, {2, 0, 0}},
                      RoundCase{30, {0, 14, 59}, {0, 0, 0}}, RoundCase{30, {0, 15, 0}, {0, 30, 0}},
                      RoundCase{30, {0, 44, 59}, {0, 30, 0}}, RoundCase{30, {0, 45, 0}, {1, 0, 0}},
                      RoundCase{1, {0, 0, 29}, {0, 0, 0}}, RoundCase{1, {0, 59, 30}, {1, 0, 0}},
                      RoundCase{0, {0, 7, 31}, {0, 7, 31}}, RoundCase{7, {0, 7, 31}, {0, 7, 31}},
                      RoundCase{15, {0, 0, 125}, {0, 0, 0}},
                      RoundCase{15, {124, 5, 0}, {124, 0, 0}}));

TEST(RoundElapsed, onlyNormalisesWithoutARoundingType) {
    for (int unit : {0, 1, 15, 30}) {
        ELAPSEDTIME e{0, 7, 31};
        RoundElapsed(e, {kRoundNone, unit});
        EXPECT_EQ(e, (ELAPSEDTIME{0, 7, 31}));
    }
    ELAPSEDTIME e{1, 119, 61};
    RoundElapsed(e, {kRoundNone, 15});
    EXPECT_EQ(e, (ELAPSEDTIME{3, 0, 1}));
}

TEST(AddElapsed, roundsWhatItAddsWheneverARoundingTypeIsChosen) {
    const ELAPSEDTIME value{0, 7, 30};
    ELAPSEDTIME none{1, 0, 0};
    AddElapsed(none, value, {kRoundNone, 15});
    EXPECT_EQ(none, (ELAPSEDTIME{1, 7, 30}));
    for (int type : {kRoundAllElapsed, kRoundInOut, kRoundDaily}) {
        ELAPSEDTIME total{1, 0, 0};
        AddElapsed(total, value, {type, 15});
        EXPECT_EQ(total, (ELAPSEDTIME{1, 15, 0})) << type;
    }
}

TEST(AddElapsed, roundsTheSumAgainOnlyForDailyTotals) {
    // A target that is itself unrounded shows whether the sum is rounded after adding.
    ELAPSEDTIME all{0, 7, 0};
    AddElapsed(all, {0, 1, 0}, {kRoundAllElapsed, 15});
    EXPECT_EQ(all, (ELAPSEDTIME{0, 7, 0}));
    ELAPSEDTIME daily{0, 7, 0};
    AddElapsed(daily, {0, 1, 0}, {kRoundDaily, 15});
    EXPECT_EQ(daily, (ELAPSEDTIME{0, 0, 0}));
    ELAPSEDTIME carry{0, 59, 50};
    AddElapsed(carry, {0, 0, 20}, {kRoundNone, 0});
    EXPECT_EQ(carry, (ELAPSEDTIME{1, 0, 10}));
}

TEST(SplitSeconds, splitsAndJoins) {
    EXPECT_EQ(SplitSeconds(45296), (ELAPSEDTIME{12, 34, 56}));
    EXPECT_EQ(SplitSeconds(90000), (ELAPSEDTIME{25, 0, 0}));
    EXPECT_EQ(ElapsedToSeconds({124, 5, 0}), 446700);
}

TEST(SplitWithinDay, dropsWholeDaysAndKeepsTheSignOfEachPart) {
    struct Case {
        std::int64_t seconds;
        ELAPSEDTIME parts;
    };
    for (const Case& c : {Case{0, {0, 0, 0}}, Case{741, {0, 12, 21}}, Case{86399, {23, 59, 59}},
                          Case{86400, {0, 0, 0}}, Case{90061, {1, 1, 1}}, Case{-30, {0, 0, -30}},
                          Case{-3700, {-1, -1, -40}}, Case{-90061, {-1, -1, -1}},
                          Case{1000000000000, {1, 46, 40}}}) {
        EXPECT_EQ(SplitWithinDay(c.seconds), c.parts) << c.seconds;
    }
}

TEST(RoundPunchFields, roundsTheTimeOfDayInPlace) {
    char record[32] = "In...Mon Jan 05 23:53:00 2004";
    RoundPunchFields(record, {kRoundInOut, 15});
    EXPECT_STREQ(record, "In...Mon Jan 05 24:00:00 2004");  // the date never changes
    char minute[32] = "Out..Tue Feb 29 09:40:30 2000";
    RoundPunchFields(minute, {kRoundInOut, 1});
    EXPECT_STREQ(minute, "Out..Tue Feb 29 09:41:00 2000");
    char untouched[32] = "Out..Tue Feb 29 09:40:30 2000";
    RoundPunchFields(untouched, {kRoundNone, 1});
    EXPECT_STREQ(untouched, "Out..Tue Feb 29 09:40:30 2000");
}

TEST(MoneyAmount, usesTheHourlyRate) {
    EXPECT_NEAR(MoneyAmount({1, 30, 0}, 30), 45.0, 1e-9);
    EXPECT_NEAR(MoneyAmount({9, 45, 30}, 20), 195.1666666, 1e-6);
    EXPECT_EQ(MoneyAmount({9, 45, 30}, 0), 0.0);
}

}  // namespace
}  // namespace tally
