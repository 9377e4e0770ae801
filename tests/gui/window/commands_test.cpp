// SPDX-License-Identifier: MIT
// The commands that lead away from the form and back: File New, Options, the About box,
// printing, and the panes running on while a dialog is open.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTreeView>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "dialogs/options_dlg.h"
#include "report_lines.h"
#include "settings/invoice_settings.h"
#include "settings/settings_store.h"
#include "window/about_dlg.h"
#include "window_harness.h"

namespace tally::test {
namespace {

constexpr const char* kTwoDayLog =
    "In...Mon Mar 04 09:00:00 2024\n"
    "Out..Mon Mar 04 12:30:00 2024\n"
    "Elapsed time of 03:30:00.\n"
    "In...Tue Mar 05 13:00:00 2024\n"
    "Out..Tue Mar 05 15:00:00 2024\n"
    "Elapsed time of 02:00:00.\n";

class CommandsTest : public testing::Test {
  protected:
    void SetUp() override { w.WriteLog(kTwoDayLog); }
    QVariant Stored(const char* key) {
        QSettings ini(w.IniPath(), QSettings::IniFormat);
        return ini.value(StorePath(kOptionsSection, key));
    }
    WindowHarness w;
};

TEST_F(CommandsTest, fileNewReloadsTheSettingsAndRescans) {
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.Text("TodayFirst"), "2:00:00");
    w.store->StoreOption("ShowDollars", 1);
    w.store->StoreOption("Rate", "20");
    w.WriteLog(std::string(kTwoDayLog) + "In...Tue Mar 05 16:00:00 2024\n");
    w.Trigger(ID_FILE_NEW);
    EXPECT_EQ(w.Text("TodayFirst"), "2:00:00 (40.00)");
    EXPECT_EQ(w.Text("PeriodSecond"), "5:30:00/1 = 5:30:00 (110.00)");
    EXPECT_EQ(w.RowCount(w.View().RawList()), 7);
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "In");
}

TEST_F(CommandsTest, optionsOkStoresEveryKeyAndRescans) {
    ASSERT_TRUE(w.Start());
    const QString otherLog = QString::fromStdString(w.dir.File("other.dat"));
    WriteFile(otherLog.toStdString(), Crlf("In...Wed Mar 06 08:00:00 2024\n"
                                           "Out..Wed Mar 06 09:30:00 2024\n"
                                           "Elapsed time of 01:30:00.\n"));
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        FindByText<QRadioButton>(*dialog, "Monday")->click();
        FindByText<QRadioButton>(*dialog, "All Elapsed Times")->click();
        FindByText<QRadioButton>(*dialog, "Half Hour")->click();
        FindByText<QRadioButton>(*dialog, "Weekly")->click();
        FindByText<QCheckBox>(*dialog, "&Show Dollars")->click();
        const QList<QLineEdit*> boxes = dialog->findChildren<QLineEdit*>();
        for (QLineEdit* box : boxes) {
            if (box->text() == "0.00") box->setText("30abc");
            if (box->text() == QString::fromStdString(w.LogPath())) box->setText(otherLog);
        }
        FindButton(*dialog, "OK")->click();
    });
    w.Trigger(ID_OPTIONS);

    EXPECT_EQ(Stored(kShowDollarsKey).toInt(), 1);
    EXPECT_EQ(Stored(kRoundingTypeKey).toInt(), 1);
    EXPECT_EQ(Stored(kRoundingUnitKey).toInt(), 30);
    EXPECT_EQ(Stored(kWeekStartDayKey).toInt(), 1);
    EXPECT_EQ(Stored(kRateKey).toString(), "30abc");
    EXPECT_EQ(Stored(kDataLogKey).toString(), otherLog);
    EXPECT_EQ(Stored(kPeriodTypeKey).toInt(), 0);
    EXPECT_EQ(w.Text("TodayFirst"), "1:30:00 (45.00)");
    EXPECT_EQ(w.RowCount(w.View().RawList()), 3);
}

TEST_F(CommandsTest, optionsOkWithoutChangesWritesEveryKey) {
    ASSERT_TRUE(w.Start());
    WhenModal<COptionsDlg>([](COptionsDlg* dialog) { FindButton(*dialog, "OK")->click(); });
    w.Trigger(ID_OPTIONS);
    EXPECT_EQ(Stored(kShowDollarsKey).toString(), "0");
    EXPECT_EQ(Stored(kRoundingTypeKey).toString(), "0");
    EXPECT_EQ(Stored(kRoundingUnitKey).toString(), "0");
    EXPECT_EQ(Stored(kWeekStartDayKey).toString(), "0");
    EXPECT_EQ(Stored(kRateKey).toString(), "0.00");
    EXPECT_EQ(Stored(kPeriodTypeKey).toString(), "1");
    EXPECT_EQ(Stored(kDataLogKey).toString(), QString::fromStdString(w.LogPath()));
}

TEST_F(CommandsTest, optionsCancelStoresNothing) {
    ASSERT_TRUE(w.Start());
    const std::string before = ReadFile(w.IniPath().toStdString());
    w.WriteLog(std::string(kTwoDayLog) + "In...Tue Mar 05 16:00:00 2024\n");
    WhenModal<COptionsDlg>([](COptionsDlg* dialog) {
        FindByText<QCheckBox>(*dialog, "&Show Dollars")->click();
        FindButton(*dialog, "Cancel")->click();
    });
    w.Trigger(ID_OPTIONS);
    EXPECT_EQ(ReadFile(w.IniPath().toStdString()), before);
    EXPECT_EQ(w.RowCount(w.View().RawList()), 6) << "no rescan after Cancel";
}

TEST_F(CommandsTest, editRawDataEditsTheDataLogAndRescansAfterCancel) {
    ASSERT_TRUE(w.Start());
    int entriesShown = -1;
    WhenModal<CEditDataDlg>([&](CEditDataDlg* dialog) {
        if (auto* list = dialog->findChild<QTreeView*>()) entriesShown = list->model()->rowCount();
        w.WriteLog(std::string(kTwoDayLog) + "In...Tue Mar 05 16:00:00 2024\n");
        FindButton(*dialog, "Cancel")->click();
    });
    w.Trigger(ID_EDIT_RAW_DATA);
    EXPECT_EQ(entriesShown, 2);
    EXPECT_EQ(w.RowCount(w.View().RawList()), 7);
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "In");
}

TEST_F(CommandsTest, invoiceReadsTheDataLogAndLeavesTheFormAsItWas) {
    w.clock.SetLocal(2024, 3, 5, 18, 0, 0);
    ASSERT_TRUE(w.Start());
    QString invoice;
    WhenModal<CInvoiceDlg>([&](CInvoiceDlg* dialog) {
        FindButton(*dialog, "Generate Invoice")->click();
        invoice = dialog->InvoiceText();
        w.WriteLog(std::string(kTwoDayLog) + "In...Tue Mar 05 16:00:00 2024\n");
        FindButton(*dialog, "Cancel")->click();
    });
    w.Trigger(ID_INVOICE);
    EXPECT_TRUE(invoice.contains("2:00")) << invoice.toStdString();
    EXPECT_EQ(w.RowCount(w.View().RawList()), 6) << "no rescan after the invoice";
}

TEST_F(CommandsTest, viewInvoicesShowsTheRegisterTheStoreNames) {
    const std::string path = w.dir.File("books/invoices.txt");
    QSettings ini(w.IniPath(), QSettings::IniFormat);
    WriteInvoiceSettings(ini, {{}, path});
    ASSERT_TRUE(w.Start());
    QString shown;
    WhenModal<CInvoicesDlg>([&](CInvoicesDlg* dialog) {
        EXPECT_EQ(dialog->parentWidget(), &w.Frame());
        shown = dialog->findChild<QLabel*>()->text();
        FindButton(*dialog, "Close")->click();
    });
    w.Trigger(ID_VIEW_INVOICES);
    EXPECT_EQ(shown.toStdString(), "No invoice issued yet (register " + path + ").");
}

TEST_F(CommandsTest, aboutBoxShowsTheRevisionOfTheVersionRecord) {
    ASSERT_TRUE(w.Start());
    QString revision;
    WhenModal<CAboutDlg>([&](CAboutDlg* dialog) {
        if (auto* line = dialog->findChild<QLabel*>("Revision")) revision = line->text();
        EXPECT_EQ(dialog->windowTitle(), "About Q&F Tallybook");
        FindButton(*dialog, "OK")->click();
    });
    w.Trigger(ID_APP_ABOUT);
    EXPECT_EQ(revision, "Revision 2.2, Build 1");
}

TEST(RevisionLineTest, takesTheProductVersionsFirstTwoFieldsAndTheFileVersionsFourth) {
    EXPECT_EQ(RevisionLine(VersionRecord{{7, 8, 9, 42}, {3, 10, 5, 6}}), "Revision 3.10, Build 42");
    EXPECT_EQ(RevisionLine(std::nullopt), "");
    CAboutDlg withoutRecord(nullptr, std::nullopt);
    EXPECT_EQ(withoutRecord.findChild<QLabel*>("Revision")->text(), "");
}

TEST_F(CommandsTest, printsAndPreviewsTheReportOnOnePage) {
    ASSERT_TRUE(w.Start());
    w.Trigger(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(w.dialogs.previewPages, 1);

    const QString pdf = QString::fromStdString(w.dir.File("out.pdf"));
    w.Trigger(ID_FILE_PRINT);
    EXPECT_FALSE(QFile::exists(pdf)) << "nothing is printed when the dialog is cancelled";
    w.dialogs.printToFile = pdf;
    w.Trigger(ID_FILE_PRINT);
    const std::vector<std::string> pages = PdfPageTexts(pdf.toStdString());
    ASSERT_EQ(pages.size(), 1u);
    for (const char* text : {"Mar 04, 2024", "03:30:00", "Tue", "Mar 05, 2024", "Page 1 of 1"}) {
        EXPECT_NE(pages[0].find(text), std::string::npos) << text;
    }

    w.Trigger(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(w.dialogs.pageSetups, 1);
}

TEST_F(CommandsTest, panesRunOnWhileAModalDialogIsOpen) {
    w.timerPeriod = std::chrono::milliseconds(20);
    ASSERT_TRUE(w.Start());
    w.Tick();
    EXPECT_EQ(w.Pane(ID_INDICATOR_CLOCK), "09:00:01");
    bool updated = false;
    WhenModal<CAboutDlg>([&](CAboutDlg* dialog) {
        w.clock.SetLocal(2024, 3, 4, 10, 11, 12);
        updated = ProcessEventsUntil([&] { return w.Pane(ID_INDICATOR_CLOCK) == "10:11:12"; });
        dialog->reject();
    });
    w.Trigger(ID_APP_ABOUT);
    EXPECT_TRUE(updated);
}

}  // namespace
}  // namespace tally::test
