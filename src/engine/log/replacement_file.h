// SPDX-License-Identifier: MIT
#pragma once
// A new version of a file, written beside it under a temporary name, flushed to disk and
// only then renamed over it, so the file is never seen partly written. The temporary file
// is removed again unless it was renamed.

#include <sys/stat.h>
#include <sys/types.h>
#include <string>
#include <vector>

#include "log/time_log_file.h"

namespace tally {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    // Creates ".NAME.save-XXXXXX" (mkstemp's six letters and digits) in the target's folder,
    // with the given permission bits (and, where allowed, owner). Each operation returns
    // false with errno set on failure.
    bool Create(const std::string& targetPath, mode_t mode, const struct stat* owner);
    bool Write(const char* data, std::size_t size);
    // Flushes the file and its folder to disk and closes the file.
    bool Flush();
    // Puts the file in place of the target, then flushes the folder as far as it can.
    bool RenameOver();
    // The temporary file's path, for a writer that opens the file by its name.
    const std::string& TempPath() const { return tempPath_; }

  private:
    std::string targetPath_;
    std::string tempPath_;
    FileDescriptor fd_;
    bool renamed_ = false;
};

// The regular files in the target's folder named exactly as Create names them for this
// target: what replacements of a process killed before its rename left behind.
std::vector<std::string> LeftoverReplacements(const std::string& targetPath);

// Removes the regular files in the target's folder named exactly as Create names them for
// this target: what replacements of a process killed before its rename left behind. Only
// call it while no replacement of the target can be under way (under the time log lock).
void RemoveLeftoverReplacements(const std::string& targetPath);

}  // namespace tally
