// SPDX-License-Identifier: MIT
#include "documents/invoice_texts.h"

namespace tally {

QString InvoiceLabel(PdfText text) {
    switch (text) {
        case PdfText::Invoice:
            return QStringLiteral("INVOICE");
        case PdfText::CreditNote:
            return QStringLiteral("CREDIT NOTE");
        case PdfText::CancelsInvoice:
            return QStringLiteral("Cancels invoice %1 of %2");
        case PdfText::PageFooter:
            return QStringLiteral("Invoice %1 \u00b7 page %2 of %3");
        case PdfText::TaxNumber:
            return QStringLiteral("Tax number: ");
        case PdfText::VatId:
            return QStringLiteral("VAT ID: ");
        case PdfText::InvoiceNumber:
            return QStringLiteral("Invoice number");
        case PdfText::IssueDate:
            return QStringLiteral("Issue date");
        case PdfText::DueDate:
            return QStringLiteral("Due date");
        case PdfText::Period:
            return QStringLiteral("Period");
        case PdfText::BillTo:
            return QStringLiteral("Bill to");
        case PdfText::ClientNumber:
            return QStringLiteral("Client number: ");
        case PdfText::Country:
            return QStringLiteral("Country: ");
        case PdfText::BuyerReference:
            return QStringLiteral("Your reference: ");
        case PdfText::Description:
            return QStringLiteral("Description");
        case PdfText::Quantity:
            return QStringLiteral("Hours");
        case PdfText::UnitPrice:
            return QStringLiteral("Unit price");
        case PdfText::Amount:
            return QStringLiteral("Amount (%1)");
        case PdfText::Subtotal:
            return QStringLiteral("Subtotal");
        case PdfText::Tax:
            return QStringLiteral("Tax (%1)");
        case PdfText::Total:
            return QStringLiteral("Total");
        case PdfText::BilledTime:
            return QStringLiteral(
                "Hours are the whole minutes worked, to four decimal places; seconds are not "
                "billed.\nEach amount is hours \u00d7 unit price, rounded to the cent; the "
                "subtotal is their sum.");
        case PdfText::ReverseChargeNote:
            return QStringLiteral(
                "Reverse charge: VAT is due by the recipient (Article 196, Council Directive "
                "2006/112/EC).");
        case PdfText::OutsideScopeNote:
            return QStringLiteral(
                "Not subject to VAT: services to a customer outside the EU (place of supply "
                "outside the EU).");
        case PdfText::ExemptNote:
            return QStringLiteral("Exempt from VAT.");
        case PdfText::SmallBusinessNote:
            return QStringLiteral("No VAT is charged: the issuer is exempt as a small business.");
    }
    return {};
}

QString TaxNoteText(const InvoiceTax& tax) {
    const QString own = QString::fromStdString(tax.noteText).trimmed();
    switch (tax.note) {
        case TaxNote::None:
            return {};
        case TaxNote::ReverseCharge:
            return InvoiceLabel(PdfText::ReverseChargeNote);
        case TaxNote::OutsideScope:
            return InvoiceLabel(PdfText::OutsideScopeNote);
        case TaxNote::Exempt:
            return own.isEmpty() ? InvoiceLabel(PdfText::ExemptNote) : own;
        case TaxNote::SmallBusiness:
            return own.isEmpty() ? InvoiceLabel(PdfText::SmallBusinessNote) : own;
    }
    return {};
}

}  // namespace tally
