// SPDX-License-Identifier: MIT
// tally invoice's e-invoice: --xml, --einvoice and the client's einvoice setting, run as a user
// runs tally. Every refusal leaves the whole home (settings, register, archive) as it was.

#include <gtest/gtest.h>

#include "folder_snapshot.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

// A home with client Acme's days in December and a register in books/; complete, its
// invoices can be e-invoices, else the issuer has no values at all.
struct Books {
    explicit Books(bool complete) {
        WriteFile(File("acme.dat"), Crlf(WorkingDays(2026, 12, 1, 4)));
        WriteFile(File("letter.txt"), "Dear Sir,");
        std::filesystem::create_directories(File("books"));
        WriteFile(File("books/invoices.txt.lock"), "");  // as a register in use has it
        std::vector<std::vector<std::string>> setup = {
            {"config", "Invoices.Register", File("books/invoices.txt")},
            {"client", "add", "Acme", "--log", File("acme.dat"), "--rate", "90", "--tax", "19",
             "--currency", "EUR", "--address", "Main St 1\\n10115 Berlin"}};
        if (complete) {
            setup.push_back({"client", "set", "Acme", "country", "DE"});
            setup.push_back({"issuer", "set", "name", "Ann Berger"});
            setup.push_back({"issuer", "set", "country", "DE"});
            setup.push_back({"issuer", "set", "vat-id", "DE123456789"});
        }
        for (const auto& args : setup) {
            const ProcessResult r = tally.Run(args);
            EXPECT_EQ(r.exitCode, 0) << r.err;
        }
    }
    std::string File(const std::string& name) const { return tally.home.File(name); }
    TallyHarness tally;
};

// Each case runs a command in a home (after one command that prepares it, if any); "@x" is
// the file x of the home. A refusal changes nothing; an issue writes its files, each
// beginning as its kind does.
TEST(EInvoiceCli, argumentsAndSettingsGiveTheirExitAndFiles) {
    const std::string settings =
        "@.config/Local AppWizard-Generated Applications/Quillfen's TallyBook.conf";
    const std::vector<std::string> invoice = {"invoice", "2026-12-01", "2026-12-04", "--client",
                                              "Acme"};
    const auto Invoice = [&](std::vector<std::string> args) {
        args.insert(args.begin(), invoice.begin(), invoice.end());
        return args;
    };
    const std::vector<std::string> einvoiceOn = {"client", "set", "Acme", "einvoice", "on"};
    const struct {
        const char* name;
        bool complete;
        std::vector<std::string> before;
        std::vector<std::string> args;
        int exit;
        const char* says;  // a part of standard error, or of standard output after an issue
        std::vector<const char*> written;
    } cases[] = {
        // clang-format off
        {"--xml without a path", true, {}, Invoice({"--xml", ""}), 2, "--xml needs a file path",
         {}},
        {"--einvoice alone", true, {}, Invoice({"--einvoice"}), 2, "--einvoice goes with", {}},
        {"einvoice neither on nor off", true, {}, {"client", "set", "Acme", "einvoice", "yes"}, 2,
         "einvoice is on or off", {}},
        {"--einvoice with gaps", false, {}, Invoice({"--pdf", "@i.pdf", "--einvoice"}), 1,
         "tally issuer set vat-id", {}},
        {"the client's einvoice on with gaps", false, einvoiceOn, Invoice({"--pdf", "@i.pdf"}), 1,
         "tally client set Acme country CODE", {}},
        {"--xml with gaps", false, {}, Invoice({"--xml", "@i.xml"}), 1, "cannot be an e-invoice",
         {}},
        {"--xml over a letter", true, {}, Invoice({"--xml", "@letter.txt"}), 1, "not an XML file",
         {}},
        {"--xml over the settings", true, {}, Invoice({"--xml", settings}), 1, "the settings file",
         {}},
        {"--xml and --pdf one file", true, {}, Invoice({"--pdf", "@i.pdf", "--xml", "@i.pdf"}), 1,
         "need two files", {}},
        {"a plain PDF names its gaps", false, {}, Invoice({"--pdf", "@i.pdf"}), 0,
         "no country of the issuer (tally issuer set country CODE)", {"i.pdf"}},
        {"--pdf and --xml", true, einvoiceOn, Invoice({"--pdf", "@i.pdf", "--xml", "@i.xml"}), 0,
         "written to @i.pdf and @i.xml", {"i.pdf", "i.xml"}},
        {"--xml alone", true, {}, Invoice({"--xml", "@i.xml", "--einvoice"}), 0,
         "written to @books/invoices/2026-001.pdf and @i.xml",
         {"i.xml", "books/invoices/2026-001.pdf"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Books books(c.complete);
        const auto InHome = [&](std::string text) {
            for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@'))
                text.replace(at, 1, books.tally.Home() + "/");
            return text;
        };
        std::vector<std::string> before, args;
        for (const std::string& arg : c.before) before.push_back(InHome(arg));
        for (const std::string& arg : c.args) args.push_back(InHome(arg));
        if (!before.empty()) {
            EXPECT_EQ(books.tally.Run(before).exitCode, 0);
        }
        const FolderSnapshot snapshot = SnapshotTree(books.tally.Home());
        const ProcessResult r = books.tally.Run(args);
        EXPECT_EQ(r.exitCode, c.exit) << r.err;
        if (c.exit != 0) {
            EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(SnapshotTree(books.tally.Home()), snapshot);
            continue;
        }
        EXPECT_NE((r.err + r.out).find(InHome(c.says)), std::string::npos) << r.err << r.out;
        for (const std::string file : c.written) {
            EXPECT_TRUE(
                ReadFile(books.File(file)).starts_with(file.ends_with(".xml") ? "<?xml" : "%PDF-"))
                << file;
        }
    }
}

}  // namespace
}  // namespace tally::test
