// SPDX-License-Identifier: MIT
#pragma once
// A client's unbilled time: its days after the last day of its invoices (all of them when it
// has none), up to today, as the next invoice would bill them: its whole minutes per day, its
// money by the invoice's rule (invoice_money.h) at its tax (invoice_tax.h).

#include <optional>
#include <string>

#include "clients/client.h"
#include "invoice/invoice.h"
#include "invoice/invoice_money.h"
#include "invoice/invoice_register.h"
#include "invoice/issuer.h"

namespace tally {

struct Unbilled {
    std::optional<CalendarDate> since;  // the first unbilled day; none: nothing invoiced yet
    InvoiceMoney money;                 // billedSeconds and subtotalCents are what it shows
};

// Nothing when the client's log cannot be read.
std::optional<Unbilled> UnbilledTime(const InvoiceRegister& reg, const Client& client,
                                     const CalendarDate& today, double rate,
                                     const RoundingOptions& rounding, const Issuer& issuer);

}  // namespace tally
