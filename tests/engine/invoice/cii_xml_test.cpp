// SPDX-License-Identifier: MIT
#include "invoice/cii_xml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "invoice/einvoice_gaps.h"
#include "process.h"
#include "test_support.h"

namespace tally {
namespace {

// The CEN validation artefacts sit beside the clone, as in CI.
const std::string kValidator =
    (std::filesystem::path(TALLY_SOURCE_DIR).parent_path() / "shared/en16931/validate-cii.sh")
        .string();

Issuer GermanIssuer() {
    Issuer issuer{"Ann Berger <IT & Co>", "Lindenstr. 5\n10115 Berlin", "ann@example.org", "", "",
                  "14 days net"};
    issuer.country = "DE";
    issuer.vatId = "DE123456789";
    issuer.iban = "DE89370400440532013000";
    issuer.bic = "COBADEFFXXX";
    return issuer;
}

Client BuyerIn(const std::string& country, const std::string& vatId, TaxTreatment treatment) {
    Client client{
        "Acme \"Ltd\"", "/dev/null", 90.0, "EUR", 0.0, "Main St 1\nSuite 2\n75001 Paris", 30,
        "C-7"};
    client.country = country;
    client.vatId = vatId;
    client.treatment = treatment;
    client.service = "Software development";
    client.reference = "PO-4711";
    return client;
}

// Days of 7:20 each from the first of November on.
InvoiceFigures Days(int count, double rate) {
    InvoiceFigures figures{rate, {}, 0};
    for (int i = 0; i < count; ++i) {
        const CalendarDate date = DateOf(DaysOf({2026, 11, 1}) + std::chrono::days(i));
        figures.days.push_back({date, 7 * 3600 + 20 * 60 + i});
        figures.totalSeconds += figures.days.back().seconds;
    }
    return figures;
}

struct CiiCase {
    std::string name;
    InvoiceDocument document;
};

InvoiceDocument Document(const Client& client, const Issuer& issuer, int days,
                         LineGrouping lines = LineGrouping::PerDay) {
    const CalendarDate last = DateOf(DaysOf({2026, 11, 1}) + std::chrono::days(days - 1));
    return MakeInvoiceDocument(Days(days, *client.rate), client, issuer, "2026-0042",
                               {2026, 12, 15}, {2026, 11, 1}, last, lines);
}

// The seven documents of the e-invoice table.
std::vector<CiiCase> Cases() {
    const Issuer issuer = GermanIssuer();
    std::vector<CiiCase> cases;
    Client german = BuyerIn("DE", "", TaxTreatment::Standard);
    german.taxPercent = 19.0;
    german.address = "Hauptstr. 1\n80331 München";
    cases.push_back({"german_19", Document(german, issuer, 3)});
    cases.push_back(
        {"reverse_charge_fr",
         Document(BuyerIn("FR", "FR40303265045", TaxTreatment::ReverseCharge), issuer, 3)});
    cases.push_back(
        {"swiss_outside",
         Document(BuyerIn("CH", "CHE123456789", TaxTreatment::OutsideScope), issuer, 2)});
    Issuer small = issuer;
    small.vatId.clear();
    small.taxId = "12/345/67890";
    small.smallBusiness = true;
    small.smallBusinessNote = "Kleinunternehmer, § 19 UStG";
    cases.push_back({"small_business", Document(german, small, 2)});
    cases.push_back({"period_line", Document(german, issuer, 20, LineGrouping::Period)});
    cases.push_back({"forty_days", Document(german, issuer, 40)});
    Client usd = BuyerIn("US", "", TaxTreatment::OutsideScope);
    usd.currency = "USD";
    usd.rate = 37.125;
    cases.push_back({"usd_client", Document(usd, issuer, 4)});
    // A credit note prints the cancelled invoice's figures negated.
    InvoiceDocument credit = Document(german, issuer, 3);
    credit.kind = DocumentKind::CreditNote;
    credit.number = "2026-0043";
    credit.corrects = "2026-0042";
    credit.correctsIssued = {2026, 12, 15};
    for (MoneyLine& line : credit.money.lines) {
        line.quantity = -line.quantity;
        line.amountCents = -line.amountCents;
    }
    credit.money.subtotalCents = -credit.money.subtotalCents;
    credit.money.taxCents = -credit.money.taxCents;
    credit.money.totalCents = -credit.money.totalCents;
    cases.push_back({"credit_note", credit});
    return cases;
}

// The decimals of every element named tag, in the order they stand.
std::vector<Decimal> Decimals(const std::string& xml, const std::string& tag) {
    std::vector<Decimal> found;
    const std::regex pattern("<" + tag + "[^>]*>(-?)([0-9]+)\\.([0-9]+)<");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        const std::int64_t units = std::stoll((*it)[2].str() + (*it)[3].str());
        found.push_back(
            {(*it)[1].length() > 0 ? -units : units, static_cast<int>((*it)[3].length())});
    }
    return found;
}

// The same of amounts, which are always in cents.
std::vector<std::int64_t> Figures(const std::string& xml, const std::string& tag, int places) {
    std::vector<std::int64_t> found;
    for (const Decimal& value : Decimals(xml, tag)) {
        EXPECT_EQ(value.places, places) << tag;
        found.push_back(value.units);
    }
    return found;
}

std::string Replaced(std::string text, const std::string& pattern, const std::string& by) {
    return std::regex_replace(text, std::regex(pattern), by);
}

// Each document of the table can be an e-invoice, its XML states the document's cents (lines
// recomputable, summing to the net total), and the official rules pass it; two mutations of
// one value make the rules fail, so the check cannot pass by accident.
TEST(CiiXmlTest, tableValidatesAgainstTheRulesAndTheirMutationsDoNot) {
    test::TempDir dir;
    std::vector<std::string> argv = {"sh", kValidator};
    std::string german;
    for (const CiiCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const InvoiceDocument& d = c.document;
        EXPECT_TRUE(EInvoiceGaps(d).empty());
        const std::string xml = CiiXmlOf(d);
        const auto quantities = Figures(xml, "ram:BilledQuantity", kQuantityPlaces);
        const auto prices = Decimals(xml, "ram:ChargeAmount");
        const auto amounts = Figures(xml, "ram:LineTotalAmount", 2);
        ASSERT_EQ(quantities.size(), d.money.lines.size());
        ASSERT_EQ(amounts.size(), d.money.lines.size() + 1);  // and the header's net total
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < quantities.size(); ++i) {
            EXPECT_EQ(amounts[i], std::llabs(d.money.lines[i].amountCents));
            EXPECT_EQ(amounts[i], LineCents(quantities[i], prices.at(i)));
            sum += amounts[i];
        }
        EXPECT_EQ(amounts.back(), sum);
        EXPECT_EQ(sum, std::llabs(d.money.subtotalCents));
        EXPECT_EQ(Figures(xml, "ram:TaxTotalAmount", 2).at(0), std::llabs(d.money.taxCents));
        EXPECT_EQ(Figures(xml, "ram:GrandTotalAmount", 2).at(0), std::llabs(d.money.totalCents));
        argv.push_back(dir.File(c.name + ".xml"));
        test::WriteFile(argv.back(), xml);
        if (c.name == "german_19") german = xml;
    }
    argv.push_back(dir.File("mutated_tax_total.xml"));
    test::WriteFile(argv.back(),
                    Replaced(german, "(<ram:TaxTotalAmount[^>]*>)[0-9.]+<", "$01999.99<"));
    argv.push_back(dir.File("mutated_no_vat_id.xml"));
    test::WriteFile(argv.back(), Replaced(german,
                                          "<ram:SpecifiedTaxRegistration>\\s*<ram:ID "
                                          "schemeID=\"VA\">DE[0-9]+</ram:ID>\\s*"
                                          "</ram:SpecifiedTaxRegistration>\\s*",
                                          ""));
    if (!std::filesystem::exists(kValidator))
        GTEST_SKIP() << "no EN 16931 validation artefacts at " << kValidator;
    const test::ProcessResult run = test::RunProcess(argv);
    ASSERT_NE(run.exitCode, 2) << run.err;
    // Each file's line, then its failed assertions indented under it.
    std::map<std::string, std::string> reports;
    std::string file;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("    ", 0) != 0) file = line.substr(0, line.find(':'));
        reports[file] += line + "\n";
    }
    for (std::size_t i = 2; i + 2 < argv.size(); ++i) {
        const std::string name = std::filesystem::path(argv[i]).filename();
        EXPECT_NE(reports[name].find("xsd=OK fatal=0"), std::string::npos) << reports[name];
    }
    EXPECT_NE(reports["mutated_tax_total.xml"].find("BR-CO-15|fatal"), std::string::npos)
        << reports["mutated_tax_total.xml"];
    EXPECT_NE(reports["mutated_no_vat_id.xml"].find("BR-S-02|fatal"), std::string::npos)
        << reports["mutated_no_vat_id.xml"];
}

}  // namespace
}  // namespace tally
