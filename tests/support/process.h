// SPDX-License-Identifier: MIT
#pragma once
// Runs a program as a separate process and collects what it printed and its exit code.

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace tally::test {

struct ProcessResult {
    int exitCode = -1;  // 128 + signal number when killed; 127 when it could not start
    std::string out;
    std::string err;
    bool timedOut = false;  // killed at the timeout
};

struct ProcessOptions {
    std::map<std::string, std::string> env;  // set over the test's own environment
    std::string stdoutFile;                  // standard output goes there instead of into out
    std::chrono::milliseconds timeout{std::chrono::minutes(2)};
};

// Runs argv[0] (searched in PATH) with standard input from /dev/null, and waits for it, at
// most until the timeout.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
// Starts every argv at once, each as RunProcess runs one (stdoutFile aside: each output is
// collected), and waits for them all; their results in the order given.
std::vector<ProcessResult> RunProcessesTogether(const std::vector<std::vector<std::string>>& argvs,
                                                const ProcessOptions& options = {});

}  // namespace tally::test
