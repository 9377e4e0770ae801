// SPDX-License-Identifier: MIT
#include "entries/document_target.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "log/backup_rotation.h"
#include "log/replacement_file.h"
#include "log/system_error.h"
#include "log/time_log_file.h"

namespace tally {
namespace {

bool MayWrite(const std::string& path, const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

// True when the file begins as every file of the format does. Anything else (a time log, a
// letter) is never replaced by a document, whatever its name.
bool BeginsAs(const std::string& path, std::string_view expected) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    std::string start(expected.size(), '\0');
    return fd.Get() >= 0 &&
           ReadAt(fd.Get(), start.data(), start.size(), 0) == static_cast<long>(start.size()) &&
           start == expected;
}

// What the target is among the kept files; empty for none of them.
std::string KeptFileReason(const std::string& target, const KeptFiles& kept) {
    for (const std::string& log : kept.logs) {
        switch (KindOfLogFile(target, log)) {
            case LogFileKind::Log:
                return "it is the time log " + log;
            case LogFileKind::Backup:
                return "it is a backup of the time log " + log;
            case LogFileKind::Other:
                break;
        }
    }
    for (const KeptFile& file : kept.files) {
        if (NamesSameFile(target, file.path)) return "it is " + file.what + " " + file.path;
    }
    const std::string folder = std::filesystem::path(target).parent_path().string();
    for (const KeptFile& kept : kept.folders) {
        if (NamesSameFile(folder, kept.path)) return "it is in " + kept.what + " " + kept.path;
    }
    return {};
}

}  // namespace

mode_t NewDocumentMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string DocumentFileBehind(const std::string& path, const std::string& verb,
                               std::string& problem) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                           &std::free);
    if (real) return real.get();
    if (errno != ENOENT) {
        problem = "Cannot " + verb + " " + path + ": " + std::strerror(errno) + ".";
        return {};
    }
    char destination[PATH_MAX] = {};
    const ssize_t length = readlink(path.c_str(), destination, sizeof destination - 1);
    problem = "Cannot " + verb + " " + path + ": it is a link to " +
              (length > 0 ? std::string(destination, static_cast<std::size_t>(length))
                          : std::string("a file")) +
              ", which does not exist.";
    return {};
}

std::string DocumentTargetProblem(const std::string& path, const KeptFiles& kept,
                                  const std::string& verb, const DocumentFormat& format) {
    if (path.empty()) return "No " + std::string(format.file) + " named to " + verb + ".";
    const std::string refused = "Cannot " + verb + " " + path + ": ";
    std::string problem;
    const std::string target = DocumentFileBehind(path, verb, problem);
    if (target.empty()) return problem;
    std::error_code error;
    const std::string folder = std::filesystem::absolute(target, error).parent_path().string();
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) {
        return refused + "the folder " + folder + " does not exist.";
    }
    if (!S_ISDIR(status.st_mode)) return refused + folder + " is not a folder.";
    if (!MayWrite(folder, status) || access(folder.c_str(), X_OK) != 0) {
        return refused + "the folder " + folder + " is not writable.";
    }
    if (const std::string reason = KeptFileReason(target, kept); !reason.empty()) {
        return refused + reason + ", which no document replaces.";
    }
    if (stat(target.c_str(), &status) != 0) {
        if (errno == ENOENT) return {};
        return refused + std::strerror(errno) + ".";
    }
    if (!S_ISREG(status.st_mode)) return refused + "not a regular file.";
    if (!MayWrite(target, status)) return refused + "the file is read-only.";
    if (!BeginsAs(target, format.start)) {
        return refused + "the file is not " + format.article + ", and only " + format.article +
               " is replaced by a document.";
    }
    return {};
}

std::string WriteDocumentFile(const std::string& path, const std::string& bytes,
                              const KeptFiles& kept, const std::string& verb,
                              const DocumentFormat& format) {
    if (std::string problem = DocumentTargetProblem(path, kept, verb, format); !problem.empty())
        return problem;
    std::string problem;
    const std::string target = DocumentFileBehind(path, verb, problem);
    if (target.empty()) return problem;
    struct stat old {};
    const bool replaces = stat(target.c_str(), &old) == 0;
    ReplacementFile file;
    if (!file.Create(target, replaces ? old.st_mode & 07777 : NewDocumentMode(),
                     replaces ? &old : nullptr) ||
        !file.Write(bytes.data(), bytes.size()) || !file.Flush() || !file.RenameOver()) {
        return "Cannot " + verb + " " + path + ": " + LastSystemErrorText() + ".";
    }
    return {};
}

}  // namespace tally
