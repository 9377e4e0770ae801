// SPDX-License-Identifier: MIT
#include "core/totals_text.h"

#include "time/c_format.h"

namespace tally {
namespace {

std::string AmountText(const ELAPSEDTIME& e, const MoneyOptions& money) {
    return money.showDollars ? FormatC(" (%.2f)", MoneyAmount(e, money.rate)) : std::string();
}

}  // namespace

std::string TotalText(const ELAPSEDTIME& rounded, const MoneyOptions& money) {
    return FormatC("%d:%02d:%02d", rounded.nHours, rounded.nMinutes, rounded.nSeconds) +
           AmountText(rounded, money);
}

ELAPSEDTIME AverageElapsed(const ELAPSEDTIME& roundedGrand, int count) {
    return SplitSeconds(ElapsedToSeconds(roundedGrand) / count);
}

std::string AverageText(const ELAPSEDTIME& roundedGrand, int count, const MoneyOptions& money) {
    if (count == 0) return {};
    const ELAPSEDTIME average = AverageElapsed(roundedGrand, count);
    return FormatC("%d:%02d:%02d/%d = %d:%02d:%02d", roundedGrand.nHours, roundedGrand.nMinutes,
                   roundedGrand.nSeconds, count, average.nHours, average.nMinutes,
                   average.nSeconds) +
           AmountText(average, money);
}

}  // namespace tally
