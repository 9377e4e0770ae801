// SPDX-License-Identifier: MIT
// tally merge as a user runs it: what it prints and writes, and the copies it refuses with
// every file left as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "folder_snapshot.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

constexpr const char* kCopy = "TALLYBK.sync-conflict-20261206-101500-ABCDEFG.DAT";

const std::string kBase = Triple("2026-12-01 09:00:00", "2026-12-01 12:00:00");
const std::string kOurs = Triple("2026-12-03 09:00:00", "2026-12-03 12:00:00");
const std::string kTheirs = Triple("2026-12-02 09:00:00", "2026-12-02 12:00:00");

TEST(MergeCli, putsTheCopysPunchesInPlaceAndRenamesTheCopyAfterTheSave) {
    TallyHarness t;
    WriteFile(t.Log(), kBase + kOurs);
    const std::string copy = kBase + kTheirs + In("2026-12-06 13:00:00");
    WriteFile(t.home.File(kCopy), copy);

    const ProcessResult r = t.Run({"merge"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string("merged ") + t.home.File(kCopy) +
                         "\n"
                         "  added 2026-12-02 09:00:00 - 2026-12-02 12:00:00 (copy line 4)\n"
                         "  added the open In 2026-12-06 13:00:00 (copy line 7)\n"
                         "  1 pair in both, kept once\n"
                         "  the copy is now TALLYBK.merged-20261207-090000.DAT\n");
    EXPECT_EQ(ReadFile(t.Log()), kBase + kTheirs + kOurs + In("2026-12-06 13:00:00"));
    EXPECT_EQ(ReadFile(t.home.File("TALLYBK.da0")), kBase + kOurs);
    EXPECT_EQ(ReadFile(t.home.File("TALLYBK.merged-20261207-090000.DAT")), copy);
    EXPECT_EQ(t.Run({"check"}).exitCode, 0);
}

TEST(MergeCli, refusalsAndTriesChangeNoFile) {
    const std::string conflicting = kBase + Triple("2026-12-03 11:00:00", "2026-12-03 13:00:00");
    const struct {
        const char* name;
        const char* copyName;  // where the copy is written, in the home
        std::string copy;
        std::vector<std::string> args;
        int exitCode;
        std::string said;                // a line of the output (standard output, then error)
        const char* linkName = nullptr;  // a symbolic link to the copy, made in the home
    } cases[] = {
        {"a conflict without a side",
         kCopy,
         conflicting,
         {"merge"},
         1,
         "    log  line 4: 2026-12-03 09:00:00 - 2026-12-03 12:00:00\n"
         "    copy line 4: 2026-12-03 11:00:00 - 2026-12-03 13:00:00\n"},
        {"a try",
         kCopy,
         conflicting,
         {"merge", "--dry-run", "--keep", "copy"},
         0,
         "  would remove 2026-12-03 09:00:00 - 2026-12-03 12:00:00 (log line 4)\n"},
        {"not a time log",
         kCopy,
         kBase + "In...Tue Dec 02 25:00:00 2026\r\n",
         {"merge"},
         1,
         "is not a time log that can be merged: line 4:"},
        {"not named as a conflict copy",
         "notes.DAT",
         kTheirs,
         {"merge", "notes.DAT"},
         1,
         "is not a conflict copy of"},
        {"a copy of another log",
         "OTHER.sync-conflict-20261206-101500-ABCDEFG.DAT",
         kTheirs,
         {"merge", "OTHER.sync-conflict-20261206-101500-ABCDEFG.DAT"},
         1,
         "is not a conflict copy of"},
        {"a copy in another folder",
         "sub/TALLYBK.sync-conflict-20261206-101500-ABCDEFG.DAT",
         kTheirs,
         {"merge", "sub/TALLYBK.sync-conflict-20261206-101500-ABCDEFG.DAT"},
         1,
         "is not a conflict copy of"},
        {"a copy's name linked to another file",
         "sub/linked.DAT",
         kTheirs,
         {"merge", kCopy},
         1,
         "is a symbolic link, not a conflict copy",
         kCopy},
        {"a side that is none",
         kCopy,
         kTheirs,
         {"merge", "--keep", "both"},
         2,
         "--keep takes log or copy, not 'both'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TallyHarness t;
        std::filesystem::create_directories(t.home.File("sub"));
        WriteFile(t.Log(), kBase + kOurs);
        WriteFile(t.home.File(c.copyName), c.copy);
        if (c.linkName) std::filesystem::create_symlink(c.copyName, t.home.File(c.linkName));
        const FolderSnapshot before = SnapshotTree(t.home.Path());
        std::vector<std::string> args = c.args;
        if (args.size() > 1 && args[1].starts_with("sub/")) args[1] = t.home.File(args[1]);
        const ProcessResult r = t.Run(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_NE((r.out + r.err).find(c.said), std::string::npos) << r.out << r.err;
        EXPECT_EQ(SnapshotTree(t.home.Path()), before);
    }
}

}  // namespace
}  // namespace tally::test
