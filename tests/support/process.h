#pragma once
// Runs a program as a separate process and collects what it printed and its exit code.

#include <map>
#include <string>
#include <vector>

namespace tally::test {

struct ProcessResult {
    int exitCode = -1;  // 128 + signal number when killed
    std::string out;
    std::string err;
};

// Runs argv[0] (searched in PATH) with extra environment variables set.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env = {},
                         const std::string& input = {});

}  // namespace tally::test
