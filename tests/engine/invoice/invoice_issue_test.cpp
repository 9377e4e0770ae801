// SPDX-License-Identifier: MIT
// Issuing and changing invoices on real files: refusals and failures at each step leave
// every file as it was and use no number; processes at once share one series; a process
// killed at any step leaves the old register or the new one with its PDF.

#include "invoice/invoice_issue.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <climits>
#include <csignal>
#include <functional>
#include <set>

#include "child_process.h"
#include "folder_snapshot.h"
#include "invoice/kept_document.h"
#include "test_support.h"
#include "traced_child.h"

namespace tally {
namespace {

using test::ReadFile;
using test::WriteFile;

std::string PdfOf(const std::string& number) {
    return "%PDF- " + number;
}

bool WritePdf(const InvoiceEntry& entry, const std::string& path, std::string&) {
    WriteFile(path, PdfOf(entry.number));
    return true;
}

std::string KeptText(const InvoiceEntry& entry) {
    return "kept " + entry.number;
}

// A register holding 2026-001 (Acme, November, issued) and 2026-002 (Acme, October,
// cancelled), a note of the user's, and a folder for the PDFs.
struct Books {
    Books() {
        std::filesystem::create_directories(dir.Path() / "books");
        std::filesystem::create_directories(dir.Path() / "out");
        // Long enough that a small file-size limit stops its rewrite, not the PDF's copy.
        base = std::string(kRegisterFormatLine) +
               "\n2026-001\tAcme\t2026-11-01\t2026-11-30\t2026-12-01\t2026-12-15\t540000\t"
               "1200.00\t228.00\t1428.00\tEUR\tissued\t/a/2026-001.pdf\n"
               "2026-002\tAcme\t2026-10-01\t2026-10-31\t2026-11-01\t2026-11-15\t3600\t80.00\t"
               "0.00\t80.00\tEUR\tcancelled\t/a/2026-002.pdf\n# " +
               std::string(2000, 'n') + "\n";
        WriteFile(registerPath, base);
        WriteFile(registerPath + ".lock", "");  // the lock file stays once made
    }

    InvoiceRequest Request(CalendarDate first, CalendarDate last, const std::string& pdf) const {
        return {"Acme", first, last,  {2026, 12, 7},          14, 7200,    170,
                0,      170,   "EUR", dir.File("out/" + pdf), {}, KeptText};
    }
    InvoiceRequest December() const { return Request({2026, 12, 1}, {2026, 12, 6}, "dec.pdf"); }

    test::TempDir dir;
    std::string registerPath = dir.File("books/invoices.txt");
    std::string base;
};

// A credit note issued on 2026-12-31 whose invoice's document, made again, bills subtotal
// cents for 150 hours at 19 % (rounded down to the cent).
CreditRequest CreditOf(const std::string& number, std::int64_t subtotal) {
    CreditRequest request{number, {2026, 12, 31}, {}, {}};
    request.recover = [=](const InvoiceEntry& invoice, std::string&) {
        InvoiceDocument document;
        document.number = invoice.number;
        document.money.lines = {{invoice.first, invoice.last, 9000, 1500000, subtotal}};
        document.money.billedSeconds = 540000;
        document.money.subtotalCents = subtotal;
        document.money.taxCents = subtotal * 19 / 100;
        document.money.totalCents = subtotal + document.money.taxCents;
        return std::optional(document);
    };
    request.writePdf = [](const InvoiceDocument& note, const std::string& path, std::string&) {
        WriteFile(path, PdfOf(note.number));
        return true;
    };
    return request;
}

TEST(IssueInvoice, aRefusalOrAFailureAtAnyStepChangesNoFileAndUsesNoNumber) {
    struct Attempt {
        InvoiceRequest request;
        PdfWriter writer = WritePdf;
        bool fileLimit = false;  // a file-size limit below the register's size
    };
    const struct {
        const char* name;
        // Prepares the attempt; returns the start of the message it must give.
        std::function<std::string(Books&, Attempt&)> prepare;
    } cases[] = {
        {"days billed already",
         [](Books& b, Attempt& a) {
             a.request = b.Request({2026, 11, 30}, {2026, 12, 2}, "x.pdf");
             return "The days 2026-11-01 to 2026-11-30 of client Acme are billed in invoice "
                    "2026-001; cancel it first to bill them again.";
         }},
        {"PDF not written",
         [](Books&, Attempt& a) {
             a.writer = [](const InvoiceEntry&, const std::string&, std::string& error) {
                 error = "disk on fire";
                 return false;
             };
             return std::string("disk on fire");
         }},
        {"archive cannot be made",
         [](Books& b, Attempt&) {
             WriteFile(b.dir.File("books/invoices"), "a file of mine");
             return "The invoice archive " + b.dir.File("books/invoices") + " is not a folder";
         }},
        {"register cannot be written",
         [](Books& b, Attempt& a) {
             a.fileLimit = true;
             return "Cannot write the invoice register " + b.registerPath + ": File too large";
         }},
        {"register damaged by hand",
         [](Books& b, Attempt&) {
             WriteFile(b.registerPath, b.base + "2026-003 Acme\n");
             return b.registerPath + ":5: expected 13 TAB-separated fields, found 1";
         }},
        {"PDF over the register",
         [](Books& b, Attempt& a) {
             a.request.pdfPath = b.registerPath;
             return "Cannot write the invoice to " + b.registerPath +
                    ": it is the invoice "
                    "register";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Books books;
        Attempt attempt;
        attempt.request = books.December();
        const std::string message = c.prepare(books, attempt);
        const test::FolderSnapshot before = test::SnapshotTree(books.dir.Path());
        // In a child, so that a limit stays out of the test.
        const test::ChildOutcome result = test::RunInChild([&](std::string& report) {
            const rlimit limit{1024, 1024};
            std::signal(SIGXFSZ, SIG_IGN);
            if (attempt.fileLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
            const RegisterChange change =
                IssueInvoice(books.registerPath, {}, attempt.request, attempt.writer);
            report = change.error;
            return change.ok;
        });
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.report.starts_with(message)) << result.report;
        EXPECT_EQ(test::SnapshotTree(books.dir.Path()), before);
        if (ReadFile(books.registerPath) != books.base) continue;  // damaged: nothing more
        // The user's file where the archive belongs would refuse the next one too.
        if (std::filesystem::is_regular_file(books.dir.File("books/invoices")))
            std::filesystem::remove(books.dir.File("books/invoices"));
        const RegisterChange next =
            IssueInvoice(books.registerPath, {}, books.December(), WritePdf);
        EXPECT_EQ(next.entry.number, "2026-003") << next.error;
    }
}

TEST(ChangeInvoice, marksPaidAndCancelsByNumberAndRefusesWhatCannotBe) {
    enum Op { Paid, Cancel };
    const struct {
        Op op;
        const char* number;
        CalendarDate day;
        bool damaged;
        std::string error;  // a part of the refusal; empty: done, that line rewritten
        const char* state;  // the line's new state
    } cases[] = {
        {Paid, "2026-001", {2026, 12, 10}, false, "", "paid 2026-12-10"},
        {Cancel, "2026-001", {}, false, "", "cancelled by 2026-C001"},
        {Paid, "2026-001", {2026, 11, 30}, false, "2026-12-01; it cannot be paid before.", ""},
        {Paid, "2026-002", {2026, 12, 10}, false, "is cancelled; it cannot be paid.", ""},
        {Cancel, "2026-002", {}, false, "Invoice 2026-002 is cancelled already.", ""},
        {Cancel, "2026-009", {}, false, "There is no invoice 2026-009 in", ""},
        {Cancel, "2026-001", {}, true, ":5: expected 13 TAB-separated", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.number) + (c.op == Paid ? " paid" : " cancel"));
        Books books;
        if (c.damaged) WriteFile(books.registerPath, books.base + "oops\n");
        const test::FolderSnapshot before = test::SnapshotTree(books.dir.Path());
        const RegisterChange change =
            c.op == Paid ? MarkInvoicePaid(books.registerPath, c.number, c.day, {2026, 12, 31})
                         : CancelInvoice(books.registerPath, {kDefaultCreditFormat, ""},
                                         CreditOf(c.number, 120000));
        if (!c.error.empty()) {
            EXPECT_FALSE(change.ok);
            EXPECT_NE(change.error.find(c.error), std::string::npos) << change.error;
            EXPECT_EQ(test::SnapshotTree(books.dir.Path()), before);
            continue;
        }
        ASSERT_TRUE(change.ok) << change.error;
        std::string expected = books.base;
        const std::size_t line = expected.find("2026-001\t");
        expected.replace(expected.find("\tissued\t", line) + 1, 6, c.state);
        const std::string notePdf = ArchivePath(books.registerPath, "2026-C001");
        if (c.op == Cancel)
            expected +=
                "2026-C001\tAcme\t2026-11-01\t2026-11-30\t2026-12-31\t2026-12-31\t540000\t"
                "-1200.00\t-228.00\t-1428.00\tEUR\tcredit note of 2026-001\t" +
                notePdf + "\n";
        EXPECT_EQ(ReadFile(books.registerPath), expected);
        if (c.op != Cancel) continue;
        EXPECT_EQ(ReadFile(notePdf), PdfOf("2026-C001"));
        const KeptDocumentRead kept =
            ReadKeptDocument(KeptDocumentPath(books.registerPath, "2026-C001"));
        EXPECT_TRUE(kept.Ok() && kept.document.corrects == "2026-001" &&
                    kept.document.money.totalCents == -142800)
            << kept.problem;
        // A cancelled invoice's days may be billed again, under a new number.
        const auto again = IssueInvoice(
            books.registerPath, {}, books.Request({2026, 11, 1}, {2026, 11, 30}, "n"), WritePdf);
        EXPECT_EQ(again.entry.number, "2026-003") << again.error;
    }
}

// A credit note of an invoice issued before documents were kept is refused where the document
// made again does not bill the register's figures.
TEST(ChangeInvoice, refusesACreditNoteOfOtherFigures) {
    Books books;
    const test::FolderSnapshot before = test::SnapshotTree(books.dir.Path());
    const RegisterChange change =
        CancelInvoice(books.registerPath, {kDefaultCreditFormat, ""}, CreditOf("2026-001", 119999));
    EXPECT_NE(change.error.find("now give other figures: its lines bill 1199.99 (subtotal), "
                                "227.99 (tax) and 1427.98 (total) for 540000 seconds, the register "
                                "1200.00, 228.00 and 1428.00 for 540000 seconds."),
              std::string::npos)
        << change.error;
    EXPECT_EQ(test::SnapshotTree(books.dir.Path()), before);
}

TEST(IssueInvoice, fourProcessesAtOnceShareOneSeries) {
    constexpr int kProcesses = 4;
    constexpr int kEach = 25;
    Books books;  // numbers 2026-001 and 2026-002 are taken
    const auto children = test::RunInChildren(kProcesses, [&](int p, std::string&) {
        bool all = true;
        for (int i = 0; i < kEach; ++i) {
            const CalendarDate day{2026, 1 + i / 28, 1 + i % 28};
            InvoiceRequest request = books.Request(day, day, std::to_string(p * kEach + i));
            request.client = "Client " + std::to_string(p);
            all &= IssueInvoice(books.registerPath, {}, request, WritePdf,
                                {std::chrono::seconds(60), {}})
                       .ok;
        }
        return all;
    });
    for (const test::ChildOutcome& child : children) EXPECT_EQ(child.exitCode, 0);
    const RegisterRead read = ReadRegister(books.registerPath);
    ASSERT_TRUE(read.Ok()) << read.problem;
    std::set<std::string> numbers;
    for (const InvoiceEntry& e : read.reg.Entries()) {
        numbers.insert(e.number);
        if (e.client == "Acme") continue;
        EXPECT_EQ(ReadFile(e.pdf), PdfOf(e.number));
        EXPECT_EQ(ReadFile(ArchivePath(books.registerPath, e.number)), PdfOf(e.number));
    }
    EXPECT_EQ(read.reg.Entries().size(), 102u);
    ASSERT_EQ(numbers.size(), 102u);
    EXPECT_EQ(*numbers.rbegin(), "2026-102");
    // Each with its PDF and its kept document.
    EXPECT_EQ(test::SnapshotFolder(ArchiveFolder(books.registerPath)).size(), 200u);
}

// Killed at any step, the register is the old one or the new one; a numbered PDF stands at
// the user's path or in the archive only when the register holds it, and the PDF that was
// there before stays whole until then. The next issue finishes an archive copy left behind.
TEST(IssueKilled, leavesTheOldRegisterOrTheNewOneAndNoNumberedPdfOutsideIt) {
    int total = INT_MAX;
    for (int stop = 0; stop <= total; ++stop) {
        Books books;
        const InvoiceRequest request = books.December();
        WriteFile(request.pdfPath, PdfOf("old"));
        const std::string newRegister =
            books.base +
            "2026-003\tAcme\t2026-12-01\t2026-12-06\t2026-12-07\t2026-12-21\t7200\t170.00\t0.00\t"
            "170.00\tEUR\tissued\t" +
            request.pdfPath + "\n";
        const std::string archived = ArchivePath(books.registerPath, "2026-003");
        test::TracedChild child(
            [&] { return IssueInvoice(books.registerPath, {}, request, WritePdf).ok; });
        bool issuedByItself = false;
        const int passed = child.RunAndKillAt(total == INT_MAX ? INT_MAX : stop, issuedByItself);
        if (total == INT_MAX) {
            // The first run counts the steps of a whole issue.
            ASSERT_TRUE(issuedByItself);
            total = passed;
            ASSERT_EQ(ReadFile(books.registerPath), newRegister);
            ASSERT_EQ(ReadFile(request.pdfPath), PdfOf("2026-003"));
            ASSERT_GT(total, 20);
            stop = -1;
            continue;
        }
        SCOPED_TRACE("killed after " + std::to_string(stop) + " of " + std::to_string(total) +
                     " system call stops");
        const std::string reg = ReadFile(books.registerPath);
        ASSERT_TRUE(reg == books.base || reg == newRegister) << reg;
        const std::string pdf = ReadFile(request.pdfPath);
        if (reg == books.base) {
            EXPECT_EQ(pdf, PdfOf("old"));
            EXPECT_FALSE(std::filesystem::exists(archived));
        } else {
            EXPECT_TRUE(pdf == PdfOf("old") || pdf == PdfOf("2026-003")) << pdf;
        }
        // No number used is taken by the next issue; a used one has its archive copy then.
        const InvoiceRequest next =
            reg == books.base ? request : books.Request({2027, 1, 4}, {2027, 1, 8}, "jan.pdf");
        const RegisterChange issued = IssueInvoice(books.registerPath, {}, next, WritePdf);
        EXPECT_EQ(issued.entry.number, reg == books.base ? "2026-003" : "2026-004") << issued.error;
        EXPECT_EQ(ReadFile(archived), PdfOf("2026-003"));
        EXPECT_EQ(ReadFile(KeptDocumentPath(books.registerPath, "2026-003")), "kept 2026-003");
    }
    EXPECT_LT(total, INT_MAX);
}

}  // namespace
}  // namespace tally
