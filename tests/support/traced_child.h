// SPDX-License-Identifier: MIT
#pragma once
// A forked copy of the test that stops before its body runs and is then run from here one
// system call at a time and killed at a chosen one: what a writer leaves behind when it dies
// at each step.

#include <sys/types.h>
#include <functional>

namespace tally::test {

class TracedChild {
  public:
    // The child runs body and exits 0 when it returned true, else 1.
    explicit TracedChild(const std::function<bool()>& body);

    // Runs the child up to the given number of system call entries and exits, then kills
    // it. Returns how many it passed, and whether it ended by itself with success.
    int RunAndKillAt(int stops, bool& succeededByItself);

  private:
    pid_t pid_ = -1;
};

}  // namespace tally::test
