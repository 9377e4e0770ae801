// SPDX-License-Identifier: MIT
#include "fuzz_support.h"

#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "time/local_time.h"

namespace tally::fuzz {

void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: wrong result: %s\n", file, line, condition);
    std::abort();
}

TimeValue FixedClock::Now() const {
    return FromLocalTime(2004, 1, 5, 15, 0, 0);
}

std::uint8_t InputBytes::Byte() {
    return used_ < size_ ? data_[used_++] : 0;
}

std::string_view InputBytes::Rest() const {
    return {reinterpret_cast<const char*>(data_ + used_), size_ - used_};
}

MemoryFile::MemoryFile(std::string_view bytes) : fd_(memfd_create("fuzz", MFD_CLOEXEC)) {
    if (fd_ < 0 || write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::perror("memfd");
        std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
    close(fd_);
}

const std::string& ScratchFolder() {
    // Kept in a plain array too: the removal at exit runs after the string is gone.
    static char name[] = "/dev/shm/tally-fuzz-XXXXXX";
    static const std::string folder = [] {
        if (mkdtemp(name) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] { std::filesystem::remove_all(name); });
        return std::string(name);
    }();
    return folder;
}

}  // namespace tally::fuzz

// Every target runs in the time zone of the tests (with its clock changes) and the C locale.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    std::setlocale(LC_ALL, "C");
    return 0;
}
