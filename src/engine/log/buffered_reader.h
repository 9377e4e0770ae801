// SPDX-License-Identifier: MIT
#pragma once
// Sequential reading of a file descriptor through a block buffer, so that the record
// stream costs one system call per block rather than per record or byte.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tally {

class BufferedReader {
  public:
    explicit BufferedReader(int fd, std::size_t blockSize = 1 << 16);

    // Copies up to length bytes; fewer only at the end of the file (or on a read error).
    std::size_t Read(char* dst, std::size_t length);
    // The next length bytes in place, valid until the next call; taken is fewer than length
    // only at the end of the file. Spares the scan a copy per record. length must not
    // exceed the block size.
    // Inline while the block holds them: the scan takes every record this way.
    const char* Take(std::size_t length, std::size_t& taken) {
        if (end_ - pos_ < length) return TakeAcrossBlocks(length, taken);
        taken = length;
        const char* span = buffer_.data() + pos_;
        pos_ += length;
        return span;
    }
    // The next byte, or -1 at the end of the file. Inline: the scan reads every Elapsed
    // line byte by byte.
    int Get() {
        if (pos_ == end_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[pos_++]);
    }
    int Peek() {
        if (pos_ == end_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[pos_]);
    }
    // The bytes read from the file but not yet handed out, in place until the next call that
    // reads; Skip hands out the first count of them.
    const char* Ahead(std::size_t& count) const {
        count = end_ - pos_;
        return buffer_.data() + pos_;
    }
    void Skip(std::size_t count) { pos_ += count; }
    // Bytes handed out so far.
    std::int64_t Consumed() const { return filled_ - static_cast<std::int64_t>(end_ - pos_); }

  private:
    bool Fill();
    const char* TakeAcrossBlocks(std::size_t length, std::size_t& taken);

    int fd_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::int64_t filled_ = 0;  // bytes read from the file
    bool eof_ = false;
};

}  // namespace tally
