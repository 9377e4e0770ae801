// SPDX-License-Identifier: MIT
// tally_bench_scan: the scan and the punches on the generated logs, next to a plain read.

#include "bench_logs.h"
#include "bench_start.h"
#include "log_benchmarks.h"

int main(int argc, char** argv) {
    using namespace tally::bench;
    return RunBenchmarks(argc, argv, [] {
        for (const auto& preset : LogPresets()) {
            const std::string path = NamedLog("log " + preset.name, EnsureLog(preset));
            if (path.empty()) return false;
            RegisterReadAndScan(preset, path);
            RegisterPunch(preset, path);
        }
        return true;
    });
}
