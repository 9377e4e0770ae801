// SPDX-License-Identifier: MIT
#pragma once
// An invoice document as plain C structs: what tally hands the PDF module that it loads
// only when a PDF is asked for, so that the command links no Qt GUI library. The entry's
// name carries the layout's version; a changed layout gets a new name.

#include <cstddef>
#include <vector>

#include "invoice/invoice_document.h"

extern "C" {

struct TallyDate {
    int year;
    int month;
    int day;
};

struct TallyInvoiceLine {
    TallyDate date;
    TallyDate last;
    long long minutes;
    long long quantity;
    long long amountCents;
};

// Strings are NUL-terminated UTF-8 and live as long as the call.
struct TallyInvoiceDocument {
    int kind;  // tally::DocumentKind
    const char* number;
    TallyDate issued;
    TallyDate due;
    TallyDate first;
    TallyDate last;
    const char* issuerName;
    const char* issuerAddress;
    const char* issuerEmail;
    const char* issuerTaxId;
    const char* issuerBank;
    const char* issuerTerms;
    const char* issuerVatId;
    const char* issuerCountry;
    const char* clientName;
    const char* clientAddress;
    const char* clientNumber;
    const char* clientCountry;
    const char* clientVatId;
    const char* clientReference;
    const char* service;
    const char* currency;
    const char* language;
    long long priceUnits;
    int pricePlaces;
    double taxPercent;
    int taxNote;  // tally::TaxNote
    const char* taxNoteText;
    const TallyInvoiceLine* lines;
    std::size_t lineCount;
    long long billedSeconds;
    long long subtotalCents;
    long long taxCents;
    long long totalCents;
    const char* corrects;
    TallyDate correctsIssued;
};

// Writes the PDF to path: the Factur-X PDF/A-3b that carries the xmlSize bytes at xml, or
// with none (xmlSize 0) a plain PDF. 0 on success, else a message of at most errorSize bytes
// in error.
typedef int (*TallyWriteInvoicePdfFn)(const TallyInvoiceDocument* document, const char* xml,
                                      std::size_t xmlSize, const char* path, char* error,
                                      std::size_t errorSize);
}

namespace tally {

inline constexpr const char* kPdfModuleEntry = "tally_write_invoice_pdf_v5";

// The C view of a document: its pointers point into the document, which must outlive it.
struct InvoiceDocumentView {
    TallyInvoiceDocument c{};
    std::vector<TallyInvoiceLine> lines;
};
InvoiceDocumentView ViewOf(const InvoiceDocument& document);
InvoiceDocument DocumentOf(const TallyInvoiceDocument& view);

}  // namespace tally
