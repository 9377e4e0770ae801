// SPDX-License-Identifier: MIT
#include "invoice/invoice_document.h"

#include <cmath>

#include "core/elapsed_time.h"
#include "invoice/invoice_lines.h"

namespace tally {

std::int64_t TaxCents(std::int64_t subtotalCents, double taxPercent) {
    // In integers: a percent such as 7.5 times cents lands on half a cent exactly.
    const __int128 millionths = std::llround(taxPercent * 1e6);
    const __int128 scaled = static_cast<__int128>(subtotalCents) * millionths;
    constexpr __int128 kDivisor = 100'000'000;  // percent and millionths
    const __int128 magnitude = ((scaled < 0 ? -scaled : scaled) + kDivisor / 2) / kDivisor;
    return static_cast<std::int64_t>(scaled < 0 ? -magnitude : magnitude);
}

InvoiceDocument MakeInvoiceDocument(const InvoiceFigures& figures, const Client& client,
                                    const Issuer& issuer, const std::string& number,
                                    const CalendarDate& issued, const CalendarDate& first,
                                    const CalendarDate& last) {
    InvoiceDocument doc;
    doc.number = number;
    doc.issued = issued;
    doc.due = DateOf(DaysOf(issued) + std::chrono::days(client.paymentDays));
    doc.first = first;
    doc.last = last;
    doc.issuer = issuer;
    doc.clientName = client.name;
    doc.clientAddress = client.address;
    doc.clientNumber = client.number;
    doc.currency = client.currency;
    doc.rate = figures.rate;
    doc.taxPercent = client.taxPercent;
    doc.lines.reserve(figures.days.size());
    for (const InvoiceDay& day : figures.days) {
        const ELAPSEDTIME shown = SplitWithinDay(day.seconds);
        // Minutes × 100 / 60 to the nearest hundredth; it never lies halfway.
        const std::int64_t hundredths =
            std::int64_t{shown.nHours} * 100 + (shown.nMinutes * 10 + 3) / 6;
        doc.lines.push_back(
            {day.date, shown.nHours, shown.nMinutes, hundredths, AmountCents(day.amount)});
    }
    doc.subtotalCents = figures.days.empty() ? 0 : AmountCents(figures.totalAmount);
    doc.taxCents = TaxCents(doc.subtotalCents, doc.taxPercent);
    doc.totalCents = doc.subtotalCents + doc.taxCents;
    return doc;
}

}  // namespace tally
