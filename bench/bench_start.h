// SPDX-License-Identifier: MIT
#pragma once
// The start the benchmark programs share: Google Benchmark's options, the logs they measure
// named in the report's context, and for windows and printing a QApplication.

#include <functional>
#include <string>

namespace tally::bench {

// Names a log in the report's context ("PATH (N bytes)" under label); the path back. An
// empty path (a log that could not be made) is named nowhere.
std::string NamedLog(const std::string& label, std::string path);

// The log of the named preset, generated when missing, under "log"; empty when it cannot be
// made.
std::string NamedPresetLog(const std::string& preset);

// Reads the benchmark options, lets add register the benchmarks and runs them; what main
// returns. add returns false when they cannot run (a log that could not be made).
int RunBenchmarks(int argc, char** argv, const std::function<bool()>& add);

// Where the Qt programs draw: offscreen, or on DISPLAY when one is set.
enum class Screen { Offscreen, DisplayIfSet };

// RunBenchmarks with a QApplication (tally_bench_gui): fonts and widgets need one, not a
// display. A QT_QPA_PLATFORM set by the caller wins; numbers print with C's decimal point.
int RunGuiBenchmarks(int argc, char** argv, Screen screen, const std::function<bool()>& add);

}  // namespace tally::bench
