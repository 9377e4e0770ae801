#include "core/time_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "core/c_format.h"
#include "core/punch_record.h"

namespace tally {

int OpenTimeLog(const std::string& path, Reporter* reporter, bool reportErrors) {
    auto fail = [&](const char* templ) {
        if (reportErrors && reporter != nullptr) {
            reporter->Report({FillTemplate(templ, path), kErrorCaption, MessageIcon::Stop});
        }
        return -1;
    };
    if (path.empty() || access(path.c_str(), F_OK) != 0) return fail(kNoLogText);
    const int fd = open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) return fail(kOpenFailedText);
    return fd;
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

namespace {

std::int64_t FileSize(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

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
    FileDescriptor fd(OpenTimeLog(path, nullptr, false));
    return fd.Get() >= 0 && EndsWithInRecord(fd.Get());
}

FileIdentity FileIdentity::OfPath(const std::string& path) {
    FileIdentity id;
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = static_cast<std::int64_t>(st.st_size);
    id.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return id;
}

}  // namespace tally

#include <csignal>

namespace tally {

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace tally
