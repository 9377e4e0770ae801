// SPDX-License-Identifier: MIT
#include "invoice/invoice_register.h"

#include <gtest/gtest.h>

#include "invoice/invoice_number.h"

namespace tally {
namespace {

const std::string kHead = std::string(kRegisterFormatLine) + "\n# columns\n";
const std::string kLine =
    "2026-001\tAcme\t2026-11-01\t2026-11-30\t2026-12-01\t2026-12-15\t540000\t1200.00\t228.00\t"
    "1428.00\tEUR\tissued\t/home/u/2026-001.pdf";

// kLine with one of its TAB-separated fields replaced.
std::string With(std::size_t field, const std::string& value) {
    std::string line = kLine;
    std::size_t start = 0;
    for (std::size_t i = 0; i < field; ++i) start = line.find('\t', start) + 1;
    const std::size_t end = line.find('\t', start);
    return line.replace(start, end == std::string::npos ? end : end - start, value);
}

TEST(InvoiceRegister, readsEveryWellFormedRegisterBackByteForByteAndNamesADamagedLine) {
    const struct {
        std::string text;
        std::size_t entries;
        std::string problem;  // after "r.txt:"
    } cases[] = {
        {"", 0, ""},
        {kHead + kLine + "\n", 1, ""},
        {kHead + "# a note of mine\n\n" + kLine + "\n" + With(0, "2026-002") + "\n", 2, ""},
        {kHead + "2026-002\tAcme\n", 0, "3: expected 13 TAB-separated fields, found 2"},
        {kHead + kLine + "\n" + With(0, "2026-002") + "\n" +
             With(0, "2026-003").replace(kLine.find("issued"), 6, "paid 2026-12-09") + "\n" +
             With(0, "2026-004").replace(kLine.find("issued"), 6, "cancelled") + "\n",
         4, ""},
        // A credit note and the invoice it cancels.
        {kHead + With(11, "cancelled by 2026-C001") + "\n" +
             "2026-C001\tAcme\t2026-11-01\t2026-11-30\t2026-12-09\t2026-12-09\t540000\t-1200.00\t"
             "-228.00\t-1428.00\tEUR\tcredit note of 2026-001\t/home/u/2026-C001.pdf\n",
         2, ""},
        {kHead + With(11, "credit note of 2026-009") + "\n", 0,
         "3: a credit note's amount is positive or not finite"},
        {kHead + With(7, "-1200.00") + "\n", 0, "3: an amount is negative or not finite"},
        {kHead + With(11, "cancelled by 2026-001") + "\n", 0,
         "3: the state names no other number, or this one"},
        {kLine + "\n", 0,
         "1: not an invoice register: its first line must be \"" +
             std::string(kRegisterFormatLine) + "\""},
        {kHead + With(2, "2026-02-30") + "\n", 0,
         "3: the first day '2026-02-30' is not a date (YYYY-MM-DD)"},
        {kHead + With(3, "2026-10-31") + "\n", 0, "3: the last day 2026-10-31 is before the first"},
        {kHead + With(6, "1.5") + "\n", 0, "3: the seconds '1.5' are not a whole number"},
        {kHead + With(9, "1,428.00") + "\n", 0,
         "3: the total '1,428.00' is not an amount (digits, and at most two after a '.')"},
        // Written back, a third decimal would be rounded away.
        {kHead + With(7, "1.005") + "\n", 0,
         "3: the subtotal '1.005' is not an amount (digits, and at most two after a '.')"},
        {kHead + With(10, "eur") + "\n", 0, "3: the currency 'eur' is not three capital letters"},
        {kHead + With(11, "paid") + "\n", 0,
         "3: the state 'paid' is none of issued, paid YYYY-MM-DD, cancelled [by NUMBER] and credit "
         "note of NUMBER"},
        {kHead + With(12, "") + "\n", 0, "3: the PDF's name is empty or has a TAB in it"},
        {kHead + kLine + "\n" + With(1, "Other") + "\n", 0,
         "4: the number 2026-001 stands on line 3 already"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const RegisterRead read = ParseRegister(c.text, "r.txt");
        if (!c.problem.empty()) {
            EXPECT_EQ(read.problem, "r.txt:" + c.problem);
            continue;
        }
        ASSERT_TRUE(read.Ok()) << read.problem;
        EXPECT_EQ(read.reg.Entries().size(), c.entries);
        // Every entry written back from what was read gives its line again.
        InvoiceRegister rewritten = read.reg;
        for (const InvoiceEntry& e : read.reg.Entries()) rewritten.Replace(e);
        EXPECT_EQ(rewritten.Text(), c.text);
    }
}

TEST(InvoiceRegister, notesTheInvoicesWhosePdfCarriesItsXml) {
    const InvoiceEntry plain = ParseRegister(kHead + kLine + "\n", "r").reg.Entries().at(0);
    InvoiceEntry hybrid = plain;
    hybrid.number = "2026-002";
    hybrid.hasXml = true;
    InvoiceRegister reg;
    reg.Add(plain);
    reg.Add(hybrid);
    // A comment after the invoice's line, which stays as it was.
    EXPECT_TRUE(reg.Text().ends_with("\n" + EntryLine(plain) + "\n" + EntryLine(hybrid) +
                                     "\n# e-invoice\t2026-002\n"))
        << reg.Text();
    RegisterRead read = ParseRegister(reg.Text(), "r");
    ASSERT_TRUE(read.Ok()) << read.problem;
    EXPECT_EQ(read.reg.Entries(), (std::vector<InvoiceEntry>{plain, hybrid}));
    // A change of state keeps the note.
    hybrid.state = InvoiceState::Cancelled;
    hybrid.hasXml = false;
    ASSERT_TRUE(read.reg.Replace(hybrid));
    EXPECT_TRUE(ParseRegister(read.reg.Text(), "r").reg.Entries().at(1).hasXml);
    // A note naming no invoice, or not as a note is written, is only a comment.
    for (const char* note :
         {"# e-invoice\t2026-009", "# e-invoice 2026-001", "#e-invoice\t2026-001"}) {
        const RegisterRead noted = ParseRegister(kHead + kLine + "\n" + note + "\n", "r");
        ASSERT_TRUE(noted.Ok()) << noted.problem;
        EXPECT_FALSE(noted.reg.Entries().at(0).hasXml) << note;
    }
}

TEST(InvoiceRegister, lastInvoicedDayIsTheClientsLatestNotCancelled) {
    InvoiceRegister reg;
    const auto add = [&](const char* number, const char* client, int month, InvoiceState state) {
        reg.Add({number,
                 client,
                 {2026, month, 1},
                 {2026, month, 28},
                 {2026, 12, 1},
                 {2026, 12, 15},
                 0,
                 0,
                 0,
                 0,
                 "EUR",
                 state,
                 {2026, 12, 9},
                 "x.pdf"});
    };
    add("1", "Acme", 11, InvoiceState::Issued);
    add("2", "Acme", 10, InvoiceState::Paid);
    add("3", "Acme", 12, InvoiceState::Cancelled);
    add("4", "Bolt", 12, InvoiceState::Issued);
    EXPECT_EQ(LastInvoicedDay(reg, "Acme"), (CalendarDate{2026, 11, 28}));
    EXPECT_EQ(LastInvoicedDay(reg, "Nobody"), std::nullopt);
}

TEST(InvoiceNumber, followsTheFormatRestartsEachYearAndContinuesAFirstNumber) {
    const struct {
        const char* format;
        const char* first;
        int year;
        std::vector<std::string> used;
        const char* number;   // nullptr: refused with the problem
        const char* problem;  // a part of it
    } cases[] = {
        {kDefaultNumberFormat, "", 2026, {}, "2026-001", ""},
        {kDefaultNumberFormat, "", 2026, {"2026-002", "2026-001", "2025-007"}, "2026-003", ""},
        {kDefaultNumberFormat, "", 2027, {"2026-017"}, "2027-001", ""},
        {kDefaultNumberFormat, "", 2026, {"2026-999"}, "2026-1000", ""},
        {kDefaultNumberFormat, "2026-040", 2026, {"2026-003"}, "2026-040", ""},
        {kDefaultNumberFormat, "2026-040", 2026, {"2026-041"}, "2026-042", ""},
        {kDefaultNumberFormat, "2026-040", 2027, {"2026-041"}, "2027-001", ""},
        {"INV-{seq:4}", "", 2026, {"INV-0009", "2026-001", "INV-9x"}, "INV-0010", ""},
        {"{year}.{seq}", "", 2026, {"2026.01"}, "2026.2", ""},
        {kDefaultNumberFormat,
         "40",
         2026,
         {},
         nullptr,
         "the first invoice number '40' does not follow the format '{year}-{seq:3}'"},
        {"{year}-{sequence}",
         "",
         2026,
         {},
         nullptr,
         "the invoice number format '{year}-{sequence}' has an unknown field {sequence} (it "
         "takes {year}, {seq} and {seq:N})"},
        // An unclosed field is refused, not read on from its start (which never ended).
        {"{year}-{seq", "", 2026, {}, nullptr, "has an unknown field {seq (it is not closed"},
        {"{year", "", 2026, {}, nullptr, "has an unknown field {year (it is not closed"},
        {"{seq:12}", "", 2026, {}, nullptr, "has an unknown field {seq:12}"},
        {"{seq:999999999}", "", 2026, {}, nullptr, "has an unknown field {seq:999999999}"},
        {"{seq:0}", "", 2026, {}, nullptr, "has an unknown field {seq:0}"},
        {"{seq:9}", "", 2026, {"999999999"}, nullptr, "has no number left"},
        {"{year}",
         "",
         2026,
         {},
         nullptr,
         "the invoice number format '{year}' needs {seq} (or {seq:N}) once and {year} at most "
         "once"},
        {"{seq}{year}",
         "",
         2026,
         {},
         nullptr,
         "in the invoice number format '{seq}{year}' the sequence must not be followed directly "
         "by digits or {year}"},
        {"{year}/{seq}",
         "",
         2026,
         {},
         nullptr,
         "the invoice number format '{year}/{seq}' may hold only letters, digits, '-', '_', '.' "
         "and its fields"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " first " + c.first);
        std::string problem;
        const auto number = NextInvoiceNumber({c.format, c.first}, c.year, c.used, problem);
        EXPECT_EQ(number, c.number ? std::optional<std::string>(c.number) : std::nullopt);
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), *c.problem == '\0');
    }
}

}  // namespace
}  // namespace tally
