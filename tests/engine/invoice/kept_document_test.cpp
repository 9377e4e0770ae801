// SPDX-License-Identifier: MIT
// The document kept beside an invoice's PDF reads back as it was written, every value; a file
// changed since is refused, naming the line.

#include "invoice/kept_document.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tally {
namespace {

// Every value set, text with the characters the file escapes, lines of a day and a period.
InvoiceDocument Sample() {
    InvoiceDocument d;
    d.number = "2026-007";
    d.issued = {2026, 12, 7};
    d.due = {2026, 12, 21};
    d.first = {2026, 11, 1};
    d.last = {2026, 11, 30};
    d.issuer = {"Jo \\ Smith", "Street 1\nBerlin\r\n", "jo@example.org", "21/815", "Bank\tX",
                "14 days"};
    d.issuer.country = "DE";
    d.issuer.phone = "+49 30 1";
    d.issuer.vatId = "DE987654321";
    d.issuer.iban = "DE89370400440532013000";
    d.issuer.bic = "COBADEFFXXX";
    d.issuer.smallBusiness = true;
    d.issuer.smallBusinessNote = "no VAT, \\n stays";
    d.issuer.logo = "/home/jo/logo.png";
    d.clientName = "Kunde GmbH";
    d.clientAddress = "Weg 2\n10115 Berlin";
    d.clientNumber = "K-1";
    d.clientCountry = "DE";
    d.clientVatId = "DE123456789";
    d.clientReference = "PO-4711";
    d.service = "Software development";
    d.currency = "EUR";
    d.language = "de";
    d.tax = {7.25, TaxNote::Exempt, "exempt as a school"};
    d.money.price = {3333333, 5};  // 33.33333
    d.money.lines = {{{2026, 11, 2}, {2026, 11, 2}, 440, 73333, 24444},
                     {{2026, 11, 3}, {2026, 11, 30}, 1, 167, 6}};
    d.money.billedSeconds = 441 * 60;
    d.money.subtotalCents = 24450;
    d.money.taxCents = 1773;
    d.money.totalCents = 26223;
    return d;
}

TEST(KeptDocument, readsBackEveryValueAndRefusesAChangedFile) {
    InvoiceDocument note = CreditNoteOf(Sample(), "2026-C001", {2026, 12, 9});
    for (const InvoiceDocument& document : {Sample(), note, InvoiceDocument{}}) {
        SCOPED_TRACE(document.number);
        const KeptDocumentRead read = ParseKeptDocument(KeptDocumentText(document), "d.txt");
        EXPECT_TRUE(read.Ok()) << read.problem;
        EXPECT_TRUE(read.document == document);
    }
    EXPECT_EQ(note.money.lines[0].quantity, -73333);
    EXPECT_EQ(note.money.totalCents, -26223);
    EXPECT_EQ(note.money.price, Sample().money.price);
    EXPECT_EQ(note.corrects, "2026-007");
    EXPECT_EQ(note.correctsIssued, (CalendarDate{2026, 12, 7}));

    const std::string text = KeptDocumentText(Sample());
    const auto changed = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        std::string text;
        const char* problem;
    } damaged[] = {
        {"", "d.txt:1: not a kept invoice document"},
        {changed("due\t2026-12-21\n", ""), "d.txt:5: expected the value 'due', found 'first"},
        {changed("Berlin\\r\\n", "Berlin\\x"), "d.txt:11: the value 'issuer-address' cannot"},
        {changed("tax-note\texempt", "tax-note\tnone at all"), "d.txt:34: the value 'tax-note'"},
        {changed("244.44", "244.45"), "d.txt: the lines do not add up to the subtotal"},
        {changed("total\t262.23", "total\t262.2"), "d.txt:42: the value 'total' cannot"},
        {changed("total\t262.23", "total\t262.24"), "d.txt: the subtotal and the tax do not"},
        {text.substr(0, text.find("subtotal")), "d.txt:40: the file ends before the value "},
        {text + "line\t2026-11-04", "d.txt:43: 'line' stands after the last value"},
    };
    for (const auto& d : damaged) {
        const KeptDocumentRead read = ParseKeptDocument(d.text, "d.txt");
        EXPECT_TRUE(read.problem.starts_with(d.problem)) << read.problem;
        EXPECT_FALSE(read.Ok());
    }
    test::TempDir dir;
    EXPECT_TRUE(ReadKeptDocument(dir.File("none.txt")).missing);
    test::WriteFile(dir.File("x.txt"), text);
    EXPECT_TRUE(ReadKeptDocument(dir.File("x.txt")).document == Sample());
}

}  // namespace
}  // namespace tally
