// SPDX-License-Identifier: MIT
#pragma once
// The ten backup generations beside the time log: generation n of "dir/NAME.EXT" is
// "dir/NAME.daN", 0 the newest and 9 the oldest.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tally {

inline constexpr int kBackupGenerations = 10;

std::string BackupPath(const std::string& logPath, int generation);

// What a path names among the time log's own files. Links count: an existing file is
// compared by device and inode, so that a symbolic or hard link to the log is the log; a
// missing one by its path, with the links of its folders followed.
// Whether two paths name one file in that way.
bool NamesSameFile(const std::string& path, const std::string& other);
enum class LogFileKind { Other, Log, Backup };
LogFileKind KindOfLogFile(const std::string& path, const std::string& logPath);

struct RotationFailure {
    std::string path;  // the generation that could not be moved or made
    int error = 0;     // errno
};

// Deletes generation 9, moves 8 ... 0 one up and, with keepLog, keeps the time log as the
// new generation 0: a hard link to it, or a copy where links are not supported. The time
// log itself is never moved. A rotation that fails part-way, or whose save fails after it,
// moves back what it moved: the generations stand as before (less generation 9), so that
// the next save shifts them once and not twice.
class BackupRotation {
  public:
    explicit BackupRotation(std::string logPath) : logPath_(std::move(logPath)) {}

    // Stops at the first failure, undone.
    std::optional<RotationFailure> RotateBackups(bool keepLog);
    // Takes back a rotation that succeeded; a step that fails leaves that generation where it
    // is and the rest go on.
    void Undo();

  private:
    std::string logPath_;
    std::vector<int> moved_;  // the generations moved one up, in the order they moved
    bool keptLog_ = false;
};

// Copies a file to a path that must not exist yet, with the same permission bits, flushed
// to disk. On failure nothing is left at the new path and errno tells why.
bool CopyFileExclusive(const std::string& from, const std::string& to);

}  // namespace tally
