#pragma once
// The one lock protocol of every writer of the time log: an exclusive flock taken before
// the file's end or size is looked at, held until the last write or rename is done,
// on the file the path still names, waiting at most two seconds.

#include <chrono>
#include <string>

#include "core/time_log_file.h"

namespace tally {

inline constexpr const char* kInUseText =
    "ERROR! %s is in use by another program. Aborting operation.\n";

class TimeLogLock {
  public:
    enum class Status { Locked, Missing, OpenFailed, Busy };

    TimeLogLock() = default;
    TimeLogLock(TimeLogLock&&) = default;
    TimeLogLock& operator=(TimeLogLock&&) = default;
    ~TimeLogLock();

    // Opens the path read-write (creating it when create is set and it is missing; created
    // then tells whether this call made it) and locks it.
    Status Acquire(const std::string& path, bool create, bool* created = nullptr,
                   std::chrono::milliseconds wait = std::chrono::seconds(2));

    int Fd() const { return fd_.Get(); }
    void Release();

  private:
    FileDescriptor fd_;
};

// The message for a log that stays locked by another program.
Message InUseMessage(const std::string& path);

}  // namespace tally
