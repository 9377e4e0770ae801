// SPDX-License-Identifier: MIT
#pragma once
// Synthetic time logs for the benchmarks: the exact bytes the punch writer produces, with
// realistic working days or densely packed pairs, the same for the same seed.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tally::bench {

struct LogShape {
    int firstYear = 2014;  // from January 1st
    int lastYear = 2023;   // to December 31st
    // 0: working days (weekdays only, one to three pairs, occasional days off);
    // otherwise this many short pairs on every day of the calendar.
    int pairsPerDay = 0;
    bool openIn = false;  // the last pair's In record ends the log, without its Out
    std::uint32_t seed = 1;
};

struct LogPreset {
    std::string name;
    std::string fileName;
    LogShape shape;
};

// The three logs the benchmarks read: ten years and a century of working days, and about
// a million triples inside the years every reader accepts.
const std::vector<LogPreset>& LogPresets();
std::optional<LogPreset> FindLogPreset(const std::string& name);

struct LogSummary {
    std::int64_t triples = 0;
    std::int64_t days = 0;  // days with at least one In record
    std::int64_t bytes = 0;
};

// Writes the whole log to out; false when a write failed.
bool GenerateLog(const LogShape& shape, std::FILE* out, LogSummary* summary = nullptr);

// Writes the log to a temporary file beside path and renames it into place, so an
// interrupted run never leaves a partial log under the final name.
bool GenerateLogFile(const LogShape& shape, const std::string& path, LogSummary* summary = nullptr);

}  // namespace tally::bench
