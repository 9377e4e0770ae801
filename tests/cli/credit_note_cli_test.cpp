// SPDX-License-Identifier: MIT
// tally invoice cancel issues a credit note: its own number, the invoice it cancels named with
// its date, the invoice's lines negated; the register shows both, the days bill again, and a
// cancellation that cannot be changes neither the settings nor the register and its archive.

#include <gtest/gtest.h>

#include <filesystem>

#include "time/c_format.h"
#include "folder_snapshot.h"
#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

TEST(CreditNoteCli, cancelsWithANegatedNoteAndRefusesWhatCannotBeCancelled) {
    TallyHarness tally;
    const std::string books = tally.home.File("books");
    std::filesystem::create_directories(books);
    const std::string log = tally.home.File("client.dat");
    std::string pairs;
    for (int day = 2; day <= 4; ++day)  // 7:20 a day, 7.3333 h at 90.00: 660.00
        pairs +=
            Triple(FormatC("2026-11-%02d 09:00:00", day), FormatC("2026-11-%02d 16:20:40", day));
    WriteFile(log, pairs);
    const auto run = [&](const std::vector<std::string>& args,
                         const std::string& at = TallyHarness::kNow) {
        const ProcessResult r = tally.Run(args, at);
        EXPECT_EQ(r.exitCode, 0) << testing::PrintToString(args) << r.err;
        return r.out;
    };
    run({"config", "Invoices.Register", books + "/invoices.txt"});
    run({"issuer", "set", "name", "Jo Smith"});
    run({"client", "add", "Kunde", "--log", log, "--rate", "90", "--tax", "19", "--currency",
         "EUR"});
    run({"client", "set", "Kunde", "service", "Software development"});
    run({"invoice", "2026-11-01", "2026-11-30", "--client", "Kunde", "--pdf",
         tally.home.File("invoice.pdf")});
    const std::string unbilled = "Kunde\t2026-12-01\t0:00\t0.00\tEUR\n";
    EXPECT_EQ(run({"unbilled", "--tsv"}), unbilled);

    const std::string note = books + "/invoices/2026-C001.pdf";
    EXPECT_EQ(run({"invoice", "cancel", "2026-001"}, "2026-12-09 10:00:00"),
              "Invoice 2026-001 is cancelled by credit note 2026-C001: -2356.20 EUR, written to " +
                  note + "\n");
    const std::string text = PdfCellText(note);
    for (const std::string line :
         {"\nCREDIT NOTE\n", "Invoice number 2026-C001\n", "Issue date 9 Dec 2026\n",
          "\nCancels invoice 2026-001 of 7 Dec 2026\n",
          "\nSoftware development 2 Nov 2026 -7.3333 90.00 -660.00\n",
          "\nSoftware development 4 Nov 2026 -7.3333 90.00 -660.00\n", "\nSubtotal -1980.00\n",
          "\nTax (19 %) -376.20\n", "\nTotal -2356.20 EUR\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("Due date"), std::string::npos) << text;
    EXPECT_EQ(run({"invoices", "--tsv"}),
              "2026-001\tKunde\t2026-11-01\t2026-11-30\t2026-12-07\t2026-12-21\t79200\t1980.00\t"
              "376.20\t2356.20\tEUR\tcancelled by 2026-C001\t" +
                  tally.home.File("invoice.pdf") +
                  "\n2026-C001\tKunde\t2026-11-01\t2026-11-30\t2026-12-09\t2026-12-09\t79200\t"
                  "-1980.00\t-376.20\t-2356.20\tEUR\tcredit note of 2026-001\t" +
                  note + "\n");
    EXPECT_EQ(run({"unbilled", "--tsv"}), "Kunde\t\t22:00\t1980.00\tEUR\n");

    const struct {
        const char* number;
        std::string error;
    } refusals[] = {
        {"2026-001", "Invoice 2026-001 is cancelled already by credit note 2026-C001."},
        {"2026-C001",
         "2026-C001 is a credit note (of invoice 2026-001); only an invoice can be "
         "cancelled."},
        {"2026-009", "There is no invoice 2026-009 in the register " + books + "/invoices.txt."},
    };
    for (const auto& r : refusals) {
        const FolderSnapshot before = SnapshotTree(books);
        const std::string settings = ReadFile(tally.StoreFile());
        const ProcessResult result = tally.Run({"invoice", "cancel", r.number});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "tally: " + r.error + "\n");
        EXPECT_EQ(SnapshotTree(books), before);
        EXPECT_EQ(ReadFile(tally.StoreFile()), settings);
    }
}

}  // namespace
}  // namespace tally::test
