// The document: a time log file opened from the command line or File Open into its own
// entry list, saved with File Save, and remembered among the recent files.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

#include "process.h"
#include "widgets/command_ids.h"
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

TEST_F(DocumentTest, keepsTheDocumentWhenFileOpenFails) {
    WriteFile(DocumentPath(), Crlf(kOnePair));
    ASSERT_TRUE(w.Start({QString::fromStdString(DocumentPath())}));
    w.dialogs.openFileName = QString::fromStdString(w.dir.File("missing.dat"));
    w.Trigger(ID_FILE_OPEN);
    EXPECT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.App().Document()->Entries().GetCount(), 1);
    EXPECT_EQ(w.App().Document()->PathName(), QString::fromStdString(DocumentPath()));
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

TEST(CommandLineTest, answersVersionAndHelp) {
    const ProcessResult version = RunProcess({TALLYBOOK_PATH, "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quillfen's TallyBook 2.2.0.1\n");
    EXPECT_NE(RunProcess({TALLYBOOK_PATH, "--help"}).out.find("[file]"), std::string::npos);
}

}  // namespace
}  // namespace tally::test
