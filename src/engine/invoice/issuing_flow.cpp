// SPDX-License-Identifier: MIT
#include "invoice/issuing_flow.h"

#include <cmath>

#include "invoice/cii_xml.h"
#include "invoice/einvoice_gaps.h"
#include "invoice/invoice.h"
#include "invoice/invoice_lines.h"
#include "invoice/kept_document.h"

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
    const auto numbered = [&](const InvoiceEntry& entry) -> const InvoiceDocument& {
        document.number = entry.number;
        document.due = entry.due;
        return document;
    };
    request.keptDocument = [&](const InvoiceEntry& entry) {
        return KeptDocumentText(numbered(entry));
    };
    // The numbered document's XML, for the PDF and the XML file alike.
    const auto xmlOf = [&](const InvoiceEntry& entry) {
        return einvoice ? CiiXmlOf(numbered(entry)) : std::string();
    };
    return IssueInvoice(
        registerPath, rules, request,
        [&](const InvoiceEntry& entry, const std::string& path, std::string& error) {
            return write(numbered(entry), xmlOf(entry), path, error);
        },
        {}, xmlOf);
}

RegisterChange IssueCreditNote(const std::string& registerPath, const NumberingRules& creditRules,
                               const PdfCreditOrder& order, const DocumentWriter& write) {
    CreditRequest request;
    request.number = order.number;
    request.issued = order.issued;
    // A credit note is an e-invoice where the invoice it cancels could be one.
    request.writePdf = [&](const InvoiceDocument& note, const std::string& path,
                           std::string& error) {
        const std::string xml = EInvoiceGaps(note).empty() ? CiiXmlOf(note) : std::string();
        return write(note, xml, path, error);
    };
    request.recover = [&](const InvoiceEntry& invoice,
                          std::string& why) -> std::optional<InvoiceDocument> {
        const Client* client = FindClient(order.clients, invoice.client);
        if (client == nullptr) {
            why = "and client " + invoice.client + " is no longer set up.";
            return std::nullopt;
        }
        const auto figures = ComputeInvoice(
            client->log, invoice.first, invoice.last,
            EffectiveRate(order.clients, client->log, order.optionsRate), order.rounding);
        if (!figures) {
            why = "and the time log " + client->log + " of client " + client->name +
                  " cannot be read.";
            return std::nullopt;
        }
        // The register does not say how the lines were grouped: the grouping that bills its
        // figures is the one the invoice had.
        InvoiceDocument document;
        for (const LineGrouping grouping : {LineGrouping::PerDay, LineGrouping::Period}) {
            document = MakeInvoiceDocument(*figures, *client, order.issuer, invoice.number,
                                           invoice.issued, invoice.first, invoice.last, grouping);
            document.due = invoice.due;
            const InvoiceMoney& money = document.money;
            if (money.subtotalCents == std::llround(invoice.subtotal * 100.0) &&
                money.totalCents == std::llround(invoice.total * 100.0))
                break;
        }
        return document;
    };
    return CancelInvoice(registerPath, creditRules, request);
}

}  // namespace tally
