// SPDX-License-Identifier: MIT
#pragma once
// The money of an invoice document, one rule wherever it shows (the PDF, the register,
// unbilled, status --all): a reader recomputes every figure from what is printed. A day's
// line bills its whole minutes as hours to four places; its amount is that printed quantity
// times the printed rate, rounded to the cent; the subtotal is the sum of the lines, the tax
// is computed once on it, and the total is their sum. All in integers: no binary fraction
// moves a cent. The text invoice keeps its own lines (invoice_lines.h).

#include <cstdint>
#include <string>
#include <vector>

#include "invoice/invoice.h"
#include "time/calendar_date.h"

namespace tally {

// The places of a line's quantity: a whole minute is m / 60 hours, and at four places that
// never lies halfway, so the quantity of 7:20 is 7.3333 and 7.3333 × 90.00 bills 660.00.
inline constexpr int kQuantityPlaces = 4;

// A decimal: units / 10^places.
struct Decimal {
    std::int64_t units = 0;
    int places = 0;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// The rate as the invoice prints and uses it: the shortest decimal that reads back as the
// rate, at most nine places (rounded there). A rate beyond kMaxRate or not finite is 0.
Decimal PriceOf(double rate);

// "37.125", "90.00": the C locale's digits, at least minPlaces places.
std::string DecimalText(const Decimal& value, int minPlaces);

// A day's seconds as billed: its whole minutes.
std::int64_t BilledMinutes(std::int64_t seconds);

// Whole minutes in hours to kQuantityPlaces places, as units of the last place.
std::int64_t QuantityOf(std::int64_t minutes);

// quantity (kQuantityPlaces places) × price in cents, rounded half away from zero.
std::int64_t LineCents(std::int64_t quantity, const Decimal& price);

// subtotal × percent / 100 in cents, rounded half away from zero; the percent counts to six
// places, so that 7.5 % of 1.00 is exactly 7.5 cents and rounds to 8.
std::int64_t TaxCents(std::int64_t subtotalCents, double taxPercent);

// One line per day billed, or one for the whole period (its quantity the days' minutes).
enum class LineGrouping { PerDay, Period };

struct MoneyLine {
    CalendarDate date;
    CalendarDate last;          // the line's last day: its date, unless it bills a period
    std::int64_t minutes = 0;   // time billed, shown as H:MM
    std::int64_t quantity = 0;  // the same in hours, kQuantityPlaces places
    std::int64_t amountCents = 0;
    friend bool operator==(const MoneyLine&, const MoneyLine&) = default;
};

struct InvoiceMoney {
    Decimal price;
    std::vector<MoneyLine> lines;    // one per day of the figures, or one for them all
    std::int64_t billedSeconds = 0;  // the lines' minutes, in seconds
    std::int64_t subtotalCents = 0;  // the sum of the lines
    std::int64_t taxCents = 0;
    std::int64_t totalCents = 0;
    friend bool operator==(const InvoiceMoney&, const InvoiceMoney&) = default;
};

// The money of the figures' days at their rate and the tax percent. A period's line spans
// the first to the last day billed.
InvoiceMoney MoneyOf(const InvoiceFigures& figures, double taxPercent,
                     LineGrouping grouping = LineGrouping::PerDay);

}  // namespace tally
