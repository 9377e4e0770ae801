// SPDX-License-Identifier: MIT
#pragma once
// Opening the time log and probing its end. Every operation opens the file, does its
// work and closes it again; no handle is kept between operations.

#include <sys/types.h>
#include <cstdint>
#include <string>

#include "log/reporter.h"

namespace tally {

inline constexpr const char* kNoLogText = "ERROR! No %s exists. Aborting operation.\n";
inline constexpr const char* kOpenFailedText = "ERROR! Failed to open %s. Aborting operation.\n";
inline constexpr const char* kNotRegularText =
    "ERROR! %s is not a regular file. Aborting operation.\n";
// The reason given where a message names the file and the system's reason on its own line.
inline constexpr const char* kNotRegularReason = "It is not a regular file.";

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    int Release();
    void Reset(int fd = -1);

  private:
    int fd_;
};

// What an open of the time log is for: reading only, or reading and appending.
enum class LogAccess { Read, ReadAppend };

// A descriptor on the time log, or why there is none.
struct OpenedLog {
    enum class Status { Opened, Missing, NotRegular, Failed };
    FileDescriptor fd;
    Status status = Status::Failed;
    int error = 0;         // errno of a failed open (EISDIR for a folder)
    bool created = false;  // CreateTimeLogFile made the file

    bool Ok() const { return status == Status::Opened; }
    // One line naming the file and the reason, e.g. "cannot read /x: Permission denied".
    std::string Reason(const std::string& path, LogAccess access) const;
};

// Opens the log at path. Only a regular file (after following links) is accepted; a FIFO
// or device is refused before anything is read or written, without blocking on it.
OpenedLog OpenTimeLogFile(const std::string& path, LogAccess access);

// Opens the log for reading and appending, creating it (never truncating) when it is missing.
OpenedLog CreateTimeLogFile(const std::string& path);

// OpenTimeLogFile returning the bare descriptor or -1; with a reporter, a failure is
// reported with the message box texts (missing, not a regular file, open failure).
int OpenTimeLog(const std::string& path, LogAccess access, Reporter* reporter);

// The size of an open file in bytes; -1 when it cannot be found out.
std::int64_t FileSize(int fd);

// Reads up to length bytes at offset (fewer at the end of the file); -1 on error.
long ReadAt(int fd, char* dst, std::size_t length, std::int64_t offset);

// Writes all size bytes, going on after a short write or an interruption; false with errno
// set when a write fails.
bool WriteAll(int fd, const char* data, std::size_t size);

// True when the file ends with an In record: the 31 bytes before its end start "In...".
bool IsLastRecordIn(const std::string& path);
bool EndsWithInRecord(int fd);

// True when the last 27 bytes of the file start "Elapsed" (Clock In's check).
bool EndsWithElapsedLine(int fd);

// Identity of a file, to tell whether it changed since it was read.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;

    // The file a path names (following links); an empty identity when there is none.
    static FileIdentity OfPath(const std::string& path);
    // The file an open descriptor is on; an empty identity when fstat fails.
    static FileIdentity OfDescriptor(int fd);
    // Both exist and are the same file (device and inode), whatever its size or time.
    bool IsSameFile(const FileIdentity& other) const;
};

// True when the path still names the file the descriptor is open on.
bool PathNamesFile(const std::string& path, int fd);

}  // namespace tally

namespace tally {

// A write past a file-size limit must fail with an error, not kill the program.
void IgnoreFileSizeSignal();

}  // namespace tally
