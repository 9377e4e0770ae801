// SPDX-License-Identifier: MIT
#pragma once
// What keeps an invoice document from being a valid electronic invoice (EN 16931): the
// values the rules make fatal that a user can leave unset, each with the setting that
// supplies it.

#include <string>
#include <vector>

#include "invoice/invoice_document.h"

namespace tally {

// One line per missing or unusable value, "no VAT id of client Acme (tally client set Acme
// vat-id ID)"; empty when the document can be an e-invoice.
std::vector<std::string> EInvoiceGaps(const InvoiceDocument& document);

// "The invoice to Acme cannot be an e-invoice:" and each gap on an indented line of its own.
std::string EInvoiceGapsText(const InvoiceDocument& document, const std::vector<std::string>& gaps);

}  // namespace tally
