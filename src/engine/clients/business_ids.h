// SPDX-License-Identifier: MIT
#pragma once
// The checks of the ids an invoice names its issuer and buyer by: country codes, IBANs, BICs
// and VAT ids. Each takes the compact form (CompactId) and gives one line saying what is
// wrong, or nothing when the id can be used. The command line and the window call the same.

#include <string>
#include <string_view>

namespace tally {

// An id as it is kept: without blanks, dots and hyphens, letters in capitals.
std::string CompactId(std::string_view typed);

std::string CountryProblem(const std::string& code);
// ISO 13616: a known country, its length, and the mod-97 check digits.
std::string IbanProblem(const std::string& iban);
// ISO 9362: 4 letters (the bank), a known country, 2 letters or digits (the place), and
// optionally 3 letters or digits (the branch).
std::string BicProblem(const std::string& bic);
// The country prefix and the shape each member state of the EU gives its VAT ids, and those
// of the United Kingdom (GB, and XI for Northern Ireland), Switzerland (CHE, with its check
// digit) and Norway.
std::string VatIdProblem(const std::string& vatId);
// The ISO country of a VAT id that VatIdProblem takes (EL is GR, XI is GB, CHE is CH).
std::string VatIdCountry(const std::string& vatId);
// Empty unless both are set and the VAT id is another country's; whose: "the client's".
std::string VatIdCountryProblem(const std::string& vatId, const std::string& country,
                                const char* whose);

}  // namespace tally
