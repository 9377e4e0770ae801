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

// The test's environment with the given variables set over it, as execve takes it.
std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : overrides) variables[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    TempDir capture;
    const std::string outPath =
        options.stdoutFile.empty() ? capture.File("out") : options.stdoutFile;
    const std::string errPath = capture.File("err");

    // posix_spawn rather than fork: GUI tests have threads, and the child runs nothing of ours.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> args = argv;
    std::vector<std::string> env = Environment(options.env);
    pid_t pid = -1;
    const int spawnError = posix_spawnp(&pid, args.at(0).c_str(), &actions, nullptr,
                                        Pointers(args).data(), Pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    ProcessResult result;
    if (spawnError != 0) {
        result.exitCode = 127;
        result.err = argv[0] + ": " + std::strerror(spawnError);
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
