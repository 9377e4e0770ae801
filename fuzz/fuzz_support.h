// SPDX-License-Identifier: MIT
#pragma once
// What the fuzz targets share: a pinned time zone and locale, a frozen clock, a reporter that
// keeps nothing, files that live in memory, and a check that stops the run on a wrong result
// (libFuzzer then keeps the input as a crash).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "log/reporter.h"
#include "time/clock.h"

// Aborts with the condition's text when it does not hold.
#define TALLY_FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::tally::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace tally::fuzz {

[[noreturn]] void Fail(const char* condition, const char* file, int line);

// The clock of every target: a fixed Monday afternoon in 2004.
class FixedClock final : public Clock {
  public:
    TimeValue Now() const override;
};

class IgnoringReporter final : public Reporter {
  public:
    void Report(const Message&) override {}
};

// Takes the input from the front: a few bytes of choices, then the rest as content.
class InputBytes {
  public:
    InputBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // The next byte, 0 once the input is used up.
    std::uint8_t Byte();
    // value in [0, count) from the next byte.
    int Choice(int count) { return Byte() % count; }
    // Everything not taken yet.
    std::string_view Rest() const;

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

// A file that holds the given bytes and lives in memory; Path() opens it like any file.
class MemoryFile {
  public:
    explicit MemoryFile(std::string_view bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    const std::string& Path() const { return path_; }

  private:
    int fd_;
    std::string path_;
};

// A folder of this process on tmpfs for targets that write files, made on first use.
const std::string& ScratchFolder();

}  // namespace tally::fuzz
