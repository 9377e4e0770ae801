// SPDX-License-Identifier: MIT
// The invoice PDF as tally writes it: through the module, in a process without a Qt
// application, read back with pdftotext.

#include "cli/pdf_module_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "log_text.h"
#include "report_lines.h"
#include "test_support.h"
#include "time/c_format.h"

namespace tally::cli {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A date as the C locale writes it short; the tests pin the C locale.
std::string CDate(int year, int month, int day) {
    return FormatC("%d %s %d", day, kMonths[month - 1], year);
}

TEST(PdfModuleTest, aMonthsInvoiceShowsTheDocumentsFigures) {
    test::TempDir dir;
    const std::string log = dir.File("acme.dat");
    std::string pairs;
    for (int day = 1; day <= 30; day += 1 + day % 3) {
        pairs += test::Triple(FormatC("2004-06-%02d 08:00:00", day),
                              FormatC("2004-06-%02d %02d:%02d:17", day, 9 + day % 9, day * 7 % 60));
    }
    test::WriteFile(log, pairs);
    const CalendarDate first{2004, 6, 1};
    const CalendarDate last{2004, 6, 30};
    const RoundingOptions rounding{kRoundNone, 0};
    const auto figures = ComputeInvoice(log, first, last, 37.5, rounding);
    ASSERT_TRUE(figures.has_value());
    const Client client{"Acme Ltd", log,  37.5, "EUR", 19.0, "1 Main Street\nSpringfield",
                        30,         "C-7"};
    const Issuer issuer{"Jo Smith", "2 Side Road\nShelbyville", "jo@example.org",
                        "DE123",    "IBAN DE00 1234",           "Payable within 30 days."};
    const InvoiceDocument doc =
        MakeInvoiceDocument(*figures, client, issuer, "2004-017", {2004, 7, 2}, first, last);
    const std::string pdf = dir.File("invoice.pdf");
    std::string error;
    ASSERT_TRUE(WriteInvoicePdfWith(TALLY_PDF_MODULE_FILE, doc, {}, pdf, error)) << error;
    const std::string text = test::PdfCellText(pdf);

    for (const std::string& expected :
         {std::string("2004-017"), "Issue date " + CDate(2004, 7, 2),
          "Due date " + CDate(2004, 8, 1),
          "Period " + CDate(2004, 6, 1) + " \u2013 " + CDate(2004, 6, 30), std::string("Acme Ltd"),
          std::string("Client number: C-7"), std::string("Jo Smith")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    // Every day line and the totals as the document holds them: "1 Jun 2004 8.2500 37.50
    // 309.38".
    const auto decimal = [](std::int64_t units, int places) {
        return DecimalText({units, places}, places);
    };
    const InvoiceMoney& money = doc.money;
    ASSERT_EQ(money.lines.size(), figures->days.size());
    for (const MoneyLine& l : money.lines) {
        const std::string row = CDate(l.date.year, l.date.month, l.date.day) + " " +
                                decimal(l.quantity, kQuantityPlaces) + " 37.50 " +
                                decimal(l.amountCents, 2);
        EXPECT_NE(text.find("\n" + row + "\n"), std::string::npos) << row << " in\n" << text;
    }
    for (const std::string& row : {"\nSubtotal " + decimal(money.subtotalCents, 2) + "\n",
                                   "\nTax (19 %) " + decimal(money.taxCents, 2) + "\n",
                                   "\nTotal " + decimal(money.totalCents, 2) + " EUR\n"}) {
        EXPECT_NE(text.find(row), std::string::npos) << row << " in\n" << text;
    }
}

TEST(PdfModuleTest, aFailureSaysWhyAndLeavesNoFile) {
    test::TempDir dir;
    const InvoiceDocument doc;
    struct Case {
        std::string module;
        std::string pdf;
        std::string message;
    };
    const Case cases[] = {
        {TALLY_PDF_MODULE_FILE, dir.File("absent/invoice.pdf"),
         "cannot write " + dir.File("absent/invoice.pdf")},
        {dir.File("absent.so"), dir.File("invoice.pdf"), "cannot load the PDF module"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(WriteInvoicePdfWith(c.module, doc, {}, c.pdf, error)) << c.pdf;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(c.pdf)) << c.pdf;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace tally::cli
