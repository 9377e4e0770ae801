// SPDX-License-Identifier: MIT
// tally invoices, invoice paid and invoice cancel on a register the settings name: what they
// print, their exit codes, and a register left byte for byte as it was by every refusal.

#include <gtest/gtest.h>

#include <filesystem>

#include "tally_harness.h"

namespace tally::test {
namespace {

constexpr const char* kRegister =
    "# TallyBook invoice register 1\n"
    "2026-001\tAcme\t2026-11-01\t2026-11-30\t2026-12-01\t2026-12-15\t540000\t1200.00\t228.00\t"
    "1428.00\tEUR\tissued\t/p/1.pdf\n"
    "2026-002\tBolt\t2026-10-01\t2026-10-31\t2026-11-01\t2026-11-15\t5400\t120.00\t0.00\t"
    "120.00\tUSD\tissued\t/p/2.pdf\n";

TEST(InvoicesCommand, listsAndChangesTheRegisterAndRefusesBadInputChangingNothing) {
    const struct {
        std::vector<std::string> args;
        bool damaged;
        int exitCode;
        std::string out;
        std::string err;     // the start of standard error
        std::string change;  // empty: the register as it was; else its new state text
    } cases[] = {
        {{"invoices"},
         false,
         0,
         "Number    Client  First       Last        Issued      Due         Time    Total    "
         "Currency  State\n"
         "2026-001  Acme    2026-11-01  2026-11-30  2026-12-01  2026-12-15  150:00  1428.00  "
         "EUR       issued\n"
         "2026-002  Bolt    2026-10-01  2026-10-31  2026-11-01  2026-11-15  1:30    120.00   "
         "USD       overdue\n",
         "",
         ""},
        {{"invoices", "--tsv", "--client", "Bolt"},
         false,
         0,
         "2026-002\tBolt\t2026-10-01\t2026-10-31\t2026-11-01\t2026-11-15\t5400\t120.00\t0.00\t"
         "120.00\tUSD\toverdue\t/p/2.pdf\n",
         "",
         ""},
        {{"invoices", "--json", "--client", "Nobody"}, false, 0, "{\"invoices\":[]}\n", "", ""},
        {{"invoice", "paid", "2026-002"},
         false,
         0,
         "Invoice 2026-002 is paid on 2026-12-07.\n",
         "",
         "USD\tpaid 2026-12-07"},
        {{"invoice", "cancel", "2026-001"},
         false,
         0,
         "Invoice 2026-001 is cancelled.\n",
         "",
         "EUR\tcancelled"},
        {{"invoice", "cancel", "2026-009"},
         false,
         1,
         "",
         "tally: There is no invoice 2026-009",
         ""},
        {{"invoice", "paid", "2026-001", "2026-11-30"},
         false,
         1,
         "",
         "tally: Invoice 2026-001 was issued on 2026-12-01; it cannot be paid before.\n",
         ""},
        {{"invoice", "paid", "2026-001", "07.12.2026"},
         false,
         2,
         "",
         "tally: '07.12.2026' is not a calendar date",
         ""},
        {{"invoice", "cancel"}, false, 2, "", "tally: invoice cancel needs a NUMBER", ""},
        {{"invoice", "cancel", "2026-001", "--rate", "5"},
         false,
         2,
         "",
         "tally: invoice cancel does not take --rate",
         ""},
        {{"invoices", "2026"}, false, 2, "", "tally: invoices takes no arguments", ""},
        {{"invoices"}, true, 1, "", "tally: REGISTER:4: expected 13 TAB-separated fields", ""},
        {{"invoice", "paid", "2026-001"},
         true,
         1,
         "",
         "tally: REGISTER:4: expected 13 TAB-separated fields",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        TallyHarness tally;
        const std::string path = tally.Home() + "/books/invoices.txt";
        std::filesystem::create_directories(tally.Home() + "/books");
        std::filesystem::create_directories(std::filesystem::path(tally.StoreFile()).parent_path());
        WriteFile(tally.StoreFile(), "[Invoices]\nRegister=" + path + "\n");
        const std::string before = std::string(kRegister) + (c.damaged ? "2026-003\n" : "");
        WriteFile(path, before);
        const ProcessResult run = tally.Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        std::string err = c.err;
        if (const auto at = err.find("REGISTER"); at != std::string::npos) err.replace(at, 8, path);
        EXPECT_TRUE(run.err.starts_with(err) && (err.empty() == run.err.empty())) << run.err;
        std::string expected = before;
        if (!c.change.empty()) {
            const std::string from = c.change.substr(0, 3) + "\tissued";
            expected.replace(expected.find(from), from.size(), c.change);
        }
        EXPECT_EQ(ReadFile(path), expected);
    }
}

}  // namespace
}  // namespace tally::test
