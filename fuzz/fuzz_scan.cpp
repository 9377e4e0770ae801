// SPDX-License-Identifier: MIT
// The scan over arbitrary bytes, as the window and tally status run it: the first bytes
// choose the rounding, the billing period and the week start, the rest is the time log.
// Besides crashes it finds reports that disagree with the lists they are made from.

#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "core/log_check.h"
#include "core/tally_engine.h"
#include "fuzz_support.h"
#include "log/time_log_file.h"
#include "reports/report_buckets.h"

namespace tally::fuzz {
namespace {

// The settings a store may hold, a few impossible ones included.
void ChooseSettings(InputBytes& input, CurrentSettings& s) {
    static constexpr int kUnits[] = {0, 1, 15, 30, 7, -15, 60, 1440};
    s.RoundingType = input.Choice(5);  // 4 stands for any unknown type
    s.RoundingUnit = kUnits[input.Choice(8)];
    s.PeriodType = input.Choice(3);  // 2: neither weekly nor half-monthly
    s.WeekStartDay = input.Choice(7);
    s.ShowDollars = input.Choice(2) == 1;
    s.Rate = input.Byte() / 4.0;
}

// Every cell as the lists show it.
void FormatRows(const RowLists& rows) {
    for (const RawRow& row : rows.raw) {
        for (int c = 0; c < RawRow::kColumns; ++c) (void)row.Cell(c);
    }
    for (const DailyRow& row : rows.daily) {
        for (int c = 0; c < DailyRow::kColumns; ++c) (void)row.Cell(c);
    }
}

// The billing periods of the report are the separator rows of the daily list, then the
// current period; their total is the whole log's.
void CheckPeriodReport(const std::vector<ScannedDay>& days, const RowLists& rows,
                       const TallyEngine& engine) {
    const BucketReport report = MakeBuckets(days, BucketBy::Period, engine.Settings());
    std::vector<ELAPSEDTIME> separators;
    for (const DailyRow& row : rows.daily) {
        if (row.separator) separators.push_back(row.total);
    }
    if (report.buckets.empty()) return;
    TALLY_FUZZ_CHECK(report.buckets.size() == separators.size() + 1);
    for (std::size_t i = 0; i < separators.size(); ++i) {
        TALLY_FUZZ_CHECK(report.buckets[i].time == separators[i]);
    }
    const ScanState& state = engine.State();
    TALLY_FUZZ_CHECK(report.buckets.back().time == state.periodTotal);
    TALLY_FUZZ_CHECK(report.total.time == state.grandTotal);
}

// tally check lists the scan's stop last, as the scan found it.
void CheckLogCheck(const MemoryFile& log, const TallyEngine& engine) {
    FileDescriptor fd(open(log.Path().c_str(), O_RDONLY | O_CLOEXEC));
    const LogCheck check = CheckTimeLog(fd.Get(), engine.Settings());
    for (const LogFinding& finding : check.findings) (void)DescribeFinding(finding);
    const ScanStop& stop = engine.State().stop;
    if (stop.reason == LogFault::None) {
        for (const LogFinding& finding : check.findings) TALLY_FUZZ_CHECK(!finding.stopsScan);
        return;
    }
    (void)DescribeScanStop(stop);
    TALLY_FUZZ_CHECK(!check.findings.empty());
    const LogFinding& last = check.findings.back();
    TALLY_FUZZ_CHECK(last.stopsScan && last.fault == stop.reason);
    TALLY_FUZZ_CHECK(last.place.offset == stop.place.offset);
    TALLY_FUZZ_CHECK(last.place.line == stop.place.line);
    TALLY_FUZZ_CHECK(last.linesIgnored == stop.linesIgnored);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    fuzz::InputBytes input(data, size);
    fuzz::FixedClock clock;
    fuzz::IgnoringReporter reporter;
    TallyEngine engine(clock, reporter);
    fuzz::ChooseSettings(input, engine.Settings());
    const fuzz::MemoryFile log(input.Rest());
    engine.Settings().DataLog = log.Path();

    RowLists rows;
    DayCollector collector(&rows);
    engine.SetRowSink(&collector);
    engine.ScanTimeLog();
    TALLY_FUZZ_CHECK(engine.LogError().empty());
    const std::vector<ScannedDay> days = collector.Finish(engine.State());
    fuzz::FormatRows(rows);
    // Every day has a date of the calendar; one whose record's date is damaged is left out of
    // the report, which then adds up to less than the lists.
    for (const ScannedDay& day : days) TALLY_FUZZ_CHECK(IsRealDate(day.date));
    if (collector.Undated() == 0) fuzz::CheckPeriodReport(days, rows, engine);
    fuzz::CheckLogCheck(log, engine);

    engine.BringUpToNow();
    engine.BuildMarqueeCaption();
    (void)engine.OnTimer();
    return 0;
}
