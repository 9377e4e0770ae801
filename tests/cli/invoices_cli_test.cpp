// SPDX-License-Identifier: MIT
// tally invoices, invoice paid and invoice cancel on the register the settings name: what
// they print, their exit codes, and a register left byte for byte as it was by a refusal.

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
    const std::string table =
        "Number    Client  First       Last        Issued      Due         Time    Total    "
        "Currency  State\n"
        "2026-001  Acme    2026-11-01  2026-11-30  2026-12-01  2026-12-15  150:00  1428.00  "
        "EUR       issued\n"
        "2026-002  Bolt    2026-10-01  2026-10-31  2026-11-01  2026-11-15  1:30    120.00   "
        "USD       overdue\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string output;  // standard output on success, the start of standard error else
        std::string change;  // the line's new state text, for a change
    } cases[] = {
        {{"invoices"}, 0, table, ""},
        {{"invoices", "--tsv", "--client", "Bolt"},
         0,
         "2026-002\tBolt\t2026-10-01\t2026-10-31\t2026-11-01\t2026-11-15\t5400\t120.00\t0.00\t"
         "120.00\tUSD\toverdue\t/p/2.pdf\n",
         ""},
        {{"invoices", "--json", "--client", "Bolt"},
         0,
         R"({"invoices":[{"number":"2026-002","client":"Bolt","first":"2026-10-01",)"
         R"("last":"2026-10-31","issued":"2026-11-01","due":"2026-11-15","seconds":5400,)"
         R"("subtotal":120.0,"tax":0.0,"total":120.0,"currency":"USD","state":"overdue",)"
         R"("paid":null,"pdf":"/p/2.pdf","archive":"HOME/books/invoices/2026-002.pdf",)"
         R"("cancelled_by":null,"cancels":null,"xml":false}]})"
         "\n",
         ""},
        {{"invoice", "paid", "2026-002"},
         0,
         "Invoice 2026-002 is paid on 2026-12-07.\n",
         "USD\tpaid 2026-12-07"},
        {{"invoice", "cancel", "2026-001"},
         1,
         "tally: Cannot cancel invoice 2026-001: its document was not kept (it was issued before "
         "documents were kept), and client Acme is no longer set up.\n",
         ""},
        {{"invoice", "cancel", "2026-009"}, 1, "tally: There is no invoice 2026-009", ""},
        {{"invoice", "paid", "2026-001", "07.12.2026"}, 2, "tally: '07.12.2026' is not a", ""},
        {{"invoice", "cancel"}, 2, "tally: invoice cancel needs a NUMBER", ""},
        {{"invoice", "cancel", "2026-001", "--rate", "5"}, 2, "tally: invoice cancel does not", ""},
        {{"invoices", "2026"}, 2, "tally: invoices takes no arguments", ""},
        {{"invoices", "DAMAGED"}, 1, "tally: HOME/books/invoices.txt:4: expected 13", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        TallyHarness tally;
        const auto home = [&](std::string text) {
            if (const auto at = text.find("HOME"); at != std::string::npos)
                text.replace(at, 4, tally.Home());
            return text;
        };
        const std::string path = home("HOME/books/invoices.txt");
        std::filesystem::create_directories(tally.Home() + "/books");
        std::filesystem::create_directories(std::filesystem::path(tally.StoreFile()).parent_path());
        WriteFile(tally.StoreFile(), "[Invoices]\nRegister=" + path + "\n");
        std::vector<std::string> args = c.args;
        const bool damaged = args.back() == "DAMAGED";
        if (damaged) args.pop_back();
        const std::string before = kRegister + std::string(damaged ? "2026-003\n" : "");
        WriteFile(path, before);
        const ProcessResult run = tally.Run(args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(c.exitCode == 0 ? run.out : run.err.substr(0, home(c.output).size()),
                  home(c.output));
        EXPECT_EQ(c.exitCode == 0 ? run.err : run.out, "");
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
