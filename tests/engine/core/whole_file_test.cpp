// SPDX-License-Identifier: MIT
// A whole file read into memory: every byte past the reading buffer, and nothing but a
// regular file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "log/whole_file.h"
#include "test_support.h"

namespace tally::test {
namespace {

TEST(WholeFile, readsEveryByteOfARegularFileAndNothingElse) {
    TempDir dir;
    std::string bytes(3 * 65536 + 7, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    WriteFile(dir.File("big"), bytes);
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);  // read, it would block
    const struct {
        std::string path;
        OpenedLog::Status status;
        std::string bytes;
    } cases[] = {
        {dir.File("big"), OpenedLog::Status::Opened, bytes},
        {dir.File("fifo"), OpenedLog::Status::NotRegular, ""},
        {dir.File("none"), OpenedLog::Status::Missing, ""},
    };
    for (const auto& c : cases) {
        const WholeFile file = ReadWholeFile(c.path);
        EXPECT_EQ(file.status, c.status) << c.path;
        EXPECT_EQ(file.bytes, c.bytes) << c.path;
    }
}

}  // namespace
}  // namespace tally::test
