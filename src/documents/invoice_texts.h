// SPDX-License-Identifier: MIT
#pragma once
// Every label and note an invoice's PDF prints, in one table, so that the document's language
// is one place to change.

#include <QString>

#include "invoice/invoice_tax.h"

namespace tally {

enum class PdfText {
    Invoice,         // the title
    CreditNote,      // the title of a credit note
    CancelsInvoice,  // %1 the cancelled invoice's number, %2 its issue date
    PageFooter,      // %1 the number, %2 the page, %3 the page count
    TaxNumber,
    VatId,
    InvoiceNumber,
    IssueDate,
    DueDate,
    Period,
    BillTo,
    ClientNumber,
    Country,
    BuyerReference,
    Description,
    Quantity,
    UnitPrice,
    Amount,  // %1 the currency
    Subtotal,
    Tax,  // %1 the percent
    Total,
    BilledTime,
    ReverseChargeNote,
    OutsideScopeNote,
    ExemptNote,         // where the client gives no words of its own
    SmallBusinessNote,  // where the issuer gives no words of its own
};

QString InvoiceLabel(PdfText text);
// The note a document with that tax carries under its totals; empty for none.
QString TaxNoteText(const InvoiceTax& tax);

}  // namespace tally
