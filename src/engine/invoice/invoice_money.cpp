// SPDX-License-Identifier: MIT
#include "invoice/invoice_money.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "time/c_format.h"

namespace tally {
namespace {

// More places than any currency's rate needs; nine keep units × quantity within 128 bits.
constexpr int kMaxPricePlaces = 9;

__int128 PowerOfTen(int exponent) {
    __int128 power = 1;
    for (int i = 0; i < exponent; ++i) power *= 10;
    return power;
}

// numerator / divisor (divisor > 0), rounded half away from zero.
std::int64_t RoundedQuotient(__int128 numerator, __int128 divisor) {
    const __int128 magnitude = ((numerator < 0 ? -numerator : numerator) + divisor / 2) / divisor;
    return static_cast<std::int64_t>(numerator < 0 ? -magnitude : magnitude);
}

Decimal DecimalOf(std::string_view text) {
    Decimal d;
    const bool negative = !text.empty() && text.front() == '-';
    bool fraction = false;
    for (char c : text) {
        if (c == '.') {
            fraction = true;
        } else if (c >= '0' && c <= '9') {
            d.units = d.units * 10 + (c - '0');
            if (fraction) ++d.places;
        }
    }
    if (negative) d.units = -d.units;
    return d;
}

}  // namespace

Decimal PriceOf(double rate) {
    if (!std::isfinite(rate) || std::fabs(rate) > kMaxRate) return {};
    // The shortest digits that read back as the rate: what a user typed (33.333, not the
    // binary neighbour 33.332999...). A rate as tiny as 1e-300 is cut to nine places.
    char text[400];
    auto [end, error] = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed);
    const std::string_view shortest(text, static_cast<std::size_t>(end - text));
    const std::size_t point = shortest.find('.');
    if (error == std::errc{} &&
        (point == std::string_view::npos || shortest.size() - point - 1 <= kMaxPricePlaces))
        return DecimalOf(shortest);
    end = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed, kMaxPricePlaces)
              .ptr;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return DecimalOf(std::string_view(text, static_cast<std::size_t>(end - text)));
}

std::string DecimalText(const Decimal& value, int minPlaces) {
    const auto magnitude = value.units < 0 ? 0ULL - static_cast<unsigned long long>(value.units)
                                           : static_cast<unsigned long long>(value.units);
    unsigned long long scale = 1;
    for (int i = 0; i < value.places; ++i) scale *= 10;
    std::string text = FormatC("%s%llu", value.units < 0 ? "-" : "", magnitude / scale);
    if (value.places > 0) text += FormatC(".%0*llu", value.places, magnitude % scale);
    if (value.places < minPlaces) {
        if (value.places == 0) text += '.';
        text.append(static_cast<std::size_t>(minPlaces - value.places), '0');
    }
    return text;
}

std::int64_t BilledMinutes(std::int64_t seconds) {
    // A day's seconds are never negative: a pair bills at least nothing.
    return seconds / 60;
}

std::int64_t QuantityOf(std::int64_t minutes) {
    // minutes × 10000 / 60 leaves a third, two thirds or nothing: never a tie.
    return (minutes * 500 + 1) / 3;
}

std::int64_t LineCents(std::int64_t quantity, const Decimal& price) {
    // Cents are hundredths: the quantity's and the price's places less two.
    return RoundedQuotient(static_cast<__int128>(quantity) * price.units,
                           PowerOfTen(kQuantityPlaces + price.places - 2));
}

std::int64_t TaxCents(std::int64_t subtotalCents, double taxPercent) {
    // In integers: a percent such as 7.5 times cents lands on half a cent exactly.
    const __int128 millionths = std::llround(taxPercent * 1e6);
    constexpr __int128 kDivisor = 100'000'000;  // percent and millionths
    return RoundedQuotient(static_cast<__int128>(subtotalCents) * millionths, kDivisor);
}

InvoiceMoney MoneyOf(const InvoiceFigures& figures, double taxPercent, LineGrouping grouping) {
    InvoiceMoney money;
    money.price = PriceOf(figures.rate);
    std::vector<MoneyLine> days;
    days.reserve(figures.days.size());
    for (const InvoiceDay& day : figures.days) {
        const std::int64_t minutes = BilledMinutes(day.seconds);
        days.push_back({day.date, day.date, minutes, QuantityOf(minutes), 0});
        money.billedSeconds += minutes * 60;
    }
    // A period's line bills the days' minutes together, so its quantity is their sum's.
    if (grouping == LineGrouping::Period && !days.empty())
        money.lines.push_back({days.front().date, days.back().date, money.billedSeconds / 60,
                               QuantityOf(money.billedSeconds / 60), 0});
    else
        money.lines = std::move(days);
    for (MoneyLine& line : money.lines) {
        line.amountCents = LineCents(line.quantity, money.price);
        money.subtotalCents += line.amountCents;
    }
    money.taxCents = TaxCents(money.subtotalCents, taxPercent);
    money.totalCents = money.subtotalCents + money.taxCents;
    return money;
}

}  // namespace tally
