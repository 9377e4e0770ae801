// SPDX-License-Identifier: MIT
#pragma once
// The benchmarks' time logs on disk: in bench/data/ (or $TALLY_BENCH_DATA), made by the
// generator when missing.

#include <cstdint>
#include <string>

#include "log_generator.h"

namespace tally::bench {

std::string BenchDataDir();

// The path of a preset's log, generated first when missing; empty when it cannot be made.
std::string EnsureLog(const LogPreset& preset);

// The log of the single-log benchmarks: $TALLY_BENCH_LOG, else the million-triple preset.
std::string MillionLogOrOverride();

std::int64_t FileSizeOf(const std::string& path);
std::int64_t CountLines(const std::string& path);

}  // namespace tally::bench
