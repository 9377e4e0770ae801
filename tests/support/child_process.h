// SPDX-License-Identifier: MIT
#pragma once
// Runs a piece of the test in a forked copy of the test process, so that what it changes for
// itself (resource limits, its user, a crash) stays out of the test.

#include <functional>
#include <string>
#include <vector>

namespace tally::test {

struct ChildOutcome {
    int exitCode = -1;   // 0 when the body returned true, 1 when false; 128 + signal if killed
    std::string report;  // what the body wrote into its report
};

ChildOutcome RunInChild(const std::function<bool(std::string& report)>& body);

// Runs body(index, report) in count forked copies at once: none starts before all are forked,
// so that they race for whatever they share. Their outcomes in index order.
std::vector<ChildOutcome> RunInChildren(
    int count, const std::function<bool(int index, std::string& report)>& body);

}  // namespace tally::test
