// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "bench_logs.h"
#include "core/tally_engine.h"
#include "log_benchmarks.h"
#include "test_support.h"
#include "time/clock.h"

namespace tally::bench {
namespace {

// What any program must pay to get the bytes: read() in 1 MiB blocks.
void PlainRead(benchmark::State& state, const std::string& path) {
    std::vector<char> block(1 << 20);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the log");
            break;
        }
        for (ssize_t n; (n = ::read(fd, block.data(), block.size())) > 0;) bytes += n;
        ::close(fd);
    }
    state.SetBytesProcessed(bytes);
}

// Counts the rows and keeps none, like the sinks of the command line's lists.
class CountingSink final : public RowSink {
  public:
    void Clear() override { raw = 0; }
    void AddRawRow(const RawRow&) override { ++raw; }
    void AddDailyRow(const DailyRow&) override {}
    std::int64_t raw = 0;
};

enum class Lists { Kept, Fresh, None };

// The scan as the main window runs it: into the engine's own row lists. With Kept lists
// the engine has scanned once before, as after a punch, and its lists keep their capacity;
// with Fresh lists every scan is a new engine's first, growing its lists from nothing.
// With None the rows go to a sink that keeps none.
void Scan(benchmark::State& state, const std::string& path, CurrentSettings settings, Lists lists,
          std::int64_t lines) {
    SystemClock clock;
    test::RecordingReporter reporter;
    settings.DataLog = path;
    std::int64_t rows = 0;
    auto scanOnce = [&](TallyEngine& engine) {
        engine.ScanTimeLog();
        benchmark::DoNotOptimize(engine.State());
        rows = static_cast<std::int64_t>(engine.Rows().raw.size());
    };
    if (lists == Lists::None) {
        CountingSink sink;
        TallyEngine engine(clock, reporter);
        engine.Settings() = settings;
        engine.SetRowSink(&sink);
        for (auto _ : state) {
            engine.ScanTimeLog();
            benchmark::DoNotOptimize(engine.State());
        }
        rows = sink.raw;
    } else if (lists == Lists::Kept) {
        TallyEngine engine(clock, reporter);
        engine.Settings() = settings;
        engine.ScanTimeLog();
        for (auto _ : state) scanOnce(engine);
    } else {
        for (auto _ : state) {
            TallyEngine engine(clock, reporter);
            engine.Settings() = settings;
            scanOnce(engine);
        }
    }
    // One raw row per line: a scan that stopped early would look faster than it is.
    if (rows != lines) state.SkipWithError("the scan did not reach the end of the log");
    state.SetBytesProcessed(state.iterations() * FileSizeOf(path));
    state.counters["rows"] = static_cast<double>(rows);
}

}  // namespace

void RegisterReadAndScan(const LogPreset& preset, const std::string& path) {
    const std::int64_t lines = CountLines(path);
    benchmark::RegisterBenchmark(("PlainRead/" + preset.name).c_str(), PlainRead, path)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    auto scan = [&](const std::string& name, const CurrentSettings& settings, Lists lists) {
        benchmark::RegisterBenchmark(("Scan/" + preset.name + name).c_str(), Scan, path, settings,
                                     lists, lines)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    scan("", CurrentSettings{}, Lists::Kept);
    scan("/first", CurrentSettings{}, Lists::Fresh);
    scan("/no-rows", CurrentSettings{}, Lists::None);
    // The costliest options: every punch time rounded, weekly periods.
    CurrentSettings rounded;
    rounded.PeriodType = kPeriodWeekly;
    rounded.WeekStartDay = 1;
    rounded.RoundingType = kRoundInOut;
    rounded.RoundingUnit = 15;
    scan("/rounded-weekly", rounded, Lists::Kept);
}

}  // namespace tally::bench
