// SPDX-License-Identifier: MIT
// tally on logs, paths, settings and outputs it cannot use: every such case is a message
// naming the file and a failing exit code, never silent success, a hang or a crash.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tally_harness.h"

namespace tally::test {
namespace {

namespace fs = std::filesystem;

// The commands that only read the log, with the arguments they need.
const std::vector<std::vector<std::string>> kReadCommands = {
    {"status"}, {"days"}, {"log"}, {"invoice", "2026-01-01", "2026-12-31"}, {"export"}};

std::vector<std::string> With(std::vector<std::string> args, const std::string& log) {
    args.insert(args.end(), {"--log", log});
    return args;
}

ProcessOptions QuickTimeout(const TallyHarness& tally) {
    ProcessOptions options = tally.InHome();
    options.timeout = std::chrono::seconds(5);
    return options;
}

TEST(ReadFaults, readCommandsReportALogThatExistsButCannotBeRead) {
    TallyHarness tally;
    const std::string dir = tally.home.File("adir");
    fs::create_directory(dir);
    const std::string loop = tally.home.File("loop");
    fs::create_symlink(tally.home.File("loop2"), loop);
    fs::create_symlink(loop, tally.home.File("loop2"));
    const struct {
        std::string log;
        std::string reason;
    } cases[] = {{dir, "cannot read " + dir + ": Is a directory"},
                 {loop, "cannot read " + loop + ": Too many levels of symbolic links"}};
    for (const auto& c : cases) {
        for (const auto& command : kReadCommands) {
            SCOPED_TRACE(command[0] + " on " + c.log);
            const ProcessResult r = tally.Run(With(command, c.log));
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err, "tally: " + c.reason + "\n");
            EXPECT_EQ(r.out, "");
        }
    }
}

TEST(ReadFaults, readCommandsOnAMissingLogPrintNothingAndSucceed) {
    TallyHarness tally;
    for (const auto& command : kReadCommands) {
        SCOPED_TRACE(command[0]);
        const ProcessResult r = tally.Run(With(command, tally.home.File("none")));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
    }
}

// A log its reader has no permission for. Root reads any file, so then tally runs as nobody.
TEST(ReadFaults, readCommandsReportALogWithoutReadPermission) {
    TallyHarness tally;
    const std::string log = tally.home.File("TALLYBK.DAT");
    WriteFile(log, Crlf("In...Mon Dec 07 09:00:00 2026\n"));
    chmod(log.c_str(), 0);
    std::vector<std::string> prefix;
    if (geteuid() == 0) {
        chmod(tally.Home().c_str(), 0755);
        prefix = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    for (const auto& command : kReadCommands) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> argv = prefix;
        argv.push_back(TALLY_BINARY);
        for (const std::string& arg : With(command, log)) argv.push_back(arg);
        const ProcessResult r = RunProcess(argv, tally.InHome());
        if (r.exitCode == 127) GTEST_SKIP() << "cannot run tally as nobody: " << r.err;
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "tally: cannot read " + log + ": Permission denied\n");
    }
}

// A FIFO or a device as the log is refused at once, by every command, and nothing is written.
TEST(ReadFaults, fifoAndDevicesAreRefusedWithinASecond) {
    TallyHarness tally;
    const std::string fifo = tally.home.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::vector<std::string>> commands = kReadCommands;
    commands.push_back({"in"});
    commands.push_back({"out"});
    for (const std::string& log : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
        for (const auto& command : commands) {
            SCOPED_TRACE(command[0] + " on " + log);
            const auto start = std::chrono::steady_clock::now();
            // Without faketime: the time taken is tally's own.
            std::vector<std::string> argv = With(command, log);
            argv.insert(argv.begin(), TALLY_BINARY);
            const ProcessResult r = RunProcess(argv, QuickTimeout(tally));
            EXPECT_FALSE(r.timedOut);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_NE(r.err.find(log + " is not a regular file"), std::string::npos) << r.err;
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A file without line ends is read in bounded memory: export's peak resident size stays far
// below the file's size. (The peak, not an address space limit: a sanitized build reserves
// terabytes of address space.)
TEST(ReadFaults, exportOfAFileWithoutLineEndsStaysInBoundedMemory) {
    TallyHarness tally;
    const std::string log = tally.home.File("zeros");
    {
        std::ofstream file(log, std::ios::binary);
        file << "In...Mon Dec 07 09:00:00 2026\r\n";
    }
    fs::resize_file(log, 256ull << 20);  // sparse: NULs without disk space
    const ProcessResult r = RunProcess({TALLY_BINARY, "export", "--log", log}, tally.InHome());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "in,out,elapsed_seconds,hours,amount\n");
    // The largest of this test's children so far, every one of them a small tally run.
    struct rusage usage {};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 100 * 1024) << "kB";
}

TEST(ReadFaults, oddLogPathsAreMessagesNotCrashes) {
    TallyHarness tally;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--log", ""}, std::vector<std::string>{"--log="}}) {
        const ProcessResult r = tally.Run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("--log needs a file path"), std::string::npos) << r.err;
    }
    // A relative path once the working folder is gone cannot be resolved.
    const std::string gone = tally.home.File("gone");
    fs::create_directory(gone);
    const ProcessResult r =
        RunProcess({"sh", "-c", "cd \"$1\" && rmdir \"$1\" && exec \"$2\" --log rel.dat status",
                    "sh", gone, TALLY_BINARY},
                   tally.InHome());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("tally: cannot use rel.dat: "), std::string::npos) << r.err;
}

TEST(ReadFaults, aStoreThatCannotBeWrittenOrReadStopsTally) {
    TallyHarness tally;
    // The store's folder cannot be made: its parent is a file.
    WriteFile(tally.home.File(".config"), "");
    ProcessResult r = tally.Run({"config", "Rate", "20"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("tally: cannot write "), std::string::npos) << r.err;

    // The store exists but cannot be read: no command runs on the defaults.
    fs::remove(tally.home.File(".config"));
    ASSERT_EQ(tally.Run({"config", "DataLog", tally.home.File("my.log")}).exitCode, 0);
    const fs::path store = fs::path(tally.Home()) /
                           ".config/Local AppWizard-Generated Applications" /
                           "Quillfen's TallyBook.conf";
    ASSERT_TRUE(fs::exists(store));
    fs::rename(store, tally.home.File("saved.conf"));
    fs::create_directory(store);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"in"}, std::vector<std::string>{"status"},
          std::vector<std::string>{"config"}, std::vector<std::string>{"config", "Rate", "1"}}) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : args[0]);
        r = tally.Run(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "tally: " + store.string() + " is not a regular file\n");
    }
    EXPECT_FALSE(fs::exists(tally.Log()));
    EXPECT_FALSE(fs::exists(tally.home.File("my.log")));
}

TEST(ReadFaults, aFailedWriteOfTheOutputFails) {
    TallyHarness tally;
    // Two days: days lists a day once the next one has begun.
    for (const char* day : {"2026-12-06", "2026-12-07"}) {
        ASSERT_EQ(tally.Run({"in"}, std::string(day) + " 09:00:00").exitCode, 0);
        ASSERT_EQ(tally.Run({"out"}, std::string(day) + " 10:00:00").exitCode, 0);
    }
    const std::vector<std::vector<std::string>> commands = {
        {"status"}, {"days"},   {"log"},       {"invoice", "2026-12-01", "2026-12-31"},
        {"export"}, {"config"}, {"--version"}, {"--help"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        ProcessOptions options;
        options.stdoutFile = "/dev/full";
        const ProcessResult r = tally.Run(command, "2026-12-07 11:00:00", options);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "tally: cannot write the output: No space left on device\n");
    }
}

// A stored rate beyond the highest one taken (1e9) reads as no rate, like one that is not
// finite, so that no amount overflows. tally config refuses them: the store is written by hand.
TEST(ReadFaults, anInfiniteRateCountsAsNoRate) {
    TallyHarness tally;
    ASSERT_EQ(tally.Run({"in"}, "2026-12-07 09:00:00").exitCode, 0);
    ASSERT_EQ(tally.Run({"out"}, "2026-12-07 10:00:00").exitCode, 0);
    fs::create_directories(fs::path(tally.StoreFile()).parent_path());
    for (const char* rate : {"inf", "nan", "1e999", "1e308"}) {
        SCOPED_TRACE(rate);
        WriteFile(tally.StoreFile(), std::string("[Options]\nShowDollars=1\nRate=") + rate + "\n");
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"status"},
              std::vector<std::string>{"invoice", "2026-12-01", "2026-12-31"},
              std::vector<std::string>{"report"}, std::vector<std::string>{"export"}}) {
            const ProcessResult r = tally.Run(command, "2026-12-07 11:00:00");
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
            EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
            EXPECT_NE(r.out.find("0.00"), std::string::npos) << r.out;
        }
    }
}

}  // namespace
}  // namespace tally::test
