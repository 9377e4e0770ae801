// SPDX-License-Identifier: MIT
// The checks of countries, IBANs, BICs and VAT ids, on ids as they are typed.

#include <gtest/gtest.h>

#include "clients/business_ids.h"

namespace tally::test {
namespace {

TEST(BusinessIds, checks) {
    using Check = std::string (*)(const std::string&);
    const struct {
        Check check;
        const char* typed;
        bool sound;
    } cases[] = {
        {CountryProblem, "DE", true},
        {CountryProblem, "aq", true},   // Antarctica: on the list, typed small
        {CountryProblem, "XK", false},  // Kosovo: used by banks, not assigned by ISO
        {CountryProblem, "UK", false},  // the United Kingdom is GB
        {CountryProblem, "D", false},
        {IbanProblem, "DE89 3704 0044 0532 0130 00", true},
        {IbanProblem, "GB82 WEST 1234 5698 7654 32", true},
        {IbanProblem, "FR14 2004 1010 0505 0001 3M02 606", true},
        {IbanProblem, "CH93 0076 2011 6238 5295 7", true},
        {IbanProblem, "NL91 ABNA 0417 1643 00", true},
        {IbanProblem, "DE89 3704 0044 0532 0130 01", false},  // one digit off
        {IbanProblem, "DE98 3704 0044 0532 0130 00", false},  // check digits swapped
        {IbanProblem, "DE89 3704 0044 0532 0130 0", false},   // one short
        {IbanProblem, "US89 3704 0044 0532 0130 00", false},  // no IBANs there
        {IbanProblem, "DE89 3704 0044 0532 0130 0_", false},
        {IbanProblem, "", false},
        {BicProblem, "COBADEFFXXX", true},
        {BicProblem, "deut de ff", true},
        {BicProblem, "COBADEFF1", false},  // 9 characters
        {BicProblem, "COBAQQFF", false},   // QQ is no country
        {BicProblem, "C0BADEFF", false},   // a digit in the bank's code
        {VatIdProblem, "DE 123 456 789", true},
        {VatIdProblem, "ATU12345678", true},
        {VatIdProblem, "EL123456789", true},
        {VatIdProblem, "FRXA123456789", true},
        {VatIdProblem, "NL123456789B01", true},
        {VatIdProblem, "ESX1234567R", true},
        {VatIdProblem, "IE1234567WA", true},
        {VatIdProblem, "RO12", true},
        {VatIdProblem, "SE123456789001", true},
        {VatIdProblem, "GB123456789", true},
        {VatIdProblem, "CHE-116.281.710 MWST", true},
        {VatIdProblem, "NO123456789MVA", true},
        {VatIdProblem, "DE12345678", false},      // a digit short
        {VatIdProblem, "AT12345678", false},      // no U
        {VatIdProblem, "GR123456789", false},     // Greece's prefix is EL
        {VatIdProblem, "NL123456789A01", false},  // B, not A
        {VatIdProblem, "SE123456789012", false},  // ends in 01
        {VatIdProblem, "RO1", false},
        {VatIdProblem, "CHE-116.281.711", false},  // check digit
        {VatIdProblem, "US123456789", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(c.check(CompactId(c.typed)).empty(), c.sound) << c.check(CompactId(c.typed));
    }
}

TEST(BusinessIds, vatIdsNameTheirCountry) {
    const std::pair<const char*, const char*> cases[] = {{"DE123456789", "DE"},
                                                         {"EL123456789", "GR"},
                                                         {"XI123456789", "GB"},
                                                         {"CHE116281710", "CH"},
                                                         {"US1", ""}};
    for (const auto& [vatId, country] : cases) EXPECT_EQ(VatIdCountry(vatId), country) << vatId;
}

}  // namespace
}  // namespace tally::test
