// SPDX-License-Identifier: MIT
#pragma once
// The clients lock: one lock file beside the settings, taken by everything that could leave
// two clients clocked in (Clock In, a switch, a client removed or given another log) before it
// reads the clients and their logs, and held until its writes are done. Always taken before a
// log's own lock, never after one, so the two cannot wait for each other.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "core/tally_engine.h"
#include "log/file_lock.h"
#include "log/reporter.h"

namespace tally {

// Where the clients are kept, for the engine that may not read the store itself.
struct ClientBook {
    std::string lockPath;                       // the lock file beside the settings
    std::function<std::vector<Client>()> read;  // the clients as the store holds them now
};

class ClientsLock {
  public:
    // Takes the lock (made when missing), waiting as long as a log's lock waits; nothing when
    // taken, else why not.
    std::optional<Message> Acquire(const std::string& lockPath,
                                   std::chrono::milliseconds wait = LockOptions().wait);

  private:
    FileLock lock_;
};

// Keeps the engine's messages while it lives and hands them on when it ends: declared before
// the lock, it outlives it, so no lock is held while a message box is open.
class ReportsAfterLock final : public Reporter {
  public:
    explicit ReportsAfterLock(TallyEngine& engine);
    ~ReportsAfterLock() override;
    ReportsAfterLock(const ReportsAfterLock&) = delete;
    ReportsAfterLock& operator=(const ReportsAfterLock&) = delete;

    void Report(const Message& message) override { held_.push_back(message); }

  private:
    TallyEngine& engine_;
    Reporter& shown_;
    std::vector<Message> held_;
};

}  // namespace tally
