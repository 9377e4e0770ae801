// SPDX-License-Identifier: MIT
// Every PDF invoice is a Factur-X hybrid, as the tools of a buyer's accounts department read
// it: a sound PDF 1.7 whose one attachment, factur-x.xml, is byte for byte the XML that --xml
// writes, in the archive's copy too; metadata that names PDF/A-3b and the EN 16931 profile;
// and the same money in the XML as on the pages, each line its quantity times its price.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

#include "json_output.h"
#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

// A decimal text as a whole number of units of its last place (places fixed per field).
std::int64_t Units(const std::string& text, int places) {
    const std::size_t dot = text.find('.');
    std::string digits = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    fraction.resize(static_cast<std::size_t>(places), '0');
    return std::stoll(digits + fraction);
}

// The text of every element of that name, in order ("ram:LineTotalAmount").
std::vector<std::string> Elements(const std::string& xml, const std::string& name) {
    std::vector<std::string> values;
    const std::regex element("<" + name + "(?: [^>]*)?>([^<]*)</" + name + ">");
    for (std::sregex_iterator it(xml.begin(), xml.end(), element), end; it != end; ++it)
        values.push_back((*it)[1]);
    return values;
}

// An object of qpdf's JSON (version 2) by its reference "N 0 R": a dictionary, or a stream's.
const OrderedJson& Object(const OrderedJson& objects, const std::string& ref) {
    const OrderedJson& object = objects.at("obj:" + ref);
    return object.contains("stream") ? object.at("stream").at("dict") : object.at("value");
}

struct Client {
    const char* name;
    std::vector<std::string> settings;  // client set KEY VALUE pairs
    bool smallBusiness;                 // the issuer's
    const char* lines;                  // --lines
    const char* last;                   // the invoice's last day (from 2026-09-01)
    int rows;
    int pages;
};

// The first invoice is then cancelled: its credit note is a hybrid of its own.
TEST(FacturXPdfCli, everyInvoiceCarriesItsXmlWithTheMoneyItShows) {
    // Days of 7:20:40 billed as 7.3333 h: one a day from 2026-09-01.
    const Client cases[] = {
        {"Kunde GmbH",
         {"country", "DE", "vat-id", "DE123456789", "reference", "PO-4711"},
         false,
         "day",
         "2026-09-03",
         3,
         1},
        {"Client SARL",
         {"country", "FR", "vat-id", "FR40303265045", "treatment", "reverse-charge"},
         false,
         "day",
         "2026-09-03",
         3,
         1},
        {"Kunde AG",
         {"country", "CH", "treatment", "outside-scope"},
         false,
         "day",
         "2026-09-03",
         3,
         1},
        {"Kunde GmbH", {"country", "DE", "vat-id", "DE123456789"}, true, "day", "2026-09-03", 3, 1},
        {"Kunde GmbH", {"country", "DE"}, false, "period", "2026-09-03", 1, 1},
        {"Kunde GmbH", {"country", "DE"}, false, "day", "2026-10-10", 40, 2},
        {"Client Inc",
         {"country", "US", "treatment", "outside-scope", "currency", "USD"},
         false,
         "day",
         "2026-09-03",
         3,
         1},
    };
    for (const Client& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.lines + " to " + c.last +
                     (c.smallBusiness ? " small business" : ""));
        TallyHarness tally;
        const std::string log = tally.home.File("client.dat");
        std::string pairs;
        for (int day = 0; day < c.rows * (*c.lines == 'p' ? 3 : 1); ++day) {
            const CalendarDate d = DateOf(DaysOf({2026, 9, 1}) + std::chrono::days(day));
            pairs += Triple(FormatC("%d-%02d-%02d 09:00:00", d.year, d.month, d.day),
                            FormatC("%d-%02d-%02d 16:20:40", d.year, d.month, d.day));
        }
        WriteFile(log, pairs);
        const auto run = [&](const std::vector<std::string>& args) {
            const ProcessResult r = tally.Run(args);
            EXPECT_EQ(r.exitCode, 0) << testing::PrintToString(args) << r.err;
            return r;
        };
        for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
                 {"name", "Jo Smith"},
                 {"address", "Lange Reihe 12\\n20099 Hamburg"},
                 {"country", "DE"},
                 {"vat-id", "DE987654321"},
                 {"email", "jo@example.org"},
                 {"iban", "DE89 3704 0044 0532 0130 00"},
                 {"bic", "COBADEFFXXX"}})
            run({"issuer", "set", key, value});
        if (c.smallBusiness) {
            run({"issuer", "set", "small-business-note", "Kleinunternehmer: no VAT charged."});
            run({"issuer", "set", "small-business", "on"});
        }
        run({"client", "add", c.name, "--log", log, "--rate", "90", "--tax", "19", "--currency",
             "EUR", "--address", "Rue 1\\n75001 Paris"});
        run({"client", "set", c.name, "service", "Software development"});
        for (std::size_t i = 0; i + 1 < c.settings.size(); i += 2)
            run({"client", "set", c.name, c.settings[i], c.settings[i + 1]});
        const std::string pdf = tally.home.File("invoice.pdf");
        const std::string xmlFile = tally.home.File("invoice.xml");
        run({"invoice", "2026-09-01", c.last, "--client", c.name, "--pdf", pdf, "--xml", xmlFile,
             "--lines", c.lines, "--einvoice"});
        const std::string xml = ReadFile(xmlFile);
        const std::string bytes = ReadFile(pdf);

        // A sound PDF 1.7, a line end before every endstream, the archive's copy the same.
        const ProcessResult check = RunProcess({"qpdf", "--check", pdf});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        EXPECT_TRUE(bytes.starts_with("%PDF-1.7\n")) << bytes.substr(0, 9);
        for (std::size_t at = bytes.find("endstream"); at != std::string::npos;
             at = bytes.find("endstream", at + 1))
            EXPECT_TRUE(bytes[at - 1] == '\n' || bytes[at - 1] == '\r') << "endstream at " << at;
        const OrderedJson listed = ParseJsonOutput(run({"invoices", "--json"}).out);
        ASSERT_EQ(listed.at("invoices").size(), 1u);
        const OrderedJson& entry = listed.at("invoices")[0];
        EXPECT_EQ(entry.at("xml"), true);
        const std::string archived = entry.at("archive");
        EXPECT_TRUE(archived.starts_with("/")) << archived;
        EXPECT_EQ(ReadFile(archived), bytes);

        // The one attachment is the XML, as pdfdetach gives it back.
        const ProcessResult list = RunProcess({"pdfdetach", "-list", archived});
        EXPECT_EQ(list.out, "1 embedded files\n1: factur-x.xml\n");
        const std::string saved = tally.home.File("saved.xml");
        EXPECT_EQ(RunProcess({"pdfdetach", "-save", "1", "-o", saved, archived}).exitCode, 0);
        EXPECT_EQ(ReadFile(saved), xml);

        // How it is attached: the catalogue's /AF and name tree, an alternative of the pages.
        const ProcessResult json = RunProcess({"qpdf", "--json=2", "--json-key=qpdf", pdf});
        const OrderedJson objects = OrderedJson::parse(json.out, nullptr, false).at("qpdf").at(1);
        const OrderedJson& catalog =
            Object(objects, objects.at("trailer").at("value").at("/Root").get<std::string>());
        ASSERT_EQ(catalog.at("/AF").size(), 1u);
        const std::string attachmentRef = catalog.at("/AF")[0];
        EXPECT_EQ(Object(objects, catalog.at("/Names").at("/EmbeddedFiles").get<std::string>())
                      .at("/Names"),
                  OrderedJson::array({"u:factur-x.xml", attachmentRef}));
        const OrderedJson& attachment = Object(objects, attachmentRef);
        EXPECT_EQ(attachment.at("/AFRelationship"), "/Alternative");
        EXPECT_EQ(attachment.at("/F"), "u:factur-x.xml");
        EXPECT_EQ(attachment.at("/UF"), "u:factur-x.xml");
        EXPECT_TRUE(attachment.contains("/Desc"));
        const OrderedJson& file = Object(objects, attachment.at("/EF").at("/F"));
        EXPECT_EQ(file.at("/Type"), "/EmbeddedFile");
        EXPECT_EQ(file.at("/Subtype"), "/text/xml");
        EXPECT_EQ(file.at("/Params").at("/Size"), xml.size());
        EXPECT_TRUE(file.at("/Params").contains("/ModDate"));

        // The metadata a PDF/A-3 reader and a Factur-X reader look for.
        const std::string meta = RunProcess({"pdfinfo", "-meta", pdf}).out;
        for (const char* property :
             {"<pdfaid:part>3</pdfaid:part>", "<pdfaid:conformance>B</pdfaid:conformance>",
              "<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>",
              "<fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>",
              "<pdfaSchema:prefix>fx</pdfaSchema:prefix>"})
            EXPECT_NE(meta.find(property), std::string::npos) << property << " in\n" << meta;

        // The XML's money: each line its quantity times its price, the lines the net total;
        // the pages show the same lines in the same order, and the same totals.
        const auto quantities = Elements(xml, "ram:BilledQuantity");
        const auto prices = Elements(xml, "ram:ChargeAmount");
        const auto amounts = Elements(xml, "ram:LineTotalAmount");  // the lines', then the net
        ASSERT_EQ(quantities.size(), static_cast<std::size_t>(c.rows));
        ASSERT_EQ(prices.size(), quantities.size());
        ASSERT_EQ(amounts.size(), quantities.size() + 1);
        const std::string text = PdfCellText(pdf);
        EXPECT_EQ(PdfPageTexts(pdf).size(), static_cast<std::size_t>(c.pages));
        std::istringstream pageLines(text);
        std::int64_t sum = 0;
        std::size_t row = 0;
        for (std::string line; std::getline(pageLines, line);) {
            if (!line.starts_with("Software development ")) continue;
            ASSERT_LT(row, quantities.size()) << line;
            EXPECT_TRUE(
                line.ends_with(" " + quantities[row] + " " + prices[row] + " " + amounts[row]))
                << line;
            const std::int64_t cents = Units(amounts[row], 2);
            EXPECT_EQ(cents, (Units(quantities[row], 4) * Units(prices[row], 2) + 5000) / 10000)
                << line;
            sum += cents;
            ++row;
        }
        EXPECT_EQ(row, quantities.size());
        EXPECT_EQ(sum, Units(amounts.back(), 2));
        const std::string tax = Elements(xml, "ram:TaxTotalAmount").at(0);
        const std::string total = Elements(xml, "ram:GrandTotalAmount").at(0);
        EXPECT_NE(text.find("Subtotal " + amounts.back() + "\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("\nTax (19 %) " + tax + "\n") != std::string::npos, Units(tax, 2) != 0)
            << text;
        EXPECT_EQ(Units(total, 2), sum + Units(tax, 2));
        EXPECT_NE(text.find("\nTotal " + total + " "), std::string::npos) << text;

        // Its credit note: type 381 with the invoice's figures, shown negated on its page.
        if (&c != &cases[0]) continue;
        run({"invoice", "cancel", entry.at("number")});
        const OrderedJson after = ParseJsonOutput(run({"invoices", "--json"}).out);
        const OrderedJson& note = after.at("invoices");
        ASSERT_EQ(note.size(), 2u);
        EXPECT_EQ(note[1].at("xml"), true);
        const std::string notePdf = note[1].at("archive");
        EXPECT_EQ(RunProcess({"qpdf", "--check", notePdf}).exitCode, 0);
        EXPECT_EQ(RunProcess({"pdfdetach", "-save", "1", "-o", saved, notePdf}).exitCode, 0);
        const std::string credit = ReadFile(saved);
        EXPECT_EQ(Elements(credit, "ram:TypeCode").at(0), "381");
        EXPECT_EQ(Elements(credit, "ram:LineTotalAmount"), amounts);
        EXPECT_EQ(Elements(credit, "ram:GrandTotalAmount").at(0), total);
        EXPECT_NE(PdfCellText(notePdf).find("\nTotal -" + total + " "), std::string::npos);
    }
}

}  // namespace
}  // namespace tally::test
