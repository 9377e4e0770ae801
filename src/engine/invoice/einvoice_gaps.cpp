// SPDX-License-Identifier: MIT
#include "invoice/einvoice_gaps.h"

#include "invoice/currency_codes.h"

namespace tally {
namespace {

// A client's setting as the command line names it; the name quoted when it needs it.
std::string ClientSetting(const std::string& client, const std::string& key,
                          const std::string& value) {
    const bool plain = !client.empty() && client.find_first_of(" \t'\"\\$`") == std::string::npos;
    const std::string name = plain ? client : "'" + client + "'";
    return "tally client set " + name + " " + key + " " + value;
}

}  // namespace

std::vector<std::string> EInvoiceGaps(const InvoiceDocument& d) {
    std::vector<std::string> gaps;
    const Issuer& issuer = d.issuer;
    if (issuer.name.empty()) gaps.push_back("no name of the issuer (tally issuer set name NAME)");
    if (issuer.country.empty())
        gaps.push_back("no country of the issuer (tally issuer set country CODE)");
    // Every invoice identifies its seller by one of them, whatever its tax.
    if (issuer.vatId.empty() && issuer.taxId.empty())
        gaps.push_back(
            "no VAT id nor tax number of the issuer (tally issuer set vat-id ID, or tally "
            "issuer set tax-number NUMBER)");
    if (d.clientCountry.empty())
        gaps.push_back("no country of client " + d.clientName + " (" +
                       ClientSetting(d.clientName, "country", "CODE") + ")");
    if (d.tax.note == TaxNote::ReverseCharge && d.clientVatId.empty())
        gaps.push_back("no VAT id of client " + d.clientName +
                       ", whose invoices are reverse charge (" +
                       ClientSetting(d.clientName, "vat-id", "ID") + ")");
    if (d.tax.note == TaxNote::None && !(d.tax.percent > 0.0))
        gaps.push_back("no tax rate of client " + d.clientName +
                       ": a standard-rated e-invoice charges VAT (" +
                       ClientSetting(d.clientName, "tax", "PERCENT") + ", or " +
                       ClientSetting(d.clientName, "treatment", "exempt") + ")");
    if (!IsIso4217Currency(d.currency))
        gaps.push_back("the currency " + d.currency + " of client " + d.clientName +
                       " is not one of ISO 4217 (" +
                       ClientSetting(d.clientName, "currency", "CODE") + ")");
    return gaps;
}

std::string EInvoiceGapsText(const InvoiceDocument& document,
                             const std::vector<std::string>& gaps) {
    std::string text = "The invoice to " + document.clientName + " cannot be an e-invoice:";
    for (const std::string& gap : gaps) text += "\n  " + gap;
    return text;
}

}  // namespace tally
