#pragma once
// Opening the time log and probing its end. Every operation opens the file, does its
// work and closes it again; no handle is kept between operations.

#include <sys/types.h>
#include <cstdint>
#include <string>

#include "core/reporter.h"

namespace tally {

inline constexpr const char* kErrorCaption = "Tallybook Error";
inline constexpr const char* kNoLogText = "ERROR! No %s exists. Aborting operation.\n";
inline constexpr const char* kOpenFailedText = "ERROR! Failed to open %s. Aborting operation.\n";

// Opens an existing time log for reading and appending; returns the descriptor or -1.
// With reportErrors, a failure is reported (missing file, or open failure).
int OpenTimeLog(const std::string& path, Reporter* reporter, bool reportErrors);

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

// Reads up to length bytes at offset (fewer at the end of the file); -1 on error.
long ReadAt(int fd, char* dst, std::size_t length, std::int64_t offset);

// True when the file ends with an In record: the 31 bytes before its end start "In...".
bool IsLastRecordIn(const std::string& path);
bool EndsWithInRecord(int fd);

// True when the last 27 bytes of the file start "Elapsed" (Clock In's check).
bool EndsWithElapsedLine(int fd);

// Identity of the file at a path, to tell whether it changed since it was read.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;

    static FileIdentity OfPath(const std::string& path);
};

}  // namespace tally

namespace tally {

// A write past a file-size limit must fail with an error, not kill the program.
void IgnoreFileSizeSignal();

}  // namespace tally
