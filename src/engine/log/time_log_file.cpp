// SPDX-License-Identifier: MIT
#include "log/time_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "log/messages.h"
#include "log/record_layout.h"
#include "time/c_format.h"

namespace tally {

namespace {

// Opens without blocking (a FIFO without writer would stall a plain open), accepts only a
// regular file, then makes the descriptor blocking again for ordinary reads and writes.
OpenedLog OpenRegular(const std::string& path, int flags) {
    OpenedLog log;
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        log.error = errno;
        log.status = errno == ENOENT ? OpenedLog::Status::Missing : OpenedLog::Status::Failed;
        return log;
    }
    log.fd.Reset(fd);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        log.error = errno;
        log.fd.Reset();
        return log;
    }
    if (S_ISDIR(st.st_mode)) {  // opened for reading: the system's own reason
        log.error = EISDIR;
        log.fd.Reset();
        return log;
    }
    if (!S_ISREG(st.st_mode)) {
        log.fd.Reset();
        log.status = OpenedLog::Status::NotRegular;
        return log;
    }
    const int fileFlags = fcntl(fd, F_GETFL);
    if (fileFlags < 0 || fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK) != 0) {
        log.error = errno;
        log.fd.Reset();
        return log;
    }
    log.status = OpenedLog::Status::Opened;
    return log;
}

int AccessFlags(LogAccess access) {
    return access == LogAccess::Read ? O_RDONLY : O_RDWR | O_APPEND;
}

}  // namespace

std::string OpenedLog::Reason(const std::string& path, LogAccess access) const {
    switch (status) {
        case Status::Opened:
            return {};
        case Status::Missing:
            return path + " does not exist";
        case Status::NotRegular:
            return path + " is not a regular file";
        case Status::Failed:
            break;
    }
    return std::string(access == LogAccess::Read ? "cannot read " : "cannot open ") + path + ": " +
           std::strerror(error);
}

OpenedLog OpenTimeLogFile(const std::string& path, LogAccess access) {
    return OpenRegular(path, AccessFlags(access));
}

OpenedLog CreateTimeLogFile(const std::string& path) {
    // Removed between the two opens by another program: a few more tries, then give up.
    for (int attempt = 0; attempt < 100; ++attempt) {
        OpenedLog log = OpenRegular(path, O_RDWR | O_APPEND | O_CREAT | O_EXCL);
        if (log.Ok()) {
            log.created = true;
            return log;
        }
        if (log.status != OpenedLog::Status::Failed || log.error != EEXIST) return log;
        log = OpenRegular(path, O_RDWR | O_APPEND);
        if (log.status != OpenedLog::Status::Missing) return log;
    }
    OpenedLog missing;
    missing.status = OpenedLog::Status::Missing;
    missing.error = ENOENT;
    return missing;
}

int OpenTimeLog(const std::string& path, LogAccess access, Reporter* reporter) {
    OpenedLog log = OpenTimeLogFile(path, access);
    if (!log.Ok() && reporter != nullptr) {
        const char* templ = log.status == OpenedLog::Status::Missing      ? kNoLogText
                            : log.status == OpenedLog::Status::NotRegular ? kNotRegularText
                                                                          : kOpenFailedText;
        reporter->Report({FillTemplate(templ, path), kErrorCaption, MessageIcon::Stop});
    }
    return log.fd.Release();
}

FileDescriptor::~FileDescriptor() {
    Reset();
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
}

int FileDescriptor::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void FileDescriptor::Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
}

long ReadAt(int fd, char* dst, std::size_t length, std::int64_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = pread(fd, dst + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long>(done);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::int64_t FileSize(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

namespace {

// True when the bytes at (end - distance) start with the given prefix.
bool EndProbe(int fd, std::int64_t distance, const char* prefix) {
    const std::int64_t size = FileSize(fd);
    if (size < distance) return false;
    const std::size_t length = std::strlen(prefix);
    char bytes[8] = {};
    return ReadAt(fd, bytes, length, size - distance) == static_cast<long>(length) &&
           std::memcmp(bytes, prefix, length) == 0;
}

}  // namespace

bool EndsWithInRecord(int fd) {
    return EndProbe(fd, kRecordSize, kInPrefix);
}

bool EndsWithElapsedLine(int fd) {
    return EndProbe(fd, kElapsedLineSize, kElapsedPrefix);
}

bool IsLastRecordIn(const std::string& path) {
    FileDescriptor fd(OpenTimeLog(path, LogAccess::Read, nullptr));
    return fd.Get() >= 0 && EndsWithInRecord(fd.Get());
}

namespace {

FileIdentity IdentityOf(const struct stat& st) {
    FileIdentity id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = static_cast<std::int64_t>(st.st_size);
    id.mtimeNs = std::chrono::nanoseconds(std::chrono::seconds(st.st_mtim.tv_sec) +
                                          std::chrono::nanoseconds(st.st_mtim.tv_nsec))
                     .count();
    return id;
}

}  // namespace

FileIdentity FileIdentity::OfPath(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return {};
    return IdentityOf(st);
}

FileIdentity FileIdentity::OfDescriptor(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return {};
    return IdentityOf(st);
}

bool FileIdentity::IsSameFile(const FileIdentity& other) const {
    return exists && other.exists && device == other.device && inode == other.inode;
}

bool PathNamesFile(const std::string& path, int fd) {
    return FileIdentity::OfDescriptor(fd).IsSameFile(FileIdentity::OfPath(path));
}

}  // namespace tally

#include <csignal>

namespace tally {

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace tally
