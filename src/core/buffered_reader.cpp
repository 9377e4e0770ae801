#include "core/buffered_reader.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace tally {

BufferedReader::BufferedReader(int fd, std::size_t blockSize) : fd_(fd), buffer_(blockSize) {}

bool BufferedReader::Fill() {
    if (eof_) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            eof_ = true;
            return false;
        }
        pos_ = 0;
        end_ = static_cast<std::size_t>(n);
        filled_ += n;
        return true;
    }
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
