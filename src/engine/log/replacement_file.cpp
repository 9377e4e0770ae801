// SPDX-License-Identifier: MIT
#include "log/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace tally {
namespace {

constexpr const char* kRandomPart = "XXXXXX";  // what mkstemp replaces
constexpr std::size_t kRandomLength = 6;

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// ".NAME.save-": a marker in the name, so that no file a user keeps beside the log (say
// ".TALLYBK.DAT.backup") ever looks like one of ours.
std::string TempNamePrefix(const std::string& targetPath) {
    return "." + std::filesystem::path(targetPath).filename().string() + ".save-";
}

// The six characters mkstemp puts in place of its "XXXXXX": ASCII letters and digits.
bool IsRandomPart(std::string_view text) {
    return text.size() == kRandomLength && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// Flushes a folder's entries to disk; a file system that cannot do so counts as done.
bool SyncFolder(const std::string& folder) {
    FileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    return fsync(fd.Get()) == 0 || errno == EINVAL;
}

}  // namespace

std::vector<std::string> LeftoverReplacements(const std::string& targetPath) {
    const std::string prefix = TempNamePrefix(targetPath);
    std::vector<std::string> leftovers;
    std::error_code error;
    std::filesystem::directory_iterator entries(FolderOf(targetPath), error);
    // A folder that cannot be listed leaves the leftovers; the save itself goes on.
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 ||
            !IsRandomPart(std::string_view(name).substr(prefix.size()))) {
            continue;
        }
        struct stat st {};
        if (lstat(entries->path().c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            leftovers.push_back(entries->path().string());
        }
    }
    return leftovers;
}

void RemoveLeftoverReplacements(const std::string& targetPath) {
    for (const std::string& leftover : LeftoverReplacements(targetPath)) {
        unlink(leftover.c_str());  // one we cannot remove is tried at the next save
    }
}

ReplacementFile::~ReplacementFile() {
    if (!tempPath_.empty() && !renamed_) {
        const int error = errno;
        fd_.Reset();
        unlink(tempPath_.c_str());
        errno = error;
    }
}

bool ReplacementFile::Create(const std::string& targetPath, mode_t mode, const struct stat* owner) {
    targetPath_ = targetPath;
    std::string templ =
        (std::filesystem::path(FolderOf(targetPath)) / (TempNamePrefix(targetPath) + kRandomPart))
            .string();
    const int fd = mkostemp(templ.data(), O_CLOEXEC);
    if (fd < 0) return false;
    fd_.Reset(fd);
    tempPath_ = templ;
    // A log that root edits for someone else stays theirs.
    if (owner != nullptr && fchown(fd, owner->st_uid, owner->st_gid) != 0) errno = 0;
    if (fchmod(fd, mode) != 0) errno = 0;  // at worst the file stays readable by its owner only
    return true;
}

bool ReplacementFile::Write(const char* data, std::size_t size) {
    return WriteAll(fd_.Get(), data, size);
}

bool ReplacementFile::Flush() {
    if (fsync(fd_.Get()) != 0 || close(fd_.Release()) != 0) return false;
    return SyncFolder(FolderOf(targetPath_));
}

bool ReplacementFile::RenameOver() {
    if (rename(tempPath_.c_str(), targetPath_.c_str()) != 0) return false;
    renamed_ = true;
    // The new file is in place either way; the folder flush only makes that durable sooner.
    SyncFolder(FolderOf(targetPath_));
    return true;
}

}  // namespace tally
