// SPDX-License-Identifier: MIT
#pragma once
// The conflict copies a sync tool leaves beside the time log when two machines changed it
// while apart: the punches made only in a copy count in no total until they are merged.
// Recognised by name alone, as the tools write them:
//   Syncthing  STEM.sync-conflict-YYYYMMDD-HHMMSS-DEVICE.EXT   (DEVICE: 7 of A-Z, 0-9)
//   Nextcloud  STEM (conflicted copy [USER ]YYYY-MM-DD HHMMSS).EXT
//              STEM_conflict-YYYYMMDD-HHMMSS.EXT               (its older clients)
//   Dropbox    STEM ([NAME's ]conflicted copy[ YYYY-MM-DD]).EXT
// EXT is the log's extension, dot included; a log without one gives copies without one.

#include <sys/types.h>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// The reason `tally check` gives a copy.
inline constexpr const char* kConflictCopyKey = "conflict-copy";

// True when candidate (a file name, no folder) is a conflict copy of the log named logFileName.
bool IsConflictCopyName(std::string_view logFileName, std::string_view candidate);

// The names of the regular files in the log's folder that are conflict copies of it, sorted;
// none when the folder cannot be read.
std::vector<std::string> FindConflictCopies(const std::string& logPath);

// The folder FindConflictCopies lists for a log path ("." for a bare name).
std::string LogFolder(const std::string& logPath);
// The log's file name within that folder.
std::string LogFileName(const std::string& logPath);

// The copies of one log, looked for again only when the folder changed: one stat per call,
// and a listing only when the folder's identity or modification time moved (or the log is
// another one). A folder changed within the file system's time granularity of the last
// listing is listed once more, so a copy made in the same instant is not missed.
class ConflictCopyWatch {
  public:
    // Looks at the log's folder; true when the list of copies changed.
    bool Refresh(const std::string& logPath);
    const std::vector<std::string>& Copies() const { return copies_; }

  private:
    struct FolderStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        std::int64_t mtimeNs = 0;
        friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
    };
    static FolderStamp StampOf(const std::string& folder);

    std::string logPath_;
    FolderStamp stamp_;
    bool listed_ = false;
    bool listAgain_ = false;
    std::vector<std::string> copies_;
};

}  // namespace tally
