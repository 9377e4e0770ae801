// SPDX-License-Identifier: MIT
#include "log/buffered_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "test_support.h"

namespace tally {
namespace {

using test::TempDir;
using test::WriteFile;

// Record spans, single bytes and copies mixed over blocks that cut records anywhere: the
// bytes come back whole, in order, once, and the count handed out follows them.
TEST(BufferedReader, handsOutEveryByteOnceWhateverTheBlockSize) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes += static_cast<char>('!' + i % 90);
    WriteFile(dir.File("data"), bytes);
    for (std::size_t block : {31u, 32u, 45u, 61u, 4096u}) {
        SCOPED_TRACE(block);
        const int fd = ::open(dir.File("data").c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        BufferedReader reader(fd, block);
        std::string seen;
        for (int step = 0;; ++step) {
            std::size_t taken = 0;
            if (step % 3 == 0) {
                const char* span = reader.Take(31, taken);
                seen.append(span, taken);
            } else if (step % 3 == 1) {
                const int c = reader.Get();
                if (c >= 0) {
                    seen += static_cast<char>(c);
                    taken = 1;
                }
            } else {
                char copy[7];
                taken = reader.Read(copy, sizeof copy);
                seen.append(copy, taken);
            }
            EXPECT_EQ(reader.Consumed(), static_cast<std::int64_t>(seen.size()));
            if (seen.size() == bytes.size()) break;
            ASSERT_GT(taken, 0u);
        }
        EXPECT_EQ(seen, bytes);
        std::size_t taken = 99;
        reader.Take(31, taken);
        EXPECT_EQ(taken, 0u);
        EXPECT_EQ(reader.Peek(), -1);
        ::close(fd);
    }
}

}  // namespace
}  // namespace tally
