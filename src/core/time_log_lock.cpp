#include "core/time_log_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <thread>

#include "core/c_format.h"

namespace tally {
namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat byFd {};
    struct stat byPath {};
    return fstat(fd, &byFd) == 0 && stat(path.c_str(), &byPath) == 0 &&
           byFd.st_dev == byPath.st_dev && byFd.st_ino == byPath.st_ino;
}

}  // namespace

TimeLogLock::~TimeLogLock() {
    Release();
}

void TimeLogLock::Release() {
    if (fd_.Get() >= 0) flock(fd_.Get(), LOCK_UN);
    fd_.Reset();
}

TimeLogLock::Status TimeLogLock::Acquire(const std::string& path, bool create, bool* created,
                                         std::chrono::milliseconds wait) {
    Release();
    if (created != nullptr) *created = false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int fd = -1;
        if (create) {
            fd = open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0) {
                if (created != nullptr) *created = true;
            } else if (errno != EEXIST) {
                return Status::OpenFailed;
            }
        }
        if (fd < 0) {
            fd = open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
            if (fd < 0) {
                if (errno != ENOENT) return Status::OpenFailed;
                // Removed between our two opens: try again to create it.
                if (create && std::chrono::steady_clock::now() < deadline) continue;
                return Status::Missing;
            }
        }
        FileDescriptor guard(fd);
        while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) return Status::OpenFailed;
            if (std::chrono::steady_clock::now() >= deadline) return Status::Busy;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (SameFile(fd, path)) {
            fd_ = std::move(guard);
            return Status::Locked;
        }
        // The path was replaced (or removed) while we waited: start again on what it names now.
        flock(fd, LOCK_UN);
        if (std::chrono::steady_clock::now() >= deadline) return Status::Busy;
    }
}

Message InUseMessage(const std::string& path) {
    return {FillTemplate(kInUseText, path), "Tallybook Error", MessageIcon::Stop};
}

}  // namespace tally
