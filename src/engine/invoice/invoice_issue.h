// SPDX-License-Identifier: MIT
#pragma once
// Issuing an invoice and changing its state, each under the register's lock from the first
// read to the last rename. A number is used only when its PDF is written, archived and its
// entry saved; a failure at any step uses none and leaves the register byte for byte as it
// was. A register that cannot be parsed is never written. No PDF goes over a file the
// program keeps, and an existing PDF is replaced only once the entry is saved.

#include <functional>
#include <optional>
#include <string>

#include "clients/client.h"
#include "entries/document_target.h"
#include "invoice/invoice_document.h"
#include "invoice/invoice_number.h"
#include "invoice/invoice_register.h"
#include "invoice/register_place.h"
#include "log/file_lock.h"
#include "time/calendar_date.h"

namespace tally {

// What an invoice bills; its number and due date are filled in when it is issued.
struct InvoiceRequest {
    std::string client;
    CalendarDate first;  // the days billed, both included
    CalendarDate last;
    CalendarDate issued;  // today
    int paymentDays = kDefaultPaymentDays;
    std::int64_t seconds = 0;
    double subtotal = 0.0;
    double tax = 0.0;
    double total = 0.0;
    std::string currency;
    std::string pdfPath;  // where the user wants the PDF (absolute); empty: the archive's alone
    KeptFiles kept;       // the logs and settings no PDF may replace (the register adds its own)
    // The document kept beside the archive's copy (kept_document.h), for the entry numbered.
    std::function<std::string(const InvoiceEntry& entry)> keptDocument{};
    // Where the user wants the e-invoice XML (absolute), or empty; initialised here, so that a
    // brace list of the values above still sets a request whole.
    std::string xmlPath{};
    bool hasXml = false;  // the PDF carries the invoice's XML: the register notes it
};

// Writes the PDF of the entry (number and dates filled in) into the new file at path, a
// temporary one the issue puts at entry.pdf once the entry is saved. False, with the reason,
// when it could not.
using PdfWriter =
    std::function<bool(const InvoiceEntry& entry, const std::string& path, std::string& error)>;
// The e-invoice XML of the entry, asked for after its PDF is written.
using XmlMaker = std::function<std::string(const InvoiceEntry& entry)>;

// What a change of the register did: ok, with the entry as now saved, or the message.
struct RegisterChange {
    bool ok = false;
    std::string error;
    InvoiceEntry entry;
};

// Refuses a PDF or XML path that names a kept file, days of the client that an issued or paid
// invoice bills, and a register that lacks numbers its archive holds; takes the number after
// every one used; writes the PDF, its archive copy, the kept document and the XML under temporary
// names; saves the register; only then puts them in place. Without a PDF path the register names
// the archive's copy.
RegisterChange IssueInvoice(const std::string& registerPath, const NumberingRules& rules,
                            const InvoiceRequest& request, const PdfWriter& writePdf,
                            const LockOptions& lock = {}, const XmlMaker& makeXml = {});

// Records the payment of an issued (or paid, to correct the date) invoice on a day not before
// its issue date nor after today.
RegisterChange MarkInvoicePaid(const std::string& registerPath, const std::string& number,
                               const CalendarDate& paidOn, const CalendarDate& today,
                               const LockOptions& lock = {});
// A credit note for an invoice, and how its documents are had.
struct CreditRequest {
    std::string number;   // the invoice's
    CalendarDate issued;  // today
    // The document of an invoice issued before documents were kept; nothing, with the rest
    // of a sentence saying why ("and client Acme is no longer set up."), when it cannot be had.
    std::function<std::optional<InvoiceDocument>(const InvoiceEntry& invoice, std::string& why)>
        recover;
    // Writes the credit note's PDF into the new file at path; false, with the reason.
    std::function<bool(const InvoiceDocument& note, const std::string& path, std::string& error)>
        writePdf;
};

// Cancels an issued or paid invoice with a credit note (CreditNoteOf its kept document),
// numbered in the credit notes' series and issued as an invoice is: its PDF into the archive
// (the entry's PDF path), its document kept beside it. The invoice becomes "cancelled by" the
// note: its days may be billed again, its number never. Refused, changing nothing, for an
// invoice cancelled already, a credit note, and an invoice whose document is damaged, or
// missing and not recovered with the register's figures.
RegisterChange CancelInvoice(const std::string& registerPath, const NumberingRules& creditRules,
                             const CreditRequest& request, const LockOptions& lock = {});

}  // namespace tally
