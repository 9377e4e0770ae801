// SPDX-License-Identifier: MIT
// A PDF invoice as an accounts department reads it, for each way a buyer is taxed: who sends
// it to whom with their VAT ids, what each line bills and that it adds up, and the tax or
// the note that stands for it, in the client's language with its dates and numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

// The words and figures of an invoice's language.
struct Language {
    const char* code;
    const char* vatId;  // the labels before a VAT id, a tax number and a country
    const char* taxNumber;
    const char* country;
    const char* taxRow;  // the tax row's label before its percent
    const char* group;   // the thousands separator
    char point;          // the decimal separator
};
const Language kEnglish{"en", "VAT ID: ", "Tax number: ", "Country: ", "Tax (", ",", '.'};
const Language kGerman{"de", "USt-IdNr.: ", "Steuernummer: ", "Land: ", "Umsatzsteuer (", ".", ','};
// pdftotext reads French's narrow no-break space as a blank; its rows stay under a thousand.
const Language kFrench{
    "fr", "N\u00b0 TVA intracommunautaire : ", "Num\u00e9ro fiscal : ", "Pays : ", "TVA (", "",
    ','};

// A client's own exemption note longer than the page is wide: it wraps, nothing is cut.
constexpr const char* kLongNote =
    "Als Kleinunternehmer im Sinne von \u00a7 19 Abs. 1 UStG wird keine Umsatzsteuer "
    "berechnet. Bitte \u00fcberweisen Sie den Rechnungsbetrag ohne Abzug innerhalb der "
    "Zahlungsfrist auf das unten genannte Konto; Fragen beantworten wir gern.";

TEST(InvoiceTaxPdfCli, eachBuyerGetsItsLinesTotalsAndTaxOrNoteInItsLanguage) {
    // Three days of 7:20 (7.3333 h) at 90.00: 660.00 a line, 1980.00 together; a period's
    // line is 22.0000 h. Issued on 7 Dec 2026, due 14 days later.
    const struct {
        const char* name;
        std::vector<std::string> buyer;  // client set KEY VALUE pairs
        const Language& language;
        const char* service;
        const char* smallBusinessNote;  // null: the issuer charges tax
        const char* lines;
        int rows;
        bool taxed;
        std::vector<std::string> shown;  // in the PDF's text as it reads
    } cases[] = {
        {"Kunde GmbH",
         {"country", "DE", "vat-id", "DE123456789", "reference", "PO-4711"},
         kGerman,
         "Softwareentwicklung",
         nullptr,
         "day",
         3,
         true,
         {"\nRECHNUNG\n", "Rechnungsnummer 2026-001", "Rechnungsdatum 7. Dez. 2026",
          "F\u00e4llig am 21. Dez. 2026", "Leistungszeitraum 1. Nov. 2026 \u2013 30. Nov. 2026",
          "Rechnungsempf\u00e4nger", "Ihre Referenz: PO-4711",
          "Beschreibung Stunden Einzelpreis Betrag (EUR)",
          "\nSoftwareentwicklung, 2. Nov. 2026 7,3333 90,00 660,00\n", "\nNettobetrag 1.980,00\n",
          "\nUmsatzsteuer (19 %) 376,20\n", "\nGesamtbetrag 2.356,20 EUR\n",
          "Sekunden werden nicht berechnet."}},
        {"Client SARL",
         {"country", "FR", "vat-id", "FR40303265045", "treatment", "reverse-charge"},
         kFrench,
         "D\u00e9veloppement logiciel",
         nullptr,
         "day",
         3,
         false,
         {"\nFACTURE\n", "N\u00b0 de facture 2026-001",
          "Date d\u2019\u00e9mission 7 d\u00e9c. 2026",
          "Date d\u2019\u00e9ch\u00e9ance 21 d\u00e9c. 2026",
          "P\u00e9riode de prestation 1 nov. 2026 \u2013 30 nov. 2026", "Factur\u00e9 \u00e0",
          "D\u00e9signation Heures P.U. HT Montant HT (EUR)",
          "\nD\u00e9veloppement logiciel, 3 nov. 2026 7,3333 90,00 660,00\n",
          "\nTotal HT 1 980,00\n", "\nTotal TTC 1 980,00 EUR\n",
          "Autoliquidation : TVA due par le preneur (article 196 de la directive 2006/112/CE du "
          "Conseil)."}},
        {"Kunde AG",
         {"country", "CH", "treatment", "outside-scope"},
         kEnglish,
         "Software development",
         nullptr,
         "period",
         1,
         false,
         {"\nINVOICE\n", "Issue date 7 Dec 2026", "Due date 21 Dec 2026",
          "Period 1 Nov 2026 \u2013 30 Nov 2026",
          "\nSoftware development, 1 Nov 2026 \u2013 30 Nov 2026 22.0000 90.00 1,980.00\n",
          "\nSubtotal 1,980.00\n", "\nTotal 1,980.00 EUR\n",
          "Not subject to VAT: services to a customer outside the EU"}},
        {"Kunde GmbH",
         {"country", "DE", "vat-id", "DE123456789"},
         kGerman,
         "Softwareentwicklung",
         kLongNote,
         "day",
         3,
         false,
         {"\nNettobetrag 1.980,00\n", "\nGesamtbetrag 1.980,00 EUR\n", kLongNote}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.language.code +
                     (c.smallBusinessNote != nullptr ? " small business" : ""));
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
        if (c.smallBusinessNote != nullptr) {
            run({"issuer", "set", "small-business-note", c.smallBusinessNote});
            run({"issuer", "set", "small-business", "on"});
        }
        run({"client", "add", c.name, "--log", log, "--rate", "90", "--tax", "19", "--currency",
             "EUR"});
        run({"client", "set", c.name, "service", c.service});
        run({"client", "set", c.name, "language", c.language.code});
        for (std::size_t i = 0; i + 1 < c.buyer.size(); i += 2)
            run({"client", "set", c.name, c.buyer[i], c.buyer[i + 1]});
        const std::string pdf = tally.home.File("invoice.pdf");
        run({"invoice", "2026-11-01", "2026-11-30", "--client", c.name, "--pdf", pdf, "--lines",
             c.lines});

        const std::string text = PdfCellText(pdf, true);
        // A paragraph that wraps reads as one line.
        std::string joined = text;
        std::replace(joined.begin(), joined.end(), '\n', ' ');
        std::vector<std::string> expected = c.shown;
        const Language& l = c.language;
        expected.insert(expected.end(), {"Jo Smith", l.vatId + std::string("DE987654321"),
                                         l.taxNumber + std::string("21/815/08150"), c.name});
        for (std::size_t i = 0; i + 1 < c.buyer.size(); i += 2) {
            if (c.buyer[i] == "vat-id") expected.push_back(l.vatId + c.buyer[i + 1]);
            if (c.buyer[i] == "country") expected.push_back(l.country + c.buyer[i + 1]);
        }
        for (const std::string& e : expected)
            EXPECT_NE((e.find('\n') == std::string::npos ? joined : text).find(e),
                      std::string::npos)
                << e << " in\n"
                << text;
        EXPECT_EQ(text.find(l.taxRow) != std::string::npos, c.taxed) << text;

        // Each line: its figures after the year, in the language's separators; hours ×
        // price = amount, and the amounts sum to the subtotal.
        std::istringstream lines(text);
        int rows = 0;
        long long sum = 0;
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with(std::string(c.service) + ", ")) continue;
            const std::size_t end = line.rfind(" 2026 ");
            ASSERT_NE(end, std::string::npos) << line;
            std::string figures = line.substr(end + 6);
            for (std::size_t at;
                 *l.group != '\0' && (at = figures.find(l.group)) != std::string::npos;)
                figures.erase(at, std::string(l.group).size());
            std::replace(figures.begin(), figures.end(), l.point, '.');
            long long h = 0, q = 0, r = 0, rc = 0, a = 0, ac = 0;
            ASSERT_EQ(std::sscanf(figures.c_str(), "%lld.%4lld %lld.%2lld %lld.%2lld", &h, &q, &r,
                                  &rc, &a, &ac),
                      6)
                << line;
            EXPECT_EQ(FormatC("%lld.%04lld", h, q), *c.lines == 'p' ? "22.0000" : "7.3333");
            EXPECT_EQ(a * 100 + ac, ((h * 10000 + q) * (r * 100 + rc) + 5000) / 10000) << line;
            sum += a * 100 + ac;
            ++rows;
        }
        EXPECT_EQ(rows, c.rows) << text;
        EXPECT_EQ(sum, 198000);
    }
}

}  // namespace
}  // namespace tally::test
