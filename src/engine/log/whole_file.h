// SPDX-License-Identifier: MIT
#pragma once
// A whole file read into memory: the invoice register, an issued PDF, a file to import.

#include <string>

#include "log/time_log_file.h"

namespace tally {

struct WholeFile {
    OpenedLog::Status status = OpenedLog::Status::Failed;
    int error = 0;      // errno of a failed open or read (EISDIR for a folder)
    std::string bytes;  // the whole file, when Ok

    bool Ok() const { return status == OpenedLog::Status::Opened; }
    // As OpenedLog::Reason says it for reading: "cannot read /x: Permission denied".
    std::string Reason(const std::string& path) const;
};

// Reads the regular file at path (links followed) to its end; a FIFO or device is refused
// without blocking on it.
WholeFile ReadWholeFile(const std::string& path);

}  // namespace tally
