// SPDX-License-Identifier: MIT
#include "invoice/invoice_document.h"

namespace tally {

InvoiceDocument MakeInvoiceDocument(const InvoiceFigures& figures, const Client& client,
                                    const Issuer& issuer, const std::string& number,
                                    const CalendarDate& issued, const CalendarDate& first,
                                    const CalendarDate& last) {
    InvoiceDocument doc;
    doc.number = number;
    doc.issued = issued;
    doc.due = DateOf(DaysOf(issued) + std::chrono::days(client.paymentDays));
    doc.first = first;
    doc.last = last;
    doc.issuer = issuer;
    doc.clientName = client.name;
    doc.clientAddress = client.address;
    doc.clientNumber = client.number;
    doc.currency = client.currency;
    doc.taxPercent = client.taxPercent;
    doc.money = MoneyOf(figures, client.taxPercent);
    return doc;
}

}  // namespace tally
