// SPDX-License-Identifier: MIT
// Merging a conflict copy: which pairs are added, kept once or in conflict, and how a side
// settles a conflict; then the merge on real files killed at every step.

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "interchange/log_merge.h"
#include "log_text.h"
#include "test_support.h"
#include "traced_child.h"

namespace tally::test {
namespace {

// Spans written in hours, "9-10 13-" (13- an open In); lines as a clean log numbers them.
std::vector<MergeSpan> Spans(const std::string& text) {
    std::vector<MergeSpan> spans;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::size_t dash = word.find('-');
        MergeSpan s;
        s.in = std::stoll(word.substr(0, dash)) * 3600;
        if (dash + 1 < word.size()) s.out = std::stoll(word.substr(dash + 1)) * 3600;
        s.line = static_cast<std::int64_t>(spans.size()) * 3 + 1;
        spans.push_back(s);
    }
    return spans;
}

std::string Text(const std::vector<MergeSpan>& spans) {
    std::string text;
    for (const MergeSpan& s : spans) {
        if (!text.empty()) text += ' ';
        text += std::to_string(s.in / 3600) + '-' + (s.Open() ? "" : std::to_string(s.out / 3600));
    }
    return text;
}

// The plan in one line: "add 10-11; remove 9-11; both 1; [log 9-11 vs copy 10-13: copy]".
std::string Outcome(const MergePlan& plan) {
    std::string text = "add " + Text(plan.added) + "; remove " + Text(plan.removed) + "; both " +
                       std::to_string(plan.duplicates) + ";";
    for (const MergeConflict& c : plan.conflicts) {
        text += " [log " + Text(c.log) + " vs copy " + Text(c.copy) + ": " +
                (c.kept == MergeSide::Log    ? "log"
                 : c.kept == MergeSide::Copy ? "copy"
                                             : "?") +
                "]";
    }
    return text;
}

TEST(MergePlan, addsWhatTheLogLacksKeepsWhatBothHoldAndSettlesConflictsBySide) {
    using enum MergeSide;
    const struct {
        const char* name;
        const char* log;
        const char* copy;
        std::vector<MergeSide> sides;  // the first for --keep, the rest one per conflict
        const char* outcome;
    } cases[] = {
        {"pairs only in the copy, one touching a log pair",
         "9-10 14-15",
         "9-10 10-11 12-13",
         {},
         "add 10-11 12-13; remove ; both 1;"},
        {"an overlap is one conflict of every pair it joins",
         "9-11 12-14",
         "10-13",
         {},
         "add ; remove ; both 0; [log 9-11 12-14 vs copy 10-13: ?]"},
        {"--keep log",
         "9-11 12-14",
         "10-13 15-16",
         {Log},
         "add 15-16; remove ; both 0; [log 9-11 12-14 vs copy 10-13: log]"},
        {"--keep copy",
         "9-11 12-14",
         "10-13",
         {Copy},
         "add 10-13; remove 9-11 12-14; both 0; [log 9-11 12-14 vs copy 10-13: copy]"},
        {"a side per conflict",
         "9-11 14-16",
         "10-12 15-17",
         {Undecided, Copy, Log},
         "add 10-12; remove 9-11; both 0; [log 9-11 vs copy 10-12: copy] "
         "[log 14-16 vs copy 15-17: log]"},
        {"the copy's open In after every pair",
         "9-10",
         "9-10 11-",
         {},
         "add 11-; remove ; both 1;"},
        {"the copy's open In before a pair of the log ends",
         "9-10 11-13",
         "9-10 12-",
         {},
         "add ; remove ; both 1; [log 11-13 vs copy 12-: ?]"},
        {"two open Ins, the copy's kept",
         "9-10 11-",
         "9-10 12-",
         {Copy},
         "add 12-; remove 11-; both 1; [log 11- vs copy 12-: copy]"},
        {"the same open In in both", "9-10 11-", "9-10 11-", {}, "add ; remove ; both 2;"},
        {"the copy's open In that the log closed",
         "9-10 11-12",
         "9-10 11-",
         {},
         "add ; remove ; both 2;"},
        {"the copy's pair closes the log's open In",
         "9-10 11-",
         "9-10 11-12 13-",
         {},
         "add 11-12 13-; remove 11-; both 1;"},
        {"a later pair of the copy meets the log's open In",
         "9-10 11-",
         "9-10 12-13",
         {},
         "add ; remove ; both 1; [log 11- vs copy 12-13: ?]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MergeSide keep = c.sides.empty() ? Undecided : c.sides.front();
        const std::vector<MergeSide> choices(c.sides.begin() + (c.sides.empty() ? 0 : 1),
                                             c.sides.end());
        EXPECT_EQ(Outcome(PlanMerge(Spans(c.log), Spans(c.copy), keep, choices)), c.outcome);
    }
}

TEST(MergeKilled, leavesTheOldLogOrTheMergedOneAndRenamesTheCopyOnlyAfterTheSave) {
    const std::string base = Triple("2024-03-01 09:00:00", "2024-03-01 12:00:00");
    const std::string ours = Triple("2024-03-03 09:00:00", "2024-03-03 12:00:00");
    const std::string theirs = Triple("2024-03-02 09:00:00", "2024-03-02 12:00:00");
    const std::string merged = base + theirs + ours;
    const std::string copyName = "TALLYBK.sync-conflict-20240304-101500-ABCDEFG.DAT";
    int total = INT_MAX;
    for (int stop = 0; stop <= total; ++stop) {
        TempDir dir;
        const std::string log = dir.File("TALLYBK.DAT");
        WriteFile(log, base + ours);
        WriteFile(dir.File(copyName), base + theirs);
        MergeOptions options;
        options.now = At(2024, 3, 4, 10, 30, 0);
        TracedChild child(
            [&] { return !MergeCopyIntoLog(log, dir.File(copyName), options).failure; });
        bool mergedByItself = false;
        const int passed = child.RunAndKillAt(total == INT_MAX ? INT_MAX : stop, mergedByItself);
        const std::string renamed = dir.File("TALLYBK.merged-20240304-103000.DAT");
        if (total == INT_MAX) {
            // The first run counts the steps of a whole merge.
            ASSERT_TRUE(mergedByItself);
            ASSERT_EQ(ReadFile(log), merged);
            ASSERT_EQ(ReadFile(renamed), base + theirs);
            total = passed;
            stop = -1;
            continue;
        }
        SCOPED_TRACE("killed after " + std::to_string(stop) + " of " + std::to_string(total));
        const std::string now = ReadFile(log);
        ASSERT_TRUE(now == base + ours || now == merged) << now;
        if (!std::filesystem::exists(dir.File(copyName))) {
            EXPECT_EQ(now, merged);
            EXPECT_EQ(ReadFile(renamed), base + theirs);
        }
    }
    EXPECT_LT(total, INT_MAX);
}

}  // namespace
}  // namespace tally::test
