// SPDX-License-Identifier: MIT
// The status bar's warning that the time log is not read to its end, or not at all: shown
// without a message box, with the line and the reason, and gone once the log is mended.

#include <QLabel>
#include <QStatusBar>
#include <filesystem>

#include "basics/command_ids.h"
#include "log_text.h"
#include "window_harness.h"

namespace tally::test {
namespace {

const std::string kMonday = Triple("Mon Mar 04 09:00:00 2024", "Mon Mar 04 10:00:00 2024");
const std::string kBackwards =
    Triple("Tue Mar 05 10:00:00 2024", "Tue Mar 05 09:00:00 2024", "00:00:00");
const std::string kWednesday = Triple("Wed Mar 06 09:00:00 2024", "Wed Mar 06 10:00:00 2024");

class LogWarningTest : public testing::Test {
  protected:
    bool WarningShown() { return w.Frame().LogWarning()->isVisibleTo(&w.Frame()); }
    QString WarningTip() { return w.Frame().LogWarning()->toolTip(); }

    WindowHarness w;
};

TEST_F(LogWarningTest, namesWhereTheScanStopsUntilTheLogIsMended) {
    w.WriteLog(kMonday + kBackwards + kWednesday);
    ASSERT_TRUE(w.Start());
    ASSERT_TRUE(WarningShown());
    EXPECT_TRUE(WarningTip().contains(
        "line 5: Out before In; the scan stops here and ignores the 4 lines after it"))
        << WarningTip().toStdString();
    EXPECT_TRUE(WarningTip().contains("Out..Tue Mar 05 09:00:00 2024"));
    EXPECT_TRUE(w.reporter.messages.empty());
    // Before the panes, which keep their texts.
    const QLabel* inOut = w.Frame().Pane(ID_INDICATOR_INOUT);
    EXPECT_LT(w.Frame().LogWarning()->geometry().x(), inOut->geometry().x());
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    EXPECT_EQ(w.Text("TodayFirst"), "0:00:00");

    w.WriteLog(kMonday + kWednesday);  // mended by another program; the next tick rescans
    w.Tick();
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(w.Text("TodayFirst"), "1:00:00");
}

TEST_F(LogWarningTest, saysWhyALogThatExistsCannotBeRead) {
    w.WriteLog(kMonday);
    ASSERT_TRUE(w.Start());
    EXPECT_FALSE(WarningShown());

    std::filesystem::remove(w.LogPath());
    std::filesystem::create_directory(w.LogPath());
    w.Tick();
    ASSERT_TRUE(WarningShown());
    EXPECT_TRUE(WarningTip().contains(QString::fromStdString(w.LogPath())))
        << WarningTip().toStdString();
    EXPECT_TRUE(WarningTip().contains("cannot read")) << WarningTip().toStdString();

    std::filesystem::remove(w.LogPath());  // a missing log is no fault
    w.Tick();
    EXPECT_FALSE(WarningShown());
}

TEST_F(LogWarningTest, namesTheConflictCopiesBesideTheLog) {
    w.WriteLog(kMonday);
    const std::string copy = w.dir.File("TALLYBK (conflicted copy Ann Lee 2024-03-05 101500).DAT");
    WriteFile(copy, kMonday);
    ASSERT_TRUE(w.Start());
    ASSERT_TRUE(WarningShown());
    EXPECT_TRUE(WarningTip().contains("TALLYBK (conflicted copy Ann Lee 2024-03-05 101500).DAT"))
        << WarningTip().toStdString();

    std::filesystem::remove(copy);  // merged or deleted elsewhere; the next tick sees it
    w.Tick();
    EXPECT_FALSE(WarningShown());
}

}  // namespace
}  // namespace tally::test
