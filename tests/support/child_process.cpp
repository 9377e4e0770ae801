// SPDX-License-Identifier: MIT
#include "child_process.h"

#include <sys/wait.h>
#include <unistd.h>

namespace tally::test {

ChildOutcome RunInChild(const std::function<bool(std::string& report)>& body) {
    return RunInChildren(1, [&](int, std::string& report) { return body(report); }).front();
}

std::vector<ChildOutcome> RunInChildren(
    int count, const std::function<bool(int index, std::string& report)>& body) {
    std::vector<ChildOutcome> outcomes(count);
    // Each child waits for the start pipe to close, which happens once all are forked.
    int start[2];
    if (pipe(start) != 0) return outcomes;
    std::vector<pid_t> pids(count, -1);
    std::vector<int> reports(count, -1);
    for (int i = 0; i < count; ++i) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) break;
        pids[i] = fork();
        if (pids[i] == 0) {
            close(start[1]);
            close(pipeFds[0]);
            char c;
            if (read(start[0], &c, 1) != 0) _exit(3);
            std::string report;
            const bool ok = body(i, report);
            if (write(pipeFds[1], report.data(), report.size()) < 0) _exit(4);
            _exit(ok ? 0 : 1);
        }
        // Closed at once, so that no later child holds it open and its reader sees the end.
        close(pipeFds[1]);
        reports[i] = pipeFds[0];
    }
    close(start[0]);
    close(start[1]);
    for (int i = 0; i < count; ++i) {
        char buffer[4096];
        for (ssize_t n; reports[i] >= 0 && (n = read(reports[i], buffer, sizeof buffer)) > 0;) {
            outcomes[i].report.append(buffer, n);
        }
        if (reports[i] >= 0) close(reports[i]);
        int status = 0;
        if (pids[i] <= 0 || waitpid(pids[i], &status, 0) != pids[i]) continue;
        outcomes[i].exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return outcomes;
}

}  // namespace tally::test
