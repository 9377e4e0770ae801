// SPDX-License-Identifier: MIT
#include "invoice/unbilled.h"

#include <filesystem>

#include "invoice/invoice_tax.h"

namespace tally {

std::optional<Unbilled> UnbilledTime(const InvoiceRegister& reg, const Client& client,
                                     const CalendarDate& today, double rate,
                                     const RoundingOptions& rounding, const Issuer& issuer) {
    Unbilled unbilled;
    if (const auto last = LastInvoicedDay(reg, client.name))
        unbilled.since = DateOf(DaysOf(*last) + std::chrono::days(1));
    const CalendarDate first = unbilled.since.value_or(CalendarDate{kFirstCountedYear, 1, 1});
    // An invoice may bill days ahead; a client may not have punched yet.
    std::error_code error;
    if (DaysOf(first) > DaysOf(today) || !std::filesystem::exists(client.log, error))
        return unbilled;
    const auto figures = ComputeInvoice(client.log, first, today, rate, rounding);
    if (!figures) return std::nullopt;
    unbilled.money = MoneyOf(*figures, TaxOf(client, issuer).percent);
    return unbilled;
}

}  // namespace tally
