// SPDX-License-Identifier: MIT
// tally invoice run as a user runs it: the built program, a fresh home and settings
// folder, a time log of several weeks.

#include <gtest/gtest.h>

#include <vector>

#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

class InvoiceCommandTest : public ::testing::Test {
  protected:
    // Weekdays from Monday 2004-05-31 to Friday 2004-06-18: two pairs on Mondays,
    // Wednesdays and Fridays (7:48:00), one on Tuesdays and Thursdays (6:30:29).
    void SetUp() override {
        std::string log;
        for (int day = 31; day <= 49; ++day) {
            const int weekday = (day - 31) % 7;  // 0 Monday
            if (weekday > 4) continue;
            const int month = day <= 31 ? 5 : 6;
            const int dom = day <= 31 ? day : day - 31;
            char date[16];
            std::snprintf(date, sizeof date, "2004-%02d-%02d ", month, dom);
            const std::string d = date;
            if (weekday % 2 == 0) {
                log +=
                    Triple(d + "08:52:40", d + "12:07:10") + Triple(d + "12:48:00", d + "17:21:30");
            } else {
                log += Triple(d + "09:05:00", d + "15:35:29");
            }
        }
        WriteFile(tally.Log(), log);
    }

    TallyHarness tally;
    TempDir scratch;
};

TEST_F(InvoiceCommandTest, newUserGetsTheWeekAtTheStoredDefaultRate) {
    const ProcessResult run = tally.Run({"invoice", "2004-06-07", "2004-06-13"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "2004-06-07 7:48 = 0.00\n"
              "2004-06-08 6:30 = 0.00\n"
              "2004-06-09 7:48 = 0.00\n"
              "2004-06-10 6:30 = 0.00\n"
              "2004-06-11 07:48 = 0.00\n"
              "36 hours, 24 minutes = 0.00\n");
}

TEST_F(InvoiceCommandTest, rateOptionTakesThePlaceOfTheStoredRate) {
    ASSERT_EQ(tally.Run({"config", "Rate", "12.5"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"invoice", "2004-06-07", "2004-06-13", "--rate", "10"}).out,
              "2004-06-07 7:48 = 78.00\n"
              "2004-06-08 6:30 = 65.00\n"
              "2004-06-09 7:48 = 78.00\n"
              "2004-06-10 6:30 = 65.00\n"
              "2004-06-11 07:48 = 78.00\n"
              "36 hours, 24 minutes = 364.00\n");
    EXPECT_EQ(tally.Run({"--rate=abc", "invoice", "2004-06-11", "2004-06-11"}).out,
              "2004-06-11 07:48 = 0.00\n"
              "7 hours, 48 minutes = 0.00\n");
}

TEST_F(InvoiceCommandTest, storedRateAndRoundingMakeTheStatement) {
    for (const auto& [key, value] :
         {std::pair{"Rate", "12.5"}, {"RoundingType", "2"}, {"RoundingUnit", "15"}}) {
        ASSERT_EQ(tally.Run({"config", key, value}).exitCode, 0) << key;
    }
    EXPECT_EQ(tally.Run({"invoice", "2004-05-01", "2004-06-30"}).out,
              "2004-05-31 7:30 = 93.75\n"
              "2004-06-01 6:30 = 81.25\n"
              "2004-06-02 7:30 = 93.75\n"
              "2004-06-03 6:30 = 81.25\n"
              "2004-06-04 7:30 = 93.75\n"
              "2004-06-07 7:30 = 93.75\n"
              "2004-06-08 6:30 = 81.25\n"
              "2004-06-09 7:30 = 93.75\n"
              "2004-06-10 6:30 = 81.25\n"
              "2004-06-11 7:30 = 93.75\n"
              "2004-06-14 7:30 = 93.75\n"
              "2004-06-15 6:30 = 81.25\n"
              "2004-06-16 7:30 = 93.75\n"
              "2004-06-17 6:30 = 81.25\n"
              "2004-06-18 07:30 = 93.75\n"
              "106 hours, 30 minutes = 1331.25\n");
    // With no rounding type the stored unit rounds nothing.
    ASSERT_EQ(tally.Run({"config", "RoundingType", "0"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"invoice", "2004-06-09", "2004-06-09"}).out,
              "2004-06-09 07:48 = 97.50\n"
              "7 hours, 48 minutes = 97.50\n");
}

TEST_F(InvoiceCommandTest, emptyRangeSaysSoOnOneLine) {
    const ProcessResult run = tally.Run({"invoice", "2004-07-01", "2004-07-31"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "No billing times within the specified period\n");
}

TEST_F(InvoiceCommandTest, missingLogPrintsNothing) {
    const ProcessResult run =
        tally.Run({"invoice", "2004-06-07", "2004-06-13", "--log", scratch.File("none")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST_F(InvoiceCommandTest, datesMustBeCalendarDaysWrittenYyyyMmDd) {
    tally.ExpectUsageError({"invoice", "2004-02-30", "2004-03-01"},
                           "'2004-02-30' is not a calendar date (YYYY-MM-DD)");
    tally.ExpectUsageError({"invoice", "2004-06-01", "2003-02-29"},
                           "'2003-02-29' is not a calendar date (YYYY-MM-DD)");
    tally.ExpectUsageError({"invoice", "2004-6-1", "2004-06-30"},
                           "'2004-6-1' is not a calendar date (YYYY-MM-DD)");
    tally.ExpectUsageError({"invoice", "2004-06-01"},
                           "'2004-06-01' is not this-week, last-week, this-month or last-month "
                           "(or give START END)");
    EXPECT_EQ(tally.Run({"invoice", "2004-02-29", "2004-02-29"}).exitCode, 0);
}

}  // namespace
}  // namespace tally::test
