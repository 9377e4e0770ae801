// SPDX-License-Identifier: MIT
#pragma once
// The one lock protocol of every writer of the time log: an exclusive flock taken before
// the file's end or size is looked at, held until the last write or rename is done,
// on the file the path still names, waiting at most two seconds (tests wait less).

#include <chrono>
#include <functional>
#include <string>

#include "log/time_log_file.h"

namespace tally {

inline constexpr const char* kInUseText =
    "ERROR! %s is in use by another program. Aborting operation.\n";

// How a writer takes the lock: how long it waits for another program, and a step run
// between creating a missing log and locking it. That moment is where another program can
// get in first; tests put their own punches there.
struct LockOptions {
    std::chrono::milliseconds wait = std::chrono::seconds(2);
    std::function<void()> afterCreate;
};

class FileLock {
  public:
    enum class Status { Locked, Missing, NotRegular, OpenFailed, Busy };

    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Opens the path read-write (creating it when create is set and it is missing; created
    // then tells whether this call made it) and locks it. Only a regular file is opened.
    Status Acquire(const std::string& path, bool create, bool* created = nullptr,
                   const LockOptions& options = {});

    int Fd() const { return fd_.Get(); }
    void Release();

  private:
    FileDescriptor fd_;
};

// The message for a log that stays locked by another program.
Message InUseMessage(const std::string& path);

}  // namespace tally
