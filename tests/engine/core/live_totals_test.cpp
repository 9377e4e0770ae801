// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <clocale>

#include "engine_fixture.h"

namespace tally::test {
namespace {

class LiveTotals : public EngineTest {};

const std::string kWorkedExample =
    Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 12:30:00 2004", "03:30:00") +
    Triple("Mon Jan 05 13:00:00 2004", "Mon Jan 05 17:15:30 2004", "04:15:30") +
    Triple("Tue Jan 06 08:00:00 2004", "Tue Jan 06 10:00:00 2004", "02:00:00");

void ExpectWorkedExampleTexts(const TotalsTexts& t) {
    EXPECT_EQ(t.todayFirst, "2:00:00 (40.00)");
    EXPECT_EQ(t.todaySecond, "9:45:30/2 = 4:52:45 (97.58)");
    EXPECT_EQ(t.periodFirst, "9:45:30 (195.17)");
    EXPECT_EQ(t.periodSecond, "9:45:30/1 = 9:45:30 (195.17)");
}

TEST_F(LiveTotals, textsWithAmounts) {
    engine.Settings().ShowDollars = true;
    engine.Settings().Rate = 20;
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    ExpectWorkedExampleTexts(engine.Texts());

    engine.Settings().ShowDollars = false;
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "2:00:00");
    EXPECT_EQ(engine.Texts().todaySecond, "9:45:30/2 = 4:52:45");
}

TEST_F(LiveTotals, numbersUseADecimalPointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 must be installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 1.5);
    EXPECT_STREQ(probe, "1,50");  // the locale really writes a comma
    engine.Settings().ShowDollars = true;
    engine.Settings().Rate = 20;
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    ExpectWorkedExampleTexts(engine.Texts());
    std::setlocale(LC_ALL, previous.c_str());
}

TEST_F(LiveTotals, amountOfAnHourAndAHalfAtThirty) {
    engine.Settings().ShowDollars = true;
    engine.Settings().Rate = 30;
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:30:00 2004", "01:30:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "1:30:00 (45.00)");
    WriteLog("");
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "0:00:00 (0.00)");
}

TEST_F(LiveTotals, runOnOnceASecondWhileClockedIn) {
    WriteLog(Triple("Mon Dec 07 07:00:00 2026", "Mon Dec 07 08:00:00 2026", "01:00:00") +
             "In...Mon Dec 07 09:00:00 2026\n");
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:00");  // nothing added by the scan
    clock.SetLocal(2026, 12, 7, 9, 0, 1);
    EXPECT_TRUE(engine.OnTimer());
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:01");
    EXPECT_EQ(engine.Texts().periodFirst, "1:00:01");
    clock.Advance(1);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:02");
    // A late tick adds all the time since the last one.
    clock.Advance(3600);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "2:00:02");
    EXPECT_EQ(engine.Texts().todaySecond, "2:00:02/1 = 2:00:02");
}

TEST_F(LiveTotals, firstTickAddsEverythingSinceTheIn) {
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    engine.ScanTimeLog();
    clock.SetLocal(2026, 12, 7, 11, 30, 15);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "2:30:15");
}

TEST_F(LiveTotals, clockSetBackAddsNothingAndResumes) {
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    engine.ScanTimeLog();
    clock.SetLocal(2026, 12, 7, 10, 0, 0);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:00");
    clock.SetLocal(2026, 12, 7, 9, 30, 0);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:00");
    clock.Advance(5);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:05");
}

TEST_F(LiveTotals, roundedFigureMovesByUnitsWhileTheExactTotalRuns) {
    engine.Settings().RoundingType = kRoundAllElapsed;
    engine.Settings().RoundingUnit = 15;
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    engine.ScanTimeLog();
    clock.SetLocal(2026, 12, 7, 9, 7, 29);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "0:00:00");
    clock.Advance(1);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "0:15:00");
    EXPECT_EQ(engine.State().dayTotal, (ELAPSEDTIME{0, 7, 30}));
}

TEST_F(LiveTotals, midnightKeepsTheInsDayRunning) {
    WriteLog("In...Mon Dec 07 23:00:00 2026\n");
    engine.ScanTimeLog();
    clock.SetLocal(2026, 12, 8, 1, 0, 0);
    engine.OnTimer();
    EXPECT_EQ(engine.Texts().todayFirst, "2:00:00");
}

TEST_F(LiveTotals, nothingRunsWhileClockedOut) {
    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 10:00:00 2026", "01:00:00"));
    engine.ScanTimeLog();
    const std::string caption = engine.MarqueeCaption();
    clock.SetLocal(2026, 12, 7, 12, 0, 0);
    EXPECT_FALSE(engine.OnTimer());
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:00");
    EXPECT_EQ(engine.MarqueeCaption(), caption);
}

TEST_F(LiveTotals, missingLogEmptiesFirstLinesAndKeepsSecondOnes) {
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    std::remove(log().c_str());
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "");
    EXPECT_EQ(engine.Texts().periodFirst, "");
    EXPECT_EQ(engine.Texts().todaySecond, "9:45:30/2 = 4:52:45");
    EXPECT_EQ(engine.Texts().periodSecond, "9:45:30/1 = 9:45:30");
    EXPECT_FALSE(engine.ClockedIn());
}

TEST_F(LiveTotals, marqueeScrollsOneCharacterPerTickAndComesRound) {
    const std::string unrotated = "Quillfen TallyBook  (TallyBook V. 2.2) -- ";
    ASSERT_EQ(unrotated.size(), 42u);
    EXPECT_EQ(engine.MarqueeCaption(), unrotated);
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    engine.ScanTimeLog();
    clock.SetLocal(2026, 12, 7, 9, 0, 1);
    engine.OnTimer();
    EXPECT_EQ(engine.MarqueeCaption(), unrotated.substr(1) + "Q");
    for (int tick = 2; tick <= 42; ++tick) {
        clock.Advance(1);
        engine.OnTimer();
    }
    EXPECT_EQ(engine.MarqueeCaption(), unrotated);
    clock.Advance(1);
    engine.OnTimer();
    clock.Advance(1);
    EXPECT_TRUE(engine.OnClockOut());
    EXPECT_EQ(engine.MarqueeCaption(), unrotated);  // rebuilt at once
}

}  // namespace
}  // namespace tally::test
