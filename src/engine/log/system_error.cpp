// SPDX-License-Identifier: MIT
#include "log/system_error.h"

#include <cerrno>
#include <cstring>

namespace tally {

std::string LastSystemErrorText() {
    return SystemErrorText(errno);
}

std::string SystemErrorText(int errorNumber) {
    char buffer[256];
    // The GNU strerror_r may return a static text instead of filling the buffer.
    return strerror_r(errorNumber, buffer, sizeof buffer);
}

}  // namespace tally
