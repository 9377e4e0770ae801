// SPDX-License-Identifier: MIT
#include "child_process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace tally::test {

ChildOutcome RunInChild(const std::function<bool(std::string& report)>& body) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        std::string report;
        const bool ok = body(report);
        if (write(pipeFds[1], report.data(), report.size()) < 0) _exit(4);
        _exit(ok ? 0 : 1);
    }
    close(pipeFds[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        outcome.report.append(buffer, n);
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

}  // namespace tally::test
