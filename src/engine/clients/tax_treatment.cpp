// SPDX-License-Identifier: MIT
#include "clients/tax_treatment.h"

#include "clients/country_table.h"

namespace tally {
namespace {

struct TreatmentWords {
    TaxTreatment treatment;
    const char* name;
    const char* title;
};

constexpr TreatmentWords kTreatments[] = {
    {TaxTreatment::Standard, "standard", "Standard"},
    {TaxTreatment::ReverseCharge, "reverse-charge", "Reverse charge"},
    {TaxTreatment::Exempt, "exempt", "Exempt"},
    {TaxTreatment::OutsideScope, "outside-scope", "Outside the scope"},
};

const TreatmentWords& WordsOf(TaxTreatment treatment) {
    for (const TreatmentWords& words : kTreatments) {
        if (words.treatment == treatment) return words;
    }
    return kTreatments[0];
}

}  // namespace

const char* TaxTreatmentName(TaxTreatment treatment) {
    return WordsOf(treatment).name;
}

const char* TaxTreatmentTitle(TaxTreatment treatment) {
    return WordsOf(treatment).title;
}

std::optional<TaxTreatment> ParseTaxTreatment(std::string_view name) {
    for (const TreatmentWords& words : kTreatments) {
        if (name == words.name) return words.treatment;
    }
    return std::nullopt;
}

std::string TaxTreatmentNames() {
    std::string list;
    for (std::size_t i = 0; i < std::size(kTreatments); ++i) {
        if (i > 0) list += i + 1 == std::size(kTreatments) ? " or " : ", ";
        list += kTreatments[i].name;
    }
    return list;
}

std::string TaxTreatmentProblem(TaxTreatment treatment, const std::string& buyerCountry,
                                const std::string& buyerVatId, const std::string& issuerCountry) {
    if (treatment == TaxTreatment::ReverseCharge) {
        if (!IsEuMember(buyerCountry))
            return "reverse charge is for a buyer in an EU country, and the client's country is " +
                   (buyerCountry.empty() ? std::string("not set") : buyerCountry);
        if (buyerCountry == issuerCountry)
            return "reverse charge is for a buyer in another country than yours (" + issuerCountry +
                   ")";
        // The buyer owes the VAT under its own VAT id, which the invoice has to name.
        if (buyerVatId.empty()) return "reverse charge needs the client's VAT id";
    }
    if (treatment == TaxTreatment::OutsideScope) {
        if (buyerCountry.empty()) return "outside the scope needs the client's country";
        if (IsEuMember(buyerCountry))
            return "outside the scope is for a buyer outside the EU, and " + buyerCountry +
                   " is in the EU";
    }
    return {};
}

}  // namespace tally
