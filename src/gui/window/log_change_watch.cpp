// SPDX-License-Identifier: MIT
#include "window/log_change_watch.h"

namespace tally {

void LogChangeWatch::Remember(const std::string& path) {
    path_ = path;
    identity_ = FileIdentity::OfPath(path);
}

bool LogChangeWatch::Changed(const std::string& path) const {
    return path != path_ || !(FileIdentity::OfPath(path) == identity_);
}

}  // namespace tally
