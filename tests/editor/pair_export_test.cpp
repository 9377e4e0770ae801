// The export engine on logs on disk: both formats, the date range, the blocks it writes,
// and logs it cannot read. Plus the reader's bound on over-long lines, which export relies on.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/local_time.h"
#include "editor/pair_export.h"
#include "editor/time_entry_list.h"
#include "log_text.h"
#include "test_support.h"

namespace tally::test {
namespace {

TimeValue At(int day, int hour, int minute) {
    return FromLocalTime(2004, 6, day, hour, minute, 0);
}

std::string Export(const std::string& path, const PairExportOptions& options, int* blocks,
                   std::optional<std::string>* error = nullptr) {
    std::string text;
    *blocks = 0;
    const auto failure = ExportTimeLog(path, options, [&](std::string_view block) {
        text += block;
        ++*blocks;
    });
    if (error != nullptr) *error = failure;
    return text;
}

TEST(PairExport, FormatsRangesAndRates) {
    TempDir dir;
    const std::string log = dir.File("log");
    WriteFile(log, Triple(At(2, 9, 0), At(2, 10, 30)) + Triple(At(3, 12, 0), At(3, 11, 0)) +
                       Triple(At(4, 23, 0), At(5, 1, 0)) + In("2004-06-06 09:00:00"));
    const CalendarDate june3{2004, 6, 3};
    const CalendarDate june4{2004, 6, 4};
    const struct {
        PairExportOptions options;
        std::string text;
    } cases[] = {
        {{ExportFormat::Csv, {}, {}, 10.0},
         "in,out,elapsed_seconds,hours,amount\n"
         "2004-06-02 09:00:00,2004-06-02 10:30:00,5400,1.50,15.00\n"
         "2004-06-03 12:00:00,2004-06-03 11:00:00,-3600,-1.00,-10.00\n"
         "2004-06-04 23:00:00,2004-06-05 01:00:00,7200,2.00,20.00\n"},
        {{ExportFormat::Csv, june4, june4, 0.0},
         "in,out,elapsed_seconds,hours,amount\n"
         "2004-06-04 23:00:00,2004-06-05 01:00:00,7200,2.00,0.00\n"},
        {{ExportFormat::Timeclock, june3, june4, 0.0},
         "i 2004/06/04 23:00:00 TallyBook\no 2004/06/05 01:00:00\n"},
    };
    for (const auto& c : cases) {
        int blocks = 0;
        EXPECT_EQ(Export(log, c.options, &blocks), c.text);
        EXPECT_EQ(blocks, 1);
    }
}

TEST(PairExport, LargeExportsComeInBlocks) {
    TempDir dir;
    std::string log;
    for (int i = 0; i < 20000; ++i) log += Triple(At(2, 9, 0), At(2, 10, 0));
    WriteFile(dir.File("log"), log);
    int blocks = 0;
    const std::string text = Export(dir.File("log"), PairExportOptions(), &blocks);
    EXPECT_EQ(text.size(), 36 + 20000 * 55u);
    EXPECT_EQ(blocks, 2);
}

TEST(PairExport, MissingLogWritesNothingUnreadableLogGivesItsReason) {
    TempDir dir;
    int blocks = 0;
    std::optional<std::string> error;
    EXPECT_EQ(Export(dir.File("none"), {}, &blocks, &error), "");
    EXPECT_EQ(blocks, 0);
    EXPECT_FALSE(error);
    EXPECT_EQ(Export(dir.Path().string(), {}, &blocks, &error), "");
    EXPECT_EQ(blocks, 0);
    EXPECT_EQ(error, "cannot read " + dir.Path().string() + ": Is a directory");
}

// A line far longer than any record, even across read blocks, is cut and the line after it
// still read.
TEST(PairExport, ReaderCutsOverLongLinesAndReadsOn) {
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
