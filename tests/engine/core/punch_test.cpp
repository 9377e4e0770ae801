// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "engine_fixture.h"
#include "log/time_log_file.h"

namespace tally::test {
namespace {

class Punch : public EngineTest {
  protected:
    void ExpectOneMessage(const std::string& text, const std::string& caption) {
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, text);
        EXPECT_EQ(reporter.messages[0].caption, caption);
        EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
        reporter.messages.clear();
    }
};

TEST_F(Punch, clockInCreatesTheLog) {
    clock.SetLocal(2026, 6, 5, 9, 3, 7);
    EXPECT_TRUE(engine.OnClockIn());
    EXPECT_EQ(ReadFile(log()), "In...Fri Jun 05 09:03:07 2026\r\n");
    EXPECT_TRUE(engine.ClockedIn());
    EXPECT_TRUE(engine.IsLastRecordIn());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Punch, clockInTwiceIsRefused) {
    clock.SetLocal(2026, 6, 5, 9, 3, 7);
    ASSERT_TRUE(engine.OnClockIn());
    EXPECT_FALSE(engine.OnClockIn());
    ExpectOneMessage(
        "ERROR! Last " + log() + " string is not an 'Elapsed...' Can't append an 'In...' string.",
        "Aborting TallyBook operation.");
    EXPECT_EQ(ReadFile(log()), "In...Fri Jun 05 09:03:07 2026\r\n");
}

TEST_F(Punch, clockOutOnTheSameDayAppendsOutAndElapsed) {
    WriteLog("In...Mon Dec 07 09:40:50 2026\n");
    const std::string before = ReadFile(log());
    clock.SetLocal(2026, 12, 7, 10, 5, 10);
    ASSERT_TRUE(engine.OnClockOut());
    const std::string appended = ReadFile(log()).substr(before.size());
    EXPECT_EQ(appended, "Out..Mon Dec 07 10:05:10 2026\r\nElapsed time of 00:24:20.\r\n");
    EXPECT_EQ(appended.size(), 58u);
    EXPECT_FALSE(engine.ClockedIn());
    EXPECT_EQ(engine.Texts().todayFirst, "0:24:20");
}

TEST_F(Punch, clockOutSplitsAtMidnight) {
    WriteLog("In...Mon Dec 07 22:30:00 2026\n");
    clock.SetLocal(2026, 12, 8, 1, 15, 20);
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()), Crlf("In...Mon Dec 07 22:30:00 2026\n"
                                    "Out..Mon Dec 07 23:59:59 2026\n"
                                    "Elapsed time of 01:29:59.\n"
                                    "In...Tue Dec 08 00:00:00 2026\n"
                                    "Out..Tue Dec 08 01:15:20 2026\n"
                                    "Elapsed time of 01:15:20.\n"));
    EXPECT_EQ(engine.Texts().todayFirst, "1:15:20");
}

TEST_F(Punch, clockOutSplitsOnlyOneMidnight) {
    WriteLog("In...Sat Dec 05 22:00:00 2026\n");
    clock.SetLocal(2026, 12, 7, 8, 0, 0);
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()), Crlf("In...Sat Dec 05 22:00:00 2026\n"
                                    "Out..Sat Dec 05 23:59:59 2026\n"
                                    "Elapsed time of 01:59:59.\n"
                                    "In...Mon Dec 07 00:00:00 2026\n"
                                    "Out..Mon Dec 07 08:00:00 2026\n"
                                    "Elapsed time of 08:00:00.\n"));
}

TEST_F(Punch, clockOutOnTheSameDayOfAnEarlierMonthDoesNotSplit) {
    WriteLog("In...Sat Nov 07 22:00:00 2026\n");
    clock.SetLocal(2026, 12, 7, 9, 0, 0);
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()).substr(31),
              Crlf("Out..Mon Dec 07 09:00:00 2026\nElapsed time of 11:00:00.\n"));
}

TEST_F(Punch, clockOutClosesAnUnknownMonthAsJanuary) {
    WriteLog("In...Sat Xyz 05 22:00:00 2026\n");
    clock.SetLocal(2026, 12, 7, 9, 0, 0);
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()).substr(31, 31), "Out..Sat Jan 05 23:59:59 2026\r\n");
}

TEST_F(Punch, clockOutEarlierThanTheInClosesThePairAtTheIn) {
    WriteLog("In...Mon Dec 07 10:00:00 2026\n");
    clock.SetLocal(2026, 12, 7, 9, 0, 0);  // the clock was set back
    ASSERT_TRUE(engine.OnClockOut());
    EXPECT_EQ(ReadFile(log()).substr(31),
              Crlf("Out..Mon Dec 07 10:00:00 2026\nElapsed time of 00:00:00.\n"));
    EXPECT_EQ(engine.Rows().raw.size(), 3u);  // the rescan reads the whole pair
}

// The records stay as Clock Out writes them; the days between the In's and today's get
// none, and the user is told which, and how to add them.
TEST_F(Punch, clockOutNamesTheDaysItLeavesUncounted) {
    const std::string how = ", and Clock Out counts only that day and today. If you worked on ";
    const std::string add = ", add the time with tally add START END (each \"YYYY-MM-DD HH:MM\").";
    const struct {
        const char* in;
        int year, month, day;  // of the Out, at 08:00
        std::string message;
    } cases[] = {
        {"Sun Dec 06 22:00:00 2026", 2026, 12, 7, ""},  // yesterday: no day between
        {"Sat Dec 05 22:00:00 2026", 2026, 12, 7,
         "The day Sun Dec 06 2026 was not counted: the In was punched on Sat Dec 05 2026" + how +
             "it" + add},
        {"Wed Dec 30 22:00:00 2026", 2027, 1, 2,
         "The days from Thu Dec 31 2026 to Fri Jan 01 2027 were not counted: the In was punched "
         "on Wed Dec 30 2026" +
             how + "them" + add},
        {"Sat Nov 07 22:00:00 2026", 2026, 12, 7,  // not even split: the same day of the month
         "The days from Sun Nov 08 2026 to Sun Dec 06 2026 were not counted: the In was punched "
         "on Sat Nov 07 2026" +
             how + "them" + add},
    };
    for (const auto& c : cases) {
        WriteLog(std::string("In...") + c.in + "\n");
        clock.SetLocal(c.year, c.month, c.day, 8, 0, 0);
        reporter.messages.clear();
        ASSERT_TRUE(engine.OnClockOut());
        std::vector<std::string> texts;
        for (const Message& m : reporter.messages) texts.push_back(m.text);
        EXPECT_EQ(texts, c.message.empty() ? std::vector<std::string>{} : std::vector{c.message})
            << c.in;
    }
}

TEST_F(Punch, clockOutRefusals) {
    EXPECT_FALSE(engine.OnClockOut());
    ExpectOneMessage("ERROR! No " + log() + " exists. Aborting operation.\n", "Tallybook Error");

    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 10:00:00 2026", "01:00:00"));
    const std::string before = ReadFile(log());
    EXPECT_FALSE(engine.OnClockOut());
    ExpectOneMessage(
        "ERROR! Last entry in TallyBook V. 2.2 was NOT an IN operation. Aborting operation.\n",
        "Tallybook Error");
    EXPECT_EQ(ReadFile(log()), before);
}

TEST_F(Punch, anOutWithoutItsElapsedLineRefusesBothPunches) {
    WriteLog("In...Mon Dec 07 09:00:00 2026\nOut..Mon Dec 07 10:00:00 2026\n");
    const std::string before = ReadFile(log());
    clock.SetLocal(2026, 12, 7, 11, 0, 0);
    EXPECT_FALSE(engine.OnClockIn());
    EXPECT_FALSE(engine.OnClockOut());
    EXPECT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(ReadFile(log()), before);
}

TEST_F(Punch, clockInChecksTheLastLine) {
    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 10:00:00 2026", "01:00:00") + "\n");
    clock.SetLocal(2026, 12, 7, 11, 0, 0);
    EXPECT_FALSE(engine.OnClockIn());  // an empty line after the Elapsed line
    EXPECT_EQ(reporter.messages.size(), 1u);

    WriteFile(log(), "Elapsed");  // non-empty and shorter than an Elapsed line
    EXPECT_FALSE(engine.OnClockIn());

    WriteFile(log(), "");
    EXPECT_TRUE(engine.OnClockIn());
    EXPECT_EQ(ReadFile(log()).size(), 31u);

    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 10:00:00 2026", "01:00:00"));
    EXPECT_TRUE(engine.OnClockIn());
    EXPECT_EQ(ReadFile(log()).size(), 89u + 31u);
}

TEST_F(Punch, clockInThatCannotCreateTheLog) {
    engine.Settings().DataLog = dir.File("missing-folder/TALLYBK.DAT");
    EXPECT_FALSE(engine.OnClockIn());
    ExpectOneMessage("ERROR! Failed to open/create '" + engine.Settings().DataLog + "'.",
                     "Aborting TallyBook program.");
}

TEST_F(Punch, aLogHeldByAnotherProgramIsNotTouched) {
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    const int other = open(log().c_str(), O_RDONLY);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    engine.SetLockOptions({std::chrono::milliseconds(50), {}});
    clock.SetLocal(2026, 12, 7, 10, 0, 0);
    EXPECT_FALSE(engine.OnClockOut());
    ExpectOneMessage("ERROR! " + log() + " is in use by another program. Aborting operation.\n",
                     "Tallybook Error");
    EXPECT_EQ(ReadFile(log()), "In...Mon Dec 07 09:00:00 2026\r\n");
    close(other);
    EXPECT_TRUE(engine.OnClockOut());
}

TEST_F(Punch, endProbes) {
    EXPECT_FALSE(engine.IsLastRecordIn());
    WriteLog("");
    EXPECT_FALSE(engine.IsLastRecordIn());
    WriteLog("In...Mon Dec 07 09:00:00 2026\n");
    EXPECT_TRUE(engine.IsLastRecordIn());
    WriteLog("in...Mon Dec 07 09:00:00 2026\n");  // case matters at the end probe
    EXPECT_FALSE(engine.IsLastRecordIn());
    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 10:00:00 2026", "01:00:00"));
    EXPECT_FALSE(engine.IsLastRecordIn());
}

}  // namespace
}  // namespace tally::test
