// SPDX-License-Identifier: MIT
#pragma once
// The ten backup generations beside the time log: generation n of "dir/NAME.EXT" is
// "dir/NAME.daN", 0 the newest and 9 the oldest.

#include <optional>
#include <string>

namespace tally {

inline constexpr int kBackupGenerations = 10;

std::string BackupPath(const std::string& logPath, int generation);

// What a path names among the time log's own files. Links count: an existing file is
// compared by device and inode, so that a symbolic or hard link to the log is the log; a
// missing one by its path, with the links of its folders followed.
enum class LogFileKind { Other, Log, Backup };
LogFileKind KindOfLogFile(const std::string& path, const std::string& logPath);

struct RotationFailure {
    std::string path;  // the generation that could not be moved or made
    int error = 0;     // errno
};

// Deletes generation 9, moves 8 ... 0 one up and, with keepLog, keeps the time log as the
// new generation 0: a hard link to it, or a copy where links are not supported. The time
// log itself is never moved. Stops at the first failure; what was done stays done.
std::optional<RotationFailure> RotateBackups(const std::string& logPath, bool keepLog);

// Copies a file to a path that must not exist yet, with the same permission bits, flushed
// to disk. On failure nothing is left at the new path and errno tells why.
bool CopyFileExclusive(const std::string& from, const std::string& to);

}  // namespace tally
