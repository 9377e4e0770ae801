// SPDX-License-Identifier: MIT
// tally_bench_editor: the raw data editor's Load and Save over the dense million-triple log
// (or $TALLY_BENCH_LOG).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_logs.h"
#include "bench_start.h"
#include "entries/time_entry_list.h"
#include "log/backup_rotation.h"
#include "test_support.h"

namespace tally::bench {
namespace {

void Load(benchmark::State& state, const std::string& path) {
    CTimeEntryList list;
    for (auto _ : state) {
        list.Load(path);
        benchmark::DoNotOptimize(list.GetCount());
    }
    state.SetBytesProcessed(state.iterations() * FileSizeOf(path));
    state.counters["entries"] = list.GetCount();
}

// Saves a loaded copy of the log again and again in a folder of its own. Generations 1 to
// 9 are cleared between rounds, outside the clock, so the disk does not fill up; every
// round still moves generation 0 and links the old log in its place.
void Save(benchmark::State& state, const std::string& path, bool backups) {
    test::TempDir dir;
    const std::string copy = dir.File("TALLYBK.DAT");
    std::filesystem::copy_file(path, copy);
    CTimeEntryList list;
    list.Load(copy);
    test::RecordingReporter reporter;
    for (auto _ : state) {
        if (!list.Save(copy, {.makeBackups = backups}, reporter)) {
            state.SkipWithError(reporter.messages.back().text.c_str());
            break;
        }
        state.PauseTiming();
        for (int n = 1; n < kBackupGenerations; ++n) {
            std::filesystem::remove(BackupPath(copy, n));
        }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileSizeOf(copy));
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally::bench;
    return RunBenchmarks(argc, argv, [] {
        const std::string path = NamedLog("log", MillionLogOrOverride());
        if (path.empty()) return false;
        benchmark::RegisterBenchmark("Load/whole-log", Load, path)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("Save/with-backups", Save, path, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("Save/without-backups", Save, path, false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        return true;
    });
}
