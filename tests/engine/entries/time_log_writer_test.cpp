// SPDX-License-Identifier: MIT
// The raw writer: the exact bytes of a saved time log, the backups beside it, and what
// Save refuses to do.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <random>

#include "entries/time_entry_list.h"
#include "folder_snapshot.h"
#include "log/backup_rotation.h"
#include "log/editor_messages.h"
#include "log/file_lock.h"
#include "log_text.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally {
namespace {

using test::At;
using test::Crlf;
using test::ReadFile;
using test::WriteFile;
ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A time log as the punch writer writes it: days from a start date, each with a morning
// and an afternoon pair; on Sundays the first pair lies across the night, so that the
// nights of the clock changes are among them.
std::string PunchWriterLog(int days) {
    std::string log;
    std::mt19937 rng(7);
    const TimeValue start = At(2003, 3, 20, 0, 0, 0);
    for (int d = 0; d < days; ++d) {
        const std::tm noon = ToLocalTm(start + d * 86400 + 12 * 3600);
        const int y = noon.tm_year + 1900;
        const int m = noon.tm_mon + 1;
        const int day = noon.tm_mday;
        const int firstHour = noon.tm_wday == 0 ? 1 : 8;
        for (const int hour : {firstHour, 13}) {
            const TimeValue in = At(y, m, day, hour, static_cast<int>(rng() % 60), rng() % 60);
            const TimeValue out = in + 3 * 3600 + static_cast<TimeValue>(rng() % 3600);
            log += test::Triple(in, out);
        }
    }
    return log;
}

class TimeLogWriterTest : public ::testing::Test {
  protected:
    bool Save(bool backups = true) { return list.Save(path, {.makeBackups = backups}, reporter); }

    std::string SavedText(CTimeEntryList& entries) {
        const std::string file = dir.File("written.dat");
        test::RecordingReporter quiet;
        EXPECT_TRUE(entries.Save(file, {.makeBackups = false}, quiet));
        return ReadFile(file);
    }

    test::TempDir dir;
    std::string path = dir.File("TALLYBK.DAT");
    CTimeEntryList list;
    test::RecordingReporter reporter;
};

TEST_F(TimeLogWriterTest, writesTheTripleOfAClosedEntry) {
    list.PutEntry(0, At(2004, 6, 2, 17, 47, 39), true, At(2004, 6, 2, 18, 0, 0));
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(ReadFile(path),
              "In...Wed Jun 02 17:47:39 2004\r\n"
              "Out..Wed Jun 02 18:00:00 2004\r\n"
              "Elapsed time of 00:12:21.\r\n");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TimeLogWriterTest, writesWhatEachEntryHasInListOrder) {
    const int closed = list.PutEntry(0, At(2004, 6, 5, 8, 0, 0), true, At(2004, 6, 6, 9, 0, 0));
    const int reopened = list.PutEntry(0, At(2004, 1, 5, 9, 3, 7), true, At(2004, 1, 5, 10, 0, 0));
    list.PutEntry(reopened, At(2004, 1, 5, 9, 3, 7), false, 0);
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(list.GetIdAt(0), closed);
    EXPECT_EQ(ReadFile(path),
              "In...Sat Jun 05 08:00:00 2004\r\n"
              "Out..Sun Jun 06 09:00:00 2004\r\n"
              "Elapsed time of 01:00:00.\r\n"  // 25 hours: the whole day is dropped
              "In...Mon Jan 05 09:03:07 2004\r\n");
}

TEST_F(TimeLogWriterTest, oneEntryWithoutOutIsOneLine) {
    const int id = list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), true, At(2004, 6, 2, 10, 0, 0));
    list.PutEntry(id, At(2004, 6, 2, 9, 0, 0), false, 0);
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(ReadFile(path), "In...Wed Jun 02 09:00:00 2004\r\n");
}

TEST_F(TimeLogWriterTest, takesTheWeekdayFromTheDateAndDropsAMissingElapsedLine) {
    WriteFile(path, Crlf("In...Mon Jun 02 09:00:00 2004\nOut..xxx jun 02 10:00:00 2004\n"
                         "Elapsed of nothing\n"));
    list.Load(path);
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(ReadFile(path),
              Crlf("In...Wed Jun 02 09:00:00 2004\nOut..Wed Jun 02 10:00:00 2004\n"));
}

TEST_F(TimeLogWriterTest, anEmptyListWritesAnEmptyLog) {
    WriteFile(path, Crlf("In...Wed Jun 02 09:00:00 2004\n"));
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(ReadFile(path), "");
}

TEST_F(TimeLogWriterTest, aLogOfThePunchWriterSavesBackByteForByte) {
    const std::string log = PunchWriterLog(400);
    WriteFile(path, log);
    ASSERT_TRUE(list.Load(path));
    EXPECT_EQ(list.GetCount(), 800);
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadFile(path), log);
    EXPECT_EQ(ReadFile(BackupPath(path, 0)), log);
}

TEST_F(TimeLogWriterTest, writtenLinesAreTheFieldTextsInTheirFormats) {
    // Random times over forty years, clock-change nights included, against the field texts.
    std::mt19937_64 rng(11);
    const TimeValue from = At(1990, 1, 1, 0, 0, 0);
    const TimeValue to = At(2030, 12, 31, 0, 0, 0);
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const TimeValue in =
            from + static_cast<TimeValue>(rng() % static_cast<std::uint64_t>(to - from));
        const TimeValue out = in + static_cast<TimeValue>(rng() % 200000);
        const int id = list.PutEntry(0, in, true, out);
        expected += "In..." + list.FormatInDayName(id) + " " + list.FormatInMonth(id) + " " +
                    list.FormatInDay(id) + " " + list.FormatInHour(id) + ":" +
                    list.FormatInMinute(id) + ":" + list.FormatInSecond(id) + " " +
                    list.FormatInYear(id) + "\r\n";
        expected += "Out.." + list.FormatOutDayName(id) + " " + list.FormatOutMonth(id) + " " +
                    list.FormatOutDay(id) + " " + list.FormatOutHour(id) + ":" +
                    list.FormatOutMinute(id) + ":" + list.FormatOutSecond(id) + " " +
                    list.FormatOutYear(id) + "\r\n";
        expected += "Elapsed time of " + list.FormatElapsedHours(id) + ":" +
                    list.FormatElapsedMinutes(id) + ":" + list.FormatElapsedSeconds(id) + ".\r\n";
    }
    EXPECT_EQ(SavedText(list), expected);
}

TEST_F(TimeLogWriterTest, backupsKeepTheOldLogAsALinkedGenerationZero) {
    WriteFile(path, Crlf("In...Wed Jun 02 09:00:00 2004\n"));
    const ino_t oldInode = InodeOf(path);
    list.Load(path);
    list.PutEntry(list.GetIdAt(0), At(2004, 6, 2, 9, 0, 0), true, At(2004, 6, 2, 10, 0, 0));
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadFile(BackupPath(path, 0)), Crlf("In...Wed Jun 02 09:00:00 2004\n"));
    EXPECT_EQ(InodeOf(BackupPath(path, 0)), oldInode);
    EXPECT_NE(InodeOf(path), oldInode);
    EXPECT_EQ(test::SnapshotFolder(dir.Path()).size(), 2u);

    ASSERT_TRUE(Save(false));  // the document's save: no rotation
    EXPECT_EQ(test::SnapshotFolder(dir.Path()).size(), 2u);
}

TEST_F(TimeLogWriterTest, allTenGenerationsShiftAndTheOldestGoes) {
    WriteFile(path, "log");
    for (int n = 0; n < kBackupGenerations; ++n)
        WriteFile(BackupPath(path, n), "gen" + std::to_string(n));
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    ASSERT_TRUE(Save());
    const test::FolderSnapshot after = test::SnapshotFolder(dir.Path());
    EXPECT_EQ(after.size(), 11u);  // nothing else left beside them
    EXPECT_EQ(after.at("TALLYBK.DAT"), "In...Wed Jun 02 09:00:00 2004\r\n");
    EXPECT_EQ(after.at("TALLYBK.da0"), "log");
    for (int n = 1; n < kBackupGenerations; ++n) {
        EXPECT_EQ(after.at("TALLYBK.da" + std::to_string(n)), "gen" + std::to_string(n - 1));
    }
}

TEST_F(TimeLogWriterTest, backupNamesReplaceTheExtension) {
    EXPECT_EQ(BackupPath("/home/a/TALLYBK.DAT", 0), "/home/a/TALLYBK.da0");
    EXPECT_EQ(BackupPath("/home/a/work.log.txt", 9), "/home/a/work.log.da9");
    EXPECT_EQ(BackupPath("/home/a/plain", 3), "/home/a/plain.da3");
    EXPECT_EQ(BackupPath("relative.DAT", 1), "relative.da1");
}

TEST_F(TimeLogWriterTest, rotationAloneLinksTheLogAndLeavesItInPlace) {
    WriteFile(path, "log");
    WriteFile(BackupPath(path, 0), "gen0");
    EXPECT_FALSE(BackupRotation(path).RotateBackups(true).has_value());
    EXPECT_EQ(ReadFile(path), "log");
    EXPECT_EQ(ReadFile(BackupPath(path, 0)), "log");
    EXPECT_EQ(ReadFile(BackupPath(path, 1)), "gen0");
}

TEST_F(TimeLogWriterTest, copyFileExclusiveKeepsBytesAndModeAndNeverOverwrites) {
    WriteFile(path, "log bytes");
    chmod(path.c_str(), 0640);
    const std::string copy = dir.File("copy");
    ASSERT_TRUE(CopyFileExclusive(path, copy));
    EXPECT_EQ(ReadFile(copy), "log bytes");
    EXPECT_EQ(ModeOf(copy), 0640u);
    EXPECT_NE(InodeOf(copy), InodeOf(path));
    WriteFile(copy, "other");
    EXPECT_FALSE(CopyFileExclusive(path, copy));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(ReadFile(copy), "other");
    EXPECT_FALSE(CopyFileExclusive(dir.File("missing"), dir.File("copy2")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("copy2")));
}

TEST_F(TimeLogWriterTest, keepsThePermissionBitsOfTheOldLog) {
    WriteFile(path, "");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(Save());
    EXPECT_EQ(ModeOf(path), 0640u);
}

TEST_F(TimeLogWriterTest, aMissingLogIsCreatedForTheOwnerOnly) {
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    WriteFile(BackupPath(path, 0), "gen0");
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadFile(path), "In...Wed Jun 02 09:00:00 2004\r\n");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_FALSE(std::filesystem::exists(BackupPath(path, 0)));
    EXPECT_EQ(ReadFile(BackupPath(path, 1)), "gen0");
}

TEST_F(TimeLogWriterTest, followsASymbolicLinkToTheRealLog) {
    std::filesystem::create_directory(dir.Path() / "data");
    const std::string real = (dir.Path() / "data" / "real.dat").string();
    WriteFile(real, "old");
    std::filesystem::create_symlink("data/real.dat", path);
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    ASSERT_TRUE(Save());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ReadFile(real), "In...Wed Jun 02 09:00:00 2004\r\n");
    EXPECT_EQ(ReadFile(BackupPath(real, 0)), "old");
}

TEST_F(TimeLogWriterTest, refusesALogChangedSinceItWasLoaded) {
    const std::string loaded = Crlf("In...Wed Jun 02 09:00:00 2004\n");
    WriteFile(path, loaded);
    list.Load(path);
    // Clock Out in another running copy.
    const std::string punched =
        loaded + Crlf("Out..Wed Jun 02 10:00:00 2004\nElapsed time of 01:00:00.\n");
    WriteFile(path, punched);
    list.PutEntry(0, At(2004, 6, 3, 9, 0, 0), false, 0);
    EXPECT_FALSE(Save());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "The data file was changed by another program since it was loaded. Your changes "
              "were not saved.");
    EXPECT_EQ(reporter.messages[0].caption, kApplicationName);
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), (test::FolderSnapshot{{"TALLYBK.DAT", punched}}));
    EXPECT_FALSE(list.IsFileUnchanged());
}

TEST_F(TimeLogWriterTest, refusesALogThatAppearedOrVanishedSinceLoad) {
    list.Load(path);  // missing
    WriteFile(path, "new");
    EXPECT_FALSE(Save());
    EXPECT_EQ(ReadFile(path), "new");

    list.Load(path);
    std::filesystem::remove(path);
    EXPECT_FALSE(Save());
    EXPECT_FALSE(std::filesystem::exists(path));  // the log made to hold the lock is gone again
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text, kFileChangedText);
    EXPECT_TRUE(test::SnapshotFolder(dir.Path()).empty());
}

TEST_F(TimeLogWriterTest, savesAgainAfterItsOwnSaveAndToOtherPaths) {
    WriteFile(path, "");
    list.Load(path);
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    ASSERT_TRUE(Save());
    list.PutEntry(0, At(2004, 6, 3, 9, 0, 0), false, 0);
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadFile(path),
              Crlf("In...Wed Jun 02 09:00:00 2004\nIn...Thu Jun 03 09:00:00 2004\n"));
    WriteFile(dir.File("other.dat"), "whatever");
    EXPECT_TRUE(list.Save(dir.File("other.dat"), {.makeBackups = false}, reporter));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TimeLogWriterTest, waitsForTheLockAndGivesUp) {
    WriteFile(path, "old");
    list.Load(path);
    FileLock other;
    ASSERT_EQ(other.Acquire(path, false), FileLock::Status::Locked);
    list.SetLockOptions({std::chrono::milliseconds(50), {}});
    EXPECT_FALSE(Save());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "ERROR! " + path + " is in use by another program. Aborting operation.\n");
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), (test::FolderSnapshot{{"TALLYBK.DAT", "old"}}));
}

TEST_F(TimeLogWriterTest, anEmptyPathFailsWithTheOpenMessage) {
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    EXPECT_FALSE(list.Save("", {.makeBackups = true}, reporter));
    std::filesystem::current_path(cwd);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Failed to open ''.\nNo such file or directory");
    EXPECT_EQ(reporter.messages[0].caption, "Quillfen's TallyBook");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(test::SnapshotFolder(dir.Path()).empty());
}

TEST_F(TimeLogWriterTest, pathsThatCannotBeALogFailWithTheOpenMessage) {
    const std::string inMissingFolder = dir.File("no/such/folder/TALLYBK.DAT");
    EXPECT_FALSE(list.Save(inMissingFolder, {.makeBackups = true}, reporter));
    std::filesystem::create_directory(dir.File("folder.dat"));
    EXPECT_FALSE(list.Save(dir.File("folder.dat"), {.makeBackups = true}, reporter));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text,
              "Failed to open '" + inMissingFolder + "'.\nNo such file or directory");
    EXPECT_EQ(reporter.messages[1].text,
              "Failed to open '" + dir.File("folder.dat") + "'.\nIs a directory");
}

TEST_F(TimeLogWriterTest, aLogNamedLikeItsOwnBackupIsNotRotatedAway) {
    const std::string named = dir.File("work.da3");
    WriteFile(named, "old");
    EXPECT_FALSE(list.Save(named, {.makeBackups = true}, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Failed to write '" + named + "'.\nInvalid argument");
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), (test::FolderSnapshot{{"work.da3", "old"}}));
}

TEST_F(TimeLogWriterTest, aRotationThatCannotMoveAGenerationWritesNothing) {
    WriteFile(path, "log");
    for (int n = 0; n < 9; ++n) WriteFile(BackupPath(path, n), "gen" + std::to_string(n));
    // A folder in the place of generation 9 cannot be deleted, nor renamed onto.
    std::filesystem::create_directories(BackupPath(path, 9) + "/inside");
    const test::FolderSnapshot before = test::SnapshotFolder(dir.Path());
    list.PutEntry(0, At(2004, 6, 2, 9, 0, 0), false, 0);
    EXPECT_FALSE(Save());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Failed to write '" + BackupPath(path, 8) + "'.\nIs a directory");
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), before);
}

}  // namespace
}  // namespace tally
