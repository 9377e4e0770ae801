// SPDX-License-Identifier: MIT
#pragma once
// An invoice document as an electronic invoice: UN/CEFACT Cross Industry Invoice XML of the
// EN 16931 profile, the data a Factur-X PDF carries as factur-x.xml. Its figures are the
// document's cents, so the XML and the PDF agree to the cent.

#include <string>

#include "invoice/invoice_document.h"

namespace tally {

// The guideline the XML names: the EN 16931 profile itself.
inline constexpr const char* kCiiGuideline = "urn:cen.eu:en16931:2017";

// The document's CII XML. It passes the rules where EInvoiceGaps finds nothing. A credit note
// (type 381) carries the amounts positive and names the invoice it corrects.
std::string CiiXmlOf(const InvoiceDocument& document);

}  // namespace tally
