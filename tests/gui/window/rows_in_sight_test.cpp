// SPDX-License-Identifier: MIT
// Both lists of the form end every scan at their newest row: selected, current and in sight,
// whatever started the scan; an empty list has nothing selected.

#include <QItemSelectionModel>
#include <QPushButton>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/options_dlg.h"
#include "log_text.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// 200 days from Monday 2024-01-01 to 2024-07-18.
const std::string kLongLog = WorkingDays(2024, 1, 1, 200);

testing::AssertionResult NewestRowInSight(const QTreeView* list) {
    const int rows = list->model()->rowCount();
    if (rows == 0)
        return testing::AssertionFailure() << list->objectName().toStdString() << " is empty";
    const QModelIndex last = list->model()->index(rows - 1, 0);
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    if (list->currentIndex().row() != rows - 1 || selected.size() != 1 ||
        selected[0].row() != rows - 1) {
        return testing::AssertionFailure()
               << list->objectName().toStdString() << ": row " << list->currentIndex().row()
               << " current, " << selected.size() << " selected, of " << rows;
    }
    if (!list->visualRect(last).intersects(list->viewport()->rect())) {
        return testing::AssertionFailure()
               << list->objectName().toStdString() << ": the last row is out of sight";
    }
    return testing::AssertionSuccess();
}

void ExpectNothingSelected(const QTreeView* list) {
    EXPECT_FALSE(list->currentIndex().isValid()) << list->objectName().toStdString();
    EXPECT_TRUE(list->selectionModel()->selectedRows().isEmpty())
        << list->objectName().toStdString();
}

// The user goes back to the oldest row, as a scan must not leave it.
void ShowOldestRow(QTreeView* list) {
    list->selectionModel()->setCurrentIndex(
        list->model()->index(0, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollToTop();
    ASSERT_FALSE(NewestRowInSight(list));
}

struct ScanKind {
    const char* name;
    std::function<void(WindowHarness&)> prepare;  // before the user scrolls away
    std::function<void(WindowHarness&)> scan;
};

void Nothing(WindowHarness&) {}

const ScanKind kScanKinds[] = {
    {"Clock In", Nothing,
     [](WindowHarness& w) {
         w.clock.SetLocal(2024, 7, 19, 9, 0, 0);
         w.Trigger(ID_CLOCK_IN);
     }},
    {"Clock Out",
     [](WindowHarness& w) {
         w.clock.SetLocal(2024, 7, 19, 9, 0, 0);
         w.Trigger(ID_CLOCK_IN);
     },
     [](WindowHarness& w) {
         w.clock.SetLocal(2024, 7, 19, 12, 0, 0);
         w.Trigger(ID_CLOCK_OUT);
     }},
    {"Options OK", Nothing,
     [](WindowHarness& w) {
         WhenModal<COptionsDlg>([](COptionsDlg* dialog) { FindButton(*dialog, "OK")->click(); });
         w.Trigger(ID_OPTIONS);
     }},
    {"Edit Data Cancel", Nothing,
     [](WindowHarness& w) {
         WhenModal<CEditDataDlg>(
             [](CEditDataDlg* dialog) { FindButton(*dialog, "Cancel")->click(); });
         w.Trigger(ID_EDIT_RAW_DATA);
     }},
    {"File New", Nothing, [](WindowHarness& w) { w.Trigger(ID_FILE_NEW); }},
    {"File Open", Nothing,
     [](WindowHarness& w) {
         w.dialogs.openFileName = QString::fromStdString(w.dir.File("document.dat"));
         WriteFile(w.dialogs.openFileName.toStdString(), kLongLog);
         w.Trigger(ID_FILE_OPEN);
     }},
    {"log changed on disk", Nothing,
     [](WindowHarness& w) {
         WriteFile(w.LogPath(), kLongLog + Triple("2024-07-19 09:00:00", "2024-07-19 10:00:00"));
         w.Tick();
     }},
};

TEST(RowsInSightTest, showsTheNewestRowsAfterEveryKindOfScan) {
    for (const ScanKind& kind : kScanKinds) {
        SCOPED_TRACE(kind.name);
        WindowHarness w;
        WriteFile(w.LogPath(), kLongLog);
        ASSERT_TRUE(w.Start());
        QTreeView* lists[] = {w.View().DailyList(), w.View().RawList()};
        ASSERT_GE(w.RowCount(lists[0]), 199) << "one row for each day but the last";
        for (QTreeView* list : lists) EXPECT_TRUE(NewestRowInSight(list)) << "at start-up";

        kind.prepare(w);
        for (QTreeView* list : lists) ShowOldestRow(list);
        const int rawRows = w.RowCount(lists[1]);
        kind.scan(w);
        EXPECT_TRUE(w.reporter.messages.empty());
        for (QTreeView* list : lists) EXPECT_TRUE(NewestRowInSight(list));
        EXPECT_GE(w.RowCount(lists[1]), rawRows);
    }
}

TEST(RowsInSightTest, leavesTheUsersRowAloneWhileNothingIsScanned) {
    WindowHarness w;
    WriteFile(w.LogPath(), kLongLog);
    ASSERT_TRUE(w.Start());
    ShowOldestRow(w.View().RawList());
    w.Tick();
    EXPECT_EQ(w.View().RawList()->currentIndex().row(), 0);
}

TEST(RowsInSightTest, selectsNothingInAnEmptyList) {
    WindowHarness w;
    WriteFile(w.LogPath(), "");
    ASSERT_TRUE(w.Start());
    ExpectNothingSelected(w.View().DailyList());
    ExpectNothingSelected(w.View().RawList());

    // One pair: no daily row yet, three raw rows.
    WriteFile(w.LogPath(), Triple("2024-03-04 09:00:00", "2024-03-04 10:00:00"));
    w.Tick();
    ExpectNothingSelected(w.View().DailyList());
    EXPECT_TRUE(NewestRowInSight(w.View().RawList()));

    // A log emptied by another program leaves no selection behind.
    WriteFile(w.LogPath(), "");
    w.Tick();
    ExpectNothingSelected(w.View().RawList());
}

}  // namespace
}  // namespace tally::test
