// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "tally_harness.h"

namespace tally::test {
namespace {

class ReminderConfig : public ::testing::Test {
  protected:
    std::string Settings() const {
        return home.Home() +
               "/.config/Local AppWizard-Generated Applications/Quillfen's TallyBook.conf";
    }
    TallyHarness home;
};

TEST_F(ReminderConfig, listedAfterTheSevenOptionsWithTheirDefaults) {
    const std::string out = home.Run({"config"}).out;
    EXPECT_TRUE(out.starts_with("ShowDollars\t")) << out;
    EXPECT_TRUE(out.ends_with(
        "WeekStartDay\t0\nIdleMinutes\t10\nLongDayHours\t10\n"
        "Invoices.Format\t{year}-{seq:3}\nInvoices.FirstNumber\t\n"
        "Invoices.Register\t" +
        home.Home() +
        "/.local/share/tallybook/invoices.txt\nInvoices.CreditFormat\t{year}-C{seq:3}\n"))
        << out;
}

TEST_F(ReminderConfig, storedInTheirSectionAndShown) {
    struct Case {
        const char* key;
        const char* value;
    };
    for (const Case& c :
         {Case{"IdleMinutes", "1"}, Case{"IdleMinutes", "1440"}, Case{"IdleMinutes", "0"},
          Case{"LongDayHours", "24"}, Case{"LongDayHours", "0"}, Case{"LongDayHours", "9"},
          Case{"Invoices.Format", "INV-{seq:4}"}, Case{"Invoices.FirstNumber", "INV-0040"},
          Case{"Invoices.CreditFormat", "CN-{seq:4}"}}) {
        const ProcessResult set = home.Run({"config", c.key, c.value});
        EXPECT_EQ(set.exitCode, 0) << c.key << ' ' << set.err;
        EXPECT_EQ(set.out, "");
        EXPECT_EQ(home.Run({"config", c.key}).out, std::string(c.value) + "\n") << c.key;
    }
    const std::string file = ReadFile(Settings());
    EXPECT_NE(file.find("[Reminders]\nIdleMinutes=0\nLongDayHours=9\n"), std::string::npos) << file;
    EXPECT_NE(home.Run({"config"}).out.find("IdleMinutes\t0\nLongDayHours\t9\n"),
              std::string::npos);
}

TEST_F(ReminderConfig, valuesOutOfRangeAreRefusedAndNothingIsStored) {
    struct Case {
        const char* key;
        const char* value;
        const char* reason;
    };
    for (const Case& c :
         {Case{"IdleMinutes", "1441", "IdleMinutes takes 0 (off) to 1440 minutes, not '1441'"},
          Case{"IdleMinutes", "ten", "IdleMinutes takes 0 (off) to 1440 minutes, not 'ten'"},
          Case{"IdleMinutes", "", "IdleMinutes takes 0 (off) to 1440 minutes, not ''"},
          Case{"LongDayHours", "25", "LongDayHours takes 0 (off) to 24 hours, not '25'"},
          Case{"LongDayHours", "8.5", "LongDayHours takes 0 (off) to 24 hours, not '8.5'"},
          Case{"Invoices.Format", "{x}",
               "Invoices.Format: the invoice number format '{x}' has an unknown field {x} (it "
               "takes {year}, {seq} and {seq:N})"},
          Case{"Invoices.Format", "{year}-{seq",
               "Invoices.Format: the invoice number format '{year}-{seq' has an unknown field "
               "{seq (it is not closed with '}'; it takes {year}, {seq} and {seq:N})"},
          Case{"Invoices.CreditFormat", "{x}",
               "Invoices.CreditFormat: the invoice number format '{x}' has an unknown field {x} "
               "(it takes {year}, {seq} and {seq:N})"},
          Case{"Invoices.FirstNumber", "40",
               "Invoices.FirstNumber: the first invoice number '40' does not follow the format "
               "'{year}-{seq:3}'"},
          Case{"Invoices.Register", "/no/such/folder/r.txt",
               "Invoices.Register: a register is a file in a folder that exists, not "
               "'/no/such/folder/r.txt'"}}) {
        home.ExpectUsageError({"config", c.key, c.value}, c.reason);
    }
    home.ExpectUsageError({"config", "IdleMinutes", "-1"});  // read as an unknown option
    EXPECT_FALSE(std::filesystem::exists(Settings()));
}

TEST_F(ReminderConfig, garbageInTheStoreIsShownAsTheDefault) {
    std::filesystem::create_directories(std::filesystem::path(Settings()).parent_path());
    WriteFile(Settings(), "[Reminders]\nIdleMinutes=soon\nLongDayHours=99\n");
    EXPECT_NE(home.Run({"config"}).out.find("IdleMinutes\t10\nLongDayHours\t10\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tally::test
