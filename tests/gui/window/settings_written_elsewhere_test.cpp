// SPDX-License-Identifier: MIT
// Options that tally config writes while the window runs are what the window reads next:
// File New punches into the newly named log, the Options dialog offers them (and OK keeps
// them), the Invoice dialog takes its rate and rounding from them.

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "basics/command_ids.h"
#include "dialog_driver.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/options_dlg.h"
#include "log_text.h"
#include "tally_harness.h"
#include "window_harness.h"

namespace tally::test {
namespace {

const std::string kMonday = Triple("2024-03-04 09:00:00", "2024-03-04 12:20:10");

class SettingsWrittenElsewhereTest : public testing::Test {
  protected:
    SettingsWrittenElsewhereTest() {
        // The window reads the file that tally writes for this home.
        w.store = std::make_unique<SettingsStore>(QString::fromStdString(tally.StoreFile()));
        Config("DataLog", w.LogPath());
        WriteFile(w.LogPath(), kMonday);
        WriteFile(otherLog, "");
    }

    void Config(const std::string& key, const std::string& value) {
        const ProcessResult run = tally.Run({"config", key, value});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    std::string Stored() { return tally.Run({"config"}).out; }

    TallyHarness tally;
    WindowHarness w;
    std::string otherLog = w.dir.File("other.dat");
};

TEST_F(SettingsWrittenElsewhereTest, fileNewPunchesIntoTheNewlyNamedLog) {
    ASSERT_TRUE(w.Start());
    ASSERT_EQ(w.RowCount(w.View().RawList()), 3);
    Config("DataLog", otherLog);
    w.Trigger(ID_FILE_NEW);
    EXPECT_EQ(w.RowCount(w.View().RawList()), 0);
    w.Trigger(ID_CLOCK_IN);
    EXPECT_EQ(ReadFile(otherLog), In("2024-03-04 09:00:00"));
    EXPECT_EQ(ReadFile(w.LogPath()), kMonday);
}

TEST_F(SettingsWrittenElsewhereTest, optionsOffersTheStoredValuesAndOkKeepsThem) {
    ASSERT_TRUE(w.Start());
    Config("DataLog", otherLog);
    Config("Rate", "42.5");
    Config("WeekStartDay", "3");
    QStringList boxes;
    bool wednesday = false;
    WhenModal<COptionsDlg>([&](COptionsDlg* dialog) {
        for (const QLineEdit* box : dialog->findChildren<QLineEdit*>()) boxes << box->text();
        wednesday = FindByText<QRadioButton>(*dialog, "Wednesday")->isChecked();
        FindButton(*dialog, "OK")->click();
    });
    w.Trigger(ID_OPTIONS);
    EXPECT_TRUE(boxes.contains(QString::fromStdString(otherLog))) << boxes.join('|').toStdString();
    EXPECT_TRUE(boxes.contains("42.50")) << boxes.join('|').toStdString();
    EXPECT_TRUE(wednesday);

    const std::string stored = Stored();
    EXPECT_NE(stored.find("DataLog\t" + otherLog + "\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Rate\t42.50\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("WeekStartDay\t3\n"), std::string::npos) << stored;
    EXPECT_EQ(w.RowCount(w.View().RawList()), 0) << "the rescan reads the stored log";
}

TEST_F(SettingsWrittenElsewhereTest, invoiceTakesTheStoredRateAndRounding) {
    ASSERT_TRUE(w.Start());
    Config("Rate", "30");
    Config("RoundingType", "1");
    Config("RoundingUnit", "15");
    QString rate;
    QString invoice;
    WhenModal<CInvoiceDlg>([&](CInvoiceDlg* dialog) {
        rate = dialog->findChild<QLineEdit*>()->text();
        FindButton(*dialog, "Generate Invoice")->click();
        invoice = dialog->InvoiceText();
        FindButton(*dialog, "Cancel")->click();
    });
    w.Trigger(ID_INVOICE);
    EXPECT_EQ(rate, "30");
    // 3:20:10 rounded to a quarter of an hour, at 30 an hour.
    EXPECT_EQ(invoice.section('\n', 0, 0).toStdString(), "2024-03-04 03:15 = 97.50");
}

// A store that cannot be written (its folder is a file): OK in Options or Reminders says so
// rather than letting the values vanish silently at the next start.
TEST(SettingsNotSaved, theWindowSaysSoAfterEachDialog) {
    WindowHarness w;
    WriteFile(w.dir.File("blocker"), "");
    w.store = std::make_unique<SettingsStore>(QString::fromStdString(w.dir.File("blocker/s.ini")));
    ASSERT_TRUE(w.Start());
    for (const auto& [command, what] :
         {std::pair{ID_OPTIONS, "options"}, std::pair{ID_REMINDERS, "reminder settings"}}) {
        w.reporter.messages.clear();
        WhenModalWidget([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->accept(); });
        w.Trigger(command);
        ASSERT_EQ(w.reporter.messages.size(), 1u) << what;
        EXPECT_EQ(w.reporter.messages[0].text.rfind(
                      std::string("The ") + what + " could not be saved (cannot write ", 0),
                  0u)
            << w.reporter.messages[0].text;
    }
}

}  // namespace
}  // namespace tally::test
