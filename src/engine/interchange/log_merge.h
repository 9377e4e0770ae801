// SPDX-License-Identifier: MIT
#pragma once
// Merging a sync tool's conflict copy of the time log into the log: the copy's pairs that
// the log lacks go between the log's bytes at their place in time order, as the copy holds
// them, in one replacement under the lock with the backups kept; nothing is written while a
// conflict is undecided. Only after the log is saved is the copy renamed
// STEM.merged-YYYYMMDD-HHMMSS.EXT, so that it is reported no more and never lost.

#include <optional>
#include <string>
#include <vector>

#include "core/current_settings.h"
#include "interchange/merge_plan.h"
#include "log/file_lock.h"
#include "time/local_time.h"

namespace tally {

struct MergeOptions {
    MergeSide keep = MergeSide::Undecided;  // the side of every conflict without a choice
    std::vector<MergeSide> choices;         // the side of each conflict, in the plan's order
    bool tryOnly = false;                   // plan and report, write and rename nothing
    TimeValue now = 0;                      // the time in the merged copy's name
    CurrentSettings settings;               // how the scan reads both files, for the check
    LockOptions lock;
};

struct MergeResult {
    MergePlan plan;
    std::string mergedName;              // the copy's new file name, once renamed
    std::optional<std::string> failure;  // why nothing (or, named so, not all) was done
};

// Merges the copy at copyPath into the log at logPath. The copy must be a conflict copy of
// this log, beside it, and both must be clean time logs.
MergeResult MergeCopyIntoLog(const std::string& logPath, const std::string& copyPath,
                             const MergeOptions& options);

// "TALLYBK.merged-20261208-101500.DAT" for the log TALLYBK.DAT merged at that local time.
std::string MergedCopyName(const std::string& logFileName, TimeValue at);

}  // namespace tally
