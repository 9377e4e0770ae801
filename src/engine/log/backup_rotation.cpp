// SPDX-License-Identifier: MIT
#include "log/backup_rotation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

#include "log/time_log_file.h"

namespace tally {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool CopyContents(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return fsync(to) == 0;
        if (!WriteAll(to, buffer, static_cast<std::size_t>(n))) return false;
    }
}

// Where a file that does not exist would be made: the absolute path, its folders' links
// followed, so that two spellings of one place compare equal.
std::string PlacePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path place = std::filesystem::weakly_canonical(path, error);
    if (error) place = std::filesystem::absolute(path, error).lexically_normal();
    return place.string();
}

}  // namespace

std::string BackupPath(const std::string& logPath, int generation) {
    std::filesystem::path path(logPath);
    path.replace_extension(".da" + std::to_string(generation));
    return path.string();
}

bool NamesSameFile(const std::string& path, const std::string& other) {
    if (path.empty() || other.empty()) return false;
    const FileIdentity file = FileIdentity::OfPath(path);
    const FileIdentity that = FileIdentity::OfPath(other);
    if (file.exists || that.exists) return file.IsSameFile(that);
    return PlacePath(path) == PlacePath(other);
}

LogFileKind KindOfLogFile(const std::string& path, const std::string& logPath) {
    if (path.empty() || logPath.empty()) return LogFileKind::Other;
    if (NamesSameFile(path, logPath)) return LogFileKind::Log;
    for (int n = 0; n < kBackupGenerations; ++n) {
        if (NamesSameFile(path, BackupPath(logPath, n))) return LogFileKind::Backup;
    }
    return LogFileKind::Other;
}

bool CopyFileExclusive(const std::string& from, const std::string& to) {
    FileDescriptor in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (in.Get() < 0 || fstat(in.Get(), &st) != 0) return false;
    FileDescriptor out(
        open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777));
    if (out.Get() < 0) return false;
    if (CopyContents(in.Get(), out.Get()) && close(out.Release()) == 0) return true;
    const int error = errno;
    unlink(to.c_str());
    errno = error;
    return false;
}

std::optional<RotationFailure> BackupRotation::RotateBackups(bool keepLog) {
    for (int n = 0; n < kBackupGenerations; ++n) {
        // A log named like one of its own generations would be moved away by the shift.
        if (BackupPath(logPath_, n) == logPath_) return RotationFailure{logPath_, EINVAL};
    }
    moved_.clear();
    keptLog_ = false;
    const std::string oldest = BackupPath(logPath_, kBackupGenerations - 1);
    if (Exists(oldest)) unlink(oldest.c_str());  // a failure shows in the rename onto it
    for (int n = kBackupGenerations - 2; n >= 0; --n) {
        const std::string from = BackupPath(logPath_, n);
        if (!Exists(from)) continue;
        if (rename(from.c_str(), BackupPath(logPath_, n + 1).c_str()) != 0) {
            const RotationFailure failure{from, errno};
            Undo();
            return failure;
        }
        moved_.push_back(n);
    }
    if (keepLog && Exists(logPath_)) {
        const std::string newest = BackupPath(logPath_, 0);
        if (link(logPath_.c_str(), newest.c_str()) != 0 && !CopyFileExclusive(logPath_, newest)) {
            const RotationFailure failure{newest, errno};
            Undo();
            return failure;
        }
        keptLog_ = true;
    }
    return std::nullopt;
}

void BackupRotation::Undo() {
    if (keptLog_) unlink(BackupPath(logPath_, 0).c_str());
    keptLog_ = false;
    // Newest first: each move back frees the place the next one needs.
    for (auto n = moved_.rbegin(); n != moved_.rend(); ++n) {
        rename(BackupPath(logPath_, *n + 1).c_str(), BackupPath(logPath_, *n).c_str());
    }
    moved_.clear();
}

}  // namespace tally
