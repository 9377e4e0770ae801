// SPDX-License-Identifier: MIT
// Save on real files when things go wrong: writes that fail, folders and logs it may not
// touch, a process killed at every step, and a punch that gets in between its create and
// its lock. The time log and its backups must come out whole, byte for byte.

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <functional>
#include <set>

#include "child_process.h"
#include "core/tally_engine.h"
#include "entries/time_entry_list.h"
#include "folder_snapshot.h"
#include "log/backup_rotation.h"
#include "log/editor_messages.h"
#include "test_support.h"
#include "time/local_time.h"
#include "traced_child.h"

namespace tally {
namespace {

using test::ReadFile;
using test::WriteFile;

struct ChildSave {
    bool saved = false;
    std::string messages;  // every reported text, one after the other
};

// Saves the list in a child process after prepare() ran there, so that limits and a
// changed user stay out of the test process.
ChildSave SaveInChild(CTimeEntryList& list, const std::string& path,
                      const std::function<bool()>& prepare) {
    const test::ChildOutcome child = test::RunInChild([&](std::string& report) {
        if (!prepare()) _exit(3);
        test::RecordingReporter reporter;
        const bool saved = list.Save(path, {.makeBackups = true}, reporter);
        for (const Message& m : reporter.messages) report += m.text;
        return saved;
    });
    EXPECT_LE(child.exitCode, 1) << "child status " << child.exitCode;
    return {child.exitCode == 0, child.report};
}

// Root may write anything: a child that must meet permissions becomes "nobody".
const passwd* Nobody() {
    return getpwnam("nobody");
}

bool BecomeUnprivileged() {
    if (geteuid() != 0) return true;
    const passwd* nobody = Nobody();
    return nobody != nullptr && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0;
}

// Hands the folder and its files to the user the unprivileged child runs as.
void GiveToChildUser(const std::filesystem::path& folder) {
    if (geteuid() != 0) return;
    const passwd* nobody = Nobody();
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        ASSERT_EQ(lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
}

class SaveFaultTest : public ::testing::Test {
  protected:
    // An old log, nine backup generations, and a list of many entries to write.
    void SetUp() override {
        WriteFile(path, oldLog);
        for (int n = 0; n < 9; ++n)
            WriteFile(BackupPath(path, n), "generation " + std::to_string(n));
        list.Load(path);
        const TimeValue start = FromLocalTime(2004, 6, 1, 9, 0, 0);
        for (int i = 0; i < 2000; ++i)
            list.PutEntry(0, start + i * 86400, true, start + i * 86400 + 3600);
        before = test::SnapshotFolder(dir.Path());
    }

    void ExpectUntouched() {
        EXPECT_EQ(test::SnapshotFolder(dir.Path()), before);
        EXPECT_EQ(test::CountHiddenFiles(dir.Path()), 0);
    }

    test::TempDir dir;
    std::string path = dir.File("TALLYBK.DAT");
    std::string oldLog = test::Crlf(
        "In...Wed Jun 02 17:47:39 2004\nOut..Wed Jun 02 18:00:00 2004\nElapsed time of "
        "00:12:21.\n");
    CTimeEntryList list;
    test::FolderSnapshot before;
};

TEST_F(SaveFaultTest, aFileSizeLimitIsAWriteFailure) {
    const ChildSave result = SaveInChild(list, path, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    });
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.messages, "Failed to write '" + path + "'.\nFile too large");
    ExpectUntouched();
}

TEST_F(SaveFaultTest, aReadOnlyLogIsAnOpenFailure) {
    GiveToChildUser(dir.Path());
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    before = test::SnapshotFolder(dir.Path());
    const ChildSave result = SaveInChild(list, path, BecomeUnprivileged);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.messages, "Failed to open '" + path + "'.\nPermission denied");
    ExpectUntouched();
}

TEST_F(SaveFaultTest, aReadOnlyFolderIsAnOpenFailure) {
    GiveToChildUser(dir.Path());
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    const ChildSave result = SaveInChild(list, path, BecomeUnprivileged);
    chmod(dir.Path().c_str(), 0700);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.messages, "Failed to open '" + path + "'.\nPermission denied");
    ExpectUntouched();
}

TEST_F(SaveFaultTest, aRotationStoppedHalfWayLosesNoGeneration) {
    if (geteuid() != 0) GTEST_SKIP() << "giving one backup another owner needs root";
    WriteFile(BackupPath(path, 9), "generation 9");
    GiveToChildUser(dir.Path());
    // In a sticky folder only a file's owner may rename it: generation 4 stays root's.
    ASSERT_EQ(chown(dir.Path().c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 01777), 0);
    ASSERT_EQ(chown(BackupPath(path, 4).c_str(), 0, 0), 0);
    const ChildSave result = SaveInChild(list, path, BecomeUnprivileged);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.messages,
              "Failed to write '" + BackupPath(path, 4) + "'.\nOperation not permitted");
    EXPECT_EQ(ReadFile(path), oldLog);
    // 9 made room; 8 ... 5 moved up and back, so that the next save shifts them once.
    for (int n = 0; n <= 8; ++n)
        EXPECT_EQ(ReadFile(BackupPath(path, n)), "generation " + std::to_string(n));
    EXPECT_FALSE(std::filesystem::exists(BackupPath(path, 9)));
    EXPECT_EQ(test::CountHiddenFiles(dir.Path()), 0);
}

// A child that saves the list, traced from here one system call at a time.
class TracedSave : public test::TracedChild {
  public:
    TracedSave(CTimeEntryList& list, const std::string& path)
        : TracedChild([&list, &path] {
              test::RecordingReporter reporter;
              return list.Save(path, {.makeBackups = true}, reporter);
          }) {}
};

// Every file's bytes in the folder, as a multiset of contents.
std::multiset<std::string> Contents(const std::filesystem::path& folder) {
    std::multiset<std::string> contents;
    for (const auto& [name, bytes] : test::SnapshotFolder(folder)) {
        if (name.front() != '.') contents.insert(bytes);
    }
    return contents;
}

TEST(SaveKilledTest, leavesTheOldOrTheNewLogAtEveryStep) {
    const std::string oldLog = test::Crlf("In...Wed Jun 02 09:00:00 2004\n");
    std::string newLog;
    int total = INT_MAX;
    for (int stop = 0; stop <= total; ++stop) {
        test::TempDir dir;
        const std::string path = dir.File("TALLYBK.DAT");
        WriteFile(path, oldLog);
        for (int n = 0; n < kBackupGenerations; ++n) {
            WriteFile(BackupPath(path, n), "generation " + std::to_string(n));
        }
        CTimeEntryList list;
        list.Load(path);
        const TimeValue in = FromLocalTime(2004, 6, 2, 9, 0, 0);
        list.PutEntry(list.GetIdAt(0), in, true, in + 3600);
        list.PutEntry(0, in + 86400, false, 0);

        TracedSave child(list, path);
        bool savedByItself = false;
        const int passed = child.RunAndKillAt(total == INT_MAX ? INT_MAX : stop, savedByItself);
        if (total == INT_MAX) {
            // The first run counts the steps of a whole save.
            ASSERT_TRUE(savedByItself);
            total = passed;
            newLog = ReadFile(path);
            ASSERT_NE(newLog, oldLog);
            ASSERT_GT(total, 20);
            stop = -1;
            continue;
        }
        SCOPED_TRACE("killed after " + std::to_string(stop) + " of " + std::to_string(total) +
                     " system call stops");
        const std::string log = ReadFile(path);
        ASSERT_TRUE(log == oldLog || log == newLog) << log;
        const std::multiset<std::string> contents = Contents(dir.Path());
        EXPECT_GE(contents.count(oldLog), 1u);  // twice while generation 0 links to the log
        for (int n = 0; n < kBackupGenerations - 1; ++n) {
            EXPECT_EQ(contents.count("generation " + std::to_string(n)), 1u) << n;
        }
        if (log == newLog) {
            EXPECT_EQ(ReadFile(BackupPath(path, 0)), oldLog);
        }
    }
    EXPECT_LT(total, INT_MAX);
}

TEST(SaveKilledTest, aNewLogIsMissingOrEmptyOrComplete) {
    std::string newLog;
    int total = INT_MAX;
    for (int stop = 0; stop <= total; ++stop) {
        test::TempDir dir;
        const std::string path = dir.File("TALLYBK.DAT");
        CTimeEntryList list;
        list.Load(path);
        list.PutEntry(0, FromLocalTime(2004, 6, 2, 9, 0, 0), false, 0);
        TracedSave child(list, path);
        bool savedByItself = false;
        const int passed = child.RunAndKillAt(total == INT_MAX ? INT_MAX : stop, savedByItself);
        if (total == INT_MAX) {
            ASSERT_TRUE(savedByItself);
            total = passed;
            newLog = ReadFile(path);
            stop = -1;
            continue;
        }
        SCOPED_TRACE("killed after " + std::to_string(stop) + " system call stops");
        if (std::filesystem::exists(path)) {
            const std::string log = ReadFile(path);
            // Empty: the placeholder that holds the lock until the new log replaces it.
            EXPECT_TRUE(log.empty() || log == newLog) << log;
        }
    }
    EXPECT_LT(total, INT_MAX);
}

TEST(SaveKilledTest, theNextSaveRemovesWhatAKilledSaveLeftBehind) {
    test::TempDir dir;
    const std::string path = dir.File("TALLYBK.DAT");
    const std::string oldLog = test::Crlf("In...Wed Jun 02 09:00:00 2004\n");
    // Files of the user's that only look like ours, and another log's temporary file.
    const test::FolderSnapshot lookAlikes = {
        {".TALLYBK.DAT.backup", "mine"},         {".TALLYBK.DAT.save-backup1", "mine"},
        {".TALLYBK.DAT.save-abc", "mine"},       {".TALLYBK.DAT.save-ab.def", "mine"},
        {"TALLYBK.DAT.save-abcdef", "mine"},     {".OTHER.DAT.save-abcdef", "other log"},
        {".TALLYBK.DAT.save-abcdef.txt", "mine"}};
    const auto prepare = [&] {
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        WriteFile(path, oldLog);
        for (const auto& [name, bytes] : lookAlikes) WriteFile(dir.File(name), bytes);
        std::filesystem::create_directory(dir.File(".TALLYBK.DAT.save-folder"));
    };
    prepare();
    const int usersHidden = test::CountHiddenFiles(dir.Path());
    CTimeEntryList list;
    const auto saveKilledAt = [&](int stops, bool& savedByItself) {
        prepare();
        list.Load(path);
        list.PutEntry(0, FromLocalTime(2004, 6, 2, 10, 0, 0), false, 0);
        TracedSave child(list, path);
        return child.RunAndKillAt(stops, savedByItself);
    };
    bool savedByItself = false;
    const int total = saveKilledAt(INT_MAX, savedByItself);
    ASSERT_TRUE(savedByItself);
    // Killed at the latest step before the rename at which its temporary file is there.
    int stop = total;
    do {
        saveKilledAt(--stop, savedByItself);
    } while (stop > 0 && (savedByItself || test::CountHiddenFiles(dir.Path()) == usersHidden));
    ASSERT_EQ(ReadFile(path), oldLog);
    test::FolderSnapshot expected = test::SnapshotFolder(dir.Path());
    const auto leftover = std::find_if(expected.begin(), expected.end(), [&](const auto& entry) {
        return entry.first.front() == '.' && lookAlikes.count(entry.first) == 0 &&
               entry.first != ".TALLYBK.DAT.save-folder";
    });
    ASSERT_NE(leftover, expected.end());
    expected.erase(leftover);

    CTimeEntryList next;
    next.Load(path);
    test::RecordingReporter reporter;
    ASSERT_TRUE(next.Save(path, {.makeBackups = false}, reporter));
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), expected);
}

// Between Save's create of a missing log and its lock, another copy clocks in: the log is
// then no longer the empty one Save made, and nothing of the punch may be lost.
TEST(SaveBesideAPunch, aLogItCreatedIsNotItsOwnOnceSomeonePunchedIntoIt) {
    for (const bool loadedFromThisPath : {true, false}) {
        SCOPED_TRACE(loadedFromThisPath ? "loaded from the log" : "saved under a new name");
        test::TempDir dir;
        const std::string path = dir.File("TALLYBK.DAT");
        CTimeEntryList list;
        list.Load(loadedFromThisPath ? path : dir.File("elsewhere.dat"));  // both missing
        list.PutEntry(0, FromLocalTime(2004, 6, 2, 9, 0, 0), false, 0);
        // A separate open file description locks as another process would.
        test::FakeClock clock;
        test::RecordingReporter punchReporter;
        TallyEngine other(clock, punchReporter);
        other.Settings().DataLog = path;
        clock.SetLocal(2004, 6, 2, 8, 0, 0);
        list.SetLockOptions({std::chrono::seconds(2), [&] { EXPECT_TRUE(other.OnClockIn()); }});

        test::RecordingReporter reporter;
        const bool saved = list.Save(path, {.makeBackups = true}, reporter);
        const std::string punch = "In...Wed Jun 02 08:00:00 2004\r\n";
        if (loadedFromThisPath) {
            EXPECT_FALSE(saved);
            ASSERT_EQ(reporter.messages.size(), 1u);
            EXPECT_EQ(reporter.messages[0].text, kFileChangedText);
            EXPECT_EQ(test::SnapshotFolder(dir.Path()),
                      (test::FolderSnapshot{{"TALLYBK.DAT", punch}}));
        } else {
            EXPECT_TRUE(saved);
            EXPECT_EQ(ReadFile(BackupPath(path, 0)), punch);  // kept like any replaced log
        }
    }
}

}  // namespace
}  // namespace tally
