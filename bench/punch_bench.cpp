// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <filesystem>

#include "bench_logs.h"
#include "core/tally_engine.h"
#include "log_benchmarks.h"
#include "stepping_clock.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally::bench {
namespace {

constexpr TimeValue kMinutesBetweenPunches = 47;

void Punch(benchmark::State& state, const LogPreset& preset, const std::string& path) {
    test::TempDir dir;
    const std::string copy = dir.File(preset.fileName);
    std::filesystem::copy_file(path, copy);
    // From the morning after the log's last year on, every punch follows the last record.
    SteppingClock clock(FromLocalTime(preset.shape.lastYear + 1, 1, 2, 8, 0, 0),
                        kMinutesBetweenPunches * 60);
    test::RecordingReporter reporter;
    TallyEngine engine(clock, reporter);
    engine.Settings().DataLog = copy;
    engine.ScanTimeLog();
    std::int64_t scanned = 0;
    for (auto _ : state) {
        if (!engine.OnClockIn()) break;
        scanned += FileSizeOf(copy);
        if (!engine.OnClockOut()) break;
        scanned += FileSizeOf(copy);
    }
    if (!reporter.messages.empty()) {
        state.SkipWithError(reporter.messages.front().text.c_str());
    } else if (static_cast<std::int64_t>(engine.Rows().raw.size()) != CountLines(copy) ||
               engine.ClockedIn()) {
        state.SkipWithError("the rescan did not reach the end of the log");
    }
    state.SetBytesProcessed(scanned);
    state.SetItemsProcessed(state.iterations() * 2);
    // Seconds per single punch (one append and its rescan).
    state.counters["per_punch"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

void RegisterPunch(const LogPreset& preset, const std::string& path) {
    benchmark::RegisterBenchmark(("PunchInOut/" + preset.name).c_str(), Punch, preset, path)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

}  // namespace tally::bench
