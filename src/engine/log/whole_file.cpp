// SPDX-License-Identifier: MIT
#include "log/whole_file.h"

#include <cerrno>

namespace tally {

std::string WholeFile::Reason(const std::string& path) const {
    OpenedLog failed;
    failed.status = status;
    failed.error = error;
    return failed.Reason(path, LogAccess::Read);
}

WholeFile ReadWholeFile(const std::string& path) {
    const OpenedLog file = OpenTimeLogFile(path, LogAccess::Read);
    WholeFile whole;
    whole.status = file.status;
    whole.error = file.error;
    if (!file.Ok()) return whole;
    char buffer[65536];
    for (;;) {
        const long n = ReadAt(file.fd.Get(), buffer, sizeof buffer,
                              static_cast<std::int64_t>(whole.bytes.size()));
        if (n == 0) return whole;
        if (n < 0) {
            whole.status = OpenedLog::Status::Failed;
            whole.error = errno;
            whole.bytes.clear();
            return whole;
        }
        whole.bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace tally
