// SPDX-License-Identifier: MIT
#include "dialogs/invoice_dlg.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "controls/qf_date_time_ctrl.h"
#include "dialog_driver.h"
#include "log_text.h"
#include "qt_printers.h"
#include "tally_harness.h"
#include "time/local_time.h"

namespace tally {
namespace {

using test::Click;
using test::FindButton;
using test::Pickers;
using test::ReadFile;
using test::Retype;
using test::WriteFile;

const std::string kLog = test::Triple("2004-06-01 08:53:10", "2004-06-01 12:07:40") +
                         test::Triple("2004-06-01 13:02:00", "2004-06-01 17:22:31") +
                         test::Triple("2004-06-02 09:00:00", "2004-06-02 17:15:00") +
                         test::Triple("2004-06-03 22:10:00", "2004-06-03 23:59:59") +
                         test::Triple("2004-06-04 00:00:00", "2004-06-04 01:37:00") +
                         test::Triple("2004-06-07 10:00:00", "2004-06-07 11:00:00");

// Line ends aside: no CR, and no line end at the very end.
std::string Lines(std::string text) {
    std::erase(text, '\r');
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

class InvoiceDlgTest : public ::testing::Test {
  protected:
    InvoiceDlgTest()
        : configFile(tally.home.Path() / ".config" / "Local AppWizard-Generated Applications" /
                     "Quillfen's TallyBook.conf"),
          clock(FromLocalTime(2004, 6, 2, 17, 47, 39)) {
        std::filesystem::create_directories(configFile.parent_path());
        WriteFile(log, kLog);
        Store("DataLog", QString::fromStdString(log));
        Store("Rate", "10");
        Store("RoundingType", 1);
        Store("RoundingUnit", 15);
    }

    void Store(const char* key, const QVariant& value) {
        SettingsStore(QString::fromStdString(configFile.string())).StoreOption(key, value);
    }
    std::unique_ptr<CInvoiceDlg> Open() {
        SettingsStore store(QString::fromStdString(configFile.string()));
        auto dlg = std::make_unique<CInvoiceDlg>(store, clock);
        dlg->SetDataFile(log);
        dlg->show();
        return dlg;
    }
    static void SetDates(QDialog& dlg, QDate start, QDate end) {
        Pickers(dlg)[0]->setDate(start);
        Pickers(dlg)[1]->setDate(end);
    }
    static std::string Text(const CInvoiceDlg& dlg) { return dlg.InvoiceText().toStdString(); }

    // What `tally invoice` prints for the same settings.
    std::string TallyInvoice(std::vector<std::string> args) {
        args.insert(args.begin(), "invoice");
        const test::ProcessResult run = tally.Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }

    test::TallyHarness tally;  // its home holds the settings the dialog reads
    std::filesystem::path configFile;
    std::string log = tally.Log();
    test::FakeClock clock;
};

TEST_F(InvoiceDlgTest, opensWithTheStoredRateTextAndTodayInBothPickers) {
    Store("Rate", "10.000 per hour");
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Invoice");
    EXPECT_EQ(dlg->findChild<QLineEdit*>()->text(), "10.000 per hour");
    for (CQFDateTimeCtrl* picker : Pickers(*dlg)) {
        EXPECT_EQ(picker->text(), "06/02/2004");
        EXPECT_EQ(picker->GetPickerStyle(), PickerStyle::UpDown);
    }
    EXPECT_TRUE(dlg->findChild<QPlainTextEdit*>()->isReadOnly());
    EXPECT_EQ(Text(*dlg), "");
}

TEST_F(InvoiceDlgTest, generatesWhatTallyInvoicePrints) {
    auto dlg = Open();
    SetDates(*dlg, QDate(2004, 6, 1), QDate(2004, 6, 4));
    Click(FindButton(*dlg, "Generate Invoice"));
    EXPECT_EQ(Text(*dlg),
              "2004-06-01 7:45 = 77.50\n"
              "2004-06-02 8:15 = 82.50\n"
              "2004-06-03 1:45 = 17.50\n"
              "2004-06-04 01:30 = 15.00\n"
              "19 hours, 15 minutes = 192.50\n");
    EXPECT_EQ(Lines(Text(*dlg)), Lines(TallyInvoice({"2004-06-01", "2004-06-04"})));
}

TEST_F(InvoiceDlgTest, usesTheRateInTheBoxAtGenerateTime) {
    auto dlg = Open();
    SetDates(*dlg, QDate(2004, 6, 1), QDate(2004, 6, 30));
    Retype(dlg->findChild<QLineEdit*>(), "12.5");
    Click(FindButton(*dlg, "Generate Invoice"));
    EXPECT_EQ(Lines(Text(*dlg)),
              Lines(TallyInvoice({"2004-06-01", "2004-06-30", "--rate", "12.5"})));
    EXPECT_NE(Text(*dlg).find("2004-06-07 01:00 = 12.50"), std::string::npos);
}

TEST_F(InvoiceDlgTest, roundsOnlyWithARoundingType) {
    Store("RoundingType", 0);
    auto dlg = Open();
    SetDates(*dlg, QDate(2004, 6, 1), QDate(2004, 6, 4));
    dlg->GenerateInvoiceAction()->trigger();
    EXPECT_EQ(Lines(Text(*dlg)), Lines(TallyInvoice({"2004-06-01", "2004-06-04"})));
    EXPECT_EQ(Text(*dlg).substr(0, 24), "2004-06-01 7:35 = 75.83\n");
}

TEST_F(InvoiceDlgTest, theCommandAndTheKeyboardWorkLikeTheButton) {
    auto dlg = Open();
    EXPECT_EQ(dlg->GenerateInvoiceAction()->data().toInt(), 32779);
    EXPECT_TRUE(dlg->actions().contains(dlg->GenerateInvoiceAction()));
    // The end date stays today; the start date steps back one day with the arrow key.
    SetDates(*dlg, QDate(2004, 6, 4), QDate(2004, 6, 4));
    CQFDateTimeCtrl* start = Pickers(*dlg)[0];
    start->setFocus();
    start->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(start, Qt::Key_Down);
    EXPECT_EQ(start->text(), "06/03/2004");
    dlg->GenerateInvoiceAction()->trigger();
    EXPECT_EQ(Lines(Text(*dlg)), Lines(TallyInvoice({"2004-06-03", "2004-06-04"})));
}

TEST_F(InvoiceDlgTest, nothingBilledAndAnUnreadableLog) {
    auto dlg = Open();
    SetDates(*dlg, QDate(2004, 6, 4), QDate(2004, 6, 3));
    Click(FindButton(*dlg, "Generate Invoice"));
    EXPECT_EQ(Text(*dlg), "No billing times within the specified period");

    // A log that cannot be opened leaves the text as it was, without a message.
    std::filesystem::remove(log);
    SetDates(*dlg, QDate(2004, 6, 1), QDate(2004, 6, 4));
    Click(FindButton(*dlg, "Generate Invoice"));
    EXPECT_EQ(Text(*dlg), "No billing times within the specified period");
}

TEST_F(InvoiceDlgTest, okAndCancelStoreNothing) {
    const std::string settings = ReadFile(configFile.string());
    const std::string before = ReadFile(log);
    for (const char* button : {"OK", "Cancel"}) {
        auto dlg = Open();
        Retype(dlg->findChild<QLineEdit*>(), "99");
        Click(FindButton(*dlg, "Generate Invoice"));
        QTimer::singleShot(0, dlg.get(), [&dlg, button] { Click(FindButton(*dlg, button)); });
        EXPECT_EQ(dlg->exec(), std::string(button) == "OK" ? QDialog::Accepted : QDialog::Rejected);
    }
    EXPECT_EQ(ReadFile(configFile.string()), settings);
    EXPECT_EQ(ReadFile(log), before);
}

}  // namespace
}  // namespace tally
