// SPDX-License-Identifier: MIT
#include "invoice/invoice_document.h"

namespace tally {

InvoiceDocument MakeInvoiceDocument(const InvoiceFigures& figures, const Client& client,
                                    const Issuer& issuer, const std::string& number,
                                    const CalendarDate& issued, const CalendarDate& first,
                                    const CalendarDate& last, LineGrouping grouping) {
    InvoiceDocument doc;
    doc.number = number;
    doc.issued = issued;
    doc.due = DueDate(issued, client.paymentDays);
    doc.first = first;
    doc.last = last;
    doc.issuer = issuer;
    doc.clientName = client.name;
    doc.clientAddress = client.address;
    doc.clientNumber = client.number;
    doc.clientCountry = client.country;
    doc.clientVatId = client.vatId;
    doc.clientReference = client.reference;
    doc.service = client.service;
    doc.currency = client.currency;
    doc.language = client.language;
    doc.tax = TaxOf(client, issuer);
    doc.money = MoneyOf(figures, doc.tax.percent, grouping);
    if (grouping == LineGrouping::Period) {
        for (MoneyLine& line : doc.money.lines) {
            line.date = first;
            line.last = last;
        }
    }
    return doc;
}

InvoiceDocument CreditNoteOf(const InvoiceDocument& invoice, const std::string& number,
                             const CalendarDate& issued) {
    InvoiceDocument note = invoice;
    note.kind = DocumentKind::CreditNote;
    note.number = number;
    note.issued = issued;
    note.due = issued;
    note.corrects = invoice.number;
    note.correctsIssued = invoice.issued;
    for (MoneyLine& line : note.money.lines) {
        line.quantity = -line.quantity;
        line.amountCents = -line.amountCents;
    }
    note.money.subtotalCents = -note.money.subtotalCents;
    note.money.taxCents = -note.money.taxCents;
    note.money.totalCents = -note.money.totalCents;
    return note;
}

}  // namespace tally
