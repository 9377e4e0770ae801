// SPDX-License-Identifier: MIT
// The export engine on logs on disk: both formats, the date range, the blocks it writes,
// clock-change days, where the scan stops, and logs it cannot read. Plus the raw reader's bound
// on over-long lines.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/log_scan.h"
#include "entries/time_entry_list.h"
#include "interchange/pair_export.h"
#include "log_text.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally::test {
namespace {

TimeValue At(int day, int hour, int minute) {
    return FromLocalTime(2004, 6, day, hour, minute, 0);
}

std::string Export(const std::string& path, const PairExportOptions& options, int* blocks,
                   ExportRead* read = nullptr) {
    std::string text;
    *blocks = 0;
    const ExportRead result = ExportTimeLog(path, options, [&](std::string_view block) {
        text += block;
        ++*blocks;
    });
    if (read != nullptr) *read = result;
    return text;
}

TEST(PairExport, formatsRangesAndRates) {
    TempDir dir;
    const std::string log = dir.File("log");
    WriteFile(log, Triple(At(2, 9, 0), At(2, 10, 30)) + Triple(At(4, 23, 0), At(5, 1, 0)) +
                       In("2004-06-06 09:00:00"));
    const CalendarDate june3{2004, 6, 3};
    const CalendarDate june4{2004, 6, 4};
    const struct {
        PairExportOptions options;
        std::string text;
    } cases[] = {
        {{ExportFormat::Csv, {}, {}, 10.0, {}},
         "in,out,elapsed_seconds,hours,amount\n"
         "2004-06-02 09:00:00,2004-06-02 10:30:00,5400,1.50,15.00\n"
         "2004-06-04 23:00:00,2004-06-05 01:00:00,7200,2.00,20.00\n"},
        {{ExportFormat::Csv, june4, june4, 0.0, {}},
         "in,out,elapsed_seconds,hours,amount\n"
         "2004-06-04 23:00:00,2004-06-05 01:00:00,7200,2.00,0.00\n"},
        {{ExportFormat::Timeclock, june3, june4, 0.0, {}},
         "i 2004/06/04 23:00:00 TallyBook\no 2004/06/05 01:00:00\n"},
    };
    for (const auto& c : cases) {
        int blocks = 0;
        EXPECT_EQ(Export(log, c.options, &blocks), c.text);
        EXPECT_EQ(blocks, 1);
    }
}

// The pairs before the place where the scan stops (tally export's test has an Out before its
// In), and none with a date the calendar has no place for (a year before 1980, which the scan
// counts as nothing).
TEST(PairExport, exportsThePairsTheScanCounts) {
    const std::string first = Triple("2004-06-02 09:00:00", "2004-06-02 10:00:00");
    const std::string last = Triple("2004-06-09 09:00:00", "2004-06-09 10:00:00");
    const std::string header = "in,out,elapsed_seconds,hours,amount\n";
    const std::string firstLine = "2004-06-02 09:00:00,2004-06-02 10:00:00,3600,1.00,0.00\n";
    const struct {
        const char* what;
        std::string middle;
        LogFault stop;
        std::int64_t undated;
        std::string text;
    } cases[] = {
        {"Out more than a day after In", Triple("2004-06-03 09:00:00", "2004-06-04 09:00:01"),
         LogFault::PairOverADay, 0, header + firstLine},
        {"a year the calendar does not count",
         Triple("Thu Jun 03 09:00:00 1979", "Thu Jun 03 17:00:00 1979"), LogFault::None, 1,
         header + firstLine + "2004-06-09 09:00:00,2004-06-09 10:00:00,3600,1.00,0.00\n"},
    };
    TempDir dir;
    const std::string log = dir.File("log");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(log, first + c.middle + last);
        int blocks = 0;
        ExportRead read;
        EXPECT_EQ(Export(log, {}, &blocks, &read), c.text);
        EXPECT_EQ(read.stop.reason, c.stop);
        EXPECT_EQ(read.undated, c.undated);
    }
}

TEST(PairExport, largeExportsComeInBlocks) {
    TempDir dir;
    std::string log;
    for (int i = 0; i < 20000; ++i) log += Triple(At(2, 9, 0), At(2, 10, 0));
    WriteFile(dir.File("log"), log);
    int blocks = 0;
    const std::string text = Export(dir.File("log"), PairExportOptions(), &blocks);
    EXPECT_EQ(text.size(), 36 + 20000 * 55u);
    EXPECT_EQ(blocks, 2);
}

TEST(PairExport, missingLogWritesNothingUnreadableLogGivesItsReason) {
    TempDir dir;
    int blocks = 0;
    ExportRead read;
    EXPECT_EQ(Export(dir.File("none"), {}, &blocks, &read), "");
    EXPECT_EQ(blocks, 0);
    EXPECT_FALSE(read.error);
    EXPECT_EQ(Export(dir.Path().string(), {}, &blocks, &read), "");
    EXPECT_EQ(blocks, 0);
    EXPECT_EQ(read.error, "cannot read " + dir.Path().string() + ": Is a directory");
}

// A line far longer than any record, even across read blocks, is cut and the line after it
// still read.
TEST(PairExport, readerCutsOverLongLinesAndReadsOn) {
    TempDir dir;
    const std::string triple = Triple(At(2, 9, 0), At(2, 10, 0));
    for (std::size_t length : {std::size_t{5000}, std::size_t{3} << 20}) {
        SCOPED_TRACE(length);
        WriteFile(dir.File("log"), triple + "In..." + std::string(length, 'x') + "\r\n" + triple);
        CTimeEntryList list;
        EXPECT_TRUE(list.Load(dir.File("log")));
        ASSERT_EQ(list.GetCount(), 2);
        EXPECT_TRUE(list.GetAt(1)->m_bHasOut);
    }
}

}  // namespace
}  // namespace tally::test
