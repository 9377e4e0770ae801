// SPDX-License-Identifier: MIT
#include "clients/clients_lock.h"

#include "log/messages.h"
#include "time/c_format.h"

namespace tally {

std::optional<Message> ClientsLock::Acquire(const std::string& lockPath,
                                            std::chrono::milliseconds wait) {
    // The lock file's bytes mean nothing: it is the flock on it that counts.
    switch (lock_.Acquire(lockPath, true, nullptr, {wait, {}})) {
        case FileLock::Status::Locked:
            return std::nullopt;
        case FileLock::Status::Busy:
            return InUseMessage(lockPath);
        default:
            return Message{
                "ERROR! Cannot take the clients lock " + lockPath + ". Aborting operation.\n",
                kErrorCaption, MessageIcon::Stop};
    }
}

ReportsAfterLock::ReportsAfterLock(TallyEngine& engine)
    : engine_(engine), shown_(engine.SetReporter(*this)) {}

ReportsAfterLock::~ReportsAfterLock() {
    engine_.SetReporter(shown_);
    for (const Message& message : held_) shown_.Report(message);
}

}  // namespace tally
