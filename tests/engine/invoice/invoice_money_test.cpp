// SPDX-License-Identifier: MIT
#include "invoice/invoice_money.h"

#include <gtest/gtest.h>

#include "time/c_format.h"

namespace tally {
namespace {

// Each line as the document prints it, "H:MM hours rate amount": the amount is the printed
// hours times the printed rate, rounded half away from zero; then subtotal (the lines' sum),
// tax (taken on it) and total.
TEST(InvoiceMoney, everyFigureIsWhatThePrintedFiguresGive) {
    const struct {
        const char* name;
        double rate;
        double taxPercent;
        std::vector<std::int64_t> daySeconds;
        const char* figures;
    } cases[] = {
        // clang-format off
        {"sevenTwentyDropsItsSeconds", 90.0, 0.0, {26459, 26400},
         "7:20 7.3333 90.00 660.00|7:20 7.3333 90.00 660.00|1320.00 0.00 1320.00"},
        {"twoSeventeen", 65.5, 19.0, {8250, 8220},
         "2:17 2.2833 65.50 149.56|2:17 2.2833 65.50 149.56|299.12 56.83 355.95"},
        {"halfACentRoundsUp", 0.1, 0.0, {180, 540},
         "0:03 0.0500 0.10 0.01|0:09 0.1500 0.10 0.02|0.03 0.00 0.03"},
        {"threePlacesOfRate", 37.125, 0.0, {1800, 3600},
         "0:30 0.5000 37.125 18.56|1:00 1.0000 37.125 37.13|55.69 0.00 55.69"},
        {"taxOnHalfACentRoundsUp", 1.0, 7.5, {3600}, "1:00 1.0000 1.00 1.00|1.00 0.08 1.08"},
        {"rateRoundedAtNinePlaces", 0.1 + 0.2, 0.0, {3600}, "1:00 1.0000 0.30 0.30|0.30 0.00 0.30"},
        {"nothingBilled", 90.0, 19.0, {}, "0.00 0.00 0.00"},
        // clang-format on
    };
    const auto cents = [](std::int64_t c) { return DecimalText({c, 2}, 2); };
    for (const auto& c : cases) {
        InvoiceFigures figures;
        figures.rate = c.rate;
        for (std::int64_t seconds : c.daySeconds) figures.days.push_back({{2026, 11, 2}, seconds});
        const InvoiceMoney money = MoneyOf(figures, c.taxPercent);
        std::string printed;
        for (const MoneyLine& l : money.lines) {
            printed += FormatC("%lld:%02lld ", static_cast<long long>(l.minutes / 60),
                               static_cast<long long>(l.minutes % 60)) +
                       DecimalText({l.quantity, kQuantityPlaces}, 0) + " " +
                       DecimalText(money.price, 2) + " " + cents(l.amountCents) + "|";
        }
        printed += cents(money.subtotalCents) + " " + cents(money.taxCents) + " " +
                   cents(money.totalCents);
        EXPECT_EQ(printed, c.figures) << c.name;
    }
}

}  // namespace
}  // namespace tally
