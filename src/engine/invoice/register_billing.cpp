// SPDX-License-Identifier: MIT
// Which days of a client the register bills: those of its issued and paid invoices.
#include "invoice/invoice_register.h"

namespace tally {

bool BillsItsDays(const InvoiceEntry& entry) {
    return entry.state == InvoiceState::Issued || entry.state == InvoiceState::Paid;
}

const InvoiceEntry* BilledOverlap(const InvoiceRegister& reg, const std::string& client,
                                  const CalendarDate& first, const CalendarDate& last) {
    for (const InvoiceEntry& e : reg.Entries()) {
        if (BillsItsDays(e) && e.client == client && DaysOf(last) >= DaysOf(e.first) &&
            DaysOf(e.last) >= DaysOf(first)) {
            return &e;
        }
    }
    return nullptr;
}

std::optional<CalendarDate> LastInvoicedDay(const InvoiceRegister& reg, const std::string& client) {
    std::optional<CalendarDate> lastDay;
    for (const InvoiceEntry& e : reg.Entries()) {
        if (BillsItsDays(e) && e.client == client &&
            (!lastDay || DaysOf(*lastDay) < DaysOf(e.last))) {
            lastDay = e.last;
        }
    }
    return lastDay;
}

}  // namespace tally
