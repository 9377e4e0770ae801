// SPDX-License-Identifier: MIT
// The document: a time log file opened from the command line or File Open into its own
// entry list, saved with File Save, and remembered among the recent files.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "basics/command_ids.h"
#include "folder_snapshot.h"
#include "log/backup_rotation.h"
#include "process.h"
#include "window_harness.h"

namespace tally::test {
namespace {

constexpr const char* kOnePair =
    "In...Mon Mar 04 09:00:00 2024\n"
    "Out..Mon Mar 04 12:30:00 2024\n"
    "Elapsed time of 03:30:00.\n";

QStringList RecentMenuItems(CMainFrame& frame) {
    QStringList items;
    for (QAction* item : frame.menuBar()->actions().first()->menu()->actions()) {
        if (item->text().startsWith("&1") || item->text().startsWith("&2")) items << item->text();
    }
    return items;
}

class DocumentTest : public testing::Test {
  protected:
    std::string DocumentPath() const { return w.dir.File("doc.dat"); }
    WindowHarness w;
};

TEST_F(DocumentTest, opensAFileNamedOnTheCommandLineAsTheDocumentOnly) {
    WriteFile(DocumentPath(), Crlf(std::string(kOnePair) + kOnePair));
    w.WriteLog(kOnePair);
    ASSERT_TRUE(w.Start({QString::fromStdString(DocumentPath())}));
    EXPECT_EQ(w.App().Document()->Entries().GetCount(), 2);
    EXPECT_EQ(w.RowCount(w.View().RawList()), 3) << "the form still shows the DataLog";
    EXPECT_EQ(w.App().Document()->Title(), "doc.dat");
    EXPECT_EQ(w.App().RecentFiles().Files(), QStringList{QString::fromStdString(DocumentPath())});
}

TEST_F(DocumentTest, endsStartUpWhenTheFileOnTheCommandLineCannotBeOpened) {
    EXPECT_FALSE(w.Start({QString::fromStdString(w.dir.File("missing.dat"))}));
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_NE(w.reporter.messages[0].text.find("missing.dat"), std::string::npos);
}

TEST_F(DocumentTest, savesANewDocumentUnderTheChosenNameAndKeepsTheEntriesAfterNew) {
    ASSERT_TRUE(w.Start());
    const QString empty = QString::fromStdString(w.dir.File("empty.dat"));
    w.dialogs.saveFileName = empty;
    w.Trigger(ID_FILE_SAVE);
    EXPECT_EQ(w.dialogs.proposedSaveName, "Untitled");
    EXPECT_TRUE(w.reporter.messages.empty());
    EXPECT_EQ(ReadFile(empty.toStdString()), "") << "an empty list gives an empty file";

    WriteFile(DocumentPath(), Crlf(kOnePair));
    w.dialogs.openFileName = QString::fromStdString(DocumentPath());
    w.Trigger(ID_FILE_OPEN);
    w.Trigger(ID_FILE_NEW);
    EXPECT_EQ(w.App().Document()->Entries().GetCount(), 1) << "New keeps the entry list";

    const QString copy = QString::fromStdString(w.dir.File("copy.dat"));
    w.dialogs.saveFileName = copy;
    w.Trigger(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadFile(copy.toStdString()), Crlf(kOnePair));
    EXPECT_EQ(RecentMenuItems(w.Frame()),
              (QStringList{"&1 " + copy, "&2 " + QString::fromStdString(DocumentPath())}));
}

// The save dialog's replace question does not know the time log: a document saved over it,
// under any name, would take the place of the punches.
TEST_F(DocumentTest, refusesToSaveOverTheTimeLogOrItsBackups) {
    w.WriteLog(kOnePair);
    const std::string log = w.LogPath();
    WriteFile(BackupPath(log, 0), "generation 0");
    std::filesystem::create_symlink(log, w.dir.File("link.dat"));
    std::filesystem::create_hard_link(log, w.dir.File("hard.dat"));
    ASSERT_TRUE(w.Start({QString::fromStdString(log)}));  // the log opened as the document
    const std::string inUse = " is the time log in use";
    const std::string backup = " is a backup of the time log " + log;
    const struct {
        int command;
        std::string target, says;
    } cases[] = {
        {ID_FILE_SAVE, log, inUse},
        {ID_FILE_SAVE_AS, w.dir.File("link.dat"), inUse},
        {ID_FILE_SAVE_AS, w.dir.File("hard.dat"), inUse},
        {ID_FILE_SAVE_AS, BackupPath(log, 0), backup},
        {ID_FILE_SAVE_AS, BackupPath(log, 9), backup},  // not there yet: named by its path
    };
    const FolderSnapshot before = SnapshotFolder(w.dir.Path());
    for (const auto& c : cases) {
        w.reporter.messages.clear();
        w.dialogs.saveFileName = QString::fromStdString(c.target);
        w.Trigger(c.command);
        ASSERT_EQ(w.reporter.messages.size(), 1u) << c.target;
        EXPECT_TRUE(w.reporter.messages[0].text.starts_with(
            "The document was not saved: " + c.target + c.says))
            << w.reporter.messages[0].text;
        EXPECT_EQ(SnapshotFolder(w.dir.Path()), before) << c.target;
    }
}

TEST_F(DocumentTest, keepsTheDocumentWhenFileOpenFails) {
    WriteFile(DocumentPath(), Crlf(kOnePair));
    ASSERT_TRUE(w.Start({QString::fromStdString(DocumentPath())}));
    w.dialogs.openFileName = QString::fromStdString(w.dir.File("missing.dat"));
    w.Trigger(ID_FILE_OPEN);
    EXPECT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.App().Document()->Entries().GetCount(), 1);
    EXPECT_EQ(w.App().Document()->PathName(), QString::fromStdString(DocumentPath()));
}

// A FIFO without a writer would stall a plain open for reading, and a device never ends.
TEST_F(DocumentTest, refusesAFifoOrDeviceAsFileOpensFileAtOnce) {
    using namespace std::chrono_literals;
    WriteFile(DocumentPath(), Crlf(kOnePair));
    const std::string fifo = w.dir.File("fifo.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_TRUE(w.Start({QString::fromStdString(DocumentPath())}));
    // Should File Open block after all, a writer comes after two seconds so the test ends.
    std::atomic<bool> finished{false};
    std::thread rescue([&] {
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (!finished) {
            if (std::chrono::steady_clock::now() >= deadline) {
                const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) close(fd);
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        w.reporter.messages.clear();
        w.dialogs.openFileName = QString::fromStdString(path);
        const auto start = std::chrono::steady_clock::now();
        w.Trigger(ID_FILE_OPEN);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        ASSERT_EQ(w.reporter.messages.size(), 1u);
        EXPECT_EQ(w.reporter.messages[0].text, "Cannot open the document " +
                                                   std::filesystem::path(path).filename().string() +
                                                   ".\nIt is not a regular file.");
        EXPECT_EQ(w.App().Document()->Entries().GetCount(), 1);
        EXPECT_EQ(w.App().Document()->PathName(), QString::fromStdString(DocumentPath()));
    }
    finished = true;
    rescue.join();
}

TEST_F(DocumentTest, dropsARecentFileThatCannotBeOpenedAnyMore) {
    WriteFile(DocumentPath(), Crlf(kOnePair));
    ASSERT_TRUE(w.Start({QString::fromStdString(DocumentPath())}));
    ASSERT_EQ(RecentMenuItems(w.Frame()).size(), 1);
    std::filesystem::remove(DocumentPath());
    QAction* recent = nullptr;
    for (QAction* item : w.Frame().menuBar()->actions().first()->menu()->actions()) {
        if (item->text().startsWith("&1")) recent = item;
    }
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_TRUE(w.App().RecentFiles().Files().isEmpty());
    EXPECT_TRUE(RecentMenuItems(w.Frame()).isEmpty());
    EXPECT_TRUE(w.Frame().Action(ID_FILE_MRU_FILE1)->isVisible());
}

// Without any display, as on a terminal logged in from afar.
TEST(CommandLineTest, answersVersionAndHelp) {
    const auto withoutDisplay = [](const char* option) {
        return RunProcess({"env", "-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY",
                           TALLYBOOK_PATH, option});
    };
    const ProcessResult version = withoutDisplay("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quillfen's TallyBook 2.2.0.1\n");
    const ProcessResult help = withoutDisplay("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("[file]"), std::string::npos);
}

}  // namespace
}  // namespace tally::test
