// SPDX-License-Identifier: MIT
// tally add and tally import run as a user runs them: the built program in a fresh home.
// What they write is compared with what Edit Data writes and with what export reads back.

#include <gtest/gtest.h>

#include <filesystem>

#include "entries/time_entry_list.h"
#include "folder_snapshot.h"
#include "log/backup_rotation.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

class AddImportTest : public ::testing::Test {
  protected:
    // A month of working days, a span over midnight as Clock Out splits it, and an open In.
    static std::string PunchedLog() {
        return WorkingDays(2024, 1, 1, 31) +
               Triple(At(2024, 2, 1, 22, 0, 0), At(2024, 2, 1, 23, 59, 59)) +
               Triple(At(2024, 2, 2, 0, 0, 0), At(2024, 2, 2, 1, 30, 5));
    }

    std::string File(const std::string& name, const std::string& text) const {
        const std::string path = scratch.File(name);
        WriteFile(path, text);
        return path;
    }

    TallyHarness tally;
    TempDir scratch;
    std::string log = tally.Log();
};

TEST_F(AddImportTest, exportThenImportIntoAnEmptyLogGivesTheSameExport) {
    WriteFile(log, PunchedLog());
    for (const std::string format : {"csv", "timeclock"}) {
        const ProcessResult exported = tally.Run({"export", "--format", format});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const std::string file = File("export." + format, exported.out);
        const std::string fresh = scratch.File(format + ".DAT");
        const ProcessResult imported = tally.Run({"import", format, file, "--log", fresh});
        EXPECT_EQ(imported.exitCode, 0) << format << imported.err;
        EXPECT_EQ(imported.err, "");
        EXPECT_TRUE(imported.out.starts_with("added 2024-01-01 09:00:00 - 2024-01-01 17:00:00\n"));
        EXPECT_EQ(tally.Run({"export", "--format", format, "--log", fresh}).out, exported.out)
            << format;
    }
}

TEST_F(AddImportTest, trackerSamplesImportToThePairsTheyHold) {
    const std::string samples = TALLY_IMPORT_SAMPLES;
    // timew keeps UTC; the tests' zone is an hour ahead in March. Past midnight: split.
    ASSERT_EQ(tally.Run({"import", "timewarrior", samples + "/timew-export.json"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"export", "--format", "timeclock"}).out,
              "i 2024/03/01 10:00:00 TallyBook\no 2024/03/01 13:30:00\n"
              "i 2024/03/01 14:15:00 TallyBook\no 2024/03/01 18:05:41\n"
              "i 2024/03/04 23:00:00 TallyBook\no 2024/03/04 23:59:59\n"
              "i 2024/03/05 00:00:00 TallyBook\no 2024/03/05 02:30:00\n");

    std::filesystem::remove(log);
    ASSERT_EQ(tally.Run({"import", "watson", samples + "/watson-frames.json"}).exitCode, 0);
    const std::string pairs = tally.Run({"export", "--format", "timeclock"}).out;
    EXPECT_EQ(std::count(pairs.begin(), pairs.end(), '\n'), 2 * 21);
    EXPECT_TRUE(
        pairs.starts_with("i 2024/02/26 10:00:00 TallyBook\no 2024/02/26 12:30:00\n"
                          "i 2024/02/27 14:15:00 TallyBook\no 2024/02/27 18:05:41\n"));
    EXPECT_TRUE(pairs.ends_with("i 2024/03/15 15:22:45 TallyBook\no 2024/03/15 16:38:52\n"));
}

TEST_F(AddImportTest, importMergesInTimeOrderAndDryRunWritesNothing) {
    WriteFile(log, Triple(At(2024, 1, 2, 9, 0, 0), At(2024, 1, 2, 10, 0, 0)) +
                       Triple(At(2024, 1, 4, 9, 0, 0), At(2024, 1, 4, 10, 0, 0)));
    const std::string file = File("in.timeclock",
                                  "i 2024/01/05 09:00:00 x\no 2024/01/05 10:00:00\n"
                                  "i 2024/01/03 09:00:00 x\no 2024/01/03 10:00:00\n");
    const FolderSnapshot before = SnapshotFolder(tally.Home());
    const ProcessResult dry = tally.Run({"--dry-run", "import", "timeclock", file});
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(dry.out,
              "would add 2024-01-03 09:00:00 - 2024-01-03 10:00:00\n"
              "would add 2024-01-05 09:00:00 - 2024-01-05 10:00:00\n");
    EXPECT_EQ(SnapshotFolder(tally.Home()), before);

    ASSERT_EQ(tally.Run({"import", "timeclock", file}).exitCode, 0);
    EXPECT_EQ(ReadFile(log), Triple(At(2024, 1, 2, 9, 0, 0), At(2024, 1, 2, 10, 0, 0)) +
                                 Triple(At(2024, 1, 3, 9, 0, 0), At(2024, 1, 3, 10, 0, 0)) +
                                 Triple(At(2024, 1, 4, 9, 0, 0), At(2024, 1, 4, 10, 0, 0)) +
                                 Triple(At(2024, 1, 5, 9, 0, 0), At(2024, 1, 5, 10, 0, 0)));
    EXPECT_EQ(ReadFile(BackupPath(log, 0)), before.at("TALLYBK.DAT"));
}

TEST_F(AddImportTest, aConflictingImportLeavesTheFolderAsItWas) {
    WriteFile(log, PunchedLog() + In("2026-12-07 08:00:00"));
    ASSERT_EQ(tally.Run({"add", "2024-03-01 09:00", "2024-03-01 10:00"}).exitCode, 0);  // a backup
    const std::string file = File("in.csv",
                                  "in,out,elapsed_seconds,hours,amount\n"
                                  "2024-01-01 16:00:00,2024-01-01 18:00:00,7200,2.00,0.00\n"
                                  "2024-04-01 09:00:00,2024-04-01 10:00:00,3600,1.00,0.00\n"
                                  "2024-04-01 09:30:00\n"
                                  "2026-12-07 08:30:00,2026-12-07 08:45:00,900,0.25,0.00\n");
    const FolderSnapshot before = SnapshotFolder(tally.Home());
    for (const bool dryRun : {false, true}) {
        std::vector<std::string> args{"import", "csv", file};
        if (dryRun) args.push_back("--dry-run");
        const ProcessResult run = tally.Run(args);
        EXPECT_EQ(run.exitCode, 1);
        // The unreadable line first, then the overlaps in time order.
        EXPECT_EQ(run.err,
                  std::string("tally: nothing ") + (dryRun ? "would be " : "") +
                      "added:\n"
                      "  line 4: not two times YYYY-MM-DD HH:MM:SS\n"
                      "  line 2 (2024-01-01 16:00:00 - 2024-01-01 18:00:00) overlaps the pair "
                      "2024-01-01 09:00:00 - 2024-01-01 17:00:00 in the log\n"
                      "  line 5 (2026-12-07 08:30:00 - 2026-12-07 08:45:00) overlaps the open In "
                      "of 2026-12-07 08:00:00 (nothing can be added after it until it is "
                      "closed)\n");
        EXPECT_EQ(SnapshotFolder(tally.Home()), before);
    }
    // A file of only conflicts names the first ten.
    std::string many = "in,out,elapsed_seconds,hours,amount\n";
    for (int i = 0; i < 30; ++i) many += "bad\n";
    const ProcessResult run = tally.Run({"import", "csv", File("many.csv", many)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.ends_with("  line 11: not two times YYYY-MM-DD HH:MM:SS\n"
                          "  (the first 10 only)\n"))
        << run.err;
    EXPECT_EQ(SnapshotFolder(tally.Home()), before);

    // A file with a NUL byte is refused; one with nothing to add changes nothing, and makes
    // no log where there was none.
    const std::string header = "in,out,elapsed_seconds,hours,amount\n";
    const struct {
        const char* format;
        std::string text;
        int exitCode;
    } files[] = {{"csv", header + std::string(1, '\0') + "2024-04-02 09:00:00", 1},
                 {"csv", header, 0},
                 {"timewarrior", "[]", 0}};
    const std::string missing = scratch.File("missing.DAT");
    for (const auto& f : files) {
        const std::string file = File("f", f.text);
        EXPECT_EQ(tally.Run({"import", f.format, file}).exitCode, f.exitCode) << f.text;
        EXPECT_EQ(tally.Run({"import", f.format, file, "--log", missing}).exitCode, f.exitCode);
        EXPECT_EQ(SnapshotFolder(tally.Home()), before) << f.text;
        EXPECT_FALSE(std::filesystem::exists(missing)) << f.text;
    }
}

// Lines that real timeclock files hold, and a Timewarrior export made while tracking (now is
// 2026-12-07 08:00 UTC), imported into a log whose last pair ends 2026-12-06 17:00.
TEST_F(AddImportTest, timeclockLinesAndARunningTimewarriorInterval) {
    const std::string base = Triple(At(2026, 12, 6, 9, 0, 0), At(2026, 12, 6, 17, 0, 0));
    const std::string refusal = "tally: nothing added:\n  ";
    const struct {
        const char* format;
        std::string file, log;
        std::string out, err, after;  // after: the log afterwards, when it changed
    } cases[] = {
        // A zone makes the time an instant; the log is an hour ahead of UTC in December.
        {"timeclock", "i 2026/12/01 09:00:00+0300 a  b\no 2026/12/01 10:30-0130\n", base,
         "added 2026-12-01 07:00:00 - 2026-12-01 13:00:00\n", "",
         Triple(At(2026, 12, 1, 7, 0, 0), At(2026, 12, 1, 13, 0, 0)) + base},
        {"timeclock", "h 2026/12/07 8\ni 2026/3/5 09:00 x\no 2026/3/05 10:00\nb 2026/12/07 -1\n",
         base,
         "added 2026-03-05 09:00:00 - 2026-03-05 10:00:00\n"
         "skipped 2 balance and required-hours lines (b, h)\n",
         "", Triple(At(2026, 3, 5, 9, 0, 0), At(2026, 3, 5, 10, 0, 0)) + base},
        // Written at the end as Clock In writes its In, after the pairs.
        {"timewarrior",
         R"([{"start":"20261207T060000Z","end":"20261207T070000Z"},{"start":"20261207T073000Z"}])",
         base,
         "added 2026-12-07 07:00:00 - 2026-12-07 08:00:00\n"
         "added the open In 2026-12-07 08:30:00\n",
         "",
         base + Triple(At(2026, 12, 7, 7, 0, 0), At(2026, 12, 7, 8, 0, 0)) +
             In("2026-12-07 08:30:00")},
        {"timewarrior", R"([{"start":"20261207T075000Z"}])", base + In("2026-12-07 08:00:00"), "",
         refusal + "entry 1 (2026-12-07 08:50:00 - still running): the log has an open In "
                   "already (of 2026-12-07 08:00:00)\n",
         ""},
        {"timewarrior",
         R"([{"start":"20261207T060000Z","end":"20261207T070000Z"},{"start":"20261207T063000Z"}])",
         base, "",
         refusal + "entry 2 (2026-12-07 07:30:00 - still running): it does not start after every "
                   "pair, so it cannot be the log's open In\n",
         ""},
        {"timewarrior", R"([{"start":"20261207T081000Z"}])", base, "",
         refusal + "entry 1 (2026-12-07 09:10:00 - still running): it starts after now\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile(log, c.log);
        const ProcessResult run = tally.Run({"import", c.format, File("in", c.file)});
        EXPECT_EQ(run.exitCode, c.err.empty() ? 0 : 1);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(ReadFile(log), c.after.empty() ? c.log : c.after);
    }
}

TEST_F(AddImportTest, addWritesWhatEditDataWritesAndKeepsTheBackups) {
    WriteFile(log, PunchedLog());
    // Edit Data's Add and OK on a copy of the log, once per day of the span.
    const std::string copy = scratch.File("TALLYBK.DAT");
    WriteFile(copy, PunchedLog());
    CTimeEntryList list;
    list.Load(copy);
    list.PutEntry(0, At(2024, 2, 5, 22, 0, 0), true, At(2024, 2, 5, 23, 59, 59));
    list.PutEntry(0, At(2024, 2, 6, 0, 0, 0), true, At(2024, 2, 6, 2, 15, 0));
    RecordingReporter reporter;
    ASSERT_TRUE(list.Save(copy, {.makeBackups = true}, reporter));

    const ProcessResult run = tally.Run({"add", "2024-02-05 22:00", "2024-02-06 02:15:00"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "added 2024-02-05 22:00:00 - 2024-02-05 23:59:59\n"
              "added 2024-02-06 00:00:00 - 2024-02-06 02:15:00\n");
    EXPECT_EQ(ReadFile(log), ReadFile(copy));
    EXPECT_EQ(ReadFile(BackupPath(log, 0)), PunchedLog());

    // A second add moves the first backup up a generation.
    ASSERT_EQ(tally.Run({"add", "2024-02-07 09:00", "2024-02-07 10:00"}).exitCode, 0);
    EXPECT_EQ(ReadFile(BackupPath(log, 1)), PunchedLog());
    EXPECT_EQ(ReadFile(BackupPath(log, 0)), ReadFile(copy));
}

TEST_F(AddImportTest, addRefusesWithAReasonAndWritesNothing) {
    WriteFile(log, PunchedLog() + In("2026-12-07 08:00:00"));
    const FolderSnapshot before = SnapshotFolder(tally.Home());
    const struct {
        std::string start, end, reason;
    } refused[] = {
        {"2024-01-02 16:00", "2024-01-02 18:00",
         "2024-01-02 16:00:00 - 2024-01-02 18:00:00 overlaps the pair 2024-01-02 09:00:00 - "
         "2024-01-02 17:00:00 in the log"},
        {"2026-12-07 08:10", "2026-12-07 08:20",
         "2026-12-07 08:10:00 - 2026-12-07 08:20:00 overlaps the open In of 2026-12-07 08:00:00 "
         "(nothing can be added after it until it is closed)"},
        {"2026-12-07 10:00", "2026-12-07 11:00",
         "2026-12-07 10:00:00 - 2026-12-07 11:00:00: the Out is after now"},
        {"2024-03-01 10:00", "2024-03-01 10:00",
         "2024-03-01 10:00:00 - 2024-03-01 10:00:00: the Out is not after the In"},
        {"1989-05-01 10:00", "1989-05-01 11:00",
         "1989-05-01 10:00:00 - 1989-05-01 11:00:00: the log holds only the years 1990-2050"},
    };
    for (const auto& r : refused) {
        const ProcessResult run = tally.Run({"add", r.start, r.end});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "tally: nothing added:\n  " + r.reason + "\n");
    }
    EXPECT_EQ(SnapshotFolder(tally.Home()), before);
    // Touching ends are no overlap, up to the open In too.
    EXPECT_EQ(tally.Run({"add", "2024-01-02 17:00", "2024-01-02 18:00"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"add", "2026-12-07 07:00", "2026-12-07 08:00"}).exitCode, 0);
    EXPECT_TRUE(ReadFile(log).ends_with(In("2026-12-07 08:00:00")));
}

TEST_F(AddImportTest, usageErrors) {
    const std::string csv = File("in.csv", "in,out,elapsed_seconds,hours,amount\n");
    tally.ExpectUsageError({"add", "2024-03-01 09:00"},
                           "add takes two times: START END (YYYY-MM-DD HH:MM[:SS])");
    tally.ExpectUsageError({"add", "2024-03-01 09:00", "2024-03-01T10:00"},
                           "'2024-03-01T10:00' is not a local time (YYYY-MM-DD HH:MM[:SS])");
    tally.ExpectUsageError({"add", "2024-02-30 09:00", "2024-03-01 10:00"});
    tally.ExpectUsageError({"import", "csv"},
                           "import takes a format and a file: FORMAT FILE [--dry-run]");
    tally.ExpectUsageError({"import", "toggl", csv},
                           "unknown import format 'toggl' (csv, timeclock, timewarrior or watson)");
    tally.ExpectUsageError({"import", "csv", ""}, "import needs a file path");

    const ProcessResult missing = tally.Run({"import", "csv", scratch.File("none.csv")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "tally: cannot read " + scratch.File("none.csv") + ": No such file or directory\n");
    const ProcessResult folder = tally.Run({"import", "csv", scratch.Path().string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err,
              "tally: cannot read " + scratch.Path().string() + ": not a regular file\n");
    EXPECT_FALSE(std::filesystem::exists(log));
}

}  // namespace
}  // namespace tally::test
