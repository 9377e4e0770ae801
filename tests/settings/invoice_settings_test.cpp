// SPDX-License-Identifier: MIT
#include "settings/invoice_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/settings_store.h"
#include "test_support.h"

namespace tally {
namespace {

TEST(InvoiceSettings, defaultsWhenUnsetAndEveryValueBackAsWrittenInItsSection) {
    test::TempDir dir;
    const std::string file = dir.File("settings.ini");
    SettingsStore store(QString::fromStdString(file));
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    const InvoiceSettings defaults{{"{year}-{seq:3}", ""}, dir.File("data/tallybook/invoices.txt")};
    EXPECT_EQ(ReadInvoiceSettings(store.Raw()), defaults);
    EXPECT_EQ(ReadIssuer(store.Raw()), Issuer{});
    EXPECT_TRUE(store.Raw().allKeys().isEmpty());  // reading writes nothing

    const InvoiceSettings values{
        {"INV-{seq:4}", "INV-0040"}, "/sync/books/invoices.txt", "CN-{seq:2}"};
    const Issuer issuer{"Ann Example",      "1 Long Road\nSmalltown\n", "ann@example.org",
                        "DE123 = \"x\"; y", "IBAN DE00 1234\nBIC XYZ",  "14 days, net"};
    WriteInvoiceSettings(store.Raw(), values);
    WriteIssuer(store.Raw(), issuer);
    SettingsStore reread(QString::fromStdString(file));
    EXPECT_EQ(ReadInvoiceSettings(reread.Raw()), values);
    EXPECT_EQ(ReadIssuer(reread.Raw()), issuer);
    const std::string text = test::ReadFile(file);
    EXPECT_NE(
        text.find(
            "[Invoices]\nCreditFormat=CN-{seq:2}\nFirstNumber=INV-0040\nFormat=INV-{seq:4}\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("[Issuer]\nAddress="), std::string::npos) << text;

    // An emptied format, register or credit format is the default again, not an empty one.
    WriteInvoiceSettings(reread.Raw(), {{" ", ""}, "", " "});
    EXPECT_EQ(ReadInvoiceSettings(reread.Raw()), defaults);
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tally
