// SPDX-License-Identifier: MIT
#pragma once
// The invoice PDF through the PDF module, loaded on the first PDF: tally itself links no Qt
// GUI, so the commands that write no PDF start as quickly as before.

#include <string>

#include "invoice/invoice_document.h"

namespace tally::cli {

// Writes the document's PDF to path (as documents/invoice_drawing.h does, in the desktop's
// locale): the Factur-X PDF/A-3b carrying facturXml, or a plain PDF when it is empty. Loads
// the module beside tally in the build tree or from the installed library folder. False,
// with one line in error, when the module is missing or the file cannot be written (path is
// the temporary file, which it removes then).
bool WriteInvoicePdfFile(const InvoiceDocument& document, const std::string& facturXml,
                         const std::string& path, std::string& error);

// The same with the module at modulePath.
bool WriteInvoicePdfWith(const std::string& modulePath, const InvoiceDocument& document,
                         const std::string& facturXml, const std::string& path, std::string& error);

}  // namespace tally::cli
