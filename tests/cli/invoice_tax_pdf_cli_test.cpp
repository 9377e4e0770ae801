// SPDX-License-Identifier: MIT
// A PDF invoice as an accounts department reads it, for each way a buyer is taxed: who sends
// it to whom with their VAT ids, what each line bills and that it adds up, and the tax or
// the note that stands for it.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

TEST(InvoiceTaxPdfCli, eachBuyerGetsItsLinesTotalsAndTaxOrNote) {
    // Three days of 7:20 (7.3333 h) at 90.00: 660.00 a line, 1980.00 together; a period's
    // line is 22.0000 h.
    const struct {
        const char* name;
        std::vector<std::string> buyer;  // client set KEY VALUE pairs
        bool smallBusiness;
        const char* lines;
        int rows;
        const char* taxRow;  // empty: no tax row
        const char* note;
        const char* total;
    } cases[] = {
        {"Kunde GmbH",
         {"country", "DE", "vat-id", "DE123456789", "reference", "PO-4711"},
         false,
         "day",
         3,
         "Tax (19 %) 376.20",
         "",
         "2356.20"},
        {"Client SARL",
         {"country", "FR", "vat-id", "FR40303265045", "treatment", "reverse-charge"},
         false,
         "day",
         3,
         "",
         "Reverse charge: VAT is due by the recipient (Article 196 Council Directive "
         "2006/112/EC).",
         "1980.00"},
        {"Kunde AG",
         {"country", "CH", "treatment", "outside-scope"},
         false,
         "period",
         1,
         "",
         "Not subject to VAT: services to a customer outside the EU",
         "1980.00"},
        {"Kunde GmbH",
         {"country", "DE", "vat-id", "DE123456789"},
         true,
         "day",
         3,
         "",
         "Kleinunternehmer: no VAT charged.",
         "1980.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.smallBusiness ? " small business" : ""));
        TallyHarness tally;
        const std::string log = tally.home.File("client.dat");
        std::string pairs;
        for (int day = 2; day <= 4; ++day)
            pairs += Triple(FormatC("2026-11-%02d 09:00:00", day),
                            FormatC("2026-11-%02d 16:20:40", day));
        WriteFile(log, pairs);
        const auto run = [&](const std::vector<std::string>& args) {
            const ProcessResult r = tally.Run(args);
            EXPECT_EQ(r.exitCode, 0) << testing::PrintToString(args) << r.err;
        };
        for (const auto& [key, value] :
             std::vector<std::pair<std::string, std::string>>{{"name", "Jo Smith"},
                                                              {"country", "DE"},
                                                              {"vat-id", "DE987654321"},
                                                              {"tax-number", "21/815/08150"}})
            run({"issuer", "set", key, value});
        if (c.smallBusiness) {
            run({"issuer", "set", "small-business-note", c.note});
            run({"issuer", "set", "small-business", "on"});
        }
        run({"client", "add", c.name, "--log", log, "--rate", "90", "--tax", "19", "--currency",
             "EUR"});
        run({"client", "set", c.name, "service", "Software development"});
        for (std::size_t i = 0; i + 1 < c.buyer.size(); i += 2)
            run({"client", "set", c.name, c.buyer[i], c.buyer[i + 1]});
        const std::string pdf = tally.home.File("invoice.pdf");
        run({"invoice", "2026-11-01", "2026-11-30", "--client", c.name, "--pdf", pdf, "--lines",
             c.lines});

        const std::string text = PdfCellText(pdf);
        std::vector<std::string> expected = {
            "Jo Smith", "VAT ID: DE987654321",  "Tax number: 21/815/08150",
            c.name,     "\nSubtotal 1980.00\n", FormatC("\nTotal %s EUR\n", c.total)};
        for (std::size_t i = 0; i + 1 < c.buyer.size(); i += 2) {
            if (c.buyer[i] == "vat-id") expected.push_back("VAT ID: " + c.buyer[i + 1]);
            if (c.buyer[i] == "country") expected.push_back("Country: " + c.buyer[i + 1]);
            if (c.buyer[i] == "reference") expected.push_back("reference: " + c.buyer[i + 1]);
        }
        if (*c.taxRow != '\0') expected.push_back(FormatC("\n%s\n", c.taxRow));
        if (*c.note != '\0') expected.push_back(c.note);
        for (const std::string& e : expected)
            EXPECT_NE(text.find(e), std::string::npos) << e << " in\n" << text;
        EXPECT_EQ(text.find("Tax (") != std::string::npos, *c.taxRow != '\0') << text;

        // "Software development 2 Nov 2026 7.3333 90.00 660.00" (the reader drops commas), or
        // the period's "... 1 Nov 2026 – 30 Nov 2026 22.0000 90.00 1980.00".
        std::istringstream lines(text);
        int rows = 0;
        long long sum = 0;
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("Software development ")) continue;
            long long h = 0, q = 0, r = 0, rc = 0, a = 0, ac = 0;
            const std::size_t end = line.rfind(" 2026 ");
            ASSERT_NE(end, std::string::npos) << line;
            ASSERT_EQ(std::sscanf(line.c_str() + end + 6, "%lld.%4lld %lld.%2lld %lld.%2lld", &h,
                                  &q, &r, &rc, &a, &ac),
                      6)
                << line;
            EXPECT_EQ(FormatC("%lld.%04lld", h, q), *c.lines == 'p' ? "22.0000" : "7.3333");
            EXPECT_EQ(a * 100 + ac, ((h * 10000 + q) * (r * 100 + rc) + 5000) / 10000) << line;
            sum += a * 100 + ac;
            ++rows;
        }
        EXPECT_EQ(rows, c.rows) << text;
        EXPECT_EQ(sum, 198000);
        const bool period = *c.lines == 'p';
        EXPECT_EQ(
            text.find("Software development 1 Nov 2026 \u2013 30 Nov 2026") != std::string::npos,
            period)
            << text;
    }
}

}  // namespace
}  // namespace tally::test
