// SPDX-License-Identifier: MIT
// Names and times the store and the log can hold: each refusal exits as it should, says why,
// and leaves the whole home byte for byte as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "folder_snapshot.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST(NamesAndTimes, whatTheStoreOrTheLogCannotHoldIsRefusedChangingNothing) {
    TallyHarness tally;
    const std::string books = tally.Home() + "/books/invoices.txt";
    std::filesystem::create_directories(tally.Home() + "/books");
    std::filesystem::create_directories(std::filesystem::path(tally.StoreFile()).parent_path());
    WriteFile(tally.StoreFile(), "[Invoices]\nRegister=" + books + "\n");
    WriteFile(books,
              "# TallyBook invoice register 1\n2026-001\tAcme\t2026-11-01\t2026-11-30\t2026-12-01\t"
              "2026-12-15\t540000\t1200.00\t228.00\t1428.00\tEUR\tissued\t/p/1.pdf\n");
    WriteFile(books + ".lock", "");
    WriteFile(tally.home.File("beta.dat"), Triple("2026-12-01 09:00:00", "2026-12-01 17:00:00"));
    for (const char* name : {"Acme", "Beta"}) {
        const std::string log = tally.home.File(std::string(name) + ".dat");
        ASSERT_EQ(tally.Run({"client", "add", name, "--log", log}).exitCode, 0);
    }
    // The Options log is no client's: open there, an Out can be back-dated.
    ASSERT_EQ(tally.Run({"in"}, "2026-12-07 08:00:00").exitCode, 0);
    // A name of 100 characters is taken, though it has 200 bytes.
    ASSERT_EQ(tally.Run({"client", "add", Repeated("é", 100), "--log", tally.home.File("e.dat")})
                  .exitCode,
              0);

    const char* const later = "2051-01-02 09:00:00";
    const std::string other = tally.home.File("other.dat");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string error;  // a part of standard error
        const char* at = TallyHarness::kNow;
    } cases[] = {
        {{"client", "add", "", "--log", other}, 2, "a client needs a name"},
        {{"client", "add",
          "\xff"
          "Acme",
          "--log", other},
         2,
         "must be UTF-8"},
        {{"client", "add", "\xed\xa0\x80", "--log", other}, 2, "must be UTF-8"},
        {{"client", "add", Repeated("é", 101), "--log", other}, 2, "at most 100 characters"},
        {{"client", "add", "a\tb", "--log", other}, 2, "control characters"},
        {{"client", "add", "a\x7f", "--log", other}, 2, "control characters"},
        {{"client", "add", "a\xc2\x85", "--log", other}, 2, "control characters"},
        {{"client", "add", "acme", "--log", other}, 2, "there is a client Acme already"},
        {{"client", "add",
          "\xef\xbb\xbf"
          "Acme",
          "--log", other},
         2,
         "cannot keep the name"},
        {{"client", "set", "Beta", "name", "ACME"}, 2, "there is a client Acme already"},
        {{"--client", "Acme", "in", "--at", "1989-12-31 23:59"}, 1, "outside the years 1990-2050"},
        {{"out", "--at", "1989-12-31 23:59"}, 1, "outside the years 1990-2050"},
        {{"--client", "Acme", "in", "--at", "2051-01-01 08:00"}, 1, "outside the years", later},
        {{"out", "--at", "-2h"}, 1, "outside the years 1990-2050", later},
        {{"invoice", "paid", "2026-001", "2026-12-08"}, 1, "after today (2026-12-07)"},
        {{"invoice", "paid", "2026-001", "2026-11-30"}, 1, "it cannot be paid before"},
    };
    const FolderSnapshot before = SnapshotTree(tally.Home());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProcessResult r = tally.Run(c.args, c.at);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_EQ(SnapshotTree(tally.Home()), before);
    }
}

}  // namespace
}  // namespace tally::test
