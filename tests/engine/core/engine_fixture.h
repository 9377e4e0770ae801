// SPDX-License-Identifier: MIT
#pragma once
// An engine on a time log in a temporary folder, with a settable clock and recorded messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tally_engine.h"
#include "log_text.h"
#include "reports/report_buckets.h"
#include "test_support.h"

namespace tally::test {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() : engine(clock, reporter) { engine.Settings().DataLog = log(); }

    std::string log() const { return dir.File("TALLYBK.DAT"); }
    // The log, with LF line ends turned into CR LF.
    void WriteLog(const std::string& text) { WriteFile(log(), Crlf(text)); }

    std::vector<std::string> RawColumn(int column) const {
        std::vector<std::string> cells;
        for (const RawRow& row : engine.Rows().raw) cells.push_back(row.Cell(column));
        return cells;
    }
    // Scans the log as the window does, its rows kept in scannedRows, and gives the days of
    // that one scan.
    std::vector<ScannedDay> ScanDays() {
        DayCollector collector(&scannedRows);
        engine.SetRowSink(&collector);
        engine.ScanTimeLog();
        engine.SetRowSink(nullptr);
        return collector.Finish(engine.State());
    }
    std::vector<std::vector<std::string>> DailyRows() const {
        std::vector<std::vector<std::string>> rows;
        for (const DailyRow& row : engine.Rows().daily) {
            rows.push_back({row.Cell(0), row.Cell(1), row.Cell(2)});
        }
        return rows;
    }

    TempDir dir;
    FakeClock clock;
    RecordingReporter reporter;
    TallyEngine engine;
    RowLists scannedRows;  // of the last ScanDays
};

}  // namespace tally::test
