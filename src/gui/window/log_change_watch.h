// SPDX-License-Identifier: MIT
#pragma once
// Notices when a file changed on disk since the view last read it, by its identity, size and
// modification time: the time log (another program punched, or an editor rewrote it), or the
// settings file (tally client changed the clients). A watcher on the folder would lose a file
// replaced by rename; one stat per tick does not.

#include <string>

#include "log/time_log_file.h"

namespace tally {

class LogChangeWatch {
  public:
    // Remembers the file as it is now; call before reading it, so a change made during
    // the read shows up at the next check.
    void Remember(const std::string& path);
    // True when the file at the path is no longer the one remembered.
    bool Changed(const std::string& path) const;

  private:
    std::string path_;
    FileIdentity identity_;
};

}  // namespace tally
