// SPDX-License-Identifier: MIT
#include "log/buffered_reader.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tally {

BufferedReader::BufferedReader(int fd, std::size_t blockSize) : fd_(fd), buffer_(blockSize) {}

bool BufferedReader::Fill() {
    if (eof_) return false;
    // The bytes not yet handed out move to the front, so that a span never wraps.
    const std::size_t kept = end_ - pos_;
    if (pos_ > 0) std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
    pos_ = 0;
    end_ = kept;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data() + kept, buffer_.size() - kept);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            eof_ = true;
            return false;
        }
        end_ = kept + static_cast<std::size_t>(n);
        filled_ += n;
        return true;
    }
}

const char* BufferedReader::TakeAcrossBlocks(std::size_t length, std::size_t& taken) {
    while (end_ - pos_ < length && Fill()) {
    }
    taken = std::min(length, end_ - pos_);
    const char* span = buffer_.data() + pos_;
    pos_ += taken;
    return span;
}

std::size_t BufferedReader::Read(char* dst, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
        if (pos_ == end_ && !Fill()) break;
        const std::size_t chunk = std::min(length - done, end_ - pos_);
        std::memcpy(dst + done, buffer_.data() + pos_, chunk);
        pos_ += chunk;
        done += chunk;
    }
    return done;
}

}  // namespace tally
