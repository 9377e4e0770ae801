// SPDX-License-Identifier: MIT
// The raw reader: what Load makes of whole time logs, regular and damaged.

#include <gtest/gtest.h>

#include "entries/line_fields.h"
#include "entries/time_entry_list.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally {
namespace {

using test::At;
using test::Crlf;
class TimeLogReaderTest : public ::testing::Test {
  protected:
    // Loads the text (LF line ends become CR LF unless raw) and returns Load's result.
    bool LoadText(const std::string& text, bool raw = false) {
        test::WriteFile(path, raw ? text : Crlf(text));
        return list.Load(path);
    }

    test::TempDir dir;
    std::string path = dir.File("TALLYBK.DAT");
    CTimeEntryList list;
};

TEST_F(TimeLogReaderTest, readsTriplesAndAFinalOpenIn) {
    EXPECT_TRUE(
        LoadText("In...Wed Jun 02 17:47:39 2004\n"
                 "Out..Wed Jun 02 18:00:00 2004\n"
                 "Elapsed time of 00:12:21.\n"
                 "In...Thu Jun 03 09:00:00 2004\n"));
    ASSERT_EQ(list.GetCount(), 2);
    const CTimeEntry& first = *list.GetAt(0);
    EXPECT_TRUE(first.m_bHasIn);
    EXPECT_TRUE(first.m_bHasOut);
    EXPECT_TRUE(first.m_bHasElapsed);
    EXPECT_EQ(first.m_timeIn, At(2004, 6, 2, 17, 47, 39));
    EXPECT_EQ(first.m_timeOut, At(2004, 6, 2, 18, 0, 0));
    EXPECT_EQ(first.m_nElapsed, 741);
    const CTimeEntry& open = *list.GetAt(1);
    EXPECT_EQ(open.m_timeIn, At(2004, 6, 3, 9, 0, 0));
    EXPECT_FALSE(open.m_bHasOut);
    EXPECT_FALSE(open.m_bHasElapsed);
}

TEST_F(TimeLogReaderTest, emptyAndMissingFilesLoadNothing) {
    EXPECT_FALSE(LoadText(""));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Load(dir.File("missing.dat")));
    EXPECT_FALSE(list.Load(""));
    EXPECT_FALSE(list.Load(dir.Path().string()));  // a folder
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(TimeLogReaderTest, loadEmptiesTheListAndIdsContinue) {
    const std::string triple =
        "In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\nElapsed time of 01:00:00.\n";
    EXPECT_TRUE(LoadText(triple + triple));
    EXPECT_EQ(list.GetIdAt(1), 2);
    list.PutEntry(0, At(2004, 6, 3, 9, 0, 0), false, 0);
    EXPECT_TRUE(LoadText(triple));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetIdAt(0), 4);
}

TEST_F(TimeLogReaderTest, kindsAndMonthNamesInAnyCase) {
    EXPECT_TRUE(
        LoadText("IN...Wed JUN 02 09:00:00 2004\n"
                 "oUt..Wed jun 02 10:01:02 2004\n"
                 "ELAPSED TIME OF 01:02:03.\n"));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.HasOut(1));
    EXPECT_EQ(list.GetAt(0)->m_timeOut, At(2004, 6, 2, 10, 1, 2));
    EXPECT_EQ(list.GetAt(0)->m_nElapsed, 3723);
}

TEST_F(TimeLogReaderTest, yearsOutside1990To2050StartNoEntry) {
    for (const char* year : {"1989", "2051"}) {
        EXPECT_TRUE(LoadText(std::string("In...Wed Jun 02 09:00:00 2004\n"
                                         "Out..Wed Jun 02 10:00:00 2004\n"
                                         "Elapsed time of 01:00:00.\n"
                                         "In...Wed Jun 02 09:00:00 ") +
                             year +
                             "\n"
                             "Out..Thu Jun 03 11:00:00 2004\n"
                             "Elapsed time of 02:00:00.\n"))
            << year;
        // The Out and Elapsed lines after the refused In line change the entry before it.
        ASSERT_EQ(list.GetCount(), 1) << year;
        EXPECT_EQ(list.GetAt(0)->m_timeOut, At(2004, 6, 3, 11, 0, 0));
        EXPECT_EQ(list.GetAt(0)->m_nElapsed, 7200);
    }
    EXPECT_TRUE(LoadText("In...Mon Jan 01 00:00:00 1990\nIn...Sat Dec 31 23:59:59 2050\n"));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(TimeLogReaderTest, outLinesWithABadFieldAreNotRecognised) {
    for (const char* out : {"Out..Wed Foo 02 10:00:00 2004", "Out..Wed Jun 00 10:00:00 2004",
                            "Out..Wed Jun 32 10:00:00 2004", "Out..Wed Jun 02 24:00:00 2004",
                            "Out..Wed Jun 02 10:60:00 2004", "Out..Wed Jun 02 10:00:60 2004",
                            "Out..Wed Jun 02 10:00:00 20x4", "Out..Wed Jun 02 10:00:0"}) {
        EXPECT_TRUE(LoadText(std::string("In...Wed Jun 02 09:00:00 2004\n") + out +
                             "\nElapsed time of 01:00:00.\n"))
            << out;
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_FALSE(list.HasOut(list.GetIdAt(0))) << out;
        EXPECT_TRUE(list.HasElapsed(list.GetIdAt(0)));
    }
}

TEST_F(TimeLogReaderTest, lastLineDecidesTheResult) {
    // An empty last line (two line ends at the end): every entry read, yet false.
    EXPECT_FALSE(
        LoadText("In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\n"
                 "Elapsed time of 01:00:00.\n\n"));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.HasElapsed(list.GetIdAt(0)));
    EXPECT_FALSE(LoadText(
        "In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\nElapsed 01:00:00.\n"));
    EXPECT_TRUE(list.HasOut(list.GetIdAt(0)));
    // Without a line end the last line still counts.
    EXPECT_TRUE(LoadText("In...Wed Jun 02 09:00:00 2004\r\nOut..Wed Jun 02 10:00:00 2004", true));
    EXPECT_TRUE(list.HasOut(list.GetIdAt(0)));
}

TEST_F(TimeLogReaderTest, bareLineFeedsReadLikeCrLf) {
    const std::string text =
        "In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\nElapsed time of 01:00:00.\n";
    EXPECT_TRUE(LoadText(text, true));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->m_timeOut, At(2004, 6, 2, 10, 0, 0));
    EXPECT_EQ(list.GetAt(0)->m_nElapsed, 3600);
}

TEST_F(TimeLogReaderTest, anInLineWhereOutOrElapsedIsDueStartsANewEntry) {
    EXPECT_TRUE(
        LoadText("In...Mon Jun 07 08:00:00 2004\n"  // kept open by the editor
                 "In...Mon Jun 07 09:00:00 2004\n"  // where an Out line is due
                 "Out..Mon Jun 07 10:00:00 2004\n"
                 "In...Mon Jun 07 11:00:00 2004\n"  // where an Elapsed line is due
                 "Out..Mon Jun 07 12:00:00 2004\n"
                 "Elapsed time of 01:00:00.\n"));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_FALSE(list.GetAt(0)->m_bHasOut);
    EXPECT_EQ(list.GetAt(1)->m_timeOut, At(2004, 6, 7, 10, 0, 0));
    EXPECT_FALSE(list.GetAt(1)->m_bHasElapsed);
    EXPECT_EQ(list.GetAt(2)->m_timeOut, At(2004, 6, 7, 12, 0, 0));
    EXPECT_EQ(list.GetAt(2)->m_nElapsed, 3600);
}

TEST_F(TimeLogReaderTest, anInLineWithBadFieldsStillExpectsAnOutLineNext) {
    EXPECT_TRUE(
        LoadText("In...Mon Jun 07 08:00:00 2004\n"
                 "Out..Mon Jun 07 09:00:00 2004\n"
                 "in...Mon Jun 07 10:00:00 1989\n"  // an In line in the Elapsed slot, year refused
                 "Out..Mon Jun 07 11:00:00 2004\n"
                 "Elapsed time of 03:00:00.\n"));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->m_timeOut, At(2004, 6, 7, 11, 0, 0));
    EXPECT_EQ(list.GetAt(0)->m_nElapsed, 10800);
}

TEST_F(TimeLogReaderTest, outWithoutElapsedReportsOutMinusIn) {
    EXPECT_TRUE(
        LoadText("In...Mon Jun 07 08:00:00 2004\n"
                 "Out..Mon Jun 07 09:30:15 2004\n"
                 "In...Mon Jun 07 11:00:00 2004\n"));
    const int id = list.GetIdAt(0);
    EXPECT_TRUE(list.HasOut(id));
    EXPECT_FALSE(list.HasElapsed(id));
    EXPECT_EQ(list.GetAt(0)->ReportedElapsed(), 5415);
    EXPECT_EQ(list.FormatElapsedHours(id), "01");
    EXPECT_EQ(list.FormatElapsedMinutes(id), "30");
    EXPECT_EQ(list.FormatElapsedSeconds(id), "15");
}

TEST_F(TimeLogReaderTest, outAndElapsedBeforeAnyInAreNotRecognised) {
    EXPECT_FALSE(LoadText("Out..Mon Jun 07 09:30:15 2004\n"));
    EXPECT_FALSE(LoadText("garbage\nElapsed time of 01:00:00.\n"));
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(TimeLogReaderTest, shortLongAndBinaryLinesAreSkippedSafely) {
    std::string text = "In.\nIn...Wed Jun 0\n";
    text += std::string(100000, 'x') + "\n";
    text += std::string("In...Wed Jun 02 09:00:00 2004\0\0\0", 32) + "\n";
    text += "Out..Wed Jun 02 10:00:00 2004\nElapsed time of\n";
    EXPECT_TRUE(LoadText(text));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.HasOut(list.GetIdAt(0)));
    EXPECT_EQ(list.GetAt(0)->m_nElapsed, 0);  // an Elapsed line cut after its words
}

TEST_F(TimeLogReaderTest, localTimesAcrossClockChanges) {
    EXPECT_TRUE(
        LoadText("In...Sun Mar 28 02:30:00 2004\n"  // does not occur: moved forward by the gap
                 "Out..Sun Oct 31 02:30:00 2004\n"  // occurs twice: the first one
                 "Elapsed time of 00:00:00.\n"
                 "In...Mon Feb 30 09:00:00 2004\n"  // no such day: counts on into March
                 "Out..Thu Jun 31 09:00:00 2004\n"));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0)->m_timeIn, At(2004, 3, 28, 2, 30, 0));
    EXPECT_EQ(list.GetAt(0)->m_timeIn, At(2004, 3, 28, 3, 30, 0));
    EXPECT_EQ(list.GetAt(0)->m_timeOut, At(2004, 10, 31, 2, 30, 0));
    EXPECT_EQ(list.GetAt(1)->m_timeIn, At(2004, 3, 1, 9, 0, 0));
    EXPECT_EQ(list.GetAt(1)->m_timeOut, At(2004, 7, 1, 9, 0, 0));
}

TEST_F(TimeLogReaderTest, remembersWhetherTheFileChangedSinceLoad) {
    EXPECT_TRUE(LoadText("In...Wed Jun 02 09:00:00 2004\n"));
    EXPECT_TRUE(list.IsFileUnchanged());
    test::WriteFile(path, Crlf("In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\n"));
    EXPECT_FALSE(list.IsFileUnchanged());

    const std::string missing = dir.File("new.dat");
    EXPECT_FALSE(list.Load(missing));
    EXPECT_TRUE(list.IsFileUnchanged());
    test::WriteFile(missing, "");
    EXPECT_FALSE(list.IsFileUnchanged());
}

TEST(LineFields, readOnlyTheirOwnCharacters) {
    const std::string line = "In...Wed Jun 02 17:47:39 2004";
    EXPECT_EQ(ParseMonth(line), 6);
    EXPECT_EQ(ParseDay(line), 2);
    EXPECT_EQ(ParseHour(line), 17);
    EXPECT_EQ(ParseMinute(line), 47);
    EXPECT_EQ(ParseSecond(line), 39);
    EXPECT_EQ(ParseYear(line), 2004);
    EXPECT_EQ(ParseDay("In...Wed Jun  5 17:47:39 2004"), 5);
    EXPECT_EQ(ParseDay("In...Wed Jun +5 17:47:39 2004"), 5);
    EXPECT_EQ(ParseDay("In...Wed Jun 5x 17:47:39 2004"), 5);
    EXPECT_EQ(ParseDay("In...Wed Jun -1 17:47:39 2004"), -1);
    EXPECT_EQ(ParseHour("In...Wed Jun 02 7:47:39 2004"), 7);
    EXPECT_EQ(ParseYear("In...Wed Jun 02 17:47:39 20"), -1);
    EXPECT_EQ(ParseYear("In...Wed Jun 02 17:47:39 20041"), 2004);
    EXPECT_EQ(ParseMonth("In...Wed Ju"), -1);
    EXPECT_EQ(ParseMonth("In...Wed Junk"), 6);
    EXPECT_EQ(ParseMonth(""), -1);
    EXPECT_EQ(ParseSecond("In...Wed Jun 02 17:47:"), 0);  // nothing there reads as 0
}

}  // namespace
}  // namespace tally
