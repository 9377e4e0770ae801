// SPDX-License-Identifier: MIT
// The printed report's lines: the heading, the totals boxes' texts, the daily list with its
// separators, then the last day and period that the list leaves to the totals boxes.

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

#include "engine_fixture.h"
#include "report_lines.h"

namespace tally::test {
namespace {

class ReportText : public EngineTest {
  protected:
    ReportText() { clock.SetLocal(2024, 3, 4, 9, 30, 0); }

    std::vector<std::string> Report() {
        return LineTexts(BuildReport("Quillfen's TallyBook", engine, engine.Rows(), clock.Now()));
    }
    // The report's lines from the list's column titles on.
    std::vector<std::string> ListPart() {
        std::vector<std::string> lines = Report();
        const auto titles = std::find(lines.begin(), lines.end(), "Columns|Day|Date|Time");
        EXPECT_NE(titles, lines.end());
        return {titles == lines.end() ? titles : titles + 1, lines.end()};
    }
};

const std::string kWorkedExample =
    Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 12:30:00 2004", "03:30:00") +
    Triple("Mon Jan 05 13:00:00 2004", "Mon Jan 05 17:15:30 2004", "04:15:30") +
    Triple("Tue Jan 06 08:00:00 2004", "Tue Jan 06 10:00:00 2004", "02:00:00");

TEST_F(ReportText, holdsTheHeadingTheTotalsAndTheListEndingInTheLastDayAndPeriod) {
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    EXPECT_EQ(Report(), (std::vector<std::string>{
                            "Title|Quillfen's TallyBook",
                            "Text|Time log: " + log(),
                            "Text|Printed: Mon Mar 04, 2024 09:30",
                            "Blank",
                            "Heading|Time Today",
                            "Text|2:00:00",
                            "Text|9:45:30/2 = 4:52:45",
                            "Blank",
                            "Heading|Time This Billing Period",
                            "Text|9:45:30",
                            "Text|9:45:30/1 = 9:45:30",
                            "Blank",
                            "Heading|Daily Elapsed Time",
                            "Columns|Day|Date|Time",
                            "Day|Mon|Jan 05, 2004|07:45:30",
                            "Day|Tue|Jan 06, 2004|02:00:00",
                            "Period||----------|09:45:30",
                        }));
}

TEST_F(ReportText, datesThePrintoutInTheLogsOwnNamesUnderAnyLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 must be installed";
    WriteLog(kWorkedExample);
    engine.ScanTimeLog();
    const std::vector<std::string> lines = Report();
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "Text|Printed: Mon Mar 04, 2024 09:30");
}

TEST_F(ReportText, listsNoDayForALogWithoutPunchesOrWithoutAFile) {
    for (const bool present : {false, true}) {
        if (present) WriteLog("");
        engine.ScanTimeLog();
        EXPECT_TRUE(ListPart().empty()) << (present ? "empty log" : "missing log");
    }
}

// The last day's figures are those of the totals boxes: running time included and rounded
// as the boxes round it.
TEST_F(ReportText, takesTheLastDayAndPeriodFromTheTotalsBroughtUpToNow) {
    struct Case {
        int roundingType;
        int unit;
        std::vector<std::string> list;
        const char* todayFirst;
    };
    const Case cases[] = {
        {kRoundNone,
         0,
         {"Day|Mon|Jan 05, 2004|07:45:30", "Day|Tue|Jan 06, 2004|01:07:00",
          "Period||----------|08:52:30"},
         "1:07:00"},
        {kRoundDaily,
         15,
         {"Day|Mon|Jan 05, 2004|07:45:00", "Day|Tue|Jan 06, 2004|01:00:00",
          "Period||----------|08:45:00"},
         "1:00:00"},
    };
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 12:30:00 2004", "03:30:00") +
             Triple("Mon Jan 05 13:00:00 2004", "Mon Jan 05 17:15:30 2004", "04:15:30") +
             In("Tue Jan 06 08:00:00 2004"));
    for (const Case& c : cases) {
        engine.Settings().RoundingType = c.roundingType;
        engine.Settings().RoundingUnit = c.unit;
        clock.Set(At(2004, 1, 6, 8, 0, 0));
        engine.ScanTimeLog();
        clock.Set(At(2004, 1, 6, 9, 7, 0));
        engine.BringUpToNow();
        EXPECT_EQ(ListPart(), c.list) << "rounding " << c.roundingType;
        EXPECT_EQ(engine.Texts().todayFirst, c.todayFirst);
    }
}

TEST_F(ReportText, saysWhereTheScanStopped) {
    WriteLog(Triple("Mon Jan 05 09:00:00 2004", "Mon Jan 05 08:00:00 2004", "00:00:00") +
             Triple("Tue Jan 06 09:00:00 2004", "Tue Jan 06 10:00:00 2004"));
    engine.ScanTimeLog();
    const std::vector<std::string> lines = Report();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3].rfind("Text|Not read to its end: line 2: Out before In", 0), 0u) << lines[3];
}

// Every row the window's list shows, in its order, separators included.
TEST_F(ReportText, listsTheRowsOfTheScanFollowedByTheLastDayAndPeriod) {
    for (const int period : {kPeriodWeekly, kPeriodHalfMonth}) {
        engine.Settings().PeriodType = period;
        WriteLog(WorkingDays(2004, 1, 5, 400));
        engine.ScanTimeLog();
        std::vector<std::string> expected;
        for (const auto& row : DailyRows()) {
            expected.push_back((row[1] == "----------" ? "Period|" : "Day|") + row[0] + "|" +
                               row[1] + "|" + row[2]);
        }
        expected.push_back("Day|Mon|Feb 07, 2005|08:00:00");
        expected.push_back("Period||----------|" +
                           std::string(period == kPeriodWeekly ? "16:00:00" : "56:00:00"));
        EXPECT_EQ(ListPart(), expected) << "period type " << period;
        EXPECT_EQ(expected.size(), DailyRows().size() + 2);
    }
}

}  // namespace
}  // namespace tally::test
