// SPDX-License-Identifier: MIT
#pragma once
// A PDF invoice from order to register: the client's days at its rate, drawn as a document
// and issued under the next number. The command line and the window differ only in how they
// draw the document.

#include <functional>
#include <string>

#include "clients/client.h"
#include "core/calendar_date.h"
#include "core/elapsed_time.h"
#include "invoice/invoice_document.h"
#include "invoice/invoice_issue.h"
#include "invoice/issuer.h"

namespace tally {

struct PdfInvoiceOrder {
    Client client;
    Issuer issuer;
    CalendarDate first;  // the days billed, both included
    CalendarDate last;
    CalendarDate issued;  // today
    double rate = 0.0;    // the client's effective rate
    RoundingOptions rounding;
    LineGrouping lines = LineGrouping::PerDay;
    std::string pdfPath;  // absolute; empty: the archive's copy alone (beside the XML)
    std::string xmlPath;  // absolute, or empty: the e-invoice XML as a file of its own
    KeptFiles kept;       // the logs and settings no PDF may replace
    // Where the invoice cannot be an e-invoice: refuse it, or issue a plain PDF.
    bool requireEInvoice = false;
};

// Told, before the number is used, why the PDF will be a plain one (EInvoiceGapsText).
using PlainPdfNotice = std::function<void(const std::string& why)>;

// Draws the document into the new file at path; false, with the reason. facturXml is the
// document's e-invoice (CiiXmlOf), which the PDF carries; empty for a plain PDF.
using DocumentWriter =
    std::function<bool(const InvoiceDocument& document, const std::string& facturXml,
                       const std::string& path, std::string& error)>;

// Issues the order's invoice: refused when nothing is billed, the log cannot be read, the
// invoice cannot be an e-invoice where the order requires one or asks for its XML, or the
// register refuses it (an overlap, a damaged register, a failed write), with no number used.
RegisterChange IssuePdfInvoice(const std::string& registerPath, const NumberingRules& rules,
                               const PdfInvoiceOrder& order, const DocumentWriter& write,
                               const PlainPdfNotice& notice = {});

}  // namespace tally
