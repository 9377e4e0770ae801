// SPDX-License-Identifier: MIT
#include "log/log_replacement.h"

#include <unistd.h>
#include <cerrno>
#include <climits>
#include <filesystem>

#include "log/backup_rotation.h"
#include "log/editor_messages.h"
#include "log/system_error.h"
#include "time/c_format.h"

namespace tally {
namespace {

constexpr int kMaxLinkHops = 40;

Message SaveMessage(const char* templ, const std::string& path, const std::string& reason) {
    return {FormatC(templ, path.c_str(), reason.c_str()), kApplicationName, MessageIcon::None};
}

// The file a path names, following symbolic links: their target is what gets replaced.
// 0, or the errno that stopped the walk.
int ResolveLinks(const std::string& path, std::string& target) {
    std::filesystem::path current(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            target = current.string();  // a log still to be made
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = current.string();
            return 0;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), link, sizeof link);
        if (length < 0) return errno;
        if (static_cast<std::size_t>(length) == sizeof link) return ENAMETOOLONG;
        const std::filesystem::path next(std::string(link, static_cast<std::size_t>(length)));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return ELOOP;
}

}  // namespace

LogReplacement::~LogReplacement() {
    if (ours_ && !committed_ && lock_.Fd() >= 0 && PathNamesFile(target_, lock_.Fd()) &&
        FileSize(lock_.Fd()) == 0) {
        unlink(target_.c_str());
    }
}

std::optional<Message> LogReplacement::Begin(const LockOptions& lockOptions) {
    if (path_.empty()) return SaveMessage(kSaveOpenFailedText, path_, SystemErrorText(ENOENT));
    if (const int error = ResolveLinks(path_, target_); error != 0) {
        return SaveMessage(kSaveOpenFailedText, path_, SystemErrorText(error));
    }
    // A missing log is created empty to hold the lock, as Clock In does, so that no punch
    // can slip in between our look and our rename.
    bool created = false;
    switch (lock_.Acquire(target_, true, &created, lockOptions)) {
        case FileLock::Status::Locked:
            break;
        case FileLock::Status::Busy:
            return InUseMessage(path_);
        case FileLock::Status::NotRegular:
            return SaveMessage(kSaveOpenFailedText, path_, kNotRegularReason);
        default:
            return SaveMessage(kSaveOpenFailedText, path_, LastSystemErrorText());
    }
    struct stat old {};
    if (fstat(lock_.Fd(), &old) != 0)
        return SaveMessage(kSaveOpenFailedText, path_, LastSystemErrorText());
    // The log we created is ours only while it is empty: another program may have punched
    // into it between our create and our lock. Then it is a log like any other.
    ours_ = created && old.st_size == 0;

    // Under the lock no other save is writing, so every temporary file left is from a save
    // that was killed.
    RemoveLeftoverReplacements(target_);
    if (!file_.Create(target_, ours_ ? 0600 : old.st_mode & 07777, ours_ ? nullptr : &old)) {
        return SaveMessage(kSaveOpenFailedText, path_, LastSystemErrorText());
    }
    return std::nullopt;
}

std::optional<Message> LogReplacement::Write(const char* data, std::size_t size) {
    if (file_.Write(data, size)) return std::nullopt;
    return SaveMessage(kSaveWriteFailedText, path_, LastSystemErrorText());
}

std::optional<Message> LogReplacement::Commit(bool makeBackups) {
    if (!file_.Flush()) return SaveMessage(kSaveWriteFailedText, path_, LastSystemErrorText());
    BackupRotation rotation(target_);
    if (makeBackups) {
        if (const auto failure = rotation.RotateBackups(!ours_)) {
            return SaveMessage(kSaveWriteFailedText, failure->path,
                               SystemErrorText(failure->error));
        }
    }
    if (!file_.RenameOver()) {
        const Message failure = SaveMessage(kSaveWriteFailedText, path_, LastSystemErrorText());
        rotation.Undo();  // the old log stays, so its backups stand as they were
        return failure;
    }
    committed_ = true;
    return std::nullopt;
}

}  // namespace tally
