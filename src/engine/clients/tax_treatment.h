// SPDX-License-Identifier: MIT
#pragma once
// How a client's invoices treat VAT, and which treatments the countries of the issuer and
// the buyer allow.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

enum class TaxTreatment {
    Standard,       // the client's tax rate
    ReverseCharge,  // a business in another EU country: 0 %, the buyer owes the VAT
    Exempt,         // no VAT, for the reason its note gives
    OutsideScope,   // services to a buyer outside the EU
};

// The word the command line and the settings use ("reverse-charge").
const char* TaxTreatmentName(TaxTreatment treatment);
// The words a person reads ("Reverse charge").
const char* TaxTreatmentTitle(TaxTreatment treatment);
std::optional<TaxTreatment> ParseTaxTreatment(std::string_view name);
// "standard, reverse-charge, exempt or outside-scope".
std::string TaxTreatmentNames();

// Empty when the treatment fits the buyer's country and VAT id and the issuer's country (each
// an ISO code, or empty where not set); else why not.
std::string TaxTreatmentProblem(TaxTreatment treatment, const std::string& buyerCountry,
                                const std::string& buyerVatId, const std::string& issuerCountry);

}  // namespace tally
