// SPDX-License-Identifier: MIT
#include "traced_child.h"

#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

namespace tally::test {

TracedChild::TracedChild(const std::function<bool()>& body) {
    pid_ = fork();
    if (pid_ == 0) {
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        raise(SIGSTOP);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    ptrace(PTRACE_SETOPTIONS, pid_, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
}

int TracedChild::RunAndKillAt(int stops, bool& succeededByItself) {
    succeededByItself = false;
    int passed = 0;
    int signal = 0;
    int status = 0;
    while (passed < stops) {
        ptrace(PTRACE_SYSCALL, pid_, nullptr, signal);
        signal = 0;
        waitpid(pid_, &status, 0);
        if (WIFEXITED(status)) {
            succeededByItself = WEXITSTATUS(status) == 0;
            return passed;
        }
        if (WIFSIGNALED(status)) return passed;
        if (WSTOPSIG(status) == (SIGTRAP | 0x80)) {
            ++passed;
        } else {
            signal = WSTOPSIG(status);  // hand the child its own signals
        }
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    return passed;
}

}  // namespace tally::test
