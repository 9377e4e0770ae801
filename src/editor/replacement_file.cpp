#include "editor/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tally {
namespace {

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

bool SyncFolder(const std::string& folder) {
    FileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    return fsync(fd.Get()) == 0 || errno == EINVAL;
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
    std::string name = ".";
    name += std::filesystem::path(targetPath).filename().string();
    name += ".XXXXXX";
    std::string templ = (std::filesystem::path(FolderOf(targetPath)) / name).string();
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
    while (size > 0) {
        const ssize_t n = write(fd_.Get(), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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
