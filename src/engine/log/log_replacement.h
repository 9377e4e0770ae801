// SPDX-License-Identifier: MIT
#pragma once
// The steps every replacement of the time log shares: links followed, the one lock taken
// (a missing log created empty to hold it) and kept to the end, the new log written under a
// temporary name and flushed, the backups rotated, and a rename putting it in place. The
// time log never disappears and is never partial; a failure leaves it as it was.

#include <sys/stat.h>
#include <optional>
#include <string>

#include "log/file_lock.h"
#include "log/messages.h"
#include "log/replacement_file.h"

namespace tally {

class LogReplacement {
  public:
    explicit LogReplacement(std::string path) : path_(std::move(path)) {}
    LogReplacement(const LogReplacement&) = delete;
    LogReplacement& operator=(const LogReplacement&) = delete;
    // Removes a log that Begin created only to hold the lock, unless Commit put one in place;
    // only while it is still empty, so that nobody's punches go with it.
    ~LogReplacement();

    // Takes the lock on the log the path names and opens the temporary file. A failure is
    // the message to show; the lock is then released.
    std::optional<Message> Begin(const LockOptions& lockOptions);

    // The locked old log, open for reading and writing (empty when Begin created it).
    int OldLog() const { return lock_.Fd(); }
    // True when Begin made the log: there was none before.
    bool Created() const { return ours_; }
    // The file that is replaced: the path with its links followed.
    const std::string& Target() const { return target_; }

    std::optional<Message> Write(const char* data, std::size_t size);
    // Flushes the new log, keeps the old one as backup generation 0 when asked to, and puts
    // the new one in place. The lock is released with the object.
    std::optional<Message> Commit(bool makeBackups);

  private:
    std::string path_;
    std::string target_;
    FileLock lock_;
    bool ours_ = false;
    bool committed_ = false;
    ReplacementFile file_;
};

}  // namespace tally
