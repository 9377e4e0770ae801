// SPDX-License-Identifier: MIT
// The conflict copies of a log are known by name, as each sync tool writes them, and nothing
// else beside the log is taken for one.

#include <gtest/gtest.h>

#include "interchange/conflict_copies.h"

namespace tally::test {
namespace {

TEST(ConflictCopyName, knowsEachToolsCopiesAndNothingElse) {
    const struct {
        const char* log;
        const char* candidate;
        bool copy;
    } kCases[] = {
        // Syncthing.
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-20240305-101500-ABC7DEF.DAT", true},
        {"TALLYBK", "TALLYBK.sync-conflict-20240305-101500-ABC7DEF", true},
        {"my log.DAT", "my log.sync-conflict-20240305-101500-ABC7DEF.DAT", true},
        {".tally", ".sync-conflict-20240305-101500-ABC7DEF.tally", true},
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-20240305-101500-ABC7DE.DAT", false},
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-2024035-101500-ABC7DEF.DAT", false},
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-20240305-101500-abc7def.DAT", false},
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-20240305-101500-ABC7DEF", false},
        {"TALLYBK", "TALLYBK.sync-conflict-20240305-101500-ABC7DEF.DAT", false},
        // Nextcloud, with and without the user name, and its older clients.
        {"TALLYBK.DAT", "TALLYBK (conflicted copy 2024-03-05 101500).DAT", true},
        {"TALLYBK.DAT", "TALLYBK (conflicted copy Ann Lee 2024-03-05 101500).DAT", true},
        {"TALLYBK", "TALLYBK (conflicted copy ann 2024-03-05 101500)", true},
        {".tally", ".tally (conflicted copy 2024-03-05 101500)", true},
        {"TALLYBK.DAT", "TALLYBK_conflict-20240305-101500.DAT", true},
        {"TALLYBK.DAT", "TALLYBK (conflicted copy 2024-03-05 10150).DAT", false},
        {"TALLYBK.DAT", "TALLYBK (conflicted copy ann(x) 2024-03-05 101500).DAT", false},
        {"TALLYBK.DAT", "TALLYBK (conflicted copy 2024-03-05 101500).dat", false},
        // Dropbox, with and without the date; names with spaces and apostrophes.
        {"TALLYBK.DAT", "TALLYBK (Ann Lee's conflicted copy 2024-03-05).DAT", true},
        {"TALLYBK.DAT", "TALLYBK (Ann O'Neil's conflicted copy).DAT", true},
        {"TALLYBK.DAT", "TALLYBK (Ann\u2019s conflicted copy 2024-03-05).DAT", true},
        {"TALLYBK.DAT", "TALLYBK (conflicted copy).DAT", true},
        {"time log", "time log (Jo's conflicted copy 2024-03-05)", true},
        {"TALLYBK.DAT", "TALLYBK (Ann Lee conflicted copy 2024-03-05).DAT", false},
        {"TALLYBK.DAT", "TALLYBK (Ann's conflicted copy 2024-3-05).DAT", false},
        {"TALLYBK.DAT", "TALLYBK (Ann's conflicted copy 2024-03-05)", false},
        // The log itself, its backups, copies of another log, a merged copy.
        {"TALLYBK.DAT", "TALLYBK.DAT", false},
        {"TALLYBK.DAT", "TALLYBK.da0", false},
        {"TALLYBK.DAT", "OTHER.sync-conflict-20240305-101500-ABC7DEF.DAT", false},
        {"TALLYBK.DAT", "TALLYBK2 (conflicted copy 2024-03-05 101500).DAT", false},
        {"TALLYBK.DAT", "TALLYBK.merged-20240305-101500.DAT", false},
        {"TALLYBK.DAT", "TALLYBK.sync-conflict-20240305-101500-ABC7DEF.da0", false},
        {"", ".sync-conflict-20240305-101500-ABC7DEF", false},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(IsConflictCopyName(c.log, c.candidate), c.copy) << c.log << " / " << c.candidate;
    }
}

}  // namespace
}  // namespace tally::test
