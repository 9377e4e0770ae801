// SPDX-License-Identifier: MIT
// The window as a user sees it: punching from the menu bar, the lists, the totals boxes,
// the In/Out and clock panes, the scrolling caption, and a log changed by another program.

#include <fcntl.h>
#include <sys/stat.h>
#include <QAction>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/clock_out_at_dlg.h"
#include "tally_harness.h"
#include "window_harness.h"

namespace tally::test {
namespace {

constexpr const char* kMondayLog =
    "In...Mon Mar 04 09:00:00 2024\n"
    "Out..Mon Mar 04 12:30:00 2024\n"
    "Elapsed time of 03:30:00.\n";

constexpr const char* kTitle = "Quillfen's TallyBook";

class MainWindowTest : public testing::Test {
  protected:
    WindowHarness w;
};

TEST_F(MainWindowTest, punchesInAndOutFromTheMenuBar) {
    w.WriteLog(kMondayLog);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    EXPECT_EQ(w.RowCount(w.View().RawList()), 3);

    w.clock.SetLocal(2024, 3, 5, 13, 0, 0);
    w.Trigger(ID_CLOCK_IN);
    EXPECT_TRUE(w.reporter.messages.empty());
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "In");
    ASSERT_EQ(w.RowCount(w.View().RawList()), 4);
    EXPECT_EQ(w.RawRow(3), (QStringList{"In", "Tue", "Mar 05, 2024", "13:00:00"}));
    ASSERT_EQ(w.RowCount(w.View().DailyList()), 1);
    EXPECT_EQ(w.DailyRow(0), (QStringList{"Mon", "Mar 04, 2024", "03:30:00"}));
    EXPECT_EQ(w.Text("TodayFirst"), "0:00:00");
    EXPECT_EQ(w.Text("TodaySecond"), "3:30:00/2 = 1:45:00");
    EXPECT_EQ(w.Text("PeriodFirst"), "3:30:00");
    EXPECT_EQ(w.Text("PeriodSecond"), "3:30:00/1 = 3:30:00");
    EXPECT_EQ(w.Title(), kTitle) << "a Clock In changes nothing in the caption at once";

    w.clock.SetLocal(2024, 3, 5, 17, 15, 10);
    w.Trigger(ID_CLOCK_OUT);
    EXPECT_TRUE(w.reporter.messages.empty());
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    ASSERT_EQ(w.RowCount(w.View().RawList()), 6);
    EXPECT_EQ(w.RawRow(4), (QStringList{"Out", "Tue", "Mar 05, 2024", "17:15:10"}));
    EXPECT_EQ(w.RawRow(5), (QStringList{"ET", "", "----------", "04:15:10"}));
    EXPECT_EQ(w.Text("TodayFirst"), "4:15:10");
    EXPECT_EQ(w.Text("TodaySecond"), "7:45:10/2 = 3:52:35");
    EXPECT_EQ(w.Text("PeriodFirst"), "7:45:10");
    EXPECT_EQ(w.Text("PeriodSecond"), "7:45:10/1 = 7:45:10");
    EXPECT_EQ(w.Title(), kMarquee);
    EXPECT_EQ(w.ReadLog(), Crlf(std::string(kMondayLog) + "In...Tue Mar 05 13:00:00 2024\n"
                                                          "Out..Tue Mar 05 17:15:10 2024\n"
                                                          "Elapsed time of 04:15:10.\n"));
}

// Edit > Clock Out At, as a user picks the time and clicks OK: first a time before the open
// In, refused with its message and the log as it was, then one after it, written as the Out.
TEST_F(MainWindowTest, clockOutAtFromTheEditMenuWritesTheOutAtThePickedTime) {
    w.WriteLog(kMondayLog);
    ASSERT_TRUE(w.Start());
    w.clock.SetLocal(2024, 3, 5, 13, 0, 0);
    w.Trigger(ID_CLOCK_IN);
    w.clock.SetLocal(2024, 3, 5, 17, 15, 10);
    const std::string clockedIn = std::string(kMondayLog) + "In...Tue Mar 05 13:00:00 2024\n";
    const struct {
        QTime picked;
        std::string log;
        std::size_t messages;
        QString pane;
    } cases[] = {
        {QTime(12, 59, 59), clockedIn, 1, "In"},
        {QTime(16, 40, 5), clockedIn + "Out..Tue Mar 05 16:40:05 2024\nElapsed time of 03:40:05.\n",
         0, "Out"},
    };
    QMenu* edit = w.Frame().menuBar()->actions().at(1)->menu();
    ASSERT_EQ(edit->title(), "&Edit");
    QAction* item = nullptr;
    for (QAction* action : edit->actions()) {
        if (action->text() == "Clock Out &At...") item = action;
    }
    ASSERT_NE(item, nullptr);
    for (const auto& c : cases) {
        w.reporter.messages.clear();
        WhenModal<CClockOutAtDlg>([&](CClockOutAtDlg* dialog) {
            EXPECT_EQ(dialog->Picker()->dateTime().toSecsSinceEpoch(), w.clock.Now());
            dialog->Picker()->setDateTime(QDateTime(QDate(2024, 3, 5), c.picked));
            Click(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        });
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(w.ReadLog(), Crlf(c.log)) << c.picked.toString().toStdString();
        EXPECT_EQ(w.reporter.messages.size(), c.messages);
        EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), c.pane);
    }
}

TEST_F(MainWindowTest, refusesAWrongPunchWithItsMessageAndKeepsBothCommandsEnabled) {
    w.WriteLog(kMondayLog);
    ASSERT_TRUE(w.Start());
    w.Trigger(ID_CLOCK_OUT);
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.reporter.messages[0].text,
              "ERROR! Last entry in TallyBook V. 2.2 was NOT an IN operation. Aborting "
              "operation.\n");
    EXPECT_EQ(w.Title(), kTitle);
    EXPECT_EQ(w.ReadLog(), Crlf(kMondayLog));

    w.Trigger(ID_CLOCK_IN);
    w.Trigger(ID_CLOCK_IN);
    EXPECT_EQ(w.reporter.messages.size(), 2u);
    EXPECT_TRUE(w.Frame().Action(ID_CLOCK_IN)->isEnabled());
    EXPECT_TRUE(w.Frame().Action(ID_CLOCK_OUT)->isEnabled());
    EXPECT_TRUE(w.Frame().Action(ID_INVOICE)->isEnabled());
}

TEST_F(MainWindowTest, runsTheTotalsOnEachTickWhileClockedIn) {
    w.WriteLog(std::string(kMondayLog) + "In...Tue Mar 05 13:00:00 2024\n");
    w.clock.SetLocal(2024, 3, 5, 13, 0, 0);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.Text("TodayFirst"), "0:00:00");
    w.Tick();
    EXPECT_EQ(w.Text("TodayFirst"), "0:00:01");
    EXPECT_EQ(w.Text("PeriodFirst"), "3:30:01");
    w.Tick(3600);
    EXPECT_EQ(w.Text("TodayFirst"), "1:00:01");
    EXPECT_EQ(w.Text("TodaySecond"), "4:30:01/2 = 2:15:00");
    EXPECT_EQ(w.Text("PeriodSecond"), "4:30:01/1 = 4:30:01");
}

TEST_F(MainWindowTest, scrollsTheCaptionOneCharacterPerTickWhileClockedIn) {
    w.WriteLog(std::string(kMondayLog) + "In...Tue Mar 05 13:00:00 2024\n");
    w.clock.SetLocal(2024, 3, 5, 13, 0, 0);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.Title(), kTitle) << "the title stays until the first tick";

    w.Tick();
    const std::string marquee = kMarquee;
    const QString once = QString::fromStdString(marquee.substr(1) + marquee[0]);
    EXPECT_EQ(w.Title(), once);
    EXPECT_EQ(w.App().Document()->Title(), once);
    for (int tick = 2; tick <= 42; ++tick) w.Tick();
    EXPECT_EQ(w.Title(), kMarquee);

    w.Tick();
    w.Trigger(ID_CLOCK_OUT);
    EXPECT_EQ(w.Title(), kMarquee) << "Clock Out shows the caption unrotated at once";
    w.Tick();
    EXPECT_EQ(w.Title(), kMarquee) << "nothing scrolls while clocked out";
}

TEST_F(MainWindowTest, leavesEverythingEmptyWithoutAMessageWhenTheLogIsMissing) {
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.RowCount(w.View().DailyList()), 0);
    EXPECT_EQ(w.RowCount(w.View().RawList()), 0);
    EXPECT_EQ(w.Text("TodayFirst"), "");
    EXPECT_EQ(w.Text("TodaySecond"), "");
    EXPECT_EQ(w.Text("PeriodFirst"), "");
    EXPECT_EQ(w.Text("PeriodSecond"), "");
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    EXPECT_TRUE(w.reporter.messages.empty());
    w.Tick();
    EXPECT_EQ(w.Title(), kTitle);
}

TEST_F(MainWindowTest, showsTheTimeOfDayInTheClockPane) {
    w.clock.SetLocal(2024, 3, 4, 9, 5, 6);
    ASSERT_TRUE(w.Start());
    w.Tick();
    EXPECT_EQ(w.Pane(ID_INDICATOR_CLOCK), "09:05:07");
    w.clock.SetLocal(2024, 3, 4, 23, 59, 58);
    w.Tick();
    EXPECT_EQ(w.Pane(ID_INDICATOR_CLOCK), "23:59:59");
}

TEST_F(MainWindowTest, restoresReadyAfterACommandsPromptLeavesTheStatusBar) {
    ASSERT_TRUE(w.Start());
    QStatusBar* bar = w.Frame().statusBar();
    EXPECT_EQ(bar->currentMessage(), "Ready");
    w.Frame().Action(ID_EDIT_RAW_DATA)->showStatusText(&w.Frame());
    EXPECT_EQ(bar->currentMessage(), "Edit the original raw data");
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(&w.Frame(), &leave);
    EXPECT_EQ(bar->currentMessage(), "Ready");
}

TEST_F(MainWindowTest, picksUpAPunchFromAnotherProgramAtTheNextTick) {
    w.WriteLog(kMondayLog);
    ASSERT_TRUE(w.Start());
    TallyHarness tally;
    const ProcessResult in = tally.Run({"in", "--log", w.LogPath()}, "2024-03-04 13:00:00");
    ASSERT_EQ(in.exitCode, 0) << in.err;
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out") << "nothing happens between ticks";

    w.Tick();
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "In");
    ASSERT_EQ(w.RowCount(w.View().RawList()), 4);
    EXPECT_EQ(w.RawRow(3), (QStringList{"In", "Mon", "Mar 04, 2024", "13:00:00"}));

    ASSERT_EQ(tally.Run({"out", "--log", w.LogPath()}, "2024-03-04 14:00:00").exitCode, 0);
    w.Tick();
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    EXPECT_EQ(w.RowCount(w.View().RawList()), 6);
    EXPECT_EQ(w.Title(), kMarquee) << "a Clock Out elsewhere ends the scrolling here too";
}

// As a sync tool replaces it: a new file renamed over the log, of the same size and time, so
// that only its identity tells it apart.
TEST_F(MainWindowTest, picksUpALogReplacedByRename) {
    w.WriteLog(kMondayLog);
    ASSERT_TRUE(w.Start());
    const std::string replacement = w.dir.File("new.tmp");
    WriteFile(replacement, Crlf("In...Mon Mar 04 09:00:00 2024\n"
                                "Out..Mon Mar 04 12:45:00 2024\n"
                                "Elapsed time of 03:45:00.\n"));
    struct stat old {};
    ASSERT_EQ(stat(w.LogPath().c_str(), &old), 0);
    const timespec times[2] = {old.st_atim, old.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, replacement.c_str(), times, 0), 0);
    ASSERT_EQ(std::rename(replacement.c_str(), w.LogPath().c_str()), 0);
    struct stat now {};
    ASSERT_EQ(stat(w.LogPath().c_str(), &now), 0);
    ASSERT_EQ(now.st_size, old.st_size);
    w.Tick();
    EXPECT_EQ(w.RawRow(1), (QStringList{"Out", "Mon", "Mar 04, 2024", "12:45:00"}));
}

}  // namespace
}  // namespace tally::test
