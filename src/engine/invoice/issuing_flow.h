// SPDX-License-Identifier: MIT
#pragma once
// A PDF invoice from order to register: the client's days at its rate, drawn as a document
// and issued under the next number. The command line and the window differ only in how they
// draw the document.

#include <functional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "invoice/invoice_document.h"
#include "invoice/invoice_issue.h"
#include "invoice/issuer.h"
#include "time/calendar_date.h"
#include "time/elapsed_time.h"

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

struct PdfCreditOrder {
    std::string number;   // the invoice to cancel
    CalendarDate issued;  // today
    // For an invoice issued before documents were kept: its client, the issuer, the rate
    // of a client without one, and the rounding, as they are now.
    std::vector<Client> clients;
    Issuer issuer;
    double optionsRate = 0.0;
    RoundingOptions rounding;
};

// Cancels the invoice with a credit note (CancelInvoice) drawn by write. An invoice issued
// before documents were kept has its document made again from its client's log, one line a
// day or one for the period, whichever bills the register's figures; else it is refused.
RegisterChange IssueCreditNote(const std::string& registerPath, const NumberingRules& creditRules,
                               const PdfCreditOrder& order, const DocumentWriter& write);

}  // namespace tally
