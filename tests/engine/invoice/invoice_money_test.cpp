// SPDX-License-Identifier: MIT
#include "invoice/invoice_money.h"

#include <gtest/gtest.h>

#include "core/c_format.h"

namespace tally {
namespace {

// Each line as the document prints it, "H:MM hours rate amount": the amount is the printed
// hours times the printed rate, rounded half away from zero; the subtotal is the lines' sum,
// the tax is taken on it, and the total is both.
TEST(InvoiceMoney, everyFigureIsWhatThePrintedFiguresGive) {
    const struct {
        const char* name;
        double rate;
        double taxPercent;
        std::vector<std::int64_t> daySeconds;
        std::vector<std::string> lines;
        std::int64_t subtotal, tax, total;  // cents
    } cases[] = {
        {"sevenTwentyAtNinetyDropsSeconds",
         90.0,
         0.0,
         {7 * 3600 + 20 * 60 + 59, 7 * 3600 + 20 * 60},
         {"7:20 7.3333 90.00 660.00", "7:20 7.3333 90.00 660.00"},
         132000,
         0,
         132000},
        {"twoSeventeenAtSixtyFiveFifty",
         65.5,
         19.0,
         {2 * 3600 + 17 * 60 + 30, 2 * 3600 + 17 * 60},
         {"2:17 2.2833 65.50 149.56", "2:17 2.2833 65.50 149.56"},
         29912,
         5683,
         35595},
        {"halfACentRoundsUp",
         0.1,
         0.0,
         {180, 540},
         {"0:03 0.0500 0.10 0.01", "0:09 0.1500 0.10 0.02"},
         3,
         0,
         3},
        {"threePlacesOfRateArePrintedAndBilled",
         37.125,
         0.0,
         {1800, 3600},
         {"0:30 0.5000 37.125 18.56", "1:00 1.0000 37.125 37.13"},
         5569,
         0,
         5569},
        {"taxOnHalfACentRoundsUp", 1.0, 7.5, {3600}, {"1:00 1.0000 1.00 1.00"}, 100, 8, 108},
        {"aRateBeyondNinePlacesIsRoundedThere",
         0.1 + 0.2,
         0.0,
         {3600},
         {"1:00 1.0000 0.30 0.30"},
         30,
         0,
         30},
        {"nothingBilled", 90.0, 19.0, {}, {}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InvoiceFigures figures;
        figures.rate = c.rate;
        for (std::size_t i = 0; i < c.daySeconds.size(); ++i)
            figures.days.push_back({{2026, 11, static_cast<int>(i) + 1}, c.daySeconds[i]});
        const InvoiceMoney money = MoneyOf(figures, c.taxPercent);
        std::vector<std::string> lines;
        for (const MoneyLine& l : money.lines) {
            lines.push_back(FormatC("%lld:%02lld ", static_cast<long long>(l.minutes / 60),
                                    static_cast<long long>(l.minutes % 60)) +
                            DecimalText({l.quantity, kQuantityPlaces}, 0) + " " +
                            DecimalText(money.price, 2) + " " + DecimalText({l.amountCents, 2}, 2));
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(money.subtotalCents, c.subtotal);
        EXPECT_EQ(money.taxCents, c.tax);
        EXPECT_EQ(money.totalCents, c.total);
    }
}

}  // namespace
}  // namespace tally
