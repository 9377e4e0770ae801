// SPDX-License-Identifier: MIT
#include "process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstring>
#include <thread>

#include "test_support.h"

extern char** environ;

namespace tally::test {

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    TempDir capture;
    const std::string outPath =
        options.stdoutFile.empty() ? capture.File("out") : options.stdoutFile;
    const std::string errPath = capture.File("err");
    // env sets the variables and finds the program; posix_spawn rather than fork because GUI
    // tests have threads.
    std::vector<std::string> args{"env"};
    for (const auto& [name, value] : options.env) args.push_back(name + "=" + value);
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<char*> pointers;
    for (std::string& arg : args) pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = -1;
    const int spawnError = posix_spawnp(&pid, "env", &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProcessResult result;
    if (spawnError != 0) {
        result.exitCode = 127;
        result.err = std::string("env: ") + std::strerror(spawnError);
        return result;
    }

    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (options.stdoutFile.empty()) result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

}  // namespace tally::test
