// SPDX-License-Identifier: MIT
#include "dialogs/edit_data_dlg.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <csignal>
#include <filesystem>

#include "controls/qf_date_time_ctrl.h"
#include "dialog_driver.h"
#include "dialogs/time_entry_dlg.h"
#include "folder_snapshot.h"
#include "log/editor_messages.h"
#include "qt_printers.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally {
namespace {

using test::Click;
using test::Crlf;
using test::ReadFile;
using test::WriteFile;

const std::string kJan05 = Crlf(
    "In...Mon Jan 05 09:00:00 2004\n"
    "Out..Mon Jan 05 17:30:15 2004\n"
    "Elapsed time of 08:30:15.\n");
const std::string kFeb03 = Crlf(
    "In...Tue Feb 03 08:00:00 2004\n"
    "Out..Tue Feb 03 12:00:00 2004\n"
    "Elapsed time of 04:00:00.\n");
const std::string kFeb04In = Crlf("In...Wed Feb 04 09:15:00 2004\n");

class EditDataDlgTest : public ::testing::Test {
  protected:
    EditDataDlgTest() : clock(FromLocalTime(2004, 6, 2, 17, 47, 39)), dlg(clock, &reporter) {
        dlg.SetEntryDialogRunner([this](CTimeEntryDlg& entry) {
            ++entryDialogs;
            entry.show();
            if (actInEntryDialog) actInEntryDialog(entry);
            return entry.result() == QDialog::Accepted;
        });
    }

    void Open(const std::string& log) {
        WriteFile(path, log);
        dlg.SetDataFile(path);
        dlg.show();
    }
    QTreeView* List() { return dlg.findChild<QTreeView*>(); }
    QPushButton* Button(const QString& text) { return test::FindButton(dlg, text); }
    QRect RowRect(int row) { return List()->visualRect(List()->model()->index(row, 1)); }
    void ClickRow(int row) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowRect(row).center());
    }
    std::vector<std::vector<QString>> Rows() {
        std::vector<std::vector<QString>> rows;
        const QAbstractItemModel* model = List()->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            std::vector<QString> cells;
            for (int c = 0; c < 3; ++c) cells.push_back(model->index(r, c).data().toString());
            rows.push_back(cells);
        }
        return rows;
    }
    std::vector<int> SelectedRows() {
        std::vector<int> rows;
        for (const QModelIndex& index : List()->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        return rows;
    }
    // Sets the time entry dialog's values as a user does, then presses its OK.
    static void EnterPair(CTimeEntryDlg& entry, const QDateTime& in, const QDateTime* out) {
        const auto pickers = test::Pickers(entry);
        pickers[0]->setDateTime(in);
        QCheckBox* valid = entry.findChild<QCheckBox*>();
        if ((out != nullptr) != valid->isChecked()) Click(valid);
        if (out != nullptr) pickers[1]->setDateTime(*out);
        Click(test::FindButton(entry, "OK"));
    }

    test::TempDir dir;
    std::string path = dir.File("TALLYBK.DAT");
    test::FakeClock clock;
    test::RecordingReporter reporter;
    CEditDataDlg dlg;
    int entryDialogs = 0;
    std::function<void(CTimeEntryDlg&)> actInEntryDialog;
};

TEST_F(EditDataDlgTest, showsOneRowPerRecordInTimeOrder) {
    // February stands first in this log; the rows are still in time order.
    Open(kFeb03 + kJan05 + kFeb04In);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(dlg.windowTitle(), "Edit Data");
    EXPECT_EQ(Rows(), (std::vector<std::vector<QString>>{
                          {"2004-Jan-05   09:00:00", "2004-Jan-05   17:30:15", "08:30:15"},
                          {"2004-Feb-03   08:00:00", "2004-Feb-03   12:00:00", "04:00:00"},
                          {"2004-Feb-04   09:15:00", "", ""}}));
    EXPECT_EQ(List()->selectionBehavior(), QAbstractItemView::SelectRows);

    // Two fifths each for In and Out, the rest for ET, a scroll bar's width to spare.
    const QHeaderView* header = List()->header();
    const int w = List()->contentsRect().width() -
                  List()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, List());
    EXPECT_EQ(header->sectionSize(0), w / 5 * 2);
    EXPECT_EQ(header->sectionSize(1), w / 5 * 2);
    EXPECT_EQ(header->sectionSize(0) + header->sectionSize(1) + header->sectionSize(2), w);
    EXPECT_EQ(header->model()->headerData(2, Qt::Horizontal).toString(), "ET");

    // Nothing changed: OK writes the records in file order, the old log kept as .da0.
    Click(Button("OK"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(path), kFeb03 + kJan05 + kFeb04In);
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da0")), kFeb03 + kJan05 + kFeb04In);
}

TEST_F(EditDataDlgTest, addedRecordShowsInTimeOrderButIsWrittenLast) {
    Open(kJan05 + kFeb03);
    const QDateTime in(QDate(2004, 1, 1), QTime(8, 0, 0));
    const QDateTime out(QDate(2004, 1, 1), QTime(9, 0, 0));
    actInEntryDialog = [&](CTimeEntryDlg& entry) { EnterPair(entry, in, &out); };
    Click(Button("&Add"));
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[0], (std::vector<QString>{"2004-Jan-01   08:00:00", "2004-Jan-01   09:00:00",
                                               "01:00:00"}));
    Click(Button("OK"));
    EXPECT_EQ(ReadFile(path), kJan05 + kFeb03 +
                                  Crlf("In...Thu Jan 01 08:00:00 2004\n"
                                       "Out..Thu Jan 01 09:00:00 2004\n"
                                       "Elapsed time of 01:00:00.\n"));
}

TEST_F(EditDataDlgTest, editingWithoutValidWritesALoneInLine) {
    Open(kJan05 + kFeb03);
    ClickRow(1);
    CTimeEntryDlg* seen = nullptr;
    actInEntryDialog = [&](CTimeEntryDlg& entry) {
        seen = &entry;
        EXPECT_TRUE(entry.Valid());
        EXPECT_EQ(entry.InTime(), FromLocalTime(2004, 2, 3, 8, 0, 0));
        EXPECT_EQ(entry.OutTime(), FromLocalTime(2004, 2, 3, 12, 0, 0));
        EnterPair(entry, QDateTime(QDate(2004, 2, 3), QTime(7, 30, 0)), nullptr);
    };
    Click(Button("&Edit"));
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(Rows()[1], (std::vector<QString>{"2004-Feb-03   07:30:00", "", ""}));
    Click(Button("OK"));
    EXPECT_EQ(ReadFile(path), kJan05 + Crlf("In...Tue Feb 03 07:30:00 2004\n"));
}

TEST_F(EditDataDlgTest, doubleClickEditsAndTheRowMovesToItsNewTime) {
    Open(kJan05 + kFeb03);
    actInEntryDialog = [&](CTimeEntryDlg& entry) {
        const QDateTime out(QDate(2004, 3, 1), QTime(10, 0, 5));
        EnterPair(entry, QDateTime(QDate(2004, 3, 1), QTime(9, 0, 0)), &out);
    };
    ClickRow(0);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowRect(0).center());
    EXPECT_EQ(entryDialogs, 1);
    EXPECT_EQ(Rows()[1], (std::vector<QString>{"2004-Mar-01   09:00:00", "2004-Mar-01   10:00:05",
                                               "01:00:05"}));
    Click(Button("OK"));
    // The record keeps its place in the file; its elapsed time is Out - In now.
    EXPECT_EQ(ReadFile(path), Crlf("In...Mon Mar 01 09:00:00 2004\n"
                                   "Out..Mon Mar 01 10:00:05 2004\n"
                                   "Elapsed time of 01:00:05.\n") +
                                  kFeb03);
}

TEST_F(EditDataDlgTest, editOfARecordWithoutOutOffersNow) {
    Open(kJan05 + kFeb04In);
    ClickRow(1);
    actInEntryDialog = [](CTimeEntryDlg& entry) {
        EXPECT_FALSE(entry.Valid());
        EXPECT_EQ(entry.OutTime(), FromLocalTime(2004, 6, 2, 17, 47, 39));
    };
    Click(Button("&Edit"));
    EXPECT_EQ(entryDialogs, 1);
    EXPECT_EQ(Rows()[1][0], "2004-Feb-04   09:15:00");
}

TEST_F(EditDataDlgTest, refusedOrCancelledEntryChangesNothing) {
    Open(kJan05);
    ClickRow(0);
    actInEntryDialog = [](CTimeEntryDlg& entry) {
        const QDateTime out(QDate(2004, 1, 5), QTime(8, 0, 0));
        EnterPair(entry, QDateTime(QDate(2004, 1, 5), QTime(9, 0, 0)), &out);
        Click(test::FindButton(entry, "Cancel"));
    };
    Click(Button("&Edit"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, kIllegalDatesText);
    EXPECT_EQ(Rows()[0][1], "2004-Jan-05   17:30:15");
}

TEST_F(EditDataDlgTest, deleteSelectsTheRowBeforeOrTheNewFirst) {
    Open(kJan05 + kFeb03 + kFeb04In);
    ClickRow(2);
    Click(Button("&Delete"));
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});
    ClickRow(0);
    Click(Button("&Delete"));
    EXPECT_EQ(Rows()[0][0], "2004-Feb-03   08:00:00");
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    Click(Button("&Delete"));
    EXPECT_TRUE(Rows().empty());
    Click(Button("&Delete"));
    Click(Button("&Edit"));
    EXPECT_EQ(entryDialogs, 0);
    Click(Button("OK"));
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da0")), kJan05 + kFeb03 + kFeb04In);
}

TEST_F(EditDataDlgTest, withoutASelectionEditAndDeleteDoNothing) {
    Open(kJan05 + kFeb03);
    Click(Button("&Edit"));
    Click(Button("&Delete"));
    EXPECT_EQ(entryDialogs, 0);
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(EditDataDlgTest, okShiftsTheTenBackupGenerations) {
    for (int n = 0; n < 10; ++n) {
        WriteFile(dir.File("TALLYBK.da" + std::to_string(n)), "generation " + std::to_string(n));
    }
    Open(kJan05 + kFeb03);
    ClickRow(0);
    Click(Button("&Delete"));
    Click(Button("OK"));
    EXPECT_EQ(ReadFile(path), kFeb03);
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da0")), kJan05 + kFeb03);
    for (int n = 1; n < 10; ++n) {
        EXPECT_EQ(ReadFile(dir.File("TALLYBK.da" + std::to_string(n))),
                  "generation " + std::to_string(n - 1));
    }
}

// A file-size limit for as long as it lives, SIGXFSZ ignored: a write beyond it fails as on a
// full disk.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    rlimit old{};
    void (*handler)(int);
};

TEST_F(EditDataDlgTest, aFailedSaveKeepsTheDialogAndItsEditsForASecondOk) {
    WriteFile(dir.File("TALLYBK.da0"), "older");
    std::string log;
    while (log.size() < 16384) log += kFeb03;  // more than the limit lets through
    Open(log);
    const auto before = test::SnapshotFolder(dir.Path());
    const QDateTime out(QDate(2004, 1, 1), QTime(9, 0, 0));
    actInEntryDialog = [&](CTimeEntryDlg& entry) {
        EnterPair(entry, QDateTime(QDate(2004, 1, 1), QTime(8, 0, 0)), &out);
    };
    Click(Button("&Add"));
    {
        const FileSizeLimit full(8192);
        Click(Button("OK"));
    }
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Failed to write '" + path + "'.\nFile too large");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Rows()[0][0], "2004-Jan-01   08:00:00");  // the added pair
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), before);

    Click(Button("OK"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(path), log + Crlf("In...Thu Jan 01 08:00:00 2004\n"
                                         "Out..Thu Jan 01 09:00:00 2004\n"
                                         "Elapsed time of 01:00:00.\n"));
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da0")), log);
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da1")), "older");
    EXPECT_EQ(test::SnapshotFolder(dir.Path()).size(), 3u);  // no third backup, no leftover
}

TEST_F(EditDataDlgTest, cancelLeavesLogAndBackupsUntouched) {
    WriteFile(dir.File("TALLYBK.da0"), "older");
    Open(kJan05 + kFeb03);
    const auto before = test::SnapshotFolder(dir.Path());
    ClickRow(0);
    Click(Button("&Delete"));
    actInEntryDialog = [](CTimeEntryDlg& entry) {
        EnterPair(entry, QDateTime(QDate(2004, 1, 1), QTime(8, 0, 0)), nullptr);
    };
    Click(Button("&Add"));
    Click(Button("Cancel"));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(test::SnapshotFolder(dir.Path()), before);
}

TEST_F(EditDataDlgTest, aLogChangedSinceLoadingIsNotOverwritten) {
    Open(kJan05);
    ClickRow(0);
    Click(Button("&Delete"));
    // Another program punches in meanwhile.
    const std::string punched = kJan05 + Crlf("In...Wed Jun 02 17:47:39 2004\n");
    WriteFile(path, punched);
    Click(Button("OK"));
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "The data file was changed by another program since it was loaded. Your changes "
              "were not saved.");
    EXPECT_EQ(ReadFile(path), punched);
    EXPECT_FALSE(std::filesystem::exists(dir.File("TALLYBK.da0")));
}

TEST_F(EditDataDlgTest, withoutAPathItSaysSoAndOkFailsToOpen) {
    dlg.show();
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "No data file supplied.");
    EXPECT_EQ(reporter.messages[0].caption, kApplicationName);
    EXPECT_TRUE(Rows().empty());
    Click(Button("OK"));
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text.rfind("Failed to open ''.\n", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(EditDataDlgTest, okAfterAFailedLoadSavesWhatWasReadWithBackups) {
    // The last line is empty, so the load fails although every record was read.
    const std::string log = kJan05 + kFeb03 + "\r\n";
    Open(log);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Failed to load data file.");
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(List()->selectionBehavior(), QAbstractItemView::SelectItems);
    Click(Button("OK"));
    EXPECT_EQ(ReadFile(path), kJan05 + kFeb03);
    EXPECT_EQ(ReadFile(dir.File("TALLYBK.da0")), log);
}

TEST_F(EditDataDlgTest, addRunsTheTimeEntryDialogModally) {
    CEditDataDlg real(clock, &reporter);
    WriteFile(path, kJan05);
    real.SetDataFile(path);
    real.show();
    QTimer::singleShot(0, &real, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* entry = qobject_cast<CTimeEntryDlg*>(window);
            if (entry == nullptr || !entry->isVisible()) continue;
            EXPECT_EQ(QApplication::activeModalWidget(), entry);
            const QDateTime out(QDate(2004, 6, 2), QTime(18, 0, 0));
            EnterPair(*entry, QDateTime(QDate(2004, 6, 2), QTime(17, 47, 39)), &out);
        }
    });
    for (QPushButton* b : real.findChildren<QPushButton*>()) {
        if (b->text() == "&Add") Click(b);
    }
    EXPECT_EQ(real.findChild<QTreeView*>()->model()->index(1, 2).data().toString(), "00:12:21");
}

}  // namespace
}  // namespace tally
