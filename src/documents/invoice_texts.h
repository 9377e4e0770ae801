// SPDX-License-Identifier: MIT
#pragma once
// Every label and note an invoice's PDF prints, in one table, written in the document's
// language from the translations built into this library (translations/invoice_*.ts). The
// translations are looked up here, never installed on the application, so that the window
// keeps its own language whatever the invoice's is.

#include <QLocale>
#include <QString>
#include <string>

#include "invoice/invoice_document.h"
#include "invoice/invoice_tax.h"

namespace tally {

enum class PdfText {
    Invoice,         // the title
    CreditNote,      // the title of a credit note
    CancelsInvoice,  // %1 the cancelled invoice's number, %2 its issue date
    PageFooter,      // %1 the document's name, %2 the page, %3 the page count
    DocumentName,    // %1 the number: the PDF's title and the subject of its e-mail
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
    DateFormat,         // every date of the document, as QLocale::toString reads it
    DateRange,          // %1 the first day, %2 the last
    LineDescription,    // %1 the client's service, %2 the line's dates
    CreditNoteName,     // %1 the number: DocumentName of a credit note
    // New texts come last and move kPdfTextCount, which the translations' check counts on.
};
inline constexpr int kPdfTextCount = static_cast<int>(PdfText::CreditNoteName) + 1;

// The text in the language ("en", "de", "fr"); English where the language has no
// translation of it.
QString InvoiceLabel(PdfText text, const std::string& language);
// "Invoice N" or "Credit note N" in the language: the PDF's title, its pages' footer and the
// subject of its e-mail.
QString DocumentName(DocumentKind kind, const std::string& number, const std::string& language);
// True when the language's translations have a finished text for it.
bool HasInvoiceTranslation(PdfText text, const std::string& language);
// The numbers and month names of the language's documents, whatever the desktop's locale.
QLocale InvoiceLocale(const std::string& language);
// The note a document with that tax carries under its totals, in the language; empty for
// none.
QString TaxNoteText(const InvoiceTax& tax, const std::string& language);

}  // namespace tally
