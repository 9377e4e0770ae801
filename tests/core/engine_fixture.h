#pragma once
// An engine on a time log in a temporary folder, with a settable clock and recorded messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tally_engine.h"
#include "test_support.h"

namespace tally::test {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() : engine(clock, reporter) {
        PinTimeZone();
        engine.Settings().DataLog = log();
    }

    std::string log() const { return dir.File("TALLYBK.DAT"); }
    void WriteLog(const std::string& lfText) { WriteFile(log(), Crlf(lfText)); }

    std::vector<std::string> RawColumn(int column) const {
        std::vector<std::string> cells;
        for (const RawRow& row : engine.Rows().raw) cells.push_back(row.Cell(column));
        return cells;
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
};

// One triple of the time log, LF line ends.
inline std::string Triple(const std::string& in, const std::string& out, const std::string& et) {
    return "In..." + in + "\nOut.." + out + "\nElapsed time of " + et + ".\n";
}

}  // namespace tally::test
