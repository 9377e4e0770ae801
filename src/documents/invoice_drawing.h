// SPDX-License-Identifier: MIT
#pragma once
// The PDF of an invoice document, drawn with Qt's PDF writer: the window links this, the
// command loads it as a module (pdf_module_loader.cpp) so that its start links no Qt GUI.

#include <string>

#include "invoice/invoice_document.h"

namespace tally {

// Writes the document as an A4 PDF, as many pages as its day lines take, into the file at
// path (the temporary file, which it puts in place once the invoice is saved). Dates
// and numbers read as in the document's language, whatever the desktop's locale. With
// facturXml, the document's CII XML, the PDF is the Factur-X PDF/A-3b that carries it
// (factur_x.h); without, a plain PDF. Needs a QGuiApplication for its fonts. False, with one
// line saying why in error, when the file cannot be written.
bool WriteInvoicePdf(const InvoiceDocument& document, const std::string& facturXml,
                     const std::string& path, std::string& error);

}  // namespace tally
