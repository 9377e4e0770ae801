// SPDX-License-Identifier: MIT
#pragma once
// The sender of every invoice, as its block in a document shows it.

#include <string>
#include <vector>

#include "clients/client.h"

namespace tally {

struct Issuer {
    std::string name;
    std::string address;  // lines separated by LF
    std::string email;
    std::string taxId;  // the tax number the tax office gave
    std::string bank;   // the bank's name, or bank details, lines separated by LF
    std::string terms;  // payment terms, a line or two
    // Empty where not set; the ids compact (CompactIds). Initialised here, so that a brace
    // list of the six values above still sets an issuer whole.
    std::string country{};  // ISO 3166-1 alpha-2
    std::string phone{};
    std::string vatId{};
    std::string iban{};
    std::string bic{};
    bool smallBusiness = false;       // exempt from VAT as a small business
    std::string smallBusinessNote{};  // the note that says so on every invoice
    std::string logo{};               // the absolute path of an image file
    friend bool operator==(const Issuer&, const Issuer&) = default;
};

// Empty when every value of the issuer can be used, and every client's tax treatment fits
// the issuer's country; else one line saying what is wrong. The logo must be a readable
// regular file.
std::string IssuerProblem(const Issuer& issuer, const std::vector<Client>& clients);
// The issuer's ids in the form they are kept (CompactId).
void CompactIds(Issuer& issuer);

}  // namespace tally
