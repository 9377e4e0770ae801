// SPDX-License-Identifier: MIT
// The issuer and the buyer's values from the command line: what is stored, and the values
// and tax treatments that are refused without a byte of the settings changing.

#include <gtest/gtest.h>

#include "folder_snapshot.h"
#include "json_output.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

class IssuerBuyerCli : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(tally.home.File("logo.png"), "\x89PNG\r\n");
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"issuer", "set", "country", "DE"},
                 {"client", "add", "Paris", "--log", tally.home.File("paris.dat"), "country", "FR",
                  "vat-id", "FR12345678901", "treatment", "reverse-charge"}}) {
            const ProcessResult r = tally.Run(args);
            ASSERT_EQ(r.exitCode, 0) << r.err;
        }
    }

    TallyHarness tally;
};

TEST_F(IssuerBuyerCli, issuerValuesAreStoredAsTheirChecksTakeThem) {
    const std::pair<const char*, std::string> values[] = {
        {"name", "Jo Freelancer"},
        {"address", "Lange Reihe 12\\n20099 Hamburg"},
        {"email", "jo@example.org"},
        {"phone", "+49 40 1234567"},
        {"tax-number", "22/815/08151"},
        {"vat-id", "de 123 456 789"},
        {"bank", "Example Bank"},
        {"iban", "DE89 3704 0044 0532 0130 00"},
        {"bic", "cobadeffxxx"},
        {"terms", "Net 14 days."},
        {"small-business-note", "Kleinunternehmer, 19 UStG"},
        {"small-business", "on"},
        {"logo", tally.home.File("logo.png")},
    };
    for (const auto& [key, value] : values) {
        const ProcessResult r = tally.Run({"issuer", "set", key, value});
        ASSERT_EQ(r.exitCode, 0) << key << ": " << r.err;
    }
    EXPECT_EQ(ParseJsonOutput(tally.Run({"issuer", "--json"}).out),
              OrderedJson::parse(R"({"issuer": {"name": "Jo Freelancer",
                  "address": "Lange Reihe 12\n20099 Hamburg", "country": "DE",
                  "email": "jo@example.org", "phone": "+49 40 1234567",
                  "tax_number": "22/815/08151", "vat_id": "DE123456789", "bank": "Example Bank",
                  "iban": "DE89370400440532013000", "bic": "COBADEFFXXX",
                  "terms": "Net 14 days.", "small_business": true,
                  "small_business_note": "Kleinunternehmer, 19 UStG",
                  "logo": ")" + tally.home.File("logo.png") +
                                 R"("}})"));
    EXPECT_NE(tally.Run({"issuer"}).out.find("address\tLange Reihe 12\\n20099 Hamburg\n"),
              std::string::npos);
}

TEST_F(IssuerBuyerCli, buyerValuesAreListedAfterTheOldOnes) {
    const ProcessResult added = tally.Run(
        {"client", "add", "Zurich", "--log", tally.home.File("zurich.dat"), "--currency", "CHF",
         "country", "ch", "vat-id", "CHE-116.281.710 MWST", "reference", "PO 4711", "language",
         "de", "service", "Software development", "treatment", "outside-scope"});
    ASSERT_EQ(tally.Run({"client", "set", "Zurich", "einvoice", "on"}).exitCode, 0);
    ASSERT_EQ(added.exitCode, 0) << added.err;
    const OrderedJson zurich =
        ParseJsonOutput(tally.Run({"client", "list", "--json"}).out)["clients"][1];
    EXPECT_EQ(KeysOf(zurich),
              (std::vector<std::string>{"name", "log", "rate", "currency", "tax", "days", "number",
                                        "address", "country", "vat_id", "reference", "language",
                                        "service", "treatment", "tax_note", "einvoice"}));
    EXPECT_EQ(zurich["vat_id"], "CHE116281710MWST");
    EXPECT_EQ(zurich["einvoice"], true);
    EXPECT_TRUE(tally.Run({"client", "list", "--tsv"})
                    .out.ends_with("\tCH\tCHE116281710MWST\tPO 4711\tde\tSoftware development"
                                   "\toutside-scope\t\ton\n"));
    // A client that never uses them gets none of the new keys in its section.
    ASSERT_EQ(tally.Run({"client", "add", "Plain", "--log", tally.home.File("plain.dat")}).exitCode,
              0);
    const std::string store = ReadFile(tally.StoreFile());
    const std::size_t section = store.find("Plain]");
    const std::string plain = store.substr(section, store.find('[', section) - section);
    EXPECT_EQ(plain.find("Language"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("Treatment"), std::string::npos) << plain;
}

TEST_F(IssuerBuyerCli, badValuesAreRefusedAndStoreNothing) {
    const std::string logs = tally.home.File("x.dat");
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } refusals[] = {
        {{"issuer", "set", "iban", "DE89370400440532013001"},
         "the IBAN DE89370400440532013001 has wrong check digits (a typing error?)"},
        {{"issuer", "set", "vat-id", "GR123456789"},
         "the VAT id GR123456789 does not begin with a country's prefix (DE, FR, EL, ..., GB, "
         "CHE, NO)"},
        {{"issuer", "set", "vat-id", "FR12345678901"},
         "the VAT id FR12345678901 is one of FR, and your country is DE"},
        {{"issuer", "set", "country", "XX"},
         "'XX' is not a country code of ISO 3166 (DE, FR, CH, ...)"},
        {{"issuer", "set", "bic", "COBAQQFF"}, "the BIC COBAQQFF names no country (QQ)"},
        {{"issuer", "set", "logo", tally.home.File("none.png")},
         "the logo " + tally.home.File("none.png") + " cannot be read: No such file or directory"},
        {{"issuer", "set", "logo", tally.Home()},
         "the logo " + tally.Home() + " is not a regular file"},
        {{"issuer", "set", "small-business", "on"},
         "the small-business exemption needs the note that says so (small-business-note)"},
        {{"issuer", "set", "small-business", "maybe"}, "small-business is on or off, not 'maybe'"},
        {{"issuer", "set", "country", "FR"},
         "client Paris: reverse charge is for a buyer in another country than yours (FR)"},
        {{"issuer", "set", "colour", "red"},
         "the issuer has no value colour (name, address, country, email, phone, tax-number, "
         "vat-id, bank, iban, bic, terms, small-business, small-business-note, logo)"},
        {{"client", "add", "Berlin", "--log", logs, "country", "DE", "vat-id", "DE123456789",
          "treatment", "reverse-charge"},
         "reverse charge is for a buyer in another country than yours (DE)"},
        {{"client", "add", "London", "--log", logs, "country", "GB", "vat-id", "GB123456789",
          "treatment", "reverse-charge"},
         "reverse charge is for a buyer in an EU country, and the client's country is GB"},
        {{"client", "add", "Wien", "--log", logs, "country", "AT", "treatment", "reverse-charge"},
         "reverse charge needs the client's VAT id"},
        {{"client", "add", "Lyon", "--log", logs, "country", "FR", "treatment", "outside-scope"},
         "outside the scope is for a buyer outside the EU, and FR is in the EU"},
        {{"client", "add", "Lyon", "--log", logs, "country"},
         "client add needs one NAME, then KEY VALUE pairs"},
        {{"client", "set", "Paris", "treatment", "flat"},
         "a tax treatment is standard, reverse-charge, exempt or outside-scope, not 'flat'"},
        {{"client", "set", "Paris", "treatment", "exempt"},
         "an exempt client needs the note that says why (tax-note)"},
        {{"client", "set", "Paris", "language", "es"},
         "an invoice's language is one of en, de, fr, not 'es'"},
        {{"client", "set", "Paris", "country", "ZZ"},
         "'ZZ' is not a country code of ISO 3166 (DE, FR, CH, ...)"},
        {{"client", "set", "Paris", "vat-id", "DE123456789"},
         "the VAT id DE123456789 is one of DE, and the client's country is FR"},
        {{"client", "set", "Paris", "vat-id", "FR123"},
         "the VAT id FR123 does not have the shape of FR's VAT ids"},
    };
    const FolderSnapshot before = SnapshotTree(tally.Home());
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(testing::PrintToString(refusal.args));
        tally.ExpectUsageError(refusal.args, refusal.reason);
        EXPECT_EQ(SnapshotTree(tally.Home()), before);
    }
}

}  // namespace
}  // namespace tally::test
