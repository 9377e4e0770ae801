// SPDX-License-Identifier: MIT
#pragma once
// An invoice as a document shows it: who sends it to whom, its number and dates, and its
// money (invoice_money.h): a line per day that a reader can recompute, in whole cents.

#include <string>

#include "clients/client.h"
#include "invoice/invoice.h"
#include "invoice/invoice_money.h"
#include "invoice/invoice_tax.h"
#include "invoice/issuer.h"
#include "time/calendar_date.h"

namespace tally {

// A credit note cancels one invoice: the same lines with their amounts negated.
enum class DocumentKind { Invoice, CreditNote };

struct InvoiceDocument {
    DocumentKind kind = DocumentKind::Invoice;
    std::string number;
    CalendarDate issued;
    CalendarDate due;
    CalendarDate first;  // the period billed
    CalendarDate last;
    Issuer issuer;
    std::string clientName;
    std::string clientAddress;  // lines separated by LF
    std::string clientNumber;
    std::string clientCountry;    // ISO 3166-1 alpha-2, or empty
    std::string clientVatId;      // or empty
    std::string clientReference;  // the buyer's order or routing id, or empty
    std::string service;          // what each line says was done, or empty
    std::string currency;         // ISO 4217 code
    std::string language;         // the client's, one of kInvoiceLanguages
    InvoiceTax tax;               // TaxOf the client and issuer
    InvoiceMoney money;           // at the tax's percent
    std::string corrects;         // a credit note: the number of the invoice it cancels
    CalendarDate correctsIssued;  // and that invoice's issue date
    friend bool operator==(const InvoiceDocument&, const InvoiceDocument&) = default;
};

// The document of figures billed to a client: due its payment days after the issue date. A
// period's one line spans first to last.
InvoiceDocument MakeInvoiceDocument(const InvoiceFigures& figures, const Client& client,
                                    const Issuer& issuer, const std::string& number,
                                    const CalendarDate& issued, const CalendarDate& first,
                                    const CalendarDate& last,
                                    LineGrouping grouping = LineGrouping::PerDay);

// The credit note numbered number, issued (and due) on issued, that cancels the invoice: its
// buyer, tax and lines, with every quantity and amount negated. The price stays as printed, so
// that each line is still its quantity times the price, and the lines sum to the subtotal.
InvoiceDocument CreditNoteOf(const InvoiceDocument& invoice, const std::string& number,
                             const CalendarDate& issued);

}  // namespace tally
