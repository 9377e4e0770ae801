// SPDX-License-Identifier: MIT
#include "interchange/log_splice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "log/time_log_file.h"

namespace tally {
namespace {

constexpr std::size_t kBlock = 1 << 20;

}  // namespace

std::optional<std::string> LogSplice::CopyTo(std::int64_t offset) {
    while (copied_ < offset) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(offset - copied_, static_cast<std::int64_t>(kBlock)));
        const std::size_t at = block_.size();
        block_.resize(at + want);
        const long got = ReadAt(replacement_.OldLog(), block_.data() + at, want, copied_);
        if (got <= 0) {
            return "cannot read " + path_ + ": " +
                   (got < 0 ? std::strerror(errno) : "it became shorter");
        }
        block_.resize(at + static_cast<std::size_t>(got));
        copied_ += got;
        if (auto failure = FlushWhenFull()) return failure;
    }
    return std::nullopt;
}

void LogSplice::SkipTo(std::int64_t offset) {
    copied_ = std::max(copied_, offset);
}

std::optional<std::string> LogSplice::Insert(const std::string& lines) {
    block_ += lines;
    return FlushWhenFull();
}

std::optional<std::string> LogSplice::Finish(std::int64_t size) {
    if (auto failure = CopyTo(size)) return failure;
    return Flush();
}

std::optional<std::string> LogSplice::Flush() {
    if (auto failure = replacement_.Write(block_.data(), block_.size())) return failure->text;
    block_.clear();
    return std::nullopt;
}

std::optional<std::string> LogSplice::FlushWhenFull() {
    return block_.size() >= kBlock ? Flush() : std::nullopt;
}

}  // namespace tally
