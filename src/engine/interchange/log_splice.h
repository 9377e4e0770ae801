// SPDX-License-Identifier: MIT
#pragma once
// Writing a new time log as the old one's bytes with lines put in between them (and, for a
// merge settled for a copy, some records left out), in blocks of about a megabyte: what add,
// import and merge write under their replacement.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "log/log_replacement.h"

namespace tally {

class LogSplice {
  public:
    LogSplice(LogReplacement& replacement, const std::string& path)
        : replacement_(replacement), path_(path) {}

    // The old log's bytes from where the copy stands up to offset (none when it is past it).
    std::optional<std::string> CopyTo(std::int64_t offset);
    // Leaves the old log's bytes up to offset out.
    void SkipTo(std::int64_t offset);
    // Lines to put in where the copy stands.
    std::optional<std::string> Insert(const std::string& lines);
    // The rest of the old log up to size, and everything still held, written.
    std::optional<std::string> Finish(std::int64_t size);

  private:
    std::optional<std::string> Flush();
    std::optional<std::string> FlushWhenFull();

    LogReplacement& replacement_;
    const std::string& path_;
    std::string block_;
    std::int64_t copied_ = 0;
};

}  // namespace tally
