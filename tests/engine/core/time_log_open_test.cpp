// SPDX-License-Identifier: MIT
// Opening the time log: only a regular file is accepted, nothing blocks, nothing truncates,
// and the scan remembers a log it could not use.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "engine_fixture.h"
#include "log/time_log_file.h"

namespace tally::test {
namespace {

using Status = OpenedLog::Status;

struct OpenCase {
    const char* name;
    std::function<std::string(const TempDir&)> make;  // returns the path to open
    Status status;
    int error;
};

const OpenCase kOpenCases[] = {
    {"regular",
     [](const TempDir& d) {
         WriteFile(d.File("log"), "x");
         return d.File("log");
     },
     Status::Opened, 0},
    {"link to regular",
     [](const TempDir& d) {
         WriteFile(d.File("log"), "x");
         std::filesystem::create_symlink(d.File("log"), d.File("link"));
         return d.File("link");
     },
     Status::Opened, 0},
    {"missing", [](const TempDir& d) { return d.File("none"); }, Status::Missing, ENOENT},
    {"empty path", [](const TempDir&) { return std::string(); }, Status::Missing, ENOENT},
    {"directory", [](const TempDir& d) { return d.Path().string(); }, Status::Failed, EISDIR},
    {"fifo",
     [](const TempDir& d) {
         mkfifo(d.File("fifo").c_str(), 0600);
         return d.File("fifo");
     },
     Status::NotRegular, 0},
    {"device", [](const TempDir&) { return std::string("/dev/zero"); }, Status::NotRegular, 0},
    {"symlink loop",
     [](const TempDir& d) {
         std::filesystem::create_symlink(d.File("b"), d.File("a"));
         std::filesystem::create_symlink(d.File("a"), d.File("b"));
         return d.File("a");
     },
     Status::Failed, ELOOP},
};

TEST(TimeLogOpen, acceptsOnlyRegularFilesInBothModes) {
    for (const OpenCase& c : kOpenCases) {
        for (LogAccess access : {LogAccess::Read, LogAccess::ReadAppend}) {
            SCOPED_TRACE(c.name);
            TempDir dir;
            const std::string path = c.make(dir);
            const OpenedLog log = OpenTimeLogFile(path, access);
            EXPECT_EQ(log.status, c.status);
            EXPECT_EQ(log.fd.Get() >= 0, c.status == Status::Opened);
            if (c.error != 0) {
                EXPECT_EQ(log.error, c.error);
            }
        }
    }
}

TEST(TimeLogOpen, reasonNamesFileAndSystemReason) {
    OpenedLog log;
    log.status = Status::Failed;
    log.error = EACCES;
    EXPECT_EQ(log.Reason("/x/log", LogAccess::Read), "cannot read /x/log: Permission denied");
    EXPECT_EQ(log.Reason("/x/log", LogAccess::ReadAppend), "cannot open /x/log: Permission denied");
    log.status = Status::NotRegular;
    EXPECT_EQ(log.Reason("/dev/zero", LogAccess::Read), "/dev/zero is not a regular file");
}

TEST(TimeLogOpen, readOnlyOpenCannotWrite) {
    TempDir dir;
    WriteFile(dir.File("log"), "abc");
    const OpenedLog log = OpenTimeLogFile(dir.File("log"), LogAccess::Read);
    ASSERT_TRUE(log.Ok());
    EXPECT_LT(::write(log.fd.Get(), "x", 1), 0);
    EXPECT_EQ(ReadFile(dir.File("log")), "abc");
}

TEST(TimeLogOpen, createMakesMissingKeepsExistingRefusesFifo) {
    TempDir dir;
    const OpenedLog made = CreateTimeLogFile(dir.File("new"));
    EXPECT_TRUE(made.Ok());
    EXPECT_TRUE(made.created);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("new")));

    WriteFile(dir.File("old"), "keep");
    const OpenedLog existing = CreateTimeLogFile(dir.File("old"));
    EXPECT_TRUE(existing.Ok());
    EXPECT_FALSE(existing.created);
    EXPECT_EQ(ReadFile(dir.File("old")), "keep");

    mkfifo(dir.File("fifo").c_str(), 0600);
    EXPECT_EQ(CreateTimeLogFile(dir.File("fifo")).status, Status::NotRegular);
    EXPECT_EQ(CreateTimeLogFile("/dev/null").status, Status::NotRegular);
}

TEST(TimeLogOpen, reporterGetsTheMessageOfEachFailure) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_LT(OpenTimeLog(dir.File("none"), LogAccess::Read, &reporter), 0);
    mkfifo(dir.File("fifo").c_str(), 0600);
    EXPECT_LT(OpenTimeLog(dir.File("fifo"), LogAccess::Read, &reporter), 0);
    EXPECT_LT(OpenTimeLog(dir.Path().string(), LogAccess::ReadAppend, &reporter), 0);
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[0].text,
              "ERROR! No " + dir.File("none") + " exists. Aborting operation.\n");
    EXPECT_EQ(reporter.messages[1].text,
              "ERROR! " + dir.File("fifo") + " is not a regular file. Aborting operation.\n");
    EXPECT_EQ(reporter.messages[2].text,
              "ERROR! Failed to open " + dir.Path().string() + ". Aborting operation.\n");
}

TEST(FileIdentity, tellsWhetherThePathStillNamesTheOpenFile) {
    TempDir dir;
    WriteFile(dir.File("log"), "abc");
    std::filesystem::create_symlink(dir.File("log"), dir.File("link"));
    const OpenedLog log = OpenTimeLogFile(dir.File("log"), LogAccess::Read);
    ASSERT_TRUE(log.Ok());
    const FileIdentity byFd = FileIdentity::OfDescriptor(log.fd.Get());
    EXPECT_EQ(byFd, FileIdentity::OfPath(dir.File("log")));
    EXPECT_EQ(byFd.size, 3);
    EXPECT_TRUE(PathNamesFile(dir.File("log"), log.fd.Get()));
    EXPECT_TRUE(PathNamesFile(dir.File("link"), log.fd.Get()));

    WriteFile(dir.File("log"), "abcd");  // the same file, grown: still the same file
    EXPECT_NE(FileIdentity::OfDescriptor(log.fd.Get()), byFd);
    EXPECT_TRUE(FileIdentity::OfDescriptor(log.fd.Get()).IsSameFile(byFd));

    WriteFile(dir.File("other"), "abc");
    std::filesystem::rename(dir.File("other"), dir.File("log"));  // replaced by another file
    EXPECT_FALSE(PathNamesFile(dir.File("log"), log.fd.Get()));
    std::filesystem::remove(dir.File("log"));
    EXPECT_FALSE(PathNamesFile(dir.File("log"), log.fd.Get()));
    EXPECT_FALSE(PathNamesFile(dir.File("log"), -1));
    EXPECT_FALSE(FileIdentity().IsSameFile(FileIdentity()));
}

using ScanLogErrorTest = EngineTest;

TEST_F(ScanLogErrorTest, remembersAnUnusableLogButNotAMissingOne) {
    engine.ScanTimeLog();
    EXPECT_EQ(engine.LogError(), "");

    std::filesystem::create_directory(log());
    engine.ScanTimeLog();
    EXPECT_EQ(engine.LogError(), "cannot read " + log() + ": Is a directory");

    std::filesystem::remove(log());
    mkfifo(log().c_str(), 0600);
    engine.ScanTimeLog();
    EXPECT_EQ(engine.LogError(), log() + " is not a regular file");

    std::filesystem::remove(log());
    WriteLog(Triple("Mon Jan 08 09:00:00 2024", "Mon Jan 08 10:00:00 2024", "01:00:00"));
    engine.ScanTimeLog();
    EXPECT_EQ(engine.LogError(), "");
    EXPECT_EQ(engine.Rows().raw.size(), 3u);
}

}  // namespace
}  // namespace tally::test
