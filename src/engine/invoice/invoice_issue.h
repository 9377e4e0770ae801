// SPDX-License-Identifier: MIT
#pragma once
// Issuing an invoice and changing its state, each under the register's lock from the first
// read to the last rename. A number is used only when its PDF is written, archived and its
// entry saved; a failure at any step uses none and leaves the register byte for byte as it
// was. A register that cannot be parsed is never written.

#include <functional>
#include <string>

#include "clients/client.h"
#include "core/calendar_date.h"
#include "core/time_log_lock.h"
#include "invoice/invoice_number.h"
#include "invoice/invoice_register.h"

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
    std::string pdfPath;  // where the user wants the PDF (absolute)
};

// Writes the PDF of the entry (number and dates filled in) to entry.pdf. False, with the
// reason, when it could not; it then leaves no partial file there (write under a temporary
// name and rename).
using PdfWriter = std::function<bool(const InvoiceEntry& entry, std::string& error)>;

// What a change of the register did: ok, with the entry as now saved, or the message.
struct RegisterChange {
    bool ok = false;
    std::string error;
    InvoiceEntry entry;
};

// The archive of PDF copies beside the register (links followed), and one number's copy.
std::string ArchiveFolder(const std::string& registerPath);
std::string ArchivePath(const std::string& registerPath, const std::string& number);

// Refuses days of the client that an issued or paid invoice bills; takes the next number;
// writes the PDF; copies it into the archive; saves the register.
RegisterChange IssueInvoice(const std::string& registerPath, const NumberingRules& rules,
                            const InvoiceRequest& request, const PdfWriter& writePdf,
                            const LockOptions& lock = {});

// Records the payment of an issued (or paid, to correct the date) invoice on a day not before
// its issue date nor after today.
RegisterChange MarkInvoicePaid(const std::string& registerPath, const std::string& number,
                               const CalendarDate& paidOn, const CalendarDate& today,
                               const LockOptions& lock = {});
// Cancels an issued or paid invoice: its days may be billed again, its number never.
RegisterChange CancelInvoice(const std::string& registerPath, const std::string& number,
                             const LockOptions& lock = {});

}  // namespace tally
