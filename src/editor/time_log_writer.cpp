// The raw writer of CTimeEntryList: every entry as a complete new time log. The new log is
// written and flushed under a temporary name, the backups rotate, and a rename puts it in
// place, so the time log never disappears and is never partial.

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <filesystem>

#include "core/c_format.h"
#include "core/time_log_lock.h"
#include "editor/backup_rotation.h"
#include "editor/editor_messages.h"
#include "editor/entry_lines.h"
#include "editor/replacement_file.h"
#include "editor/system_error.h"
#include "editor/time_entry_list.h"

namespace tally {
namespace {

constexpr std::size_t kWriteBlock = 1 << 20;
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

// Removes a log that this save created only to hold the lock, unless the save succeeded;
// only while it is still empty, so that nobody's punches go with it.
class CreatedLog {
  public:
    CreatedLog(const std::string& path, int lockedFd, bool created)
        : path_(path), fd_(lockedFd), created_(created) {}
    ~CreatedLog() {
        if (created_ && PathNamesFile(path_, fd_) && FileSize(fd_) == 0) unlink(path_.c_str());
    }
    CreatedLog(const CreatedLog&) = delete;
    CreatedLog& operator=(const CreatedLog&) = delete;
    void Keep() { created_ = false; }

  private:
    std::string path_;
    int fd_;
    bool created_;
};

}  // namespace

bool CTimeEntryList::Save(const std::string& path, bool makeBackups, Reporter& reporter) {
    // The lock is released inside WriteTimeLog, before anything is shown.
    const std::optional<Message> failure = WriteTimeLog(path, makeBackups);
    if (failure) reporter.Report(*failure);
    return !failure;
}

std::optional<Message> CTimeEntryList::WriteTimeLog(const std::string& path, bool makeBackups) {
    if (path.empty()) return SaveMessage(kSaveOpenFailedText, path, SystemErrorText(ENOENT));
    std::string target;
    if (const int error = ResolveLinks(path, target); error != 0) {
        return SaveMessage(kSaveOpenFailedText, path, SystemErrorText(error));
    }

    // A missing log is created empty to hold the lock, as Clock In does, so that no punch
    // can slip in between our look and our rename.
    TimeLogLock lock;
    bool created = false;
    switch (lock.Acquire(target, true, &created, m_lockOptions)) {
        case TimeLogLock::Status::Locked:
            break;
        case TimeLogLock::Status::Busy:
            return InUseMessage(path);
        case TimeLogLock::Status::NotRegular:
            return SaveMessage(kSaveOpenFailedText, path, kNotRegularReason);
        default:
            return SaveMessage(kSaveOpenFailedText, path, LastSystemErrorText());
    }
    struct stat old {};
    if (fstat(lock.Fd(), &old) != 0)
        return SaveMessage(kSaveOpenFailedText, path, LastSystemErrorText());
    // The log we created is ours only while it is empty: another program may have punched
    // into it between our create and our lock. Then it is a log like any other.
    const bool ours = created && old.st_size == 0;
    CreatedLog createdLog(target, lock.Fd(), ours);

    if (m_loadedPath == path) {
        const FileIdentity now = ours ? FileIdentity() : FileIdentity::OfPath(target);
        if (now != m_loadedIdentity) {
            return Message{kFileChangedText, kApplicationName, MessageIcon::Warning};
        }
    }

    // Under the lock no other save is writing, so every temporary file left is from a save
    // that was killed.
    RemoveLeftoverReplacements(target);
    ReplacementFile file;
    if (!file.Create(target, ours ? 0600 : old.st_mode & 07777, ours ? nullptr : &old)) {
        return SaveMessage(kSaveOpenFailedText, path, LastSystemErrorText());
    }
    std::string block;
    block.reserve(kWriteBlock + 256);
    LocalDayCache days;
    for (const CTimeEntry& entry : m_entries) {
        AppendEntryLines(block, entry, days);
        if (block.size() >= kWriteBlock) {
            if (!file.Write(block.data(), block.size())) {
                return SaveMessage(kSaveWriteFailedText, path, LastSystemErrorText());
            }
            block.clear();
        }
    }
    if (!file.Write(block.data(), block.size()) || !file.Flush()) {
        return SaveMessage(kSaveWriteFailedText, path, LastSystemErrorText());
    }

    if (makeBackups) {
        if (const auto failure = RotateGenerations(target, !ours)) {
            return SaveMessage(kSaveWriteFailedText, failure->path,
                               SystemErrorText(failure->error));
        }
    }
    if (!file.RenameOver()) return SaveMessage(kSaveWriteFailedText, path, LastSystemErrorText());
    createdLog.Keep();

    m_loadedPath = path;
    m_loadedIdentity = FileIdentity::OfPath(target);
    return std::nullopt;
}

bool CTimeEntryList::IsFileUnchanged() const {
    return !m_loadedPath || FileIdentity::OfPath(*m_loadedPath) == m_loadedIdentity;
}

}  // namespace tally
