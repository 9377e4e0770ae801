// tally_bench_scan: the scan and the punches on the generated logs, next to a plain read.

#include <benchmark/benchmark.h>

#include "bench_logs.h"
#include "log_benchmarks.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (const auto& preset : tally::bench::LogPresets()) {
        const std::string path = tally::bench::EnsureLog(preset);
        if (path.empty()) return 1;
        benchmark::AddCustomContext(
            "log " + preset.name,
            path + " (" + std::to_string(tally::bench::FileSizeOf(path)) + " bytes)");
        tally::bench::RegisterReadAndScan(preset, path);
        tally::bench::RegisterPunch(preset, path);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
