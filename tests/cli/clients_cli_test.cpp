// SPDX-License-Identifier: MIT
// Three clients with their own logs, rates and currencies, run as a user runs tally.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "folder_snapshot.h"
#include "json_output.h"
#include "log_text.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

struct ClientCase {
    const char* name;
    const char* rateArgs;  // what client add is given after the name
    int days;              // working days of 8 hours from 1 December
    double rate;           // the rate its figures must use
};

// Gamma has no rate of its own: the stored Rate (40) is its effective rate.
const ClientCase kClients[] = {{"Acme", "--rate=90 --currency=EUR --tax=19", 6, 90.0},
                               {"Beta Ltd", "--rate=50 --currency=USD", 3, 50.0},
                               {"Gamma", "--currency=GBP", 2, 40.0}};

class ClientsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(tally.Run({"config", "Rate", "40"}).exitCode, 0);
        for (const ClientCase& c : kClients) {
            const std::string log = tally.home.File(std::string(c.name).substr(0, 4) + ".dat");
            WriteFile(log, Crlf(WorkingDays(2026, 12, 1, c.days)));
            std::vector<std::string> args{"client", "add", c.name, "--log", log};
            std::istringstream extra(c.rateArgs);
            for (std::string word; extra >> word;) args.push_back(word);
            const ProcessResult r = tally.Run(args);
            ASSERT_EQ(r.exitCode, 0) << r.err;
        }
    }

    std::string LastLine(const std::string& text) {
        const std::size_t end = text.find_last_not_of('\n');
        return text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end));
    }

    TallyHarness tally;
};

TEST_F(ClientsCli, everyCommandUsesTheClientsLogAndRate) {
    long long todaySeconds = 0;
    long long periodSeconds = 0;
    const OrderedJson all = ParseJsonOutput(tally.Run({"status", "--all", "--json"}).out);
    for (std::size_t i = 0; i < std::size(kClients); ++i) {
        const ClientCase& c = kClients[i];
        SCOPED_TRACE(c.name);
        const double hours = 8.0 * c.days;
        const std::string amount = FormatC("%.2f", hours * c.rate);
        const auto status =
            ParseJsonOutput(tally.Run({"--client", c.name, "status", "--json"}).out);
        EXPECT_EQ(status["period"]["amount"], hours * c.rate);
        EXPECT_EQ(all["clients"][i]["client"], c.name);
        EXPECT_EQ(
            all["clients"][i]["period"],
            OrderedJson({{"seconds", status["period"]["seconds"]}, {"amount", hours * c.rate}}));
        EXPECT_TRUE(LastLine(tally.Run({"--client", c.name, "report", "--tsv"}).out)
                        .ends_with("\t" + amount))
            << amount;
        EXPECT_TRUE(LastLine(tally.Run({"export", "--client", c.name}).out)
                        .ends_with("," + FormatC("%.2f", 8.0 * c.rate)));
        EXPECT_TRUE(
            LastLine(tally.Run({"invoice", "2026-12-01", "2026-12-31", "--client", c.name}).out)
                .ends_with("= " + amount));
        todaySeconds += status["today"]["seconds"].get<long long>();
        periodSeconds += status["period"]["seconds"].get<long long>();
    }
    const auto hoursMinutes = [](long long seconds) {
        return FormatC("%lld:%02lld", seconds / 3600, seconds % 3600 / 60);
    };
    EXPECT_EQ(LastLine(tally.Run({"status", "--all", "--tsv"}).out),
              "Total\t\t" + hoursMinutes(todaySeconds) + "\t\t" + hoursMinutes(periodSeconds) +
                  "\t\t" + hoursMinutes(periodSeconds) + "\t\t");  // nothing invoiced yet
}

TEST_F(ClientsCli, switchClocksOutAndInAtTheSameSecond) {
    ASSERT_EQ(tally.Run({"--client", "Acme", "in"}, "2026-12-07 09:00:00").exitCode, 0);
    const std::string acme = ReadFile(tally.home.File("Acme.dat"));
    const ProcessResult r = tally.Run({"switch", "Beta Ltd"}, "2026-12-07 10:15:30");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(tally.home.File("Acme.dat")),
              acme + Crlf(Out("2026-12-07 10:15:30") + Elapsed("01:15:30")));
    EXPECT_TRUE(ReadFile(tally.home.File("Beta.dat")).ends_with(Crlf(In("2026-12-07 10:15:30"))));
}

// Each refusal leaves the home (settings and logs) as it was, byte for byte.
TEST_F(ClientsCli, badInputIsRefusedAndChangesNothing) {
    ASSERT_EQ(tally.Run({"--client", "Acme", "in"}).exitCode, 0);
    const std::string other = tally.home.File("other.dat");
    // Acme's log by a symbolic link, a hard link and a linked folder.
    std::filesystem::create_symlink(tally.home.File("Acme.dat"), tally.home.File("soft.dat"));
    std::filesystem::create_hard_link(tally.home.File("Acme.dat"), tally.home.File("hard.dat"));
    std::filesystem::create_directory_symlink(tally.Home(), tally.home.File("linked"));
    struct Refusal {
        std::vector<std::string> args;
        int exitCode;
        const char* message;  // the line on standard error, or "" for any usage error
    };
    const Refusal refusals[] = {
        {{"--client", "Gamma", "in"},
         1,
         "tally: Still clocked in for Acme since 2026-12-07 09:00. Clock out there first.\n"},
        {{"switch", "Acme"}, 1, "tally: already clocked in for Acme\n"},
        {{"--client", "Acmee", "status"}, 2, ""},
        {{"--client", "Acme", "--log", other, "status"}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.home.File("Acme.txt")}, 2, ""},
        {{"client", "add", "Acme", "--log", other}, 2, ""},
        {{"client", "add", "Delta", "--log", other, "--currency", "euro"}, 2, ""},
        {{"client", "add", "Delta", "--log", other, "--rate", "-1"}, 2, ""},
        {{"client", "add", "Delta", "--log", other, "--rate", "nan"}, 2, ""},
        {{"client", "add", "Delta", "--log", other, "--tax", "101"}, 2, ""},
        {{"client", "add", "Delta", "--log", other, "--days", "x"}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.Home()}, 2, ""},
        {{"client", "add", "a/b", "--log", other}, 2, ""},
        {{"client", "set", "Beta Ltd", "log", tally.home.File("Gamm.dat")}, 2, ""},
        {{"client", "set", "Beta Ltd", "colour", "red"}, 2, ""},
        {{"client", "remove", "Nobody"}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.home.File("soft.dat")}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.home.File("hard.dat")}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.home.File("linked/Acme.dat")}, 2, ""},
        {{"client", "add", "Delta", "--log", tally.home.File("linked/Acme.txt")}, 2, ""},
        {{"client", "remove", "Acme"},
         1,
         "tally: Acme is clocked in since 2026-12-07 09:00: clock out first, then remove it\n"},
        {{"client", "set", "Acme", "log", other},
         1,
         "tally: Acme is clocked in since 2026-12-07 09:00: clock out first, then give it "
         "another log\n"},
    };
    const FolderSnapshot before = SnapshotFolder(tally.Home());
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(testing::PrintToString(refusal.args));
        if (refusal.exitCode == 2 && std::string(refusal.message).empty()) {
            tally.ExpectUsageError(refusal.args);
        } else {
            const ProcessResult r = tally.Run(refusal.args);
            EXPECT_EQ(r.exitCode, refusal.exitCode);
            EXPECT_EQ(r.err, refusal.message);
        }
        EXPECT_EQ(SnapshotFolder(tally.Home()), before);
    }
}

// A PDF invoice takes the next number and bills its days once; every refusal changes no file.
TEST_F(ClientsCli, pdfInvoicesAreNumberedAndBillNoDayTwice) {
    const auto unbilled = [&](int client) {
        return ParseJsonOutput(tally.Run({"unbilled", "--json"}).out)["unbilled"][client];
    };
    EXPECT_EQ(unbilled(0)["amount"], 6 * 8 * 90.0);
    const std::string pdf = tally.home.File("acme.pdf");
    const ProcessResult issued =
        tally.Run({"invoice", "2026-12-01", "2026-12-03", "--client", "Acme", "--pdf", pdf});
    ASSERT_EQ(issued.exitCode, 0) << issued.err;
    // 24 hours at 90, and 19 % tax on it.
    EXPECT_EQ(issued.out,
              "Invoice 2026-001 to Acme, 2026-12-01 to 2026-12-03: 2570.40 EUR, due "
              "2026-12-21, written to " +
                  pdf + "\n");
    EXPECT_EQ(unbilled(0)["since"], "2026-12-04");
    EXPECT_EQ(unbilled(0)["amount"], 3 * 8 * 90.0);
    EXPECT_EQ(unbilled(1)["amount"], 3 * 8 * 50.0);

    const std::string again = tally.home.File("again.pdf");
    const std::vector<std::string> refusals[] = {
        {"invoice", "2026-12-03", "2026-12-05", "--client", "Acme", "--pdf", again},
        {"invoice", "2026-12-20", "2026-12-31", "--client", "Acme", "--pdf", again},
        {"invoice", "2026-12-01", "2026-12-05", "--log", tally.Log(), "--pdf", again},
        {"invoice", "2026-12-01", "2026-12-05", "--client", "Beta Ltd", "--pdf", tally.Home()},
        {"invoice", "2026-12-01", "2026-12-05", "--client", "Beta Ltd", "--pdf", "/no/such/x.pdf"},
    };
    const FolderSnapshot before = SnapshotTree(tally.Home());
    for (const auto& args : refusals) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_NE(tally.Run(args).exitCode, 0);
        EXPECT_EQ(SnapshotTree(tally.Home()), before);
    }
    // A format edited by hand into one that makes no numbers fails naming its setting.
    WriteFile(tally.StoreFile(), ReadFile(tally.StoreFile()) + "[Invoices]\nFormat={seq\n");
    const FolderSnapshot edited = SnapshotTree(tally.Home());
    const ProcessResult unnumbered =
        tally.Run({"invoice", "2026-12-04", "2026-12-04", "--client", "Acme", "--pdf", again});
    EXPECT_EQ(unnumbered.exitCode, 1);
    EXPECT_TRUE(unnumbered.err.starts_with("tally: Invoices.Format in the settings: "));
    EXPECT_EQ(SnapshotTree(tally.Home()), edited);
    ASSERT_EQ(tally.Run({"config", "Invoices.Format", "{year}-{seq:3}"}).exitCode, 0);
    // Cancelled, its days may be billed again; its number is never used again.
    ASSERT_EQ(tally.Run({"invoice", "cancel", "2026-001"}).exitCode, 0);
    EXPECT_TRUE(
        tally.Run({"invoice", "2026-12-02", "2026-12-02", "--client", "Acme", "--pdf", again})
            .out.starts_with("Invoice 2026-002 to Acme"));
}

}  // namespace
}  // namespace tally::test
