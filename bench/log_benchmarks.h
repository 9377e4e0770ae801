// SPDX-License-Identifier: MIT
#pragma once
// Registration of the benchmarks that run on the generated time logs.

#include <string>

#include "log_generator.h"

namespace tally::bench {

// A plain read of the file and the scan the main window runs, side by side.
void RegisterReadAndScan(const LogPreset& preset, const std::string& path);

// Clock In then Clock Out, each appending and rescanning, on a copy of the log.
void RegisterPunch(const LogPreset& preset, const std::string& path);

}  // namespace tally::bench
