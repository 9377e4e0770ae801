// SPDX-License-Identifier: MIT
#include "window/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "time/c_format.h"

namespace tally {

std::string MakePrivateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return "cannot make the folder " + path + ": " + std::strerror(errno);
    }
    // lstat: a link to a folder of ours is another user's way in, as a name they chose.
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return "cannot read " + path + ": " + std::strerror(errno);
    if (S_ISLNK(status.st_mode)) return path + " is a symbolic link, not a folder";
    if (!S_ISDIR(status.st_mode)) return path + " is not a folder";
    if (status.st_uid != geteuid()) {
        return FormatC("%s belongs to user %u, not to this one", path.c_str(),
                       static_cast<unsigned>(status.st_uid));
    }
    if ((status.st_mode & 0077) != 0) {
        return FormatC("%s has mode %04o: others may reach it (it must be 0700)", path.c_str(),
                       static_cast<unsigned>(status.st_mode & 07777));
    }
    return {};
}

}  // namespace tally
