#pragma once
// A new version of a file, written beside it under a temporary name, flushed to disk and
// only then renamed over it, so the file is never seen partly written. The temporary file
// is removed again unless it was renamed.

#include <sys/stat.h>
#include <sys/types.h>
#include <string>

#include "core/time_log_file.h"

namespace tally {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    // Creates ".NAME.XXXXXX" in the target's folder, with the given permission bits (and,
    // where allowed, owner). Each operation returns false with errno set on failure.
    bool Create(const std::string& targetPath, mode_t mode, const struct stat* owner);
    bool Write(const char* data, std::size_t size);
    // Flushes the file and its folder to disk and closes the file.
    bool Flush();
    // Puts the file in place of the target, then flushes the folder as far as it can.
    bool RenameOver();

    const std::string& TempPath() const { return tempPath_; }

  private:
    std::string targetPath_;
    std::string tempPath_;
    FileDescriptor fd_;
    bool renamed_ = false;
};

// Flushes a folder's entries to disk; a file system that cannot do so counts as done.
bool SyncFolder(const std::string& folder);

}  // namespace tally
