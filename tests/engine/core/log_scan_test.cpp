// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "time/calendar.h"

namespace tally::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class LogScan : public EngineTest {};

const std::string kWorkedExample =
    Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 12:30:00 2004", "03:30:00") +
    Triple("Mon Jan 05 13:00:00 2004", "Mon Jan 05 17:15:30 2004", "04:15:30") +
    Triple("Tue Jan 06 08:00:00 2004", "Tue Jan 06 10:00:00 2004", "02:00:00");

TEST_F(LogScan, workedExample) {
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(0),
              (std::vector<std::string>{"In", "Out", "ET", "In", "Out", "ET", "In", "Out", "ET"}));
    EXPECT_EQ(RawColumn(3),
              (std::vector<std::string>{"09:00:00", "12:30:00", "03:30:00", "13:00:00", "17:15:30",
                                        "04:15:30", "08:00:00", "10:00:00", "02:00:00"}));
    EXPECT_EQ(RawColumn(1)[0], "Mon");
    EXPECT_EQ(RawColumn(2)[0], "Jan 05, 2004");
    EXPECT_EQ(RawColumn(1)[2], "");
    EXPECT_EQ(RawColumn(2)[2], "----------");
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "07:45:30"}}));
    const ScanState& s = engine.State();
    EXPECT_EQ(s.dayTotal, (ELAPSEDTIME{2, 0, 0}));
    EXPECT_EQ(s.periodTotal, (ELAPSEDTIME{9, 45, 30}));
    EXPECT_EQ(s.grandTotal, (ELAPSEDTIME{9, 45, 30}));
    EXPECT_EQ(s.dayCount, 2);
    EXPECT_EQ(s.periodCount, 1);
    EXPECT_FALSE(engine.ClockedIn());
    EXPECT_EQ(s.todayMark, 0);
}

TEST_F(LogScan, emptyAndMissingLogs) {
    engine.ScanTimeLog();  // missing: nothing at all
    EXPECT_TRUE(engine.Rows().raw.empty());
    EXPECT_EQ(engine.Texts().todayFirst, "");
    EXPECT_EQ(engine.Texts().periodFirst, "");
    EXPECT_TRUE(reporter.messages.empty());

    WriteLog("");
    engine.ScanTimeLog();
    EXPECT_TRUE(engine.Rows().raw.empty());
    EXPECT_TRUE(engine.Rows().daily.empty());
    EXPECT_FALSE(engine.ClockedIn());
    EXPECT_EQ(engine.Texts().todayFirst, "0:00:00");
    EXPECT_EQ(engine.Texts().todaySecond, "");
    EXPECT_EQ(engine.Texts().periodFirst, "0:00:00");
    EXPECT_EQ(engine.Texts().periodSecond, "");
}

TEST_F(LogScan, singleInRecordIsClockedIn) {
    WriteLog("In...Mon Jan 05 09:00:00 2004\n");
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(0), (std::vector<std::string>{"In"}));
    EXPECT_TRUE(engine.Rows().daily.empty());
    EXPECT_TRUE(engine.ClockedIn());
    EXPECT_EQ(engine.State().dayCount, 1);
    EXPECT_EQ(engine.State().periodCount, 1);
    EXPECT_EQ(engine.State().todayMark, SecondsFromDate(2004, 0, 4, 9, 0, 0));
    EXPECT_EQ(engine.Texts().todayFirst, "0:00:00");
}

TEST_F(LogScan, twoDaysInOnePeriod) {
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004", "01:00:00") +
             Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 09:30:00 2004", "00:30:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "01:00:00"}}));
    EXPECT_EQ(engine.Texts().todayFirst, "0:30:00");
    EXPECT_EQ(engine.Texts().periodFirst, "1:30:00");
}

TEST_F(LogScan, weeklyPeriodsStartOnTheChosenDay) {
    engine.Settings().PeriodType = kPeriodWeekly;
    engine.Settings().WeekStartDay = 1;
    WriteLog(Triple("Sun Jan 04 09:00:00 2004", "Sun Jan 04 10:00:00 2004", "01:00:00") +
             Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 11:00:00 2004", "02:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(DailyRows(),
              (Rows{{"Sun", "Jan 04, 2004", "01:00:00"}, {"", "----------", "01:00:00"}}));
    EXPECT_EQ(engine.State().periodCount, 2);
    EXPECT_EQ(engine.Texts().periodFirst, "2:00:00");
}

// One pair a day from Thursday 1 January 2004 for 15 days: each week start splits the
// days into periods at its own weekday.
TEST_F(LogScan, everyWeekStartDaySplitsAtItsWeekday) {
    std::string text;
    const char* names[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int d = 1; d <= 15; ++d) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%s Jan %02d 09:00:00 2004", names[(d + 3) % 7], d);
        char out[32];
        std::snprintf(out, sizeof out, "%s Jan %02d 10:00:00 2004", names[(d + 3) % 7], d);
        text += Triple(stamp, out, "01:00:00");
    }
    engine.Settings().PeriodType = kPeriodWeekly;
    for (int start = 0; start < 7; ++start) {
        WriteLog(text);
        engine.Settings().WeekStartDay = start;
        engine.ScanTimeLog();
        std::vector<std::string> before;  // the day rows right before each separator
        const auto& rows = engine.Rows().daily;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i].separator) before.push_back(rows[i - 1].Cell(0));
        }
        ASSERT_FALSE(before.empty()) << start;
        for (const std::string& day : before) EXPECT_EQ(day, names[(start + 6) % 7]) << start;
        // Weeks from the start day on or before 1 January: two or three full periods.
        int firstWeekDays = (start - 4 + 7) % 7;  // 1 January 2004 is a Thursday
        if (firstWeekDays == 0) firstWeekDays = 7;
        EXPECT_EQ(engine.State().periodCount, 1 + (15 - firstWeekDays + 6) / 7) << start;
    }
}

TEST_F(LogScan, halfMonthPeriodsSplitAfterThe15th) {
    WriteLog(Triple("Mon Mar 01 09:00:00 2004", "Mon Mar 01 10:00:00 2004", "01:00:00") +
             Triple("Mon Mar 15 09:00:00 2004", "Mon Mar 15 10:00:00 2004", "01:00:00") +
             Triple("Tue Mar 16 09:00:00 2004", "Tue Mar 16 10:00:00 2004", "01:00:00") +
             Triple("Wed Mar 31 09:00:00 2004", "Wed Mar 31 10:00:00 2004", "01:00:00") +
             Triple("Thu Apr 01 09:00:00 2004", "Thu Apr 01 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Mar 01, 2004", "01:00:00"},
                                 {"Mon", "Mar 15, 2004", "01:00:00"},
                                 {"", "----------", "02:00:00"},
                                 {"Tue", "Mar 16, 2004", "01:00:00"},
                                 {"Wed", "Mar 31, 2004", "01:00:00"},
                                 {"", "----------", "02:00:00"}}));
    EXPECT_EQ(engine.State().periodCount, 3);
}

TEST_F(LogScan, acceptsPairsUpToADayAndStopsAtLongerOnes) {
    WriteLog(Triple("Mon Jan 05 22:00:00 2004", "Tue Jan 06 21:59:00 2004", "23:59:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "23:59:00");
    EXPECT_EQ(engine.Rows().raw.size(), 3u);

    WriteLog(Triple("Mon Jan 05 22:00:00 2004", "Tue Jan 06 22:01:00 2004", "24:01:00") +
             Triple("Wed Jan 07 09:00:00 2004", "Wed Jan 07 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(0), (std::vector<std::string>{"In", "Out"}));
    EXPECT_EQ(engine.Texts().todayFirst, "0:00:00");
    EXPECT_FALSE(engine.ClockedIn());
}

TEST_F(LogScan, stopsAtAnOutBeforeItsIn) {
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004", "01:00:00") +
             Triple("Tue Jan 06 10:00:00 2004", "Tue Jan 06 09:00:00 2004", "00:00:00") +
             Triple("Wed Jan 07 09:00:00 2004", "Wed Jan 07 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Rows().raw.size(), 5u);
    EXPECT_EQ(engine.State().grandTotal, (ELAPSEDTIME{1, 0, 0}));
}

TEST_F(LogScan, stopsWhereTheElapsedLineIsMissingOrEmpty) {
    WriteLog("In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 10:00:00 2004\n");
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(0), (std::vector<std::string>{"In", "Out"}));
    EXPECT_EQ(engine.Texts().todayFirst, "1:00:00");  // the pair still counts

    WriteLog("In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 10:00:00 2004\n\n" +
             Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(0), (std::vector<std::string>{"In", "Out"}));
}

TEST_F(LogScan, aFinalFragmentEndsTheScan) {
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004", "01:00:00") +
             "In...Tue Jan 06 09:0");
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Rows().raw.size(), 3u);
    EXPECT_FALSE(engine.ClockedIn());
    // An empty line after the last Elapsed line is such a fragment too.
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004", "01:00:00") + "\n");
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Rows().raw.size(), 3u);
}

TEST_F(LogScan, aMissingElapsedLineMisalignsWhatFollows) {
    WriteLog("In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 10:00:00 2004\n" +
             Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    // The next In is taken as the Elapsed line, its Out read as an In.
    EXPECT_EQ(RawColumn(0), (std::vector<std::string>{"In", "Out", "ET", "In"}));
    EXPECT_EQ(RawColumn(3)[3], "10:00:00");
}

TEST_F(LogScan, countsYearsAfter2020) {
    WriteLog(Triple("Mon Dec 07 09:00:00 2026", "Mon Dec 07 12:15:00 2026", "03:15:00") +
             Triple("Tue Dec 08 09:00:00 2026", "Tue Dec 08 09:45:10 2026", "00:45:10"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.Texts().todayFirst, "0:45:10");
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Dec 07, 2026", "03:15:00"}}));
}

TEST_F(LogScan, aDayInterruptedByAnotherDateCountsTwice) {
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 10:00:00 2004", "01:00:00") +
             Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004", "01:00:00") +
             Triple("Mon Jan 05 11:00:00 2004", "Mon Jan 05 12:00:00 2004", "01:00:00") +
             Triple("Wed Jan 07 11:00:00 2004", "Wed Jan 07 12:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "01:00:00"},
                                 {"Tue", "Jan 06, 2004", "01:00:00"},
                                 {"Mon", "Jan 05, 2004", "01:00:00"}}));
    EXPECT_EQ(engine.State().dayCount, 4);
    EXPECT_EQ(engine.State().periodCount, 1);  // going back in time never opens a period
}

TEST_F(LogScan, halfMonthEndAdvancesPastADayBeyondItsMonth) {
    WriteLog(Triple("Mon Feb 16 09:00:00 2004", "Mon Feb 16 10:00:00 2004", "01:00:00") +
             Triple("Mon Feb 31 09:00:00 2004", "Mon Feb 31 10:00:00 2004", "01:00:00") +
             Triple("Mon Feb 31 11:00:00 2004", "Mon Feb 31 12:00:00 2004", "01:00:00") +
             Triple("Mon Mar 01 09:00:00 2004", "Mon Mar 01 10:00:00 2004", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.State().dayCount, 3);
    EXPECT_EQ(engine.State().periodCount, 2);
    EXPECT_EQ(engine.State().grandTotal, (ELAPSEDTIME{4, 0, 0}));
}

// A day beyond its month's length lands where its seconds count does, early in the next
// month, and the following days of that half month share its period. A pair dated on day 32
// counts nothing: both ends have the seconds count 0.
TEST_F(LogScan, aDayBeyondItsMonthJoinsTheHalfMonthItLandsIn) {
    const struct {
        const char* before;  // 09:00-10:00 in the half month before
        const char* beyond;  // 09:00-11:00 on a day beyond its month
        const char* after;   // 09:00-12:00 in the half month it lands in
        const char* next;    // 09:00-13:00 in the half month after that
        const char* beyondElapsed;
        const char* landedPeriod;
        ELAPSEDTIME grand;
    } kCases[] = {
        {"Mon Feb 27 2006",
         "Thu Feb 30 2006",
         "Fri Mar 03 2006",
         "Thu Mar 16 2006",
         "02:00:00",
         "05:00:00",
         {10, 0, 0}},
        {"Thu Apr 20 2006",
         "Mon Apr 31 2006",
         "Tue May 02 2006",
         "Tue May 16 2006",
         "02:00:00",
         "05:00:00",
         {10, 0, 0}},
        {"Wed Dec 20 2006",
         "Mon Dec 32 2006",
         "Tue Jan 02 2007",
         "Tue Jan 16 2007",
         "00:00:00",
         "03:00:00",
         {8, 0, 0}},
    };
    // "Mon Feb 27 2006" at "09:00:00" is the timestamp "Mon Feb 27 09:00:00 2006".
    const auto at = [](const std::string& day, const char* time) {
        return day.substr(0, 11) + time + day.substr(10);
    };
    // Its day row: "Mon", "Feb 27, 2006", the total.
    const auto dayRow = [](const std::string& day, const char* total) {
        return std::vector<std::string>{day.substr(0, 3), day.substr(4, 6) + ", " + day.substr(11),
                                        total};
    };
    for (const auto& c : kCases) {
        WriteLog(Triple(at(c.before, "09:00:00"), at(c.before, "10:00:00"), "01:00:00") +
                 Triple(at(c.beyond, "09:00:00"), at(c.beyond, "11:00:00"), "02:00:00") +
                 Triple(at(c.after, "09:00:00"), at(c.after, "12:00:00"), "03:00:00") +
                 Triple(at(c.next, "09:00:00"), at(c.next, "13:00:00"), "04:00:00"));
        engine.ScanTimeLog();
        EXPECT_EQ(DailyRows(), (Rows{dayRow(c.before, "01:00:00"),
                                     {"", "----------", "01:00:00"},
                                     dayRow(c.beyond, c.beyondElapsed),
                                     dayRow(c.after, "03:00:00"),
                                     {"", "----------", c.landedPeriod}}))
            << c.beyond;
        EXPECT_EQ(engine.Texts().todayFirst, "4:00:00") << c.beyond;
        EXPECT_EQ(engine.Texts().periodFirst, "4:00:00") << c.beyond;
        EXPECT_EQ(engine.State().periodCount, 3) << c.beyond;
        EXPECT_EQ(engine.State().grandTotal, c.grand) << c.beyond;
    }
}

const std::string kRoundingLog =
    Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 09:07:40 2004", "00:07:40") +
    Triple("Mon Jan 05 10:00:10 2004", "Mon Jan 05 10:07:00 2004", "00:06:50") +
    Triple("Tue Jan 06 08:00:00 2004", "Tue Jan 06 08:10:00 2004", "00:10:00");

TEST_F(LogScan, allElapsedTimesRoundsEachPair) {
    engine.Settings().RoundingType = kRoundAllElapsed;
    engine.Settings().RoundingUnit = 15;
    WriteLog(kRoundingLog);
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(3)[1], "09:07:40");  // punch times as read
    EXPECT_EQ(RawColumn(3)[2], "00:15:00");
    EXPECT_EQ(RawColumn(3)[5], "00:00:00");
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "00:15:00"}}));
    EXPECT_EQ(engine.Texts().periodFirst, "0:30:00");
}

TEST_F(LogScan, inOutTimesRoundsThePunches) {
    engine.Settings().RoundingType = kRoundInOut;
    engine.Settings().RoundingUnit = 15;
    WriteLog(kRoundingLog);
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(3)[1], "09:15:00");
    EXPECT_EQ(RawColumn(3)[2], "00:15:00");
    EXPECT_EQ(RawColumn(3)[3], "10:00:00");
    EXPECT_EQ(RawColumn(3)[4], "10:00:00");
    EXPECT_EQ(RawColumn(3)[5], "00:00:00");
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "00:15:00"}}));
}

TEST_F(LogScan, dailyElapsedTimesRoundsTotalsNotPairs) {
    engine.Settings().RoundingType = kRoundDaily;
    engine.Settings().RoundingUnit = 15;
    WriteLog(kRoundingLog);
    engine.ScanTimeLog();
    EXPECT_EQ(RawColumn(3)[2], "00:07:40");  // the ET row stays exact
    EXPECT_EQ(RawColumn(3)[5], "00:06:50");
    // 0:07:40 rounds to 0:15; 0:06:50 rounds to 0:00 on the way in.
    EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "00:15:00"}}));
    EXPECT_EQ(engine.Texts().todayFirst, "0:15:00");
}

// Whatever the form of a record's fields, the pair counts them as FieldNumber and MonthIndex
// read them, whichever record came before.
TEST_F(LogScan, readsEveryFormOfTheFieldsAsAtoiAndTheMonthNames) {
    const struct {
        const char* in;
        const char* out;
        const char* elapsed;
    } pairs[] = {
        {"Mon Jan 01 09:00:00 2024", "Mon Jan 01 10:30:15 2024", "01:30:15"},
        {"Tue Jan  2 09:00:00 2024", "Tue Jan 02 10:00:00 2024", "01:00:00"},  // blank-padded
        {"Wed jan 31 23:00:00 2024", "Thu Feb 01 00:30:00 2024", "01:30:00"},  // any case
        {"Thu Feb 01 +9:00:00 2024", "Thu Feb 01 10:00:00 2024", "01:00:00"},  // a sign
        {"Fri Foo 31 23:00:00 2024", "Sat Feb 01 00:00:07 2024", "01:00:07"},  // January
        {"Sun Feb 04 9x:00:00 2024", "Sun Feb 04 10:00:00 2024", "01:00:00"},  // digits only
    };
    std::string log;
    std::vector<std::string> expected;
    for (const auto& pair : pairs) {
        log += Triple(pair.in, pair.out, "00:00:00");
        expected.push_back(pair.elapsed);
    }
    WriteLog(log);
    engine.ScanTimeLog();
    EXPECT_EQ(engine.State().stop.reason, LogFault::None);
    std::vector<std::string> counted;  // the ET rows: the times the scan counted
    const std::vector<std::string> times = RawColumn(3);
    for (std::size_t i = 2; i < times.size(); i += 3) counted.push_back(times[i]);
    EXPECT_EQ(counted, expected);
}

TEST_F(LogScan, unitWithoutARoundingTypeOrTypeWithoutAUnitRoundsNothing) {
    for (const RoundingOptions& options :
         {RoundingOptions{kRoundNone, 15}, RoundingOptions{kRoundAllElapsed, 0},
          RoundingOptions{kRoundInOut, 7}}) {
        engine.Settings().RoundingType = options.type;
        engine.Settings().RoundingUnit = options.unit;
        WriteLog(kRoundingLog);
        engine.ScanTimeLog();
        EXPECT_EQ(DailyRows(), (Rows{{"Mon", "Jan 05, 2004", "00:14:30"}}));
    }
}

}  // namespace
}  // namespace tally::test
