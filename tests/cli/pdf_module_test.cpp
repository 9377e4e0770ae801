// SPDX-License-Identifier: MIT
// The invoice PDF as tally writes it: through the module, in a process without a Qt
// application, read back with pdftotext.

#include "cli/pdf_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/c_format.h"
#include "log_text.h"
#include "process.h"
#include "test_support.h"

namespace tally::cli {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A date as the C locale writes it short; the tests pin the C locale.
std::string CDate(int year, int month, int day) {
    return FormatC("%d %s %d", day, kMonths[month - 1], year);
}

// The PDF's text, each run of blanks one space, so that table cells read in order, and no
// thousands separators (the C locale of the tests has them, the text invoice not).
std::string PdfText(const std::string& pdf) {
    const test::ProcessResult r = test::RunProcess({"pdftotext", "-layout", pdf, "-"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string text;
    for (char c : r.out) {
        if (c == ',') continue;
        if (c == ' ' && !text.empty() && (text.back() == ' ' || text.back() == '\n')) continue;
        if (c == '\n' && !text.empty() && text.back() == ' ') text.pop_back();
        text += c;
    }
    return text;
}

TEST(PdfModuleTest, aMonthsInvoiceShowsTheTextInvoicesFigures) {
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
    ASSERT_TRUE(WriteInvoicePdfWith(TALLY_PDF_MODULE_FILE, doc, pdf, error)) << error;
    const std::string text = PdfText(pdf);

    for (const std::string& expected :
         {std::string("2004-017"), "Issue date " + CDate(2004, 7, 2),
          "Due date " + CDate(2004, 8, 1),
          "Period " + CDate(2004, 6, 1) + " \u2013 " + CDate(2004, 6, 30), std::string("Acme Ltd"),
          std::string("Client number: C-7"), std::string("Jo Smith")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    // Every day line and the total as the text invoice has them: "2004-06-01 8:15 = 309.38".
    std::istringstream lines(*GenerateInvoice(log, first, last, 37.5, rounding));
    std::string line;
    int days = 0;
    std::string subtotal;
    while (std::getline(lines, line)) {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0;
        char amount[32] = "";
        if (std::sscanf(line.c_str(), "%d-%d-%d %d:%d = %31s", &y, &mo, &d, &h, &mi, amount) == 6) {
            const std::string row = FormatC("%s %d:%02d %.2f 37.50 %s", CDate(y, mo, d).c_str(), h,
                                            mi, h + mi / 60.0, amount);
            EXPECT_NE(text.find("\n" + row + "\n"), std::string::npos) << row << " in\n" << text;
            ++days;
        } else if (std::sscanf(line.c_str(), "%*d hours, %*d minutes = %31s", amount) == 1) {
            subtotal = amount;
        }
    }
    EXPECT_EQ(days, static_cast<int>(figures->days.size()));
    ASSERT_FALSE(subtotal.empty());
    const double tax = static_cast<double>(doc.taxCents) / 100;
    EXPECT_NE(text.find("\nSubtotal " + subtotal + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(FormatC("\nTax (19 %%) %.2f\n", tax)), std::string::npos) << text;
    EXPECT_NE(text.find(FormatC("\nTotal %.2f EUR\n", std::stod(subtotal) + tax)),
              std::string::npos)
        << text;
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
        EXPECT_FALSE(WriteInvoicePdfWith(c.module, doc, c.pdf, error)) << c.pdf;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(c.pdf)) << c.pdf;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace tally::cli
