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
        view.lines.push_back({CDate(l.date), CDate(l.last), l.minutes, l.quantity, l.amountCents});
    TallyInvoiceDocument& c = view.c;
    c.kind = static_cast<int>(doc.kind);
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
    c.issuerVatId = doc.issuer.vatId.c_str();
    c.issuerCountry = doc.issuer.country.c_str();
    c.clientName = doc.clientName.c_str();
    c.clientAddress = doc.clientAddress.c_str();
    c.clientNumber = doc.clientNumber.c_str();
    c.clientCountry = doc.clientCountry.c_str();
    c.clientVatId = doc.clientVatId.c_str();
    c.clientReference = doc.clientReference.c_str();
    c.service = doc.service.c_str();
    c.currency = doc.currency.c_str();
    c.language = doc.language.c_str();
    c.priceUnits = money.price.units;
    c.pricePlaces = money.price.places;
    c.taxPercent = doc.tax.percent;
    c.taxNote = static_cast<int>(doc.tax.note);
    c.taxNoteText = doc.tax.noteText.c_str();
    c.lines = view.lines.data();
    c.lineCount = view.lines.size();
    c.billedSeconds = money.billedSeconds;
    c.subtotalCents = money.subtotalCents;
    c.taxCents = money.taxCents;
    c.totalCents = money.totalCents;
    c.corrects = doc.corrects.c_str();
    c.correctsIssued = CDate(doc.correctsIssued);
    return view;
}

InvoiceDocument DocumentOf(const TallyInvoiceDocument& c) {
    InvoiceDocument doc;
    // A kind the program does not know is an invoice: a credit note is never guessed.
    doc.kind = c.kind == static_cast<int>(DocumentKind::CreditNote) ? DocumentKind::CreditNote
                                                                    : DocumentKind::Invoice;
    doc.number = Text(c.number);
    doc.issued = DateFrom(c.issued);
    doc.due = DateFrom(c.due);
    doc.first = DateFrom(c.first);
    doc.last = DateFrom(c.last);
    doc.issuer = {Text(c.issuerName),  Text(c.issuerAddress), Text(c.issuerEmail),
                  Text(c.issuerTaxId), Text(c.issuerBank),    Text(c.issuerTerms)};
    doc.issuer.vatId = Text(c.issuerVatId);
    doc.issuer.country = Text(c.issuerCountry);
    doc.clientName = Text(c.clientName);
    doc.clientAddress = Text(c.clientAddress);
    doc.clientNumber = Text(c.clientNumber);
    doc.clientCountry = Text(c.clientCountry);
    doc.clientVatId = Text(c.clientVatId);
    doc.clientReference = Text(c.clientReference);
    doc.service = Text(c.service);
    doc.currency = Text(c.currency);
    doc.language = Text(c.language);
    // A note the program does not know reads as none: the module never guesses a tax text.
    const bool known = c.taxNote >= 0 && c.taxNote <= static_cast<int>(TaxNote::SmallBusiness);
    doc.tax = {c.taxPercent, known ? static_cast<TaxNote>(c.taxNote) : TaxNote::None,
               Text(c.taxNoteText)};
    InvoiceMoney& money = doc.money;
    money.price = {c.priceUnits, c.pricePlaces};
    money.lines.reserve(c.lineCount);
    for (std::size_t i = 0; i < c.lineCount; ++i) {
        const TallyInvoiceLine& l = c.lines[i];
        money.lines.push_back(
            {DateFrom(l.date), DateFrom(l.last), l.minutes, l.quantity, l.amountCents});
    }
    money.billedSeconds = c.billedSeconds;
    money.subtotalCents = c.subtotalCents;
    money.taxCents = c.taxCents;
    money.totalCents = c.totalCents;
    doc.corrects = Text(c.corrects);
    doc.correctsIssued = DateFrom(c.correctsIssued);
    return doc;
}

}  // namespace tally
