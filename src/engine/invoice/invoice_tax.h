// SPDX-License-Identifier: MIT
#pragma once
// The tax of an invoice, decided once from the client and the issuer: the percent its money
// uses (the PDF, the register, unbilled, status --all) and the note it carries instead of tax.

#include <string>

#include "clients/client.h"
#include "invoice/issuer.h"

namespace tally {

// Why an invoice carries no tax; the document's words for each are its texts' (the PDF's).
enum class TaxNote {
    None,           // standard: the client's rate, or no tax line at 0 %
    ReverseCharge,  // the buyer owes the VAT
    Exempt,         // the client's own note
    OutsideScope,   // a buyer outside the EU
    SmallBusiness,  // the issuer is exempt; the issuer's own note
};

struct InvoiceTax {
    double percent = 0.0;
    TaxNote note = TaxNote::None;
    std::string noteText;  // the client's or issuer's own words, where the note has them
    friend bool operator==(const InvoiceTax&, const InvoiceTax&) = default;
};

// The issuer's small-business exemption first: it covers every invoice; else the client's
// treatment.
InvoiceTax TaxOf(const Client& client, const Issuer& issuer);

}  // namespace tally
