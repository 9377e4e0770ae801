// SPDX-License-Identifier: MIT
#include "log/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <thread>

#include "log/messages.h"
#include "time/c_format.h"

namespace tally {
FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    if (fd_.Get() >= 0) flock(fd_.Get(), LOCK_UN);
    fd_.Reset();
}

FileLock::Status FileLock::Acquire(const std::string& path, bool create, bool* created,
                                   const LockOptions& options) {
    Release();
    if (created != nullptr) *created = false;
    const auto deadline = std::chrono::steady_clock::now() + options.wait;
    for (;;) {
        OpenedLog log =
            create ? CreateTimeLogFile(path) : OpenTimeLogFile(path, LogAccess::ReadAppend);
        // CreateTimeLogFile tries again itself when the log vanishes between its opens, so
        // missing here means a missing folder: waiting would not bring it back.
        if (log.status == OpenedLog::Status::Missing) return Status::Missing;
        if (log.status == OpenedLog::Status::NotRegular) return Status::NotRegular;
        if (!log.Ok()) return Status::OpenFailed;
        if (created != nullptr) *created = log.created;
        if (log.created && options.afterCreate) options.afterCreate();
        FileDescriptor guard(std::move(log.fd));
        const int fd = guard.Get();
        while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) return Status::OpenFailed;
            if (std::chrono::steady_clock::now() >= deadline) return Status::Busy;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (PathNamesFile(path, fd)) {
            fd_ = std::move(guard);
            return Status::Locked;
        }
        // The path was replaced (or removed) while we waited: start again on what it names now.
        flock(fd, LOCK_UN);
        if (std::chrono::steady_clock::now() >= deadline) return Status::Busy;
    }
}

Message InUseMessage(const std::string& path) {
    return {FillTemplate(kInUseText, path), kErrorCaption, MessageIcon::Stop};
}

}  // namespace tally
