// SPDX-License-Identifier: MIT
#pragma once
// An invoice as a document shows it: who sends it to whom, its number and dates, a line per
// day and the money, all in whole cents so that every figure reads as the text invoice's.

#include <cstdint>
#include <string>
#include <vector>

#include "clients/client.h"
#include "core/calendar_date.h"
#include "invoice/invoice.h"
#include "invoice/issuer.h"

namespace tally {

struct InvoiceDocumentLine {
    CalendarDate date;
    std::int64_t hours = 0;  // time worked as the day's line shows it, H:MM
    int minutes = 0;
    std::int64_t hundredths = 0;  // the same time in hours, to two places
    std::int64_t amountCents = 0;
    friend bool operator==(const InvoiceDocumentLine&, const InvoiceDocumentLine&) = default;
};

struct InvoiceDocument {
    std::string number;
    CalendarDate issued;
    CalendarDate due;
    CalendarDate first;  // the period billed
    CalendarDate last;
    Issuer issuer;
    std::string clientName;
    std::string clientAddress;  // lines separated by LF
    std::string clientNumber;
    std::string currency;  // ISO 4217 code
    double rate = 0.0;
    double taxPercent = 0.0;
    std::vector<InvoiceDocumentLine> lines;
    std::int64_t subtotalCents = 0;  // the text invoice's total
    std::int64_t taxCents = 0;
    std::int64_t totalCents = 0;
    friend bool operator==(const InvoiceDocument&, const InvoiceDocument&) = default;
};

// subtotal × percent / 100 in cents, rounded half away from zero; the percent counts to six
// places, so that 7.5 % of 1.00 is exactly 7.5 cents and rounds to 8.
std::int64_t TaxCents(std::int64_t subtotalCents, double taxPercent);

// The document of figures billed to a client: due its payment days after the issue date.
InvoiceDocument MakeInvoiceDocument(const InvoiceFigures& figures, const Client& client,
                                    const Issuer& issuer, const std::string& number,
                                    const CalendarDate& issued, const CalendarDate& first,
                                    const CalendarDate& last);

}  // namespace tally
