// SPDX-License-Identifier: MIT
#include "core/current_settings.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>

namespace tally {

std::string DefaultTimeLogPath() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr ? entry->pw_dir : "/";
    }
    std::string path(home);
    if (path.empty() || path.back() != '/') path += '/';
    return path + "TALLYBK.DAT";
}

}  // namespace tally
