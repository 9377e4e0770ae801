// SPDX-License-Identifier: MIT
// The raw reader and writer on a FIFO or a device: both refuse at once, and Save neither
// blocks on it nor replaces it with a regular file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "entries/time_entry_list.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally {
namespace {

TEST(NonRegularLog, loadAndSaveRefuseFifosAndDevices) {
    test::TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(5);  // a blocking open or read ends the test here instead of hanging it
    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        CTimeEntryList list;
        EXPECT_FALSE(list.Load(path));
        EXPECT_EQ(list.GetCount(), 0);

        list.PutEntry(0, FromLocalTime(2004, 6, 2, 9, 0, 0), true,
                      FromLocalTime(2004, 6, 2, 10, 0, 0));
        test::RecordingReporter reporter;
        EXPECT_FALSE(list.Save(path, {.makeBackups = true}, reporter));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text,
                  "Failed to open '" + path + "'.\nIt is not a regular file.");
    }
    alarm(0);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace tally
