// SPDX-License-Identifier: MIT
#include "invoice/invoice_document_abi.h"

namespace tally {
namespace {

TallyDate CDate(const CalendarDate& d) {
    return {d.year, d.month, d.day};
}

CalendarDate DateFrom(const TallyDate& d) {
    return {d.year, d.month, d.day};
}

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

}  // namespace

InvoiceDocumentView ViewOf(const InvoiceDocument& doc) {
    InvoiceDocumentView view;
    const InvoiceMoney& money = doc.money;
    view.lines.reserve(money.lines.size());
    for (const MoneyLine& l : money.lines)
        view.lines.push_back({CDate(l.date), l.minutes, l.quantity, l.amountCents});
    TallyInvoiceDocument& c = view.c;
    c.number = doc.number.c_str();
    c.issued = CDate(doc.issued);
    c.due = CDate(doc.due);
    c.first = CDate(doc.first);
    c.last = CDate(doc.last);
    c.issuerName = doc.issuer.name.c_str();
    c.issuerAddress = doc.issuer.address.c_str();
    c.issuerEmail = doc.issuer.email.c_str();
    c.issuerTaxId = doc.issuer.taxId.c_str();
    c.issuerBank = doc.issuer.bank.c_str();
    c.issuerTerms = doc.issuer.terms.c_str();
    c.clientName = doc.clientName.c_str();
    c.clientAddress = doc.clientAddress.c_str();
    c.clientNumber = doc.clientNumber.c_str();
    c.currency = doc.currency.c_str();
    c.priceUnits = money.price.units;
    c.pricePlaces = money.price.places;
    c.taxPercent = doc.taxPercent;
    c.lines = view.lines.data();
    c.lineCount = view.lines.size();
    c.billedSeconds = money.billedSeconds;
    c.subtotalCents = money.subtotalCents;
    c.taxCents = money.taxCents;
    c.totalCents = money.totalCents;
    return view;
}

InvoiceDocument DocumentOf(const TallyInvoiceDocument& c) {
    InvoiceDocument doc;
    doc.number = Text(c.number);
    doc.issued = DateFrom(c.issued);
    doc.due = DateFrom(c.due);
    doc.first = DateFrom(c.first);
    doc.last = DateFrom(c.last);
    doc.issuer = {Text(c.issuerName),  Text(c.issuerAddress), Text(c.issuerEmail),
                  Text(c.issuerTaxId), Text(c.issuerBank),    Text(c.issuerTerms)};
    doc.clientName = Text(c.clientName);
    doc.clientAddress = Text(c.clientAddress);
    doc.clientNumber = Text(c.clientNumber);
    doc.currency = Text(c.currency);
    doc.taxPercent = c.taxPercent;
    InvoiceMoney& money = doc.money;
    money.price = {c.priceUnits, c.pricePlaces};
    money.lines.reserve(c.lineCount);
    for (std::size_t i = 0; i < c.lineCount; ++i) {
        const TallyInvoiceLine& l = c.lines[i];
        money.lines.push_back({DateFrom(l.date), l.minutes, l.quantity, l.amountCents});
    }
    money.billedSeconds = c.billedSeconds;
    money.subtotalCents = c.subtotalCents;
    money.taxCents = c.taxCents;
    money.totalCents = c.totalCents;
    return doc;
}

}  // namespace tally
