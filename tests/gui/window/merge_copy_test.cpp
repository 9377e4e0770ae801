// SPDX-License-Identifier: MIT
// File > Merge Copy as a user meets it: the copy's additions and conflicts shown, a side
// chosen, and the log written with the copy renamed.

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <filesystem>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/merge_copy_dlg.h"
#include "log_text.h"
#include "window_harness.h"

namespace tally::test {
namespace {

QStringList Lines(const QWidget& dialog) {
    QStringList lines;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) lines << label->text().trimmed();
    return lines;
}

TEST(MergeCopyWindow, showsTheCopysPairsAndWritesTheSideChosenForAConflict) {
    WindowHarness w;
    const std::string inBoth = Triple("2024-03-01 09:00:00", "2024-03-01 10:00:00");
    const std::string onlyCopy = Triple("2024-03-01 13:00:00", "2024-03-01 14:00:00");
    const std::string logSide = Triple("2024-03-02 09:00:00", "2024-03-02 12:00:00");
    const std::string copySide = Triple("2024-03-02 09:30:00", "2024-03-02 12:30:00");
    const std::string onlyLog = Triple("2024-03-03 09:00:00", "2024-03-03 10:00:00");
    w.WriteLog(inBoth + logSide + onlyLog);
    const std::string copy = w.dir.File("TALLYBK.sync-conflict-20261208-101500-ABCDEFG.DAT");
    WriteFile(copy, inBoth + onlyCopy + copySide);
    ASSERT_TRUE(w.Start());

    QAction* item = nullptr;
    for (QAction* action : w.Frame().menuBar()->actions().first()->menu()->actions()) {
        if (action->text() == "&Merge Copy...") item = action;
    }
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    WhenModal<CMergeCopyDlg>([](CMergeCopyDlg* dialog) {
        const QStringList lines = Lines(*dialog);
        for (const char* shown :
             {"2024-03-01 13:00:00 - 2024-03-01 14:00:00 (copy line 4)",
              "1 pair in both, kept once", "log line 4: 2024-03-02 09:00:00 - 2024-03-02 12:00:00",
              "copy line 7: 2024-03-02 09:30:00 - 2024-03-02 12:30:00"}) {
            EXPECT_TRUE(lines.contains(shown)) << shown << "\n" << lines.join("\n").toStdString();
        }
        EXPECT_FALSE(dialog->MergeButton()->isEnabled()) << "before the conflict has a side";
        Click(FindByText<QRadioButton>(*dialog, "Keep the copy's"));
        EXPECT_TRUE(dialog->MergeButton()->isEnabled());
        Click(dialog->MergeButton());
        if (dialog->isVisible()) dialog->reject();
    });
    item->trigger();

    EXPECT_EQ(w.ReadLog(), inBoth + onlyCopy + copySide + onlyLog);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(std::filesystem::exists(w.dir.File("TALLYBK.merged-20240304-090000.DAT")));
    EXPECT_TRUE(w.reporter.messages.empty());
    EXPECT_FALSE(item->isEnabled()) << "no copy left";
    EXPECT_FALSE(w.Frame().LogWarning()->isVisibleTo(&w.Frame()));
    EXPECT_EQ(w.Text("PeriodFirst"), "6:00:00");
}

}  // namespace
}  // namespace tally::test
