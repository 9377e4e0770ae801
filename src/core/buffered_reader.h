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
    const char* Take(std::size_t length, std::size_t& taken);
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
    // Bytes handed out so far.
    std::int64_t Consumed() const { return filled_ - static_cast<std::int64_t>(end_ - pos_); }

  private:
    bool Fill();

    int fd_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::int64_t filled_ = 0;  // bytes read from the file
    bool eof_ = false;
};

}  // namespace tally
