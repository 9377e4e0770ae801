// SPDX-License-Identifier: MIT
// Where tally invoice --pdf may write, run as a user runs tally: every refusal leaves the whole
// home (logs, backups, settings, register, archive, an earlier PDF) byte for byte as it was.

#include <gtest/gtest.h>

#include "folder_snapshot.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

namespace fs = std::filesystem;

// A home with two clients, the Options' log, a backup, a letter, and a register in books/
// whose invoice 2026-001 replaced the PDF old.pdf held before.
struct Books {
    Books() {
        WriteFile(tally.Log(), Crlf(WorkingDays(2026, 11, 2, 2)));
        WriteFile(File("acme.dat"), Crlf(WorkingDays(2026, 12, 1, 4)));
        WriteFile(File("beta.dat"), Crlf(WorkingDays(2026, 12, 1, 2)));
        WriteFile(File("acme.da0"), "generation 0");
        WriteFile(File("letter.txt"), "Dear Sir,");
        WriteFile(File("old.pdf"), "%PDF-1.4 an earlier invoice");
        fs::create_directories(File("books"));
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"config", "Invoices.Register", File("books/invoices.txt")},
                 {"client", "add", "Acme", "--log", File("acme.dat"), "--rate", "90"},
                 {"client", "add", "Beta", "--log", File("beta.dat"), "--rate", "50"},
                 {"invoice", "2026-12-01", "2026-12-01", "--client", "Acme", "--pdf",
                  File("old.pdf")}}) {
            const ProcessResult r = tally.Run(args);
            EXPECT_EQ(r.exitCode, 0) << r.err;
        }
        issued = ReadFile(File("old.pdf"));
    }
    std::string File(const std::string& name) const { return tally.home.File(name); }

    TallyHarness tally;
    std::string issued;  // the PDF of 2026-001 at old.pdf
};

// What a case does to the home before the issue: puts a link, a hard link or a plain file at
// a path (moving what was there aside), or cuts the register's last line.
enum class Put { Nothing, Link, HardLink, File, CutLastLine };

struct Change {
    Put put = Put::Nothing;
    const char* at = "";
    const char* to = "";  // what a link leads to
};

void Make(const Books& b, const Change& c) {
    const std::string at = b.File(c.at);
    if (c.put == Put::Nothing) return;
    if (c.put == Put::CutLastLine) {
        const std::string text = ReadFile(at);
        WriteFile(at, text.substr(0, text.rfind('\n', text.size() - 2) + 1));
        return;
    }
    if (fs::exists(fs::symlink_status(at))) fs::rename(at, at + ".moved");
    if (c.put == Put::Link) fs::create_symlink(b.File(c.to), at);
    if (c.put == Put::HardLink) fs::create_hard_link(b.File(c.to), at);
    if (c.put == Put::File) WriteFile(at, "a file of mine");
}

TEST(PdfTarget, everyRefusalLeavesTheWholeHomeAsItWas) {
    const char* settings =
        ".config/Local AppWizard-Generated Applications/Quillfen's TallyBook.conf";
    const char* register_ = "books/invoices.txt";
    const struct {
        const char* name;
        std::string pdf;  // --pdf, in the home
        Change change;
        const char* says;  // a part of the message
    } cases[] = {
        {"the client's log", "acme.dat", {}, "it is the time log"},
        {"another client's log", "beta.dat", {}, "it is the time log"},
        {"the Options' log", "TALLYBK.DAT", {}, "it is the time log"},
        {"a backup", "acme.da0", {}, "it is a backup of the time log"},
        {"a backup not made yet", "beta.da7", {}, "it is a backup of the time log"},
        {"the settings", settings, {}, "it is the settings file"},
        {"the register", register_, {}, "it is the invoice register"},
        {"the register's lock", "books/invoices.txt.lock", {}, "it is the lock of the invoice"},
        {"an archived PDF", "books/invoices/2026-001.pdf", {}, "it is in the invoice archive"},
        {"a new file in the archive", "books/invoices/x.pdf", {}, "it is in the invoice archive"},
        {"a link to a log", "l.pdf", {Put::Link, "l.pdf", "acme.dat"}, "it is the time log"},
        {"a hard link", "h.pdf", {Put::HardLink, "h.pdf", settings}, "the settings file"},
        {"a letter", "letter.txt", {}, "the file is not a PDF"},
        {"a link to nothing", "l.pdf", {Put::Link, "l.pdf", "gone.pdf"}, "which does not exist"},
        {"a folder", "books", {}, "not a regular file"},
        {"register a link to nothing", "n.pdf", {Put::Link, register_, "gone/i.txt"}, "not exist"},
        {"register's folder a file", "n.pdf", {Put::File, "books", ""}, "is not a folder"},
        {"register's folder a link to nothing", "n.pdf", {Put::Link, "books", "gone"}, "not exist"},
        {"archive a link to nothing", "n.pdf", {Put::Link, "books/invoices", "gone"}, "not exist"},
        {"archive a file", "n.pdf", {Put::File, "books/invoices", ""}, "is not a folder"},
        {"register without its last line",
         "n.pdf",
         {Put::CutLastLine, register_, ""},
         "lacks the invoices 2026-001 whose PDFs its archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Books books;
        ASSERT_TRUE(books.issued.starts_with("%PDF-")) << books.issued.substr(0, 40);
        Make(books, c.change);
        const FolderSnapshot before = SnapshotTree(books.tally.Home());
        const ProcessResult r = books.tally.Run({"invoice", "2026-12-02", "2026-12-03", "--client",
                                                 "Acme", "--pdf", books.File(c.pdf)});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(SnapshotTree(books.tally.Home()), before);
    }
}

}  // namespace
}  // namespace tally::test
