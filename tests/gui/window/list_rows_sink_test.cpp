// SPDX-License-Identifier: MIT
// The days the window's lists give the Hours Chart: the days a collector in the scan itself
// would have listed, worked out from the kept rows only when asked.

#include "window/list_rows_sink.h"

#include <gtest/gtest.h>

#include "core/tally_engine.h"
#include "log_text.h"
#include "reports/report_buckets.h"
#include "test_support.h"

namespace tally::test {
namespace {

TEST(ListRowsSinkTest, daysAreThoseACollectorInTheScanLists) {
    const struct {
        const char* name;
        std::string log;
        int periodType;
    } cases[] = {
        {"empty", "", kPeriodHalfMonth},
        {"half months, closed", WorkingDays(2024, 1, 10, 30), kPeriodHalfMonth},
        {"weeks, clocked in", WorkingDays(2024, 1, 10, 30) + In("2024-02-09 09:00:00"),
         kPeriodWeekly},
        // Feb 30 and Mar 01 are one day of the scan; a damaged year is left out.
        {"day beyond its month, damaged year",
         Triple("Thu Feb 29 09:00:00 2024", "Thu Feb 29 10:00:00 2024", "01:00:00") +
             Triple("Fri Feb 30 09:00:00 2024", "Fri Feb 30 10:00:00 2024", "01:00:00") +
             Triple("Fri Mar 01 11:00:00 2024", "Fri Mar 01 12:00:00 2024", "01:00:00") +
             Triple("Sat Mar 02 09:00:00 1024", "Sat Mar 02 10:00:00 1024", "01:00:00") +
             Triple("Sun Mar 03 09:00:00 2024", "Sun Mar 03 10:00:00 2024", "01:00:00"),
         kPeriodWeekly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        FakeClock clock;
        RecordingReporter reporter;
        TallyEngine engine(clock, reporter);
        engine.Settings().DataLog = dir.File("TALLYBK.DAT");
        engine.Settings().PeriodType = c.periodType;
        WriteFile(engine.Settings().DataLog, Crlf(c.log));
        ListRowsSink sink(nullptr);
        DayCollector inScan(&sink);
        engine.SetRowSink(&inScan);
        engine.ScanTimeLog();
        sink.Finish();

        const std::vector<ScannedDay> expected = inScan.Finish(engine.State());
        const std::vector<ScannedDay> days = sink.Days(engine.State());
        ASSERT_EQ(days.size(), expected.size());
        for (std::size_t i = 0; i < days.size(); ++i) {
            EXPECT_EQ(days[i].date, expected[i].date) << i;
            EXPECT_EQ(days[i].total, expected[i].total) << i;
            EXPECT_EQ(days[i].period, expected[i].period) << i;
        }
    }
}

}  // namespace
}  // namespace tally::test
