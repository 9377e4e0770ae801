// SPDX-License-Identifier: MIT
#include "invoice/pdf_invoice.h"

#include "invoice/cii_xml.h"
#include "invoice/einvoice_gaps.h"
#include "invoice/invoice.h"
#include "invoice/invoice_lines.h"

namespace tally {

RegisterChange IssuePdfInvoice(const std::string& registerPath, const NumberingRules& rules,
                               const PdfInvoiceOrder& order, const DocumentWriter& write,
                               const PlainPdfNotice& notice) {
    RegisterChange refused;
    const auto figures =
        ComputeInvoice(order.client.log, order.first, order.last, order.rate, order.rounding);
    if (!figures) {
        refused.error = "Cannot read the time log " + order.client.log + ".";
        return refused;
    }
    if (figures->days.empty()) {
        refused.error = kNothingBilledText;
        return refused;
    }
    InvoiceDocument document =
        MakeInvoiceDocument(*figures, order.client, order.issuer, {}, order.issued, order.first,
                            order.last, order.lines);
    const std::vector<std::string> gaps = EInvoiceGaps(document);
    const bool einvoice = gaps.empty();
    if (!einvoice) {
        if (order.requireEInvoice || !order.xmlPath.empty()) {
            refused.error = EInvoiceGapsText(document, gaps);
            return refused;
        }
        if (notice) notice(EInvoiceGapsText(document, gaps));
    }
    InvoiceRequest request;
    request.client = order.client.name;
    request.first = order.first;
    request.last = order.last;
    request.issued = order.issued;
    request.paymentDays = order.client.paymentDays;
    // The register holds the document's figures: the time its lines bill, and their money.
    const InvoiceMoney& money = document.money;
    request.seconds = money.billedSeconds;
    request.subtotal = static_cast<double>(money.subtotalCents) / 100.0;
    request.tax = static_cast<double>(money.taxCents) / 100.0;
    request.total = static_cast<double>(money.totalCents) / 100.0;
    request.currency = order.client.currency;
    request.pdfPath = order.pdfPath;
    request.xmlPath = order.xmlPath;
    request.kept = order.kept;
    request.hasXml = einvoice;  // the PDF carries the XML: the register notes it
    std::string xml;            // the numbered document's, for the PDF and the XML file alike
    return IssueInvoice(
        registerPath, rules, request,
        [&](const InvoiceEntry& entry, const std::string& path, std::string& error) {
            document.number = entry.number;
            document.due = entry.due;
            if (einvoice) xml = CiiXmlOf(document);
            return write(document, xml, path, error);
        },
        {}, [&](const InvoiceEntry&) { return xml; });
}

}  // namespace tally
