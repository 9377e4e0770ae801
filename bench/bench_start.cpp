// SPDX-License-Identifier: MIT
#include "bench_start.h"

#include <benchmark/benchmark.h>

#include "bench_logs.h"

namespace tally::bench {

std::string NamedLog(const std::string& label, std::string path) {
    if (!path.empty()) {
        benchmark::AddCustomContext(label,
                                    path + " (" + std::to_string(FileSizeOf(path)) + " bytes)");
    }
    return path;
}

std::string NamedPresetLog(const std::string& preset) {
    const auto found = FindLogPreset(preset);
    return found ? NamedLog("log", EnsureLog(*found)) : std::string();
}

int RunBenchmarks(int argc, char** argv, const std::function<bool()>& add) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!add()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tally::bench
