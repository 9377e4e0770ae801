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
namespace {

// Starts argv with its output going to the two files; the process id, or -1 with the reason
// in result.
pid_t Spawn(const std::vector<std::string>& argv, const ProcessOptions& options,
            const std::string& outPath, const std::string& errPath, ProcessResult& result) {
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
    if (spawnError == 0) return pid;
    result.exitCode = 127;
    result.err = std::string("env: ") + std::strerror(spawnError);
    return -1;
}

// Waits for the process, killing it at the deadline, and reads what it wrote.
void Collect(pid_t pid, std::chrono::steady_clock::time_point deadline, const std::string& outPath,
             const std::string& errPath, bool readOut, ProcessResult& result) {
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
    if (readOut) result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    TempDir capture;
    const std::string outPath =
        options.stdoutFile.empty() ? capture.File("out") : options.stdoutFile;
    const std::string errPath = capture.File("err");
    ProcessResult result;
    const pid_t pid = Spawn(argv, options, outPath, errPath, result);
    if (pid < 0) return result;
    Collect(pid, std::chrono::steady_clock::now() + options.timeout, outPath, errPath,
            options.stdoutFile.empty(), result);
    return result;
}

std::vector<ProcessResult> RunProcessesTogether(const std::vector<std::vector<std::string>>& argvs,
                                                const ProcessOptions& options) {
    TempDir capture;
    std::vector<ProcessResult> results(argvs.size());
    std::vector<pid_t> pids;
    for (std::size_t i = 0; i < argvs.size(); ++i) {
        const std::string n = std::to_string(i);
        pids.push_back(
            Spawn(argvs[i], options, capture.File("out" + n), capture.File("err" + n), results[i]));
    }
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    for (std::size_t i = 0; i < argvs.size(); ++i) {
        const std::string n = std::to_string(i);
        if (pids[i] >= 0)
            Collect(pids[i], deadline, capture.File("out" + n), capture.File("err" + n), true,
                    results[i]);
    }
    return results;
}

}  // namespace tally::test
