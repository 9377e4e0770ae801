// SPDX-License-Identifier: MIT
#include "interchange/log_merge.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/log_check.h"
#include "interchange/conflict_copies.h"
#include "interchange/log_splice.h"
#include "interchange/pair_add.h"
#include "log/log_replacement.h"
#include "log/record_layout.h"
#include "log/time_log_file.h"
#include "time/c_format.h"
#include "time/local_day_cache.h"

namespace tally {
namespace {

constexpr const char* kNothingMerged = "nothing merged";

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(LogFolder(a).c_str(), &sa) == 0 && stat(LogFolder(b).c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The copy's bytes and pairs, or why it cannot be merged.
struct CopyRead {
    std::string bytes;
    std::vector<MergeSpan> spans;
    std::optional<std::string> failure;
};

CopyRead ReadCopy(const std::string& logPath, const std::string& copyPath,
                  const CurrentSettings& settings) {
    CopyRead copy;
    if (!SameFolder(logPath, copyPath) ||
        !IsConflictCopyName(LogFileName(logPath), LogFileName(copyPath))) {
        copy.failure = copyPath + " is not a conflict copy of " + logPath +
                       " (a sync tool leaves those beside the log, named after it)";
        return copy;
    }
    // A sync tool writes its copies as plain files, and check lists no link: a link of that
    // name is someone else's, and merging would rename the link, not what it points to.
    struct stat named {};
    if (lstat(copyPath.c_str(), &named) == 0 && S_ISLNK(named.st_mode)) {
        copy.failure = copyPath + " is a symbolic link, not a conflict copy (check lists none)";
        return copy;
    }
    const OpenedLog opened = OpenTimeLogFile(copyPath, LogAccess::Read);
    if (!opened.Ok()) {
        copy.failure = opened.Reason(copyPath, LogAccess::Read);
        return copy;
    }
    const int fd = opened.fd.Get();
    // The file opened is the one looked at, not a link put in its place meanwhile.
    struct stat openedStat {};
    if (fstat(fd, &openedStat) != 0 || openedStat.st_dev != named.st_dev ||
        openedStat.st_ino != named.st_ino) {
        copy.failure = copyPath + " changed while it was opened; nothing was read";
        return copy;
    }
    const LogCheck check = CheckTimeLog(fd, settings);
    if (!check.findings.empty()) {
        copy.failure = copyPath + " is not a time log that can be merged: " +
                       DescribeFinding(check.findings.front()) +
                       " (tally --log COPY check lists what is wrong)";
        return copy;
    }
    const LogPairs pairs = ReadLogPairs(fd);
    copy.bytes.resize(static_cast<std::size_t>(pairs.size));
    if (pairs.size > 0 && ReadAt(fd, copy.bytes.data(), copy.bytes.size(), 0) != pairs.size) {
        copy.failure = "cannot read " + copyPath + ": " + std::strerror(errno);
        return copy;
    }
    copy.spans = SpansOf(pairs);
    return copy;
}

// The log's pairs that stay, as InsertionOffsets reads them.
LogPairs Kept(const LogPairs& log, const std::vector<MergeSpan>& removed) {
    const auto gone = [&](std::int64_t offset) {
        return std::any_of(removed.begin(), removed.end(),
                           [offset](const MergeSpan& s) { return s.begin == offset; });
    };
    LogPairs kept;
    kept.size = log.size;
    kept.endsWithLineEnd = log.endsWithLineEnd;
    for (const LogPair& p : log.closed) {
        if (!gone(p.offset)) kept.closed.push_back(p);
    }
    if (log.open && !gone(log.open->offset)) kept.open = log.open;
    return kept;
}

// One change to the old log's bytes: the copy's span put in before offset, or the old
// bytes [offset, skipTo) left out.
struct Edit {
    std::int64_t offset = 0;
    std::int64_t skipTo = 0;
    const MergeSpan* insert = nullptr;
};

std::vector<Edit> EditsOf(const LogPairs& log, const MergePlan& plan) {
    std::vector<Edit> edits;
    for (const MergeSpan& s : plan.removed) edits.push_back({s.begin, s.end, nullptr});
    const LogPairs kept = Kept(log, plan.removed);
    std::vector<PlannedPair> closed;
    for (const MergeSpan& s : plan.added) {
        if (!s.Open()) closed.push_back({s.in, s.out, 0});
    }
    const std::vector<std::int64_t> offsets = InsertionOffsets(kept, closed);
    // The added open In, if any, is the plan's last: the i-th added pair is the i-th closed.
    for (std::size_t i = 0; i < plan.added.size(); ++i) {
        const MergeSpan& s = plan.added[i];
        edits.push_back({s.Open() ? log.size : offsets[i], 0, &s});
    }
    // At one offset, what is left out goes first, then the insertions in time order.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.offset != b.offset ? a.offset < b.offset
                                    : (a.insert == nullptr) > (b.insert == nullptr);
    });
    return edits;
}

std::optional<std::string> WriteMerged(LogReplacement& replacement, const LogPairs& log,
                                       const std::vector<Edit>& edits, const CopyRead& copy,
                                       const std::string& path) {
    LogSplice splice(replacement, path);
    for (const Edit& edit : edits) {
        if (auto failure = splice.CopyTo(edit.offset)) return failure;
        if (edit.insert == nullptr) {
            splice.SkipTo(edit.skipTo);
            continue;
        }
        std::string lines =
            copy.bytes.substr(static_cast<std::size_t>(edit.insert->begin),
                              static_cast<std::size_t>(edit.insert->end - edit.insert->begin));
        if (!lines.ends_with('\n')) lines += kLineEnd;
        if (auto failure = splice.Insert(lines)) return failure;
    }
    return splice.Finish(log.size);
}

// Renames the copy to its merged name, never over another file. The new name, or empty
// with the reason in why.
std::string RenameMerged(const std::string& logPath, const std::string& copyPath, TimeValue now,
                         std::string& why) {
    const std::string folder = LogFolder(copyPath) + '/';
    const std::string name = MergedCopyName(LogFileName(logPath), now);
    const std::size_t dot = name.rfind('.');
    const bool hasExt = dot != std::string::npos && dot > name.find(".merged-");
    for (int n = 1; n < 100; ++n) {
        std::string candidate = name;
        if (n > 1) candidate.insert(hasExt ? dot : name.size(), '-' + std::to_string(n));
        const std::string target = folder + candidate;
        if (renameat2(AT_FDCWD, copyPath.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return candidate;
        if (errno == EEXIST) continue;
        // A file system without the flag: look first, then rename.
        if (errno == EINVAL || errno == ENOSYS) {
            if (access(target.c_str(), F_OK) == 0) continue;
            if (rename(copyPath.c_str(), target.c_str()) == 0) return candidate;
        }
        why = std::strerror(errno);
        return {};
    }
    why = "every merged name of this second is taken";
    return {};
}

}  // namespace

std::string MergedCopyName(const std::string& logFileName, TimeValue at) {
    LocalDayCache days;
    const LocalFields f = days.Fields(at);
    // A leading dot belongs to the name, as the sync tools that keep it in the stem read it.
    const std::size_t dot = logFileName.rfind('.');
    const std::size_t stemEnd = dot == std::string::npos || dot == 0 ? logFileName.size() : dot;
    return logFileName.substr(0, stemEnd) +
           FormatC(".merged-%04d%02d%02d-%02d%02d%02d", f.year, f.month, f.day, f.hour, f.minute,
                   f.second) +
           logFileName.substr(stemEnd);
}

MergeResult MergeCopyIntoLog(const std::string& logPath, const std::string& copyPath,
                             const MergeOptions& options) {
    MergeResult result;
    const CopyRead copy = ReadCopy(logPath, copyPath, options.settings);
    if (copy.failure) {
        result.failure = kNothingMerged + std::string(": ") + *copy.failure;
        return result;
    }
    // Under the lock from the first read to the rename, as every rewrite of the log is.
    LogReplacement replacement(logPath);
    if (!options.tryOnly) {
        if (auto failure = replacement.Begin(options.lock)) {
            result.failure = failure->text;
            return result;
        }
    }
    OpenedLog opened;
    if (options.tryOnly) {
        opened = OpenTimeLogFile(logPath, LogAccess::Read);
        if (!opened.Ok() && opened.status != OpenedLog::Status::Missing) {
            result.failure = opened.Reason(logPath, LogAccess::Read);
            return result;
        }
    }
    const int fd = options.tryOnly ? opened.fd.Get() : replacement.OldLog();
    LogPairs log;
    if (fd >= 0) {
        result.failure = UncleanLogReason(fd, logPath, options.settings, kNothingMerged);
        if (result.failure) return result;
        log = ReadLogPairs(fd);
    }
    result.plan = PlanMerge(SpansOf(log), copy.spans, options.keep, options.choices);
    if (!options.choices.empty() && options.choices.size() != result.plan.conflicts.size()) {
        result.failure = std::string(kNothingMerged) + ": " + logPath +
                         " changed since the conflicts were shown; look at them again";
        return result;
    }
    if (options.tryOnly || !result.plan.Settled()) return result;
    if (result.plan.ChangesLog()) {
        const std::vector<Edit> edits = EditsOf(log, result.plan);
        const bool atEnd = std::any_of(edits.begin(), edits.end(), [&](const Edit& e) {
            return e.insert != nullptr && e.offset == log.size;
        });
        if (atEnd && !log.endsWithLineEnd) {
            result.failure = std::string(kNothingMerged) + ": the last line of " + logPath +
                             " has no line end (Edit Raw Data writes the log anew with one)";
            return result;
        }
        result.failure = WriteMerged(replacement, log, edits, copy, logPath);
        if (result.failure) return result;
        if (auto failure = replacement.Commit(true)) {
            result.failure = failure->text;
            return result;
        }
    }
    std::string why;
    result.mergedName = RenameMerged(logPath, copyPath, options.now, why);
    if (result.mergedName.empty()) {
        result.failure =
            logPath + " holds the copy's pairs, but " + copyPath + " could not be renamed: " + why;
    }
    return result;
}

}  // namespace tally
